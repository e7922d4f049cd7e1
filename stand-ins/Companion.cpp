#include "stand-ins/Companion.h"

#include <set>

#include "app/MenuConfig.h"
#include "env/PlatformTags.h"
#include "env/Text.h"
#include "platform/Ports.h"

namespace pikko::companion {
namespace {

constexpr char kItems[] = "SETUP_ITEM";
constexpr const char* kOwnSections[] = {"PLATFORM", "DMI_Info", "OS_Language_Tag"};

bool Match(const char* p, const char* t) {
  // Iterative glob with one backtrack point: linear in practice, never recursive.
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*t) {
    if (*p == '*') {
      star = p++;
      resume = t;
    } else if (*p && AsciiLower(*p) == AsciiLower(*t)) {
      ++p;
      ++t;
    } else if (star) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == '\0';
}

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = list.find(',', from);
    std::string part = Trim(list.substr(from, comma == std::string::npos ? std::string::npos
                                                                          : comma - from));
    if (!part.empty()) parts.push_back(std::move(part));
    if (comma == std::string::npos) return parts;
    from = comma + 1;
  }
}

// "(12)Title" gives 12 and "Title"; anything else gives 0.
int ItemNumberOf(const std::string& key, std::string& suffix) {
  if (key.size() < 3 || key[0] != '(' || key[1] == '0') return 0;
  long long n = 0;
  std::size_t i = 1;
  for (; i < key.size() && key[i] >= '0' && key[i] <= '9' && i < 11; ++i) n = n * 10 + (key[i] - '0');
  if (i == 1 || i >= key.size() || key[i] != ')' || n > 0x7FFFFFFF) return 0;
  suffix = key.substr(i + 1);
  return static_cast<int>(n);
}

bool IsFilterKey(const std::string& suffix) {
  for (const char* k : kFilterKeys)
    if (SameText(suffix, k)) return true;
  return false;
}

// A value that the reader would change (blanks around it, a pair of
// enclosing quotes) is written in quotes, so that it reads back as it is.
std::string Written(const std::string& value) {
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (quoted || Trim(value) != value) return "\"" + value + "\"";
  return value;
}

}  // namespace

bool PatternMatches(const std::string& pattern, const std::string& text) {
  return Match(pattern.c_str(), text.c_str());
}

bool ListAdmits(const std::string& list, const std::string& value) {
  bool positive = false, matched = false;
  for (const std::string& p : SplitList(list)) {
    if (p[0] == '!') {
      if (PatternMatches(p.substr(1), value)) return false;
    } else {
      positive = true;
      matched = matched || PatternMatches(p, value);
    }
  }
  return !positive || matched;
}

std::string CpuMakerName(const std::string& manufacturer) {
  std::string m = Trim(manufacturer);
  const std::string lower = LowerCase(m);
  if (lower.find("intel") != std::string::npos) return "Intel";
  if (lower.find("amd") != std::string::npos || lower.find("advanced micro") != std::string::npos)
    return "AMD";
  return m;
}

void FactsFromSmbios(const SmbiosTable& table, SystemFacts& facts) {
  facts.board.clear();
  facts.cpuMaker.clear();
  for (const SmbiosBoard& b : table.boards) {
    if (b.product && !Trim(*b.product).empty()) {
      facts.board = Trim(*b.product);
      break;
    }
  }
  if (facts.board.empty()) {
    for (const SmbiosSystem& s : table.systems) {
      if (s.productName && !Trim(*s.productName).empty()) {
        facts.board = Trim(*s.productName);
        break;
      }
    }
  }
  for (const SmbiosProcessor& p : table.processors) {
    if (p.populated == false) continue;
    if (p.manufacturer && !Trim(*p.manufacturer).empty()) {
      facts.cpuMaker = CpuMakerName(*p.manufacturer);
      break;
    }
  }
}

std::string LanguageTagFor(const std::string& masterList, const std::string& languageCode) {
  std::string tag = LookUpLanguageTag(masterList, languageCode, "English");
  StripComment(tag);
  tag = Trim(tag);
  return tag.empty() ? "English" : tag;
}

bool ItemSuits(const std::string& masterList, int n, const SystemFacts& facts,
               const std::string& language) {
  auto admits = [&](const char* key, const std::string& value) {
    return ListAdmits(Ini().ReadString(masterList, kItems, ItemKey(n, key), ""), value);
  };
  // Every key is read, so that a checker sees them all read.
  const bool platform = admits("Platforms", facts.platformTag);
  const bool lang = admits("Languages", language);
  const bool board = admits("Boards", facts.board);
  const bool cpu = admits("CpuMakers", facts.cpuMaker);
  return platform && lang && board && cpu;
}

MenuFile BuildMenuFile(const std::string& masterList, const SystemFacts& facts) {
  MenuFile out;
  out.language = LanguageTagFor(masterList, facts.languageCode);
  const char* eol = "\r\n";
  std::string& t = out.text;
  t += std::string("[PLATFORM]") + eol + "Specified OS=" + facts.platformTag + "," + out.language +
       eol + eol;
  t += std::string("[DMI_Info]") + eol + "MB_PRODUCTNAME=" + Written(facts.board) + eol +
       "CPU_MANUFACTURER=" + Written(facts.cpuMaker) + eol + eol;

  const int count =
      StrToIntDef(Ini().ReadString(masterList, kItems, "ItemNumber", ""), 0);
  std::vector<int> renumbered(count > 0 ? static_cast<std::size_t>(count) + 1 : 1, 0);
  for (int n = 1; n <= count && n <= 100000; ++n) {
    if (!ItemSuits(masterList, n, facts, out.language)) continue;
    out.sourceNumbers.push_back(n);
    renumbered[static_cast<std::size_t>(n)] = static_cast<int>(out.sourceNumbers.size());
  }

  std::set<std::string> sectionsDone;
  for (const std::string& section : Ini().SectionNames(masterList)) {
    if (!sectionsDone.insert(LowerCase(section)).second) continue;  // the first one wins
    bool own = false;
    for (const char* s : kOwnSections) own = own || SameText(section, s);
    if (own) continue;
    const bool items = SameText(section, kItems);
    t += "[" + section + "]" + eol;
    std::set<std::string> keysDone;
    for (const std::string& key : Ini().KeyNames(masterList, section)) {
      if (key.empty() || !keysDone.insert(LowerCase(key)).second) continue;
      const std::string value = Ini().ReadString(masterList, section, key, "");
      if (!items) {
        t += key + "=" + Written(value) + eol;
        continue;
      }
      std::string suffix;
      const int n = ItemNumberOf(key, suffix);
      if (n == 0) {
        if (SameText(key, "ItemNumber")) {
          t += "ItemNumber=" + std::to_string(out.sourceNumbers.size()) + eol;
        } else {
          t += key + "=" + Written(value) + eol;
        }
        continue;
      }
      // Items beyond the count, and the companion's own keys, stay behind.
      if (n > count || IsFilterKey(suffix) || renumbered[static_cast<std::size_t>(n)] == 0)
        continue;
      t += ItemKey(renumbered[static_cast<std::size_t>(n)], suffix.c_str()) + "=" +
           Written(value) + eol;
    }
    t += eol;
  }
  return out;
}

}  // namespace pikko::companion
