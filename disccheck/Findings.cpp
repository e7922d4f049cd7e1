#include "disccheck/Findings.h"

#include <algorithm>
#include <tuple>

namespace pikko::disccheck {

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::Note:
      return "note";
    case Severity::Warning:
      return "warning";
    case Severity::Error:
      return "error";
  }
  return "error";
}

std::string FormatFinding(const Finding& f) {
  std::string out = f.file;
  if (f.line > 0) out += ":" + std::to_string(f.line);
  out += ": ";
  out += SeverityName(f.severity);
  out += ": " + f.text;
  return out;
}

void Findings::Add(Finding finding) { items_.push_back(std::move(finding)); }

std::vector<Finding> Findings::Sorted() const {
  std::vector<Finding> sorted = items_;
  auto key = [](const Finding& f) { return std::tie(f.file, f.line, f.text); };
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const Finding& a, const Finding& b) { return key(a) < key(b); });
  // The same finding from two runs of the loaders (two languages, two
  // platforms) is one fault: the graver severity stays.
  std::vector<Finding> unique;
  for (Finding& f : sorted) {
    if (!unique.empty() && key(unique.back()) == key(f)) {
      unique.back().severity = std::max(unique.back().severity, f.severity);
      continue;
    }
    unique.push_back(std::move(f));
  }
  return unique;
}

int Findings::Count(Severity severity) const {
  int n = 0;
  for (const Finding& f : Sorted()) n += f.severity == severity ? 1 : 0;
  return n;
}

void Findings::Print(std::ostream& out, bool withNotes) const {
  for (const Finding& f : Sorted()) {
    if (f.severity == Severity::Note && !withNotes) continue;
    out << FormatFinding(f) << "\n";
  }
}

}  // namespace pikko::disccheck
