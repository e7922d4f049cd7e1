// The checks with which the graphics, control and registry layers guard
// their invariants. A failed check names the expression and the source unit
// ("hrgn != NULL" in WinRegion) and the program does not go on: the handler
// in force reports it and the process ends. Tests install a handler that
// throws instead, so that they can see which check failed.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace pikko {

// What a failed check reports.
struct AssertionFailure : std::logic_error {
  AssertionFailure(std::string expression, std::string unit);
  std::string expression;
  std::string unit;
};

// Reports a failed check through the handler in force and ends the program
// (a handler that throws leaves through its exception instead).
[[noreturn]] void AssertionFailed(const char* expression, const char* unit);

// Checks cond; on failure reports the given expression text and unit.
inline void Check(bool cond, const char* expression, const char* unit) {
  if (!cond) AssertionFailed(expression, unit);
}

// The text the user sees for a failed check: "Assertion failed: <expression>
// (unit <unit>)".
std::string AssertionText(const std::string& expression, const std::string& unit);

// The program's handler shows AssertionText in a message box before the
// process ends; without one the text goes to the error stream.
using AssertionHandler = std::function<void(const AssertionFailure&)>;
void SetAssertionHandler(AssertionHandler handler);

// For tests: failed checks throw AssertionFailure while this lives.
class ThrowingAssertions {
 public:
  ThrowingAssertions();
  ~ThrowingAssertions();
  ThrowingAssertions(const ThrowingAssertions&) = delete;
  ThrowingAssertions& operator=(const ThrowingAssertions&) = delete;

 private:
  AssertionHandler saved_;
};

}  // namespace pikko
