#include "browser/html/HtmlLayout.h"

#include <algorithm>
#include <optional>

namespace pikko {
namespace {

constexpr int kCellSpacing = 2;
constexpr std::size_t kColumnRoom = 64;
constexpr int kDepthRoom = 64;

int Collapse(int a, int b) {
  if (a >= 0 && b >= 0) return std::max(a, b);
  if (a < 0 && b < 0) return std::min(a, b);
  return a + b;
}

int Resolve(const std::optional<CssLength>& l, int percentOf, int fallback) {
  return l ? l->ToPx(0, percentOf) : fallback;
}

// A piece of a word in one font.
struct Atom {
  std::string_view text;
  const PageFont* font;
  bool spaceBefore;
  bool lineBreak;
  int width;
};

struct Placed {
  int x;
  std::string_view text;
  const PageFont* font;
  bool spaceBefore;
};

PagePaint Shape(PagePaint::Kind kind, PageRect rect, TColor colour, int thickness = 0) {
  PagePaint p;
  p.kind = kind;
  p.rect = rect;
  p.colour = colour;
  p.thickness = thickness;
  return p;
}

struct Widths {
  int min = 0, max = 0;
};

class Layouter {
 public:
  Layouter(const PageModel& page, int viewWidth, int viewHeight, PageMeasure& measure,
           std::vector<PagePaint>& out)
      : page_(page), viewWidth_(viewWidth), viewHeight_(viewHeight), m_(measure), out_(out) {}

  int Body() {
    const PageBlock& body = page_.blocks[0];
    const PageRect frame = {0, 0, viewWidth_, viewHeight_};
    containing_ = frame;
    return Box(0, 0, Clamp(body.margin[0]), viewWidth_, 0).bottom + Clamp(body.margin[2]);
  }

 private:
  struct Placement {
    int bottom;
    int fill = -1, frame = -1;
  };

  static int Clamp(int v) { return std::clamp(v, -100000, 100000); }

  const PageBlock& At(int index) const { return page_.blocks[static_cast<std::size_t>(index)]; }

  int Emit(PagePaint p) {
    if (out_.size() >= kPagePaintRoom) return -1;
    out_.push_back(std::move(p));
    return static_cast<int>(out_.size()) - 1;
  }

  void Patch(int paint, PageRect r) {
    if (paint >= 0) out_[static_cast<std::size_t>(paint)].rect = r;
  }

  // A box at x, y (its margin box's left, its border box's top) in a
  // containing width; forcedWidth > 0 gives a table cell's width.
  Placement Box(int index, int x, int y, int available, int depth, int forcedWidth = 0) {
    const PageBlock& b = At(index);
    const int border = b.borderWidth;
    const int edges = 2 * border + b.padding[1] + b.padding[3];
    int content = forcedWidth > 0 ? forcedWidth - edges
                                  : available - b.margin[1] - b.margin[3] - edges;
    if (b.width && forcedWidth <= 0) content = Resolve(b.width, available, content);
    content = std::max(content, 0);
    const int left = x + (forcedWidth > 0 ? 0 : b.margin[3]);
    Placement place;
    if (b.background && index != 0) place.fill = Emit(Shape(PagePaint::Kind::Fill, {}, *b.background));
    if (border > 0) {
      place.frame = Emit(Shape(PagePaint::Kind::Frame, {}, b.borderColour, border));
    }
    const int innerX = left + border + b.padding[3];
    const int innerY = y + border + b.padding[0];
    const PageRect saved = containing_;
    if (b.absolute) {
      containing_ = {left + border, y + border, left + edges - border + content, 0};
    }
    int height = depth < kDepthRoom ? Children(index, innerX, innerY, content, depth + 1) : 0;
    if (b.height) height = std::max(0, Resolve(b.height, viewHeight_, height));
    containing_ = saved;
    place.bottom = innerY + height + b.padding[2] + border;
    const PageRect rect = {left, y, left + edges + content, place.bottom};
    Patch(place.fill, rect);
    Patch(place.frame, rect);
    if (b.listMarker != 0) Marker(b, innerX, innerY);
    return place;
  }

  void Marker(const PageBlock& b, int x, int y) {
    const int line = m_.LineHeight(b.font);
    if (b.listMarker < 0) {
      const int size = std::max(3, b.font.sizePx / 3);
      const int dotX = x - b.font.sizePx + 2, dotY = y + (line - size) / 2;
      Emit(Shape(PagePaint::Kind::Dot, {dotX, dotY, dotX + size, dotY + size}, b.font.colour));
      return;
    }
    PagePaint number = Shape(PagePaint::Kind::Text, {}, b.font.colour);
    number.text = std::to_string(b.listMarker) + ".";
    number.font = b.font;
    const int w = m_.TextWidth(number.text, b.font);
    number.rect = {x - w - b.font.sizePx / 3, y, x, y + line};
    Emit(std::move(number));
  }

