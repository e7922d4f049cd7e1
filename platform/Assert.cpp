#include "platform/Assert.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace pikko {
namespace {

AssertionHandler& Handler() {
  static AssertionHandler handler;
  return handler;
}

}  // namespace

AssertionFailure::AssertionFailure(std::string expr, std::string unitName)
    : std::logic_error(AssertionText(expr, unitName)),
      expression(std::move(expr)),
      unit(std::move(unitName)) {}

std::string AssertionText(const std::string& expression, const std::string& unit) {
  return "Assertion failed: " + expression + " (unit " + unit + ")";
}

void AssertionFailed(const char* expression, const char* unit) {
  const AssertionFailure failure(expression, unit);
  if (Handler()) {
    Handler()(failure);
  } else {
    std::fputs(failure.what(), stderr);
    std::fputc('\n', stderr);
  }
  // A broken invariant: nothing the program could do next is safe.
  std::_Exit(3);
}

void SetAssertionHandler(AssertionHandler handler) { Handler() = std::move(handler); }

ThrowingAssertions::ThrowingAssertions() : saved_(Handler()) {
  Handler() = [](const AssertionFailure& f) { throw f; };
}

ThrowingAssertions::~ThrowingAssertions() { Handler() = std::move(saved_); }

}  // namespace pikko
