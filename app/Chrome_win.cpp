// The window's chrome and skin: the look for the display and the hardware,
// the background that shapes and drags the window, the minimise and close
// images, and the places of the skinned buttons.
#include <stdexcept>

#include "app/Autorun3_win.h"
#include "env/Text.h"
#include "platform/Ports.h"
#include "platform/ScopedWin.h"
#include "toolkit/Application_win.h"
#include "Graphics/PngImage_win.h"

namespace pikko {
namespace {

constexpr const char* kCaption = kMenuMessageCaption;
constexpr TColor kInstallNowTransparent = 0xD16525;

// The minimise and close pictures belong to the program, not the disc: they
// are drawn here, in the three states (up, over, down) and the two depths.
Bitmap DrawChromePicture(int width, int height, bool close, int state, bool sixteen) {
  Bitmap b;
  b.Create(width, height, 24);
  win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
  win::ScopedSelect sel(dc.Get(), b.Handle());
  TColor face = sixteen ? RGB(0, 0, 128) : RGB(24, 52, 96);
  if (state == 1) face = close ? RGB(200, 40, 40) : (sixteen ? RGB(0, 0, 255) : RGB(46, 96, 160));
  if (state == 2) face = close ? RGB(140, 20, 20) : (sixteen ? RGB(0, 0, 0) : RGB(12, 30, 60));
  RECT all{0, 0, width, height};
  win::ScopedGdiObject brush(::CreateSolidBrush(face));
  ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(brush.Get()));
  win::ScopedGdiObject pen(::CreatePen(PS_SOLID, 2, RGB(255, 255, 255)));
  win::ScopedSelect penSel(dc.Get(), pen.Get());
  const int cx = width / 2, cy = height / 2;
  if (close) {
    ::MoveToEx(dc.Get(), cx - 4, cy - 4, nullptr);
    ::LineTo(dc.Get(), cx + 4, cy + 4);
    ::MoveToEx(dc.Get(), cx + 4, cy - 4, nullptr);
    ::LineTo(dc.Get(), cx - 4, cy + 4);
  } else {
    ::MoveToEx(dc.Get(), cx - 5, cy + 4, nullptr);
    ::LineTo(dc.Get(), cx + 5, cy + 4);
  }
  ::GdiFlush();
  return b;
}

// The "Install Now" button's pictures, also the program's own: a rounded
// plate on the button's transparent colour, at rest, pressed and pointed at.
Bitmap DrawInstallNowPicture(int state) {
  constexpr int kWidth = 108, kHeight = 27;
  Bitmap b;
  b.Create(kWidth, kHeight, 24);
  BitmapCanvas canvas(b);
  const HDC dc = canvas.Dc();
  const RECT all{0, 0, kWidth, kHeight};
  win::ScopedGdiObject key(::CreateSolidBrush(kInstallNowTransparent));
  ::FillRect(dc, &all, static_cast<HBRUSH>(key.Get()));
  const TColor faces[] = {RGB(214, 232, 252), RGB(160, 190, 226), RGB(236, 246, 255)};
  win::ScopedGdiObject face(::CreateSolidBrush(faces[state]));
  win::ScopedGdiObject edge(::CreatePen(PS_SOLID, 1, state == 1 ? RGB(0, 0, 128) : RGB(0, 70, 160)));
  win::ScopedSelect b1(dc, face.Get());
  win::ScopedSelect p1(dc, edge.Get());
  ::RoundRect(dc, 0, 0, kWidth, kHeight, 8, 8);
  ::GdiFlush();
  return b;
}

}  // namespace

void TZkAutorunForm::LoadResourcePictures() {
  // The form carries the "Install Now" button's transparent colour and its
  // three pictures; the raised one sizes the button.
  zkbADInstall->SetTransparentColor(kInstallNowTransparent);
  zkbADInstall->Appearance().SetRaisedBmp(DrawInstallNowPicture(0));
  zkbADInstall->Appearance().SetSunkenBmp(DrawInstallNowPicture(1));
  zkbADInstall->Appearance().SetFocusedBmp(DrawInstallNowPicture(2));
}

