#include "env/Text.h"

#include <cstdint>
#include <iterator>

namespace pikko {

static char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

bool StartsWithText(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

bool EndsWithText(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

static bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trim(std::string_view s) {
  while (!s.empty() && IsBlankOrControl(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankOrControl(s.back())) s.remove_suffix(1);
  return std::string(s);
}

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to) {
  if (from.empty()) return s;
  std::size_t pos = 0;
  while ((pos = s.find(from, pos)) != std::string::npos) {
    s.replace(pos, from.size(), to);
    pos += to.size();
  }
  return s;
}

bool IsLeadByte(unsigned codePage, char byte) {
  const auto b = static_cast<unsigned char>(byte);
  switch (codePage) {
    case 932:
      return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950:
      return b >= 0x81 && b <= 0xFE;
    default:
      return false;
  }
}

// The position of the last byte of cuts that is a character of its own.
static std::size_t LastCut(std::string_view path, unsigned codePage, std::string_view cuts) {
  std::size_t cut = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsLeadByte(codePage, path[i]) && i + 1 < path.size())
      ++i;  // the trail byte is part of this character
    else if (cuts.find(path[i]) != std::string_view::npos)
      cut = i;
  }
  return cut;
}

std::size_t LastBackslash(std::string_view path, unsigned codePage) {
  return LastCut(path, codePage, "\\");
}

std::string ExtractFileName(std::string_view path, unsigned codePage) {
  const std::size_t cut = LastCut(path, codePage, "\\/:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string ExtractFilePath(std::string_view path, unsigned codePage) {
  const std::size_t cut = LastCut(path, codePage, "\\/:");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

// Code page 0 has no lead bytes: every byte is a character.
std::string ExtractFileName(std::string_view path) { return ExtractFileName(path, 0); }
std::string ExtractFilePath(std::string_view path) { return ExtractFilePath(path, 0); }

static int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int StrToIntDef(std::string_view text, int def) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  text.remove_prefix(i);
  if (text.empty()) return def;

  std::size_t hexStart = 0;
  if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
    hexStart = 1;
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hexStart = 2;
  }
  if (hexStart != 0) {
    // Hexadecimal: up to 32 bits, read as a signed value ($FFFFFFFF is -1).
    std::string_view digits = text.substr(hexStart);
    if (digits.empty()) return def;
    std::uint64_t value = 0;
    for (char c : digits) {
      const int d = HexDigit(c);
      if (d < 0) return def;
      value = value * 16 + static_cast<unsigned>(d);
      if (value > 0xFFFFFFFFull) return def;
    }
    return static_cast<int>(static_cast<std::uint32_t>(value));
  }

  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return def;
  std::int64_t value = 0;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  for (char c : text) {
    if (c < '0' || c > '9') return def;
    value = value * 10 + (c - '0');
    if (value > limit) return def;
  }
  return static_cast<int>(negative ? -value : value);
}

std::string HexDigits(std::uint64_t value, int minDigits) {
  char digits[16];
  int n = 0;
  do {
    digits[n++] = "0123456789ABCDEF"[value & 0xF];
    value >>= 4;
  } while (value != 0);
  while (n < minDigits && n < 16) digits[n++] = '0';
  return std::string(std::make_reverse_iterator(digits + n), std::make_reverse_iterator(digits));
}

std::optional<int> NumberAfterPrefix(std::string_view name, std::string_view prefix,
                                     std::string_view* rest) {
  if (!StartsWithText(name, prefix)) return std::nullopt;
  name.remove_prefix(prefix.size());
  std::size_t digits = 0;
  while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9') ++digits;
  if (digits == 0 || digits > 10 || (name[0] == '0' && digits > 1)) return std::nullopt;
  if (!rest && digits != name.size()) return std::nullopt;
  std::int64_t value = 0;
  for (std::size_t i = 0; i < digits; ++i) value = value * 10 + (name[i] - '0');
  if (value > 0x7FFFFFFF) return std::nullopt;
  if (rest) *rest = name.substr(digits);
  return static_cast<int>(value);
}

}  // namespace pikko