  // The absolutely placed box: at its left and top in the containing box,
  // or where it would have stood in the flow.
  void Absolute(int index, int x, int y, int depth) {
    const PageBlock& b = At(index);
    const int cw = containing_.right - containing_.left;
    const int left = b.left ? containing_.left + Resolve(b.left, cw, 0) : x;
    const int top = b.top ? containing_.top + Resolve(b.top, viewHeight_, 0) + b.margin[0]
                          : y + b.margin[0];
    Box(index, left, top, std::max(0, cw - (left - containing_.left)), depth);
  }

  // The children of a box, one below the other; their height.
  int Children(int index, int x, int y, int width, int depth) {
    const PageBlock& b = At(index);
    if (b.kind == PageBlockKind::Text) return Text(b, x, y, width);
    if (b.kind == PageBlockKind::Table) return 0;  // tables lay out their rows themselves
    int cur = y;
    bool first = true;
    int pending = 0;
    for (int child : b.children) {
      const PageBlock& c = At(child);
      if (c.absolute) {
        Absolute(child, x, cur + (first ? 0 : std::max(pending, 0)), depth);
        continue;
      }
      if (c.kind == PageBlockKind::Text) {
        const int h = Text(c, x, cur + std::max(pending, 0), width);
        if (h == 0) continue;
        cur += std::max(pending, 0) + h;
        pending = 0;
        first = false;
        continue;
      }
      cur += first ? c.margin[0] : Collapse(pending, c.margin[0]);
      if (c.kind == PageBlockKind::Rule) {
        const int thick = 2 * std::max(1, c.borderWidth);
        const int left = x + c.margin[3];
        Emit(Shape(PagePaint::Kind::Fill,
              {left, cur, std::max(left, x + width - c.margin[1]), cur + thick},
              c.borderColour));
        cur += thick;
      } else if (c.kind == PageBlockKind::Table) {
        cur = Table(child, x, cur, width, depth);
      } else {
        cur = Box(child, x, cur, width, depth).bottom;
      }
      pending = c.margin[2];
      first = false;
    }
    return cur + std::max(pending, 0) - y;
  }

  // ------------------------------------------------------------ text

  std::vector<Atom> Atoms(const PageBlock& b) {
    std::vector<Atom> atoms;
    bool space = false;
    for (const PageRun& r : b.runs) {
      if (r.lineBreak) {
        atoms.push_back({{}, &r.font, false, true, 0});
        space = false;
        continue;
      }
      std::string_view t = r.text;
      std::size_t i = 0;
      while (i < t.size()) {
        if (t[i] == ' ') {
          space = true;
          ++i;
          continue;
        }
        std::size_t end = t.find(' ', i);
        if (end == std::string_view::npos) end = t.size();
        const std::string_view word = t.substr(i, end - i);
        atoms.push_back({word, &r.font, space, false, m_.TextWidth(word, r.font)});
        space = false;
        i = end;
      }
    }
    return atoms;
  }

  int Text(const PageBlock& b, int x, int y, int width) {
    const std::vector<Atom> atoms = Atoms(b);
    int cur = y;
    std::vector<Placed> line;
    int lineWidth = 0;
    auto flush = [&](const PageFont& font) {
      cur += Line(line, lineWidth, x, cur, width, b, font);
      line.clear();
      lineWidth = 0;
    };
    for (std::size_t i = 0; i < atoms.size();) {
      if (atoms[i].lineBreak) {
        flush(*atoms[i].font);
        ++i;
        continue;
      }
      // A word: this atom and those that follow it without a space.
      std::size_t end = i + 1;
      int wordWidth = atoms[i].width;
      while (end < atoms.size() && !atoms[end].lineBreak && !atoms[end].spaceBefore) {
        wordWidth += atoms[end++].width;
      }
      const int space =
          !line.empty() && atoms[i].spaceBefore ? m_.TextWidth(" ", *atoms[i].font) : 0;
      if (!line.empty() && lineWidth + space + wordWidth > width) flush(*atoms[i].font);
      if (line.empty() && wordWidth > width) {
        Split(atoms, i, end, x, width, line, lineWidth, flush);
      } else {
        int at = lineWidth + (line.empty() ? 0 : space);
        for (std::size_t a = i; a < end; ++a) {
          line.push_back({at, atoms[a].text, atoms[a].font, a == i && !line.empty() && space});
          at += atoms[a].width;
        }
        lineWidth = at;
      }
      i = end;
    }
    if (!line.empty()) flush(*line.back().font);
    return cur - y;
  }

