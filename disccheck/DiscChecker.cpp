#include "disccheck/DiscChecker.h"

#include <algorithm>
#include <filesystem>

#include "disccheck/Checker.h"
#include "env/PlatformTags.h"
#include "env/Text.h"
#include "stand-ins/Companion.h"

namespace pikko::disccheck {
namespace fs = std::filesystem;

namespace {

fs::path DiscRootOf(const std::string& folder) {
  fs::path p = fs::path(folder).lexically_normal();
  if (!p.has_filename()) p = p.parent_path();  // a trailing separator
  fs::path parent = p.parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

std::string FolderNameOf(const std::string& folder) {
  fs::path p = fs::path(folder).lexically_normal();
  if (!p.has_filename()) p = p.parent_path();
  if (p.filename() == "." || p.filename().empty()) p = fs::absolute(p).lexically_normal();
  if (!p.has_filename()) p = p.parent_path();
  return p.filename().string();
}

Severity SeverityOfMessage(unsigned style) {
  const unsigned icon = style & 0xF0;
  return icon == mb::IconWarning ? Severity::Warning : Severity::Error;
}

std::string OneLine(std::string text) {
  text = ReplaceAll(text, "\r\n", " | ");
  return ReplaceAll(text, "\n", " | ");
}

struct TagRecord {
  OsVersionInfo info;
  unsigned architecture;
  bool wow64;
  int mediaCenter;
};

std::vector<std::pair<std::string, TagRecord>> BuildTagTable() {
  std::vector<std::pair<std::string, TagRecord>> table;
  const std::pair<unsigned, unsigned> versions[] = {{5, 0}, {5, 1}, {5, 2},  {6, 0},
                                                    {6, 1}, {6, 2}, {6, 3}, {10, 0}};
  auto add = [&](const VersionRecord& r, const TagRecord& t) {
    const auto tag = BuildPlatformTag(r);
    if (!tag) return;
    for (const auto& [known, unused] : table)
      if (known == *tag) return;
    table.emplace_back(*tag, t);
  };
  for (const auto& [major, minor] : versions) {
    for (unsigned product : {1u, 3u})
      for (unsigned suite : {0u, 0x200u})
        for (bool wow : {false, true})
          for (unsigned arch : {0u, 9u})
            for (int mce : {0, 1}) {
              if (product == 3 && suite) continue;
              VersionRecord r{major, minor, 2, product, suite, arch, wow, mce};
              add(r, {{major, minor, 0, 2, product, suite}, arch, wow, mce});
            }
  }
  for (const auto& [major, minor] : {std::pair<unsigned, unsigned>{4, 0}, {4, 10}, {4, 90}}) {
    VersionRecord r{major, minor, 1, 0, 0, 0, false, 0};
    add(r, {{major, minor, 0, 1, 0, 0}, 0, false, 0});
  }
  return table;
}

const std::vector<std::pair<std::string, TagRecord>>& TagTable() {
  static const auto table = BuildTagTable();
  return table;
}

}  // namespace

const std::vector<std::string>& PossiblePlatformTags() {
  static const std::vector<std::string> tags = [] {
    std::vector<std::string> out;
    for (const auto& [tag, unused] : TagTable()) out.push_back(tag);
    return out;
  }();
  return tags;
}

bool VersionForTag(const std::string& tag, CheckerVersion& version) {
  for (const auto& [known, r] : TagTable()) {
    if (!SameText(known, tag)) continue;
    version.info = r.info;
    version.architecture = r.architecture;
    version.wow64 = r.wow64;
    version.mediaCenter = r.mediaCenter;
    return true;
  }
  return false;
}

Checker::Checker(const CheckOptions& options)
    : options_(options),
      files_(DiscRootOf(options.discFolder)),
      ini_(files_),
      messages_(ini_),
      starts_(files_, ini_),
      folders_(""),
      folderName_(FolderNameOf(options.discFolder)) {
  programFolder_ = std::string("D:\\") + folderName_ + "\\";
  folders_ = CheckerFolders(programFolder_ + "Pikko.exe");
  starts_.programFolder = programFolder_;
  files_.SetCurrentFolder(programFolder_);
}

void Checker::At(const SourceLine& where, Severity severity, const std::string& text) {
  if (where.file.empty()) {
    findings_.Add(files_.Display(programFolder_), 0, severity, text);
    return;
  }
  findings_.Add(files_.Display(where.file), where.line, severity, text);
}

void Checker::AtFile(const std::string& path, Severity severity, const std::string& text) {
  findings_.Add(files_.Display(path), 0, severity, text);
}

void Checker::SetSpecifiedOs(const std::string& platform, const std::string& language) {
  files_.SetVirtualFile("C:\\WINDOWS\\Zkcd_tmp.ini",
                        "[PLATFORM]\r\nSpecified OS=" + platform + "," + language + "\r\n");
  VersionForTag(platform, version_) || VersionForTag("WNT_6.1P_64", version_);
}

void Checker::ReportMessages(const std::string& what, const SourceLine& at) {
  for (const ShownBox& box : messages_.shown) {
    // The manual opener's question is the menu at work, not a fault.
    if ((box.style & 0xF0) == mb::IconQuestion) continue;
    const SourceLine where = box.source.file.empty() ? at : box.source;
    At(where, SeverityOfMessage(box.style), what + ": the menu shows \"" + OneLine(box.text) + "\"");
  }
  messages_.shown.clear();
}

void Checker::ReportFailedOpens(const std::string& what, const SourceLine& at, bool) {
  for (const OpenAttempt& a : starts_.attempts) {
    if (a.found) continue;
    const Severity severity =
        a.what == "program" || a.what == "library" ? Severity::Error : Severity::Warning;
    At(a.source.file.empty() ? at : a.source, severity,
       what + " opens the " + a.what + " " + files_.DiscRelative(a.path) +
           ", which is not on the disc");
  }
  starts_.attempts.clear();
}

std::vector<std::string> Checker::KnownLanguages() const {
  std::vector<std::string> out = {"English"};
  for (const std::string& l : languages_) {
    if (std::none_of(out.begin(), out.end(), [&](const std::string& o) { return SameText(o, l); }))
      out.push_back(l);
  }
  return out;
}

Findings Checker::Run() {
  Ports ports;
  ports.ini = &ini_;
  ports.messages = &messages_;
  ports.files = &files_;
  ports.folders = &folders_;
  ports.version = &version_;
  ports.libraries = &starts_;
  ports.registry = &quiet_;
  ports.shell = &starts_;
  ports.windows = &quiet_;
  ports.classes = &quiet_;
  ports.processes = &starts_;
  ports.shellEx = &starts_;
  ports.fileWrites = &starts_;
  const ScopedPorts scope(ports);
  SetApplicationTitle("");

  if (!files_.DirectoryExists(programFolder_)) {
    findings_.Add(options_.discFolder, 0, Severity::Error, "no such folder");
    return findings_;
  }
  CheckProgramFiles();
  CheckLanguageFiles();
  const std::string master = Program(companion::kMasterList);
  if (files_.FileExists(master)) CheckMasterList(master);
  const std::string debugMenu = Program("zkcd_dbg.ini");
  if (files_.FileExists(debugMenu)) CheckMenuFile(debugMenu, false);
  if (files_.FileExists(master)) CheckMenuFile(master, true);
  if (!anyMenu_) {
    AtFile(programFolder_, Severity::Error,
           "no menu file: neither zkcd_dbg.ini (debug start) nor BIN\\MasterList.ini (the "
           "companion program's list) is in the disc folder");
  }
  CheckUnreadKeys();
  CheckDiscNames();
  return findings_;
}

Findings CheckDisc(const CheckOptions& options) { return Checker(options).Run(); }

}  // namespace pikko::disccheck
