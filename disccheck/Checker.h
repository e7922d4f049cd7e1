// The state of one run of the checker, shared by its parts: the ports the
// loaders run over and the findings. Internal to disccheck.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "app/MenuConfig.h"
#include "disccheck/DiscChecker.h"
#include "disccheck/RecordingPorts.h"

namespace pikko::disccheck {

class Checker {
 public:
  explicit Checker(const CheckOptions& options);
  Findings Run();

  // Findings at a line of a file the menu names (virtual path), or at a file.
  void At(const SourceLine& where, Severity severity, const std::string& text);
  void AtFile(const std::string& path, Severity severity, const std::string& text);

  // Parts (each in its own file).
  void CheckProgramFiles();
  void CheckMenuFile(const std::string& path, bool masterList);
  void CheckSkins(const MenuModel& model, bool contactTab);
  void CheckDiscNames();
  void CheckLanguageFiles();
  void CheckUnreadKeys();
  void CheckMasterList(const std::string& path);

  // Helpers.
  std::string Program(const std::string& relative) const { return programFolder_ + relative; }
  std::string Root(const std::string& relative) const { return std::string("D:\\") + relative; }
  void SetSpecifiedOs(const std::string& platform, const std::string& language);
  // Runs body with fresh recordings and reports messages shown and files
  // the menu could not open; `at` names the line when a message carries none.
  template <class Body>
  void Replay(const std::string& what, const SourceLine& at, Body body);
  void ReportMessages(const std::string& what, const SourceLine& at);
  void ReportFailedOpens(const std::string& what, const SourceLine& at, bool includeFound = false);
  std::vector<std::string> KnownLanguages() const;

  CheckOptions options_;
  DiscFileSystem files_;
  RecordingIni ini_;
  RecordingMessages messages_;
  RecordingStarts starts_;
  CheckerVersion version_;
  CheckerFolders folders_;
  QuietSystem quiet_;
  std::string programFolder_;  // D:\<name>\ .
  std::string folderName_;
  Findings findings_;
  std::set<std::string> languages_;  // language tags seen in the disc's files
  bool anyMenu_ = false;
  std::set<std::string> fatalFiles_;  // menu files the loader gave up on
  bool homeTabSwept_ = false;         // the home tab was loaded for every system
};

template <class Body>
void Checker::Replay(const std::string& what, const SourceLine& at, Body body) {
  messages_.shown.clear();
  starts_.attempts.clear();
  starts_.missingExports.clear();
  body();
  ReportMessages(what, at);
}

// The platform tags the version query can give the menu, from Windows 95 to
// Windows 10 (which reports 6.2 to a program that declares no supported OS).
const std::vector<std::string>& PossiblePlatformTags();
// A version record that gives the tag; false for a tag no system gives.
bool VersionForTag(const std::string& tag, CheckerVersion& version);

}  // namespace pikko::disccheck