  // A word wider than the line, cut between characters.
  template <class Flush>
  void Split(const std::vector<Atom>& atoms, std::size_t from, std::size_t to, int x, int width,
             std::vector<Placed>& line, int& lineWidth, Flush& flush) {
    (void)x;
    for (std::size_t a = from; a < to; ++a) {
      std::string_view rest = atoms[a].text;
      const PageFont& font = *atoms[a].font;
      while (!rest.empty()) {
        std::size_t take = 0;
        int taken = 0;
        while (take < rest.size()) {
          const std::size_t n =
              std::min(std::max<std::size_t>(1, m_.CharLength(rest.substr(take))), rest.size() - take);
          const int w = m_.TextWidth(rest.substr(take, n), font);
          // Every line holds at least one character.
          if (lineWidth + taken + w > width && (take > 0 || !line.empty())) break;
          take += n;
          taken += w;
        }
        if (take > 0) {
          line.push_back({lineWidth, rest.substr(0, take), &font, false});
          lineWidth += taken;
          rest.remove_prefix(take);
        }
        if (!rest.empty()) flush(font);
      }
    }
  }

  // Paints one line and gives its height; an empty line is as high as the font.
  int Line(const std::vector<Placed>& line, int lineWidth, int x, int y, int width,
           const PageBlock& b, const PageFont& emptyFont) {
    if (line.empty()) return m_.LineHeight(emptyFont);
    int ascent = 0, descent = 0;
    for (const Placed& p : line) {
      const int a = m_.Ascent(*p.font);
      ascent = std::max(ascent, a);
      descent = std::max(descent, m_.LineHeight(*p.font) - a);
    }
    int shift = 0;
    if (b.align == TextAlign::Center) shift = std::max(0, (width - lineWidth) / 2);
    if (b.align == TextAlign::Right) shift = std::max(0, width - lineWidth);
    // Neighbours in one font join into one piece of text, spaces and all.
    for (std::size_t i = 0; i < line.size();) {
      const PageFont& font = *line[i].font;
      std::string text(line[i].text);
      std::size_t j = i + 1;
      for (; j < line.size() && *line[j].font == font; ++j) {
        if (line[j].spaceBefore) text += ' ';
        text.append(line[j].text);
      }
      PagePaint p = Shape(PagePaint::Kind::Text, {}, font.colour);
      const int left = x + shift + line[i].x;
      const int top = y + ascent - m_.Ascent(font);
      p.rect = {left, top, left + (j < line.size() ? line[j].x - line[i].x : lineWidth - line[i].x),
                top + m_.LineHeight(font)};
      p.text = std::move(text);
      p.font = font;
      Emit(std::move(p));
      i = j;
    }
    return ascent + descent;
  }

  // ------------------------------------------------------------ tables

  // The narrowest (longest word) and widest (no wrapping) a block can be;
  // kept, as nested tables ask again.
  Widths Measure(int index, int depth) {
    if (measured_.empty()) measured_.resize(page_.blocks.size());
    auto& known = measured_[static_cast<std::size_t>(index)];
    if (!known) known = MeasureOnce(index, depth);
    return *known;
  }

  Widths MeasureOnce(int index, int depth) {
    const PageBlock& b = At(index);
    Widths w;
    if (depth >= kDepthRoom) return w;
    if (b.kind == PageBlockKind::Text) {
      int lineWidth = 0;
      for (const Atom& a : Atoms(b)) {
        if (a.lineBreak) {
          lineWidth = 0;
          continue;
        }
        lineWidth += a.width + (a.spaceBefore && lineWidth > 0 ? m_.TextWidth(" ", *a.font) : 0);
        w.min = std::max(w.min, a.width);
        w.max = std::max(w.max, lineWidth);
      }
      return w;
    }
    if (b.kind == PageBlockKind::Table) {
      for (int row : b.children) {
        Widths r;
        for (int cell : At(row).children) {
          const Widths c = Measure(cell, depth + 1);
          r.min += c.min + kCellSpacing;
          r.max += c.max + kCellSpacing;
        }
        w.min = std::max(w.min, r.min);
        w.max = std::max(w.max, r.max);
      }
    } else {
      for (int child : b.children) {
        const Widths c = Measure(child, depth + 1);
        w.min = std::max(w.min, c.min);
        w.max = std::max(w.max, c.max);
      }
    }
    int edges = 2 * b.borderWidth + b.padding[1] + b.padding[3];
    if (b.kind != PageBlockKind::Row) edges += std::max(0, b.margin[1]) + std::max(0, b.margin[3]);
    if (b.width && b.width->unit == CssLength::Unit::Px) {
      w.min = w.max = std::max(w.min, b.width->ToPx(0, 0));
    }
    return {w.min + edges, w.max + edges};
  }