void TZkAutorunForm::ApplyGamingLook() {
  SkinFolder = ProgramFolder + "GAMING\\";
  ItemColorUp = ItemColorMove = ItemColorDown = TabColorUp = 0xB9B9B9;
  lblTitleBar->SetFontColour(0xB9B9B9);
  GlowColor = 0x000000;
  sExplain->SetTop(sExplain->Top() + 10);
  for (Label* l : {sExplain, lblWaiting, lblWaiting_2}) l->SetFontColour(0x8D8D8D);
}

void TZkAutorunForm::LoadTabImages() {
  // These files are part of every skin: a disc without them is broken.
  auto load = [this](Bitmap& target, const char* name) {
    if (!target.LoadFromFile(SkinFolder + name))
      throw std::runtime_error("Cannot load the skin file " + SkinFolder + name);
  };
  load(imgTitleDown16, "MainTab\\tab01_down.bmp");
  imgTitleDown.CopyFrom(imgTitleDown16);
  load(imgTitleUp16, "MainTab\\tab01_n.bmp");
  load(imgTitleOver, "MainTab\\tab01_up.bmp");
}

bool TZkAutorunForm::ChooseSkin() {
  const bool deep = ColourDepth > 4;
  const std::string background = SkinFolder + (deep ? "pikko256.bmp" : "pikko16.bmp");
  const char* name = deep ? "PIKKO256.bmp" : "PIKKO16.BMP";
  if (!Files().FileExists(background)) {
    Messages().Show(Handle(), std::string(name) + " not found.", kCaption, mb::IconError);
    Application::Instance().Terminate();
    return false;
  }
  if (!Image1->LoadFromFile(background)) {
    // There, but not a bitmap (damaged, or something else by that name).
    Messages().Show(Handle(), std::string(name) + " cannot be read: " + background, kCaption,
                    mb::IconError);
    Application::Instance().Terminate();
    return false;
  }
  // The minimise and close pictures of the chosen depth, up, over, down.
  Bitmap* minimise[] = {&imgMiniUp, &imgMiniOver, &imgMiniDown};
  Bitmap* close[] = {&imgCloseUp, &imgCloseOver, &imgCloseDown};
  for (int state = 0; state < 3; ++state) {
    *minimise[state] = DrawChromePicture(26, 18, false, state, !deep);
    *close[state] = DrawChromePicture(43, 18, true, state, !deep);
  }
  const std::string logo = SkinFolder + (deep ? "logo256.bmp" : "logo16.bmp");
  if (!imgLogo->LoadFromFile(logo)) throw std::runtime_error("Cannot load the skin file " + logo);
  if (deep) {
    CentreOnDesktop();
  } else {
    imgTitleUp.CopyFrom(imgTitleUp16);
    imgTitleDown.CopyFrom(imgTitleDown16);
    TabColorUp = 0x808080;
    TabColorDown = 0x000000;
    SetBounds(0, -20, Width(), Height());
    ItemColorUp = 0x800000;
    ItemColorMove = 0xFFFFFF;
    ItemColorDown = 0x000000;
  }
  return true;
}

void TZkAutorunForm::ShapeWindow() {
  if (!WindowMaker) WindowMaker = std::make_unique<CustomWindowMaker>(*this, *Image1);
  if (WindowMaker->Made() || Image1->Picture().Empty()) return;
  WindowMaker->MakeWindow();
  // The title caption and the logo drag the window too.
  lblTitleBar->OnMouseDown = Image1->OnMouseDown;
  imgLogo->OnMouseDown = Image1->OnMouseDown;
}

void TZkAutorunForm::imgMinimizeMouseMove(Control& sender, ShiftState shift, int, int) {
  const int k = sender.Tag();
  if ((shift & ssLeft) || k == HoverChrome) return;
  imgMinimize->SetPicture(k == 0 ? imgMiniOver : imgMiniUp);
  imgClose->SetPicture(k == 1 ? imgCloseOver : imgCloseUp);
  HoverChrome = k;
}

void TZkAutorunForm::imgMinimizeMouseDown(Control&, MouseButton b, ShiftState, int, int) {
  if (b != MouseButton::Left) return;
  if (HoverChrome == 0) imgMinimize->SetPicture(imgMiniDown);
  if (HoverChrome == 1) imgClose->SetPicture(imgCloseDown);
}

void TZkAutorunForm::imgMinimizeClick(Control&) {
  Application::Instance().Minimize();
  imgMinimize->SetPicture(imgMiniUp);
}

void TZkAutorunForm::imgCloseClick(Control&) { Close(); }

