#include "app/CommandLine.h"

#include "env/Text.h"

namespace pikko {

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (true) {
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    if (i >= text.size()) break;
    std::string arg;
    bool quoted = false;
    while (i < text.size() && (quoted || static_cast<unsigned char>(text[i]) > ' ')) {
      if (text[i] == '"') {
        quoted = !quoted;
      } else {
        arg += text[i];
      }
      ++i;
    }
    out.push_back(std::move(arg));
  }
  return out;
}

std::string ArgumentText(std::string_view commandLine) {
  std::size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    i = close == std::string_view::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && static_cast<unsigned char>(commandLine[i]) > ' ') ++i;
  }
  while (i < commandLine.size() && static_cast<unsigned char>(commandLine[i]) <= ' ') ++i;
  return std::string(commandLine.substr(i));
}

CommandLine::CommandLine(std::string argumentText)
    : text_(std::move(argumentText)), args_(SplitArguments(text_)) {}

bool CommandLine::DebugMode() const { return LowerCase(Trim(text_)) == "debug"; }

std::string CommandLine::GetOptionValue(std::string_view prefix) const {
  for (const std::string& a : args_) {
    if (StartsWithText(a, prefix)) return a.substr(prefix.size());
  }
  return {};
}

bool CommandLine::Waiting() const {
  for (const std::string& a : args_) {
    if (SameText(a, "-WAITING")) return true;
  }
  return false;
}

}  // namespace pikko
