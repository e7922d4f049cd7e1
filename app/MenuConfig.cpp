#include "app/MenuConfig.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>

#include "env/Miscfunctions.h"
#include "env/Text.h"
#include "platform/IniSnapshot.h"

namespace pikko {

namespace {

bool IsCommaTextBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= ' ';
}

// A double-quoted item: a doubled quote inside stands for one quote. An
// unterminated quote takes the rest of the text, so that a forgotten closing
// quote never eats a digit.
std::string TakeQuoted(const std::string& text, std::size_t& p) {
  std::string item;
  ++p;  // the opening quote
  while (p < text.size()) {
    if (text[p] == '"') {
      if (p + 1 < text.size() && text[p + 1] == '"') {
        item += '"';
        p += 2;
        continue;
      }
      ++p;  // the closing quote
      return item;
    }
    item += text[p++];
  }
  return item;
}

// Splits a comma list as the disc's colour values are written: commas and
// blanks (every character 1..32) both separate items, and a double-quoted item
// may hold blanks and commas. Blanks around a comma belong to it. Two commas
// with nothing (or only blanks) between them enclose an empty item, and a
// comma at the very end adds an empty item: "1,,2" and "1,2," are three items
// each, one of them empty. Leading and trailing blanks make no item.
std::vector<std::string> SplitCommaText(const std::string& text) {
  std::vector<std::string> items;
  std::size_t p = 0;
  const std::size_t n = text.size();
  auto skipBlanks = [&] {
    while (p < n && IsCommaTextBlank(text[p])) ++p;
  };
  skipBlanks();
  while (p < n) {
    if (text[p] == '"') {
      items.push_back(TakeQuoted(text, p));
    } else {
      const std::size_t start = p;
      while (p < n && !IsCommaTextBlank(text[p]) && text[p] != ',') ++p;
      items.push_back(text.substr(start, p - start));
    }
    skipBlanks();
    if (p < n && text[p] == ',') {
      ++p;
      if (p == n) items.emplace_back();
      skipBlanks();
    }
  }
  return items;
}

// Reading one file, with the disc's integer convention.
class ConfigFile {
 public:
  explicit ConfigFile(std::string path) : path_(std::move(path)) {}

