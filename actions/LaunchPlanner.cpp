#include "actions/LaunchPlanner.h"

#include "env/Miscfunctions.h"
#include "env/Text.h"

namespace pikko {

ProgramCommand BuildItemCommand(const std::string& programFolder, const std::string& run,
                                const std::string& path) {
  ProgramCommand c;
  const std::size_t blank = run.find(' ');
  const std::string programPart = blank == std::string::npos ? run : run.substr(0, blank);
  if (blank != std::string::npos) c.parameters = run.substr(blank + 1);
  std::string folder = path;
  // An empty Path becomes a single backslash: the doubled one after the
  // program folder is kept, as disc files have always produced it.
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  c.program = NormalizePath(programFolder + folder + programPart);
  return c;
}

std::string WorkingFolderOf(const std::string& program) {
  const std::size_t cut = program.rfind('\\');
  return cut == std::string::npos ? std::string() : program.substr(0, cut + 1);
}

DependencyDecision ApplyDependency(int n, std::string dependency, const std::string& tab,
                                   const std::string& programFolder, ProgramCommand own,
                                   bool batchInstallerExists) {
  DependencyDecision d;
  if (dependency.empty()) dependency = "0xff";
  // The "0x" prefix is tested as written: "0XFF" is not a dependency value.
  if (dependency.compare(0, 2, "0x") != 0) {
    d.refused = true;
    d.refusal = "Error:(" + std::to_string(n) + ")Dependency = " + dependency;
    return d;
  }
  if (UpperCase(dependency) == "0XFF") {
    d.command = std::move(own);
    return d;
  }
  // The item is installed by the batch installer, told the tab and the item.
  d.command.program = programFolder + kBatchInstaller;
  d.command.parameters = std::string(tab == "0" ? "00" : "01") + " -i" + std::to_string(n);
  if (!batchInstallerExists)
    d.preparedFailure = "ZEKA Fullkit needed ... (" + d.command.program + ")";
  return d;
}

std::string FillInstallerNotice(std::string text, const std::string& name) {
  const std::size_t one = text.find("%1");
  if (one == std::string::npos) {
    text.insert(0, name);
  } else {
    text.replace(one, 2, name);
  }
  const std::size_t two = text.find("%2");
  if (two != std::string::npos) text.replace(two, 2, name);
  return text;
}

std::string StartFailureText(std::intptr_t result, const ProgramCommand& command) {
  return "Error:" + std::to_string(result) + " - Cannot execute " + command.program + " " +
         command.parameters;
}

std::string FillReaderQuestion(std::string text, const std::string& reader) {
  // Replaced one at a time from the start, so a name that itself holds "%1"
  // cannot make this loop for ever.
  std::size_t from = 0;
  for (std::size_t p; (p = text.find("%1", from)) != std::string::npos; from = p + reader.size())
    text.replace(p, 2, reader);
  return text;
}

}  // namespace pikko
