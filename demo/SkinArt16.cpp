// The 16-colour skins: only the VGA colours, flat shapes and one-pixel
// bevels, hard edges (a 16-colour display cannot show soft ones).
#include "demo/SkinArt.h"

namespace pikko::demo {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kMaroon{128, 0, 0};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kTeal{0, 128, 128};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kAqua{0, 255, 255};
constexpr Rgb kWhite{255, 255, 255};

struct Theme16 {
  Rgb title, strip, accent, body;
  Rgb tabFace, tabLight, tabShadow;
  Rgb listFace;  // the item texts are navy on it, white under the mouse
  Rgb descFace, descBorder;
  Rgb wellFace, wellBorder;
  Rgb mark, logoText, logoSubText;
};

const Theme16& ThemeFor(Look look) {
  static const Theme16 normal = {kNavy,  kNavy,  kWhite, kGrey,  kBlack, kSilver, kGrey,  kSilver,
                                 kWhite, kBlack, kNavy,  kBlack, kAqua,  kWhite,  kSilver};
  static const Theme16 gaming = {kBlack, kBlack, kRed,   kBlack,  kBlack, kMaroon, kGrey, kSilver,
                                 kBlack, kGrey,  kBlack, kMaroon, kRed,   kWhite,  kGrey};
  return look == Look::Gaming ? gaming : normal;
}

// A raised panel: light top and left edges, dark bottom and right edges.
void Raised(Image& image, Rect r, Rgb face, Rgb light, Rgb dark) {
  FillRect(image, r, face);
  HLine(image, r.left, r.right, r.top, light);
  VLine(image, r.left, r.top, r.bottom, light);
  HLine(image, r.left, r.right, r.bottom - 1, dark);
  VLine(image, r.right - 1, r.top, r.bottom, dark);
}

// A sunken panel: the same edges the other way round.
void Sunken(Image& image, Rect r, Rgb face, Rgb light, Rgb dark) {
  Raised(image, r, face, dark, light);
}

void PaintTab16Shape(Image& image, int left, int top, const Theme16& t) {
  // A tab with cut top corners: the face, then the bevel along its top and sides.
  const Rect face{left + 2, top + 3, left + kTabWidth - 2, top + kTabHeight};
  FillRect(image, {face.left + 2, face.top, face.right - 2, face.bottom}, t.tabFace);
  FillRect(image, {face.left + 1, face.top + 1, face.right - 1, face.bottom}, t.tabFace);
  FillRect(image, {face.left, face.top + 2, face.right, face.bottom}, t.tabFace);
  HLine(image, face.left + 2, face.right - 2, face.top, t.tabLight);
  image.Set(face.left + 1, face.top + 1, t.tabLight);
  VLine(image, face.left, face.top + 2, face.bottom, t.tabLight);
  image.Set(face.right - 2, face.top + 1, t.tabShadow);
  VLine(image, face.right - 1, face.top + 2, face.bottom, t.tabShadow);
}

}  // namespace

Image PaintTab16(Look look) {
  const Theme16& t = ThemeFor(look);
  Image tab(kTabWidth, kTabHeight, t.strip);
  PaintTab16Shape(tab, 0, 0, t);
  HLine(tab, 0, kTabWidth, kTabHeight - 1, t.accent);
  return tab;
}

Image PaintBackground16(Look look) {
  const Theme16& t = ThemeFor(look);
  const int w = kBackgroundWidth;
  const int h = kBackgroundHeight;
  Image bg(w, h, t.body);

  FillRect(bg, {0, 0, w, kTabTop}, t.title);
  FillRect(bg, {0, kTabTop, w, kContentTop}, t.strip);
  HLine(bg, 0, w, kContentTop - 1, t.accent);

  // The logo: a disc or an emblem and the name.
  const int lx = kLogoLeft;
  const int ly = kLogoTop;
  if (look == Look::Gaming) {
    for (int i = 0; i < 6; ++i) {
      Line(bg, lx + i, ly + 4, lx + 6, ly + 10 - i, t.mark);
      Line(bg, lx + 12 - i, ly + 4, lx + 6, ly + 10 - i, t.mark);
    }
    DrawText(bg, lx + 16, ly + 6, "PIKKO", t.logoText);
  } else {
    for (int i = 0; i < 3; ++i) {
      const int at = 5 + 4 * i;
      HLine(bg, lx, lx + 20, ly + at, t.logoSubText);
      VLine(bg, lx + at, ly, ly + 20, t.logoSubText);
    }
    FillRect(bg, {lx + 3, ly + 3, lx + 17, ly + 17}, t.mark);
    FillRect(bg, {lx + 7, ly + 7, lx + 13, ly + 13}, kNavy);
    DrawText(bg, lx + 24, ly + 2, "PIKKO", t.logoText);
    DrawText(bg, lx + 25, ly + 2, "PIKKO", t.logoText);
    DrawText(bg, lx + 24, ly + 11, "SUPPORT", t.logoSubText);
  }

  Sunken(bg, kListPanel, t.listFace, kWhite, kBlack);
  HLine(bg, kListPanel.left + 1, kListPanel.right - 1, 412, kGrey);
  Sunken(bg, kSideButtonStrip, t.wellFace, t.wellBorder, t.wellBorder);
  FillRect(bg,
           {kDescriptionPanel.left + 3, kDescriptionPanel.top + 3, kDescriptionPanel.right + 3,
            kDescriptionPanel.bottom + 3},
           kBlack);
  FillRect(bg, kDescriptionPanel, t.descFace);
  Sunken(bg, kDescriptionPanel, t.descFace, t.descBorder, t.descBorder);

  // The outer frame: a one-pixel teal or maroon line inside a black one,
  // following the rounded outline.
  const Rgb frame = look == Look::Gaming ? kMaroon : kTeal;
  const Rect outer{0, 0, w, h};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      auto inside = [x, y](Rect r, int radius) {
        return RoundRectCoverage(r, Corners::All(radius), x, y) >= 0.5;
      };
      if (x > kCornerRadius + 2 && x < w - kCornerRadius - 3 && y > 2 && y < h - 3) continue;
      if (!inside(outer.Inset(1), kCornerRadius - 1)) {
        bg.Set(x, y, kBlack);
      } else if (!inside(outer.Inset(2), kCornerRadius - 2)) {
        bg.Set(x, y, frame);
      }
    }
  }
  // The round corners are cut without soft edges; whatever the circles and
  // lines mixed, the file keeps only VGA colours.
  bg = QuantizeToVga(bg);
  ApplyWindowOutline(bg, kBlack, false, {128, 0, 128});
  return bg;
}

}  // namespace pikko::demo