  int Table(int index, int x, int y, int available, int depth) {
    const PageBlock& t = At(index);
    std::vector<Widths> columns;
    for (int row : t.children) {
      const auto& cells = At(row).children;
      for (std::size_t c = 0; c < cells.size() && c < kColumnRoom; ++c) {
        if (columns.size() <= c) columns.emplace_back();
        const Widths w = Measure(cells[c], depth + 1);
        columns[c].min = std::max(columns[c].min, w.min);
        columns[c].max = std::max(columns[c].max, w.max);
      }
    }
    const int n = static_cast<int>(columns.size());
    const int edges = 2 * t.borderWidth + t.padding[1] + t.padding[3] + kCellSpacing * (n + 1);
    const int room = std::max(0, (t.width ? Resolve(t.width, available, available)
                                          : available - t.margin[1] - t.margin[3]) -
                                     edges);
    int sumMin = 0, sumMax = 0;
    for (const Widths& w : columns) {
      sumMin += w.min;
      sumMax += w.max;
    }
    std::vector<int> widths(columns.size());
    for (int c = 0; c < n; ++c) {
      const Widths& w = columns[static_cast<std::size_t>(c)];
      int width = w.max;
      if (sumMax > room) {
        // Each column its longest word, the rest shared by what they lack.
        const int spare = std::max(0, room - sumMin);
        width = w.min + (sumMax > sumMin ? (w.max - w.min) * spare / (sumMax - sumMin) : 0);
      } else if (t.width && sumMax > 0) {
        width = w.max + (room - sumMax) * w.max / sumMax;
      }
      widths[static_cast<std::size_t>(c)] = width;
    }
    int inner = kCellSpacing * (n + 1);
    for (int w : widths) inner += w;
    const int left = x + t.margin[3];
    const int fill = t.background ? Emit(Shape(PagePaint::Kind::Fill, {}, *t.background)) : -1;
    const int frame =
        t.borderWidth > 0 ? Emit(Shape(PagePaint::Kind::Frame, {}, t.borderColour, t.borderWidth)) : -1;
    int cur = y + t.borderWidth + t.padding[0] + kCellSpacing;
    const int cellsLeft = left + t.borderWidth + t.padding[3] + kCellSpacing;
    for (int row : t.children) {
      const PageBlock& r = At(row);
      const int rowFill = r.background ? Emit(Shape(PagePaint::Kind::Fill, {}, *r.background)) : -1;
      int cellX = cellsLeft, bottom = cur;
      std::vector<Placement> placed;
      for (std::size_t c = 0; c < r.children.size() && c < widths.size(); ++c) {
        placed.push_back(Box(r.children[c], cellX, cur, widths[c], depth + 1, widths[c]));
        bottom = std::max(bottom, placed.back().bottom);
        cellX += widths[c] + kCellSpacing;
      }
      // Every cell of a row is as high as the row.
      cellX = cellsLeft;
      for (std::size_t c = 0; c < placed.size(); ++c) {
        const PageRect rect = {cellX, cur, cellX + widths[c], bottom};
        Patch(placed[c].fill, rect);
        Patch(placed[c].frame, rect);
        cellX += widths[c] + kCellSpacing;
      }
      Patch(rowFill, {cellsLeft, cur, cellX - kCellSpacing, bottom});
      cur = bottom + kCellSpacing;
    }
    const int end = cur + t.padding[2] + t.borderWidth;
    const int right = left + inner + 2 * t.borderWidth + t.padding[1] + t.padding[3];
    Patch(fill, {left, y, right, end});
    Patch(frame, {left, y, right, end});
    return end;
  }

  const PageModel& page_;
  int viewWidth_, viewHeight_;
  PageMeasure& m_;
  std::vector<PagePaint>& out_;
  PageRect containing_;
  std::vector<std::optional<Widths>> measured_;
};

}  // namespace

PageLayout LayoutPage(const PageModel& page, int width, int height, PageMeasure& measure) {
  PageLayout layout;
  if (page.blocks.empty() || width <= 0 || height <= 0) return layout;
  Layouter l(page, std::max(width, 0), std::max(height, 0), measure, layout.paints);
  layout.height = l.Body();
  return layout;
}

}  // namespace pikko
