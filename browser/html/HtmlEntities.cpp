// Character references, the Western code page and local page addresses.
#include <cstring>

#include "env/Text.h"

#include "browser/html/HtmlText.h"

namespace pikko {
namespace {

// The characters of Windows-1252 at 0x80 .. 0x9F (0 where the code page has none).
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

struct NamedReference {
  const char* name;
  char32_t codePoint;
};
// The references a page of ours is likely to use; others stay as written.
constexpr NamedReference kNames[] = {
    {"amp", '&'},        {"lt", '<'},         {"gt", '>'},          {"quot", '"'},
    {"apos", '\''},      {"nbsp", 0xA0},      {"copy", 0xA9},       {"reg", 0xAE},
    {"trade", 0x2122},   {"hellip", 0x2026},  {"mdash", 0x2014},    {"ndash", 0x2013},
    {"lsquo", 0x2018},   {"rsquo", 0x2019},   {"ldquo", 0x201C},    {"rdquo", 0x201D},
    {"bull", 0x2022},    {"middot", 0xB7},    {"euro", 0x20AC},     {"laquo", 0xAB},
    {"raquo", 0xBB},     {"deg", 0xB0},       {"times", 0xD7},      {"divide", 0xF7},
    {"shy", 0xAD},       {"sect", 0xA7},      {"para", 0xB6},       {"plusmn", 0xB1},
    {"micro", 0xB5},     {"pound", 0xA3},     {"yen", 0xA5},        {"cent", 0xA2},
    {"iexcl", 0xA1},     {"iquest", 0xBF},    {"auml", 0xE4},       {"ouml", 0xF6},
    {"uuml", 0xFC},      {"Auml", 0xC4},      {"Ouml", 0xD6},       {"Uuml", 0xDC},
    {"szlig", 0xDF},     {"eacute", 0xE9},    {"egrave", 0xE8},     {"ecirc", 0xEA},
    {"euml", 0xEB},      {"Eacute", 0xC9},    {"aacute", 0xE1},     {"agrave", 0xE0},
    {"acirc", 0xE2},     {"ccedil", 0xE7},    {"Ccedil", 0xC7},     {"iacute", 0xED},
    {"icirc", 0xEE},     {"iuml", 0xEF},      {"oacute", 0xF3},     {"ocirc", 0xF4},
    {"uacute", 0xFA},    {"ugrave", 0xF9},    {"ucirc", 0xFB},      {"ntilde", 0xF1},
    {"aring", 0xE5},     {"oslash", 0xF8},    {"aelig", 0xE6},      {"oelig", 0x153},
};

// Names that browsers accept without the closing ';'.
bool LegacyName(std::string_view name) {
  return name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "nbsp";
}

bool IsAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A numeric reference's digits after "&#" / "&#x"; nothing past the largest code point.
bool NumericValue(std::string_view digits, int base, char32_t& out) {
  if (digits.empty()) return false;
  unsigned long value = 0;
  for (char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (d < 0) return false;
    value = value * static_cast<unsigned long>(base) + static_cast<unsigned long>(d);
    if (value > 0x10FFFF) value = 0x110000;  // stays too large, never wraps
  }
  out = static_cast<char32_t>(value);
  return true;
}

}  // namespace

std::string EncodeWindows1252(char32_t codePoint) {
  if (codePoint == 0) return {};
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return std::string(1, static_cast<char>(codePoint));
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == codePoint) {
      return std::string(1, static_cast<char>(0x80 + i));
    }
  }
  return {};
}

std::string DecodeEntities(std::string_view text, const CodePointEncoder& encode) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t amp = text.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, amp - i));
    i = amp + 1;
    // The reference's name or digits: at most 32 characters are looked at.
    std::size_t end = i;
    const bool numeric = end < text.size() && text[end] == '#';
    if (numeric) ++end;
    const bool hex = numeric && end < text.size() && (text[end] == 'x' || text[end] == 'X');
    if (hex) ++end;
    const std::size_t nameStart = end;
    while (end < text.size() && end - i < 32 && IsAlnum(text[end])) ++end;
    const std::string_view name = text.substr(nameStart, end - nameStart);
    const bool semicolon = end < text.size() && text[end] == ';';
    char32_t codePoint = 0;
    bool known = false;
    if (numeric) {
      known = NumericValue(name, hex ? 16 : 10, codePoint);
      // Nothing, surrogates and what lies beyond Unicode read as the replacement character.
      if (known && (codePoint == 0 || codePoint > 0x10FFFF ||
                    (codePoint >= 0xD800 && codePoint <= 0xDFFF))) {
        codePoint = 0xFFFD;
      }
      // References to 0x80 .. 0x9F mean the Western code page's characters there.
      if (known && codePoint >= 0x80 && codePoint <= 0x9F && kHighControls[codePoint - 0x80]) {
        codePoint = kHighControls[codePoint - 0x80];
      }
    } else if (semicolon || LegacyName(name)) {
      for (const NamedReference& n : kNames) {
        if (name.size() == std::strlen(n.name) && name == n.name) {
          codePoint = n.codePoint;
          known = true;
          break;
        }
      }
    }
    if (!known) {
      out += '&';
      continue;  // the rest is copied as ordinary text
    }
    i = semicolon ? end + 1 : end;
    if (codePoint == 0xAD) continue;  // a soft hyphen shows nothing here
    std::string encoded = encode ? encode(codePoint) : std::string();
    if (encoded.empty()) encoded = codePoint == 0xA0 ? " " : "?";
    out += encoded;
  }
  return out;
}

std::string LocalPagePath(std::string_view address) {
  std::string text = Trim(address.substr(0, address.find('\0')));
  if (!StartsWithText(text, "file:")) {
    // "C:\\page.htm" and "\\\\server\\page.htm" are paths; "http://x" is not.
    const std::size_t colon = text.find(':');
    const bool scheme = colon != std::string::npos && colon >= 2 &&
                        text.find_first_of("\\/") > colon;
    return scheme ? std::string() : text;
  }
  std::string rest = text.substr(5);
  std::string path;
  if (rest.compare(0, 3, "///") == 0) {
    path = rest.substr(3);  // file:///C:/disc/page.htm
  } else if (rest.compare(0, 2, "//") == 0) {
    rest = rest.substr(2);
    if (StartsWithText(rest, "localhost/")) {
      path = rest.substr(10);
    } else if (rest.size() >= 2 && rest[1] == ':') {
      path = rest;  // file://C:/disc/page.htm
    } else {
      path = "//" + rest;  // a share: file://server/share/page.htm
    }
  } else {
    path = rest;
  }
  path = path.substr(0, path.find_first_of("?#"));
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) {
    int hi = -1, lo = -1;
    if (path[i] == '%' && i + 2 < path.size()) {
      auto hex = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
      };
      hi = hex(path[i + 1]);
      lo = hex(path[i + 2]);
    }
    if (hi >= 0 && lo >= 0 && (hi || lo)) {  // never a NUL that would cut the path
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else {
      out += path[i] == '/' ? '\\' : path[i];
    }
  }
  return out;
}

}  // namespace pikko
