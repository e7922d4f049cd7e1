#include "disccheck/TextMetrics.h"

#include "env/Text.h"

namespace pikko::disccheck {

FontFace RowFont() { return {"MS Sans Serif", 13, true}; }
FontFace DescriptionFont() { return {"MS Sans Serif", 11, false}; }
FontFace TabCaptionFont() { return {"MS Sans Serif", 11, false}; }

namespace {

int TableWidth(const FontWidthTable& table, const std::string& text) {
  if (text.empty()) return 0;
  int width = table.overhang;
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    // Control characters draw as nothing; a tab as a blank.
    if (u == '\t') width += table.widths[0];
    if (u >= 0x20) width += table.widths[u - 0x20];
  }
  return width;
}

}  // namespace

const FontWidthTable* FindWidthTable(const FontFace& font);

std::optional<int> TableMeasurer::Width(const FontFace& font, const std::string& text) const {
  const FontWidthTable* table = FindWidthTable(font);
  if (!table) return std::nullopt;
  return TableWidth(*table, text);
}

std::optional<int> TableMeasurer::WrappedHeight(const FontFace& font, const std::string& text,
                                                int width) const {
  const FontWidthTable* table = FindWidthTable(font);
  if (!table) return std::nullopt;
  const int lines =
      WrappedLineCount(text, width, [&](const std::string& s) { return TableWidth(*table, s); });
  return lines * table->lineHeight;
}

int WrappedLineCount(const std::string& text, int width,
                     const std::function<int(const std::string&)>& measure) {
  int lines = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string paragraph = text.substr(start, end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
    // Greedy: as many words as fit; blanks at a break are dropped.
    const std::size_t n = paragraph.size();
    std::size_t p = 0;
    do {
      ++lines;
      std::size_t fit = std::string::npos;  // end of the last word that fits
      std::size_t q = p;
      while (q < n) {
        std::size_t wordEnd = paragraph.find(' ', q);
        if (wordEnd == std::string::npos) wordEnd = n;
        // The first word of a line stays on it, however wide.
        if (fit != std::string::npos && measure(paragraph.substr(p, wordEnd - p)) > width) break;
        fit = wordEnd;
        q = wordEnd;
        while (q < n && paragraph[q] == ' ') ++q;
      }
      p = fit == std::string::npos ? n : fit;
      while (p < n && paragraph[p] == ' ') ++p;
    } while (p < n);
    start = end + 1;
  }
  return lines;
}

}  // namespace pikko::disccheck
