// The menu's command line: "debug", "-M_" + board type and the waiting
// switch "-WAITING".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pikko {

class CommandLine {
 public:
  // argumentText: everything after the program name, as the system gives it.
  explicit CommandLine(std::string argumentText);

  // True when the whole argument text, lower-cased, is "debug".
  bool DebugMode() const;
  // The rest of the first argument that begins with prefix (without regard
  // to case), in its own case; empty when none does.
  std::string GetOptionValue(std::string_view prefix) const;
  // An argument that is "-" followed by "WAITING", in any case.
  bool Waiting() const;

 private:
  std::string text_;
  std::vector<std::string> args_;
};

// Splits an argument text the way the system's programs do: blanks separate,
// double quotes group and are removed.
std::vector<std::string> SplitArguments(std::string_view text);

// The argument text of a full command line: the program name (quoted or not)
// and the blanks after it removed.
std::string ArgumentText(std::string_view commandLine);

}  // namespace pikko
