// Which program an item's click starts, with which parameters and in which
// folder, as the disc's menu file describes it; and the texts of the
// refusals and failures around a start.
#pragma once

#include <cstdint>
#include <string>

namespace pikko {

struct ProgramCommand {
  std::string program;     // full path
  std::string parameters;  // passed on unchanged
};

// "(n)Run" split at its first blank; program folder + "(n)Path" with one
// backslash appended unless it ends in one, + the program part, normalised.
ProgramCommand BuildItemCommand(const std::string& programFolder, const std::string& run,
                                const std::string& path);

// The folder part of a program path, up to and including its last backslash.
std::string WorkingFolderOf(const std::string& program);

// What the item's "(n)Dependency" makes of its own command.
struct DependencyDecision {
  bool refused = false;
  std::string refusal;          // shown with a warning; nothing starts
  ProgramCommand command;       // the item's own, or the batch installer's
  std::string preparedFailure;  // the message for a failed start, if set
};

// dependency and tab are the texts of "(n)Dependency" and "(n)Tab".
// batchInstallerExists tells whether "ZEKAFullkit\Fullkit.exe" is on the disc.
DependencyDecision ApplyDependency(int n, std::string dependency, const std::string& tab,
                                   const std::string& programFolder, ProgramCommand own,
                                   bool batchInstallerExists);

// The batch installer, relative to the program folder.
constexpr const char* kBatchInstaller = "ZEKAFullkit\\Fullkit.exe";

// Fills the running-installer notice: the first "%1" becomes the name (a
// text without it gets the name in front), then the first "%2", if any.
std::string FillInstallerNotice(std::string text, const std::string& name);

// "Error:" + result + " - Cannot execute " + program + " " + parameters.
std::string StartFailureText(std::intptr_t result, const ProgramCommand& command);

// Every "%1" of the reader question becomes the reader's name.
std::string FillReaderQuestion(std::string text, const std::string& reader);

}  // namespace pikko