PngFileResult TZkAutorunForm::CompositeButtonPicture(const std::string& file, ZkButtonTx& button,
                                                     int left, int top, int state) {
  PngFileResult read = PngFileResult::Loaded;
  const Bitmap* png = DecodedPicture(ProgramFolder + file, read);
  if (!png) return read;
  Bitmap picture;
  if (!CompositeOver(Image1->Picture(), left, top, *png, picture))
    return PngFileResult::Rejected;
  // The raised picture also gives the button its size.
  ZkFourStateAppearance& looks = button.Appearance();
  if (state == 0) looks.SetRaisedBmp(picture);
  if (state == 1) looks.SetSunkenBmp(picture);
  if (state == 2) looks.SetFocusedBmp(picture);
  return PngFileResult::Loaded;
}

void TZkAutorunForm::ThrowMissingPicture(const std::string& file) const {
  throw std::runtime_error("Cannot load the picture " + ProgramFolder + file);
}

void TZkAutorunForm::QueueButtonPicture(const std::string& file, ZkButtonTx& button, int state,
                                        bool required) {
  // Only the file's presence is asked for now: opening and decoding it waits
  // until the picture is needed.
  if (required && !Files().FileExists(ProgramFolder + file)) ThrowMissingPicture(file);
  queuedPictures_.push_back({file, &button, button.Left(), button.Top(), state, required});
}

void TZkAutorunForm::ComposeQueuedPictures(bool firstPaintOnly) {
  std::vector<QueuedPicture> later;
  for (QueuedPicture& q : queuedPictures_) {
    // The first paint shows a button that is visible, raised.
    if (firstPaintOnly && !(q.state == 0 && q.button->Visible())) {
      later.push_back(std::move(q));
      continue;
    }
    const PngFileResult read = CompositeButtonPicture(q.file, *q.button, q.left, q.top, q.state);
    if (read == PngFileResult::CannotOpen && q.required) ThrowMissingPicture(q.file);
  }
  queuedPictures_ = std::move(later);
  if (queuedPictures_.empty()) decodedPictures_.clear();
}

const Bitmap* TZkAutorunForm::DecodedPicture(const std::string& file, PngFileResult& result) {
  const std::string key = LowerCase(file);
  const auto found = decodedPictures_.find(key);
  result = PngFileResult::Loaded;
  if (found != decodedPictures_.end()) return found->second.get();
  // A picture that cannot be read is tried again next time: it may be back.
  PixelBuffer pixels;
  result = LoadPngFile(file, pixels);
  if (result != PngFileResult::Loaded) return nullptr;
  auto png = std::make_unique<Bitmap>();
  if (!png->CopyFrom(pixels.View())) {
    result = PngFileResult::Rejected;
    return nullptr;
  }
  return decodedPictures_.emplace(key, std::move(png)).first->second.get();
}

void TZkAutorunForm::LoadButtonSkins() {
  // Each button takes its place first, then its pictures are composited from
  // the disc's PNG files over the piece of background behind it. A missing
  // picture leaves the button as it was.
  const std::string prefix = SkinFolder.find("GAMING") != std::string::npos ? "GAMING\\" : "";
  struct Skin {
    ZkButtonTx* button;
    int left, top;
    const char* name;
  };
  const Skin skins[] = {
      {SideButtons[0], SideButtons[0]->Left(), 66, "mb"},
      {SideButtons[1], SideButtons[1]->Left(), 66, "cd"},
      {SideButtons[2], SideButtons[2]->Left(), 66, "report"},
      {SideButtons[3], SideButtons[3]->Left(), 66, "file"},
      {SideButtons[4], SideButtons[4]->Left(), 66, "help"},
      {zkbFullkit, 28, 73, "install"},
      {zkbPrevious, 175, 415, "prev_page"},
      {zkbNext, 28, 415, "next_page"},
  };
  for (const Skin& s : skins) {
    s.button->SetBounds(s.left, s.top, s.button->Width(), s.button->Height());
    const std::string base = prefix + "BtnImages\\MB\\256\\" + s.name;
    QueueButtonPicture(base + "_n.png", *s.button, 0, false);
    QueueButtonPicture(base + "_d.png", *s.button, 1, false);
    QueueButtonPicture(base + "_o.png", *s.button, 2, false);
  }
}

}  // namespace pikko