  std::string Text(const char* section, const std::string& key, const std::string& def) const {
    return Ini().ReadString(path_, section, key, def);
  }
  int Integer(const char* section, const std::string& key, int def) const {
    return StrToIntDef(Text(section, key, std::string()), def);
  }
  std::vector<std::string> Keys(const char* section) const {
    return Ini().KeyNames(path_, section);
  }
  // A key that is present, even with an empty value.
  bool Has(const char* section, const std::string& key) const {
    return !Text(section, key, std::string()).empty() || Text(section, key, "-").empty();
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class Loader {
 public:
  Loader(const std::string& path, WindowHandle owner, const MenuConfigSeams& seams,
         MenuModel& model, MenuColours& colours)
      : file_(path), owner_(owner), seams_(seams), model_(model), colours_(colours) {}

  bool Run(const std::string& path, const std::string& programFolder);

 private:
  void Show(const std::string& text, unsigned icon) const {
    Messages().Show(owner_, text, kMenuMessageCaption, mb::Ok | icon);
  }
  void ReadLanguage();
  bool ReadTabs();
  void ReadSideButtons();
  void ReadColour(const char* key, TColor& target);
  void ReadColour(const char* key, std::optional<TColor>& target);
  std::optional<TColor> ParseColourKey(const char* key);
  bool ScanItems();
  void ReadItemDetails();

  ConfigFile file_;
  WindowHandle owner_;
  const MenuConfigSeams& seams_;
  MenuModel& model_;
  MenuColours& colours_;
};

void Loader::ReadLanguage() {
  // "Specified OS" is the platform tag, a comma and the language.
  model_.Language = "English";
  const std::string os = file_.Text("PLATFORM", "Specified OS", "-");
  const std::size_t comma = os.find(',');
  if (comma == std::string::npos) return;
  const std::string language = Trim(std::string_view(os).substr(comma + 1));
  // "WNT_6.1P_64," names no language: the menu stays in English.
  if (!language.empty()) model_.Language = language;
}

bool Loader::ReadTabs() {
  int count = file_.Integer("TABS_INFO", "NUM", 0);
  if (count <= 0) {
    // Without a positive number of tabs there is no menu to show.
    Show("Wrong NUM in TABS_INFO!", mb::IconError);
    return false;
  }
  // The tab bar has six places. Tabs beyond them cannot be shown; their items
  // are then reported one by one as naming a tab that does not exist.
  count = std::min(count, kMaxTabs);
  model_.TabCount = count;
  model_.NoContact = file_.Text("TABS_INFO", "NOCONTACT", "0") == "1";
  model_.Tabs.assign(static_cast<std::size_t>(count), MenuTab{});
  for (int t = 0; t < count; ++t) {
    std::string caption = file_.Text("TABS_INFO", "TAB" + std::to_string(t), "NoTabName");
    if (caption.empty()) caption = "NoTabName";
    model_.TabCaptionWraps[static_cast<std::size_t>(t)] =
        seams_.measureTabCaption && seams_.measureTabCaption(caption) > kTabCaptionWidth;
    model_.Tabs[static_cast<std::size_t>(t)].Caption = std::move(caption);
  }
  model_.NoItemText = file_.Text("TABS_INFO", "NoItem", "There is no item.");
  return true;
}

void Loader::ReadSideButtons() {
  // Present buttons close up to the left over the places of absent ones.
  int shift = 0;
  for (int j = 0; j < kSideButtons; ++j) {
    const auto i = static_cast<std::size_t>(j);
    const std::string text = file_.Text("BUTTONS", "Button" + std::to_string(j), "-");
    if (text == "-") {
      model_.ButtonShown[i] = false;
      model_.ButtonShift[i] = 0;
      shift += kSideButtonWidth + kSideButtonGap;
    } else {
      model_.ButtonShown[i] = true;
      model_.ButtonTexts[i] = text;
      model_.ButtonShift[i] = shift;
    }
  }
}

std::optional<TColor> Loader::ParseColourKey(const char* key) {
  const std::string text = file_.Text("COLORS", key, std::string());
  const int rgb = ParseRgb(text);
  if (rgb >= 0) return static_cast<TColor>(rgb);
  if (rgb < -1) Show("Incorrect RGB value in [COLORS]: " + text, mb::IconWarning);
  return std::nullopt;  // an empty value keeps the colour without a word
}

void Loader::ReadColour(const char* key, TColor& target) {
  if (const auto colour = ParseColourKey(key)) target = *colour;
}

void Loader::ReadColour(const char* key, std::optional<TColor>& target) {
  if (const auto colour = ParseColourKey(key)) target = colour;
}

// The item number of a [SETUP_ITEM] key as ItemKey writes it ("(12)Title"
// is 12), or 0 for any other key.
int ItemNumberOfKey(const std::string& key) {
  std::string_view rest;
  const std::optional<int> n = NumberAfterPrefix(key, "(", &rest);
  return n && !rest.empty() && rest[0] == ')' ? *n : 0;
}

bool Loader::ScanItems() {
  // Only numbers with keys of their own can be items: one without any is
  // left out quietly below anyway. Listing the keys once keeps an
  // "ItemNumber" far beyond the file's items from asking for every number.
  std::vector<int> numbers;
  for (const std::string& key : file_.Keys("SETUP_ITEM")) {
    const int n = ItemNumberOfKey(key);
    if (n >= 1 && n <= model_.ItemNumber) numbers.push_back(n);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  for (const int n : numbers) {
    if (file_.Text("SETUP_ITEM", ItemKey(n, "IsZekaFullkit"), std::string()) == "1") {
      // The batch-install item of a tab. Its tab must exist: a batch-install
      // item without one means the companion program wrote a broken file.
      const std::string key = ItemKey(n, "Tab");
      const int tab = file_.Integer("SETUP_ITEM", key, -1);
      if (tab < 0 || tab >= model_.TabCount) {
        Show("Incorrect value: " + key, mb::IconError);
        return false;
      }
      model_.Tabs[static_cast<std::size_t>(tab)].FullkitItem = n;  // a later one wins
      continue;
    }
    if (file_.Text("SETUP_ITEM", ItemKey(n, "HideInAutorun"), "0") == "1") continue;
    if (file_.Integer("SETUP_ITEM", ItemKey(n, "Demoshield_Item"), 0) != 0) continue;
    const std::string key = ItemKey(n, "Tab");
    const int tab = file_.Integer("SETUP_ITEM", key, -1);
    if (tab == -2 || tab >= model_.TabCount) {
      Show("Incorrect value of " + key, mb::IconWarning);
    } else if (tab >= 0) {
      model_.Tabs[static_cast<std::size_t>(tab)].Items.push_back(SetupItem{n, {}, {}, {}, {}});
    }
    // Any other negative tab (-1: no (n)Tab at all) leaves the item out quietly.
  }
  return true;
}

void Loader::ReadItemDetails() {
  for (MenuTab& tab : model_.Tabs) {
    for (SetupItem& item : tab.Items) {
      const int n = item.Number;
      item.Title = file_.Text("SETUP_ITEM", ItemKey(n, "Title"), "No Title");
      item.Description =
          ExpandLineBreaks(file_.Text("SETUP_ITEM", ItemKey(n, "Description"), "No Description"));
      item.AdPage = file_.Text("SETUP_ITEM", ItemKey(n, "AD"), std::string());
      const std::string path = file_.Text("SETUP_ITEM", ItemKey(n, "Path"), std::string());
      // The item's path is also its manual key; an empty key names no manual.
      const bool manual = !path.empty() && seams_.hasManual && seams_.hasManual(path);
      item.ManualPath = manual ? path : std::string();
    }
  }
}

bool Loader::Run(const std::string& path, const std::string& programFolder) {
  model_ = MenuModel{};
  if (!Files().FileExists(path)) {
    Show(path + " not found...", mb::IconError);
    return false;
  }
  ReadLanguage();

  model_.ProductName = file_.Text("DMI_Info", "MB_PRODUCTNAME", std::string());
  model_.CpuMaker = file_.Text("DMI_Info", "CPU_MANUFACTURER", std::string());
  model_.ExceptionModel = !model_.ProductName.empty() && !model_.CpuMaker.empty() &&
                          seams_.isExceptionModel &&
                          seams_.isExceptionModel(model_.ProductName, model_.CpuMaker);

  if (!ReadTabs()) return false;
  ReadSideButtons();

  ReadColour("TitleMouseUp", colours_.ItemColorUp);
  ReadColour("TitleMouseMove", colours_.ItemColorMove);
  ReadColour("TitleMouseDown", colours_.ItemColorDown);
  ReadColour("Description", colours_.Description);
  ReadColour("WindowCaption", colours_.WindowCaption);
  ReadColour("TabUp", colours_.TabColorUp);
  ReadColour("TabDown", colours_.TabColorDown);

  const std::string fontName = file_.Text("SETUP_ITEM", "FontName", "NoFontName");
  // An empty name would give the rows the system's fallback font: keep theirs.
  if (fontName != "NoFontName") model_.FontName = fontName;
  model_.FontSize = file_.Integer("SETUP_ITEM", "FontSize", -1);

  model_.HasCdTitle = file_.Has("SETUP_ITEM", "CD_Title");
  model_.CdTitle = file_.Text("SETUP_ITEM", "CD_Title", std::string());
  model_.CdDescription =
      ExpandLineBreaks(file_.Text("SETUP_ITEM", "CD_Description", std::string()));

  model_.ItemNumber = file_.Integer("SETUP_ITEM", "ItemNumber", 0);
  if (model_.ItemNumber <= 0) {
    // A negative count lists nothing either.
    Show("No items supporting this Operating System", mb::IconInformation);
    return false;
  }
  model_.SupportFullkit = file_.Integer("SETUP_ITEM", "Support Fullkit", 0) != 0;

  if (!ScanItems()) return false;

  const std::string disc = DiscFolder(programFolder);
  const std::string manualSettings = disc + "BIN\\ManualSetting.ini";
  if (seams_.openManuals) seams_.openManuals(disc, manualSettings);
  // Every item with a path asks the manual settings whether it has a
  // manual: the file is read once for all of them, not once an item.
  ScopedIniSnapshot manuals(manualSettings);
  ReadItemDetails();
  return true;
}

}  // namespace

std::string MenuConfigPath(bool debugMode, const std::string& programFolder) {
  if (debugMode) {
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder + "zkcd_dbg.ini";
  }
  const std::string windows = Folders().WindowsDirectory(255);
  // A drive root (C:\) already ends in its backslash.
  return windows.size() == 3 ? windows + "Zkcd_tmp.ini" : windows + "\\Zkcd_tmp.ini";
}

bool LoadMenuConfiguration(const std::string& path, const std::string& programFolder,
                           WindowHandle owner, const MenuConfigSeams& seams, MenuModel& model,
                           MenuColours& colours) {
  return Loader(path, owner, seams, model, colours).Run(path, programFolder);
}

std::string DiscFolder(const std::string& programFolder) {
  std::string folder = programFolder;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  const std::string parent = NormalizePath(folder + "..\\");
  // "D:\" + "..\" leaves nothing: the program sits at the root of the disc.
  return parent.empty() ? folder : parent;
}

int ParseRgb(const std::string& text) {
  if (text.empty()) return -1;
  const std::vector<std::string> items = SplitCommaText(text);
  if (items.size() != 3) return -2;
  // Components are not range-checked: disc files have always been read so
  // ("-1,0,0" adds up to -1 and is taken for an empty value, 256 carries into
  // green). Only an item that does not convert at all is wrong.
  std::int64_t sum = 0;
  std::int64_t weight = 1;
  for (const std::string& item : items) {
    const int component = StrToIntDef(item, -1);
    if (component == -1 && StrToIntDef(item, 0) == 0) return -3;
    sum += component * weight;
    weight *= 256;
  }
  // A sum beyond 32 bits wraps, as a colour value always did.
  return static_cast<int>(static_cast<std::uint32_t>(sum));
}

std::string ExpandLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '@' && i + 1 < text.size() && text[i + 1] == '@') {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string ItemKey(int n, const char* suffix) { return "(" + std::to_string(n) + ")" + suffix; }

}  // namespace pikko
