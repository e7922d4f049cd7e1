// The checker's diagnostics, printed as a compiler prints them:
//   path:line: error: text      (a line of an INI file causes it)
//   path: warning: text         (a file as a whole, or a file that is missing)
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pikko::disccheck {

// Notes tell what the menu does on purpose (a long title that unfolds on
// hover); they are printed but are no fault of the disc.
enum class Severity { Note, Warning, Error };

struct Finding {
  std::string file;  // as the user names it: below the folder given to the checker
  int line = 0;      // 0: the file as a whole
  Severity severity = Severity::Warning;
  std::string text;
};

class Findings {
 public:
  void Add(Finding finding);
  void Add(const std::string& file, int line, Severity severity, const std::string& text) {
    Add(Finding{file, line, severity, text});
  }
  // In file order, then line, then text; each finding once.
  std::vector<Finding> Sorted() const;
  int Count(Severity severity) const;
  bool Empty() const { return items_.empty(); }
  void Print(std::ostream& out, bool withNotes) const;

 private:
  std::vector<Finding> items_;
};

std::string FormatFinding(const Finding& finding);
const char* SeverityName(Severity severity);

}  // namespace pikko::disccheck
