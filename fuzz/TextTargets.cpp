// The text conversions of the disc's files: the INI reader with its name
// listings, the integer conversion, the colour values and line breaks of
// the menu file, and the path normalisation.
#include <charconv>
#include <climits>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>

#include "app/MenuConfig.h"
#include "env/Miscfunctions.h"
#include "env/Text.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTargets.h"
#include "platform/IniReader.h"
#include "platform/fakes/FakePorts.h"

namespace pikko::fuzz {
namespace {

// A default no disc file holds, so that a default answer shows.
constexpr char kMarker[] = "\x01marker";

// The integer convention written out once more, independently: leading
// blanks, then "$", "x", "X", "0x", "0X" and at most 32 bits of hexadecimal
// digits, or an optional sign and a decimal number within int.
std::optional<int> ReferenceInteger(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  if (t.empty()) return std::nullopt;
  int base = 10;
  if (t[0] == '$' || t[0] == 'x' || t[0] == 'X') {
    t.remove_prefix(1);
    base = 16;
  } else if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    t.remove_prefix(2);
    base = 16;
  }
  bool negative = false;
  if (base == 10 && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (t.empty()) return std::nullopt;
  unsigned long long value = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value, base);
  if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  if (base == 16) {
    if (value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<int>(static_cast<unsigned>(value));
  }
  if (value > (negative ? 2147483648ull : 2147483647ull)) return std::nullopt;
  return static_cast<int>(negative ? -static_cast<long long>(value)
                                   : static_cast<long long>(value));
}

// NormalizePath over paths of plain names, "." and "..": a stack of
// folders, where a parent step with no folder left gives nothing.
std::string ReferencePath(const std::vector<std::string>& steps, bool trailing) {
  std::vector<std::string> stack;
  for (const std::string& s : steps) {
    if (s == ".") continue;
    if (s == "..") {
      if (stack.empty()) return {};
      stack.pop_back();
      continue;
    }
    stack.push_back(s);
  }
  std::string path = "D:";
  for (const std::string& s : stack) path += "\\" + s;
  return trailing ? path + "\\" : path;
}

}  // namespace

void FuzzIniReader(const std::uint8_t* data, std::size_t size) {
  const std::string text = AsText(data, size);
  const IniDocument doc = IniDocument::Parse(text);
  std::vector<std::string> sections = doc.SectionNames();
  for (const std::string& s : sections) Expect(!s.empty(), "a listed section has a name");
  sections.push_back("");  // the part above the first header
  int asked = 0;
  for (std::size_t i = 0; i < sections.size() && i < 48; ++i) {
    const std::string& s = sections[i];
    const std::vector<std::string> keys = doc.KeyNames(s);
    for (std::size_t j = 0; j < keys.size() && j < 48; ++j) {
      const std::string& k = keys[j];
      Expect(k.empty() || k.front() != ';', "comment lines are not listed");
      const std::string value = doc.ReadString(s, k, kMarker);
      Expect(value.size() < kIniValueRoom, "a value fits the room");
      Expect(doc.ReadString(UpperCase(s), LowerCase(k), kMarker) == value,
             "names compare without regard to case");
      Expect(doc.ReadString(" " + s + "\t", "\t" + k + " ", kMarker) == value,
             "the names asked for are trimmed");
      if (++asked <= 6)
        Expect(ReadIniFromText(text, true, s, k, kMarker) == value,
               "the text reader answers as the document");
    }
  }
  Expect(doc.ReadString("\x02no such section", "key", "def   ") == "def",
         "a missing section gives the default without its trailing blanks");
  Expect(ReadIniFromText(text, false, "a", "b", "x  ") == "x", "a missing file gives the default");

  // The same file through the fake file system, as the tests read discs.
  fakes::FakeFileSystem files;
  files.AddFile("D:\\Disc.ini", text);
  sections.pop_back();
  Expect(files.SectionNames("d:\\DISC.INI") == sections, "the port lists the document's sections");
  if (!sections.empty())
    Expect(files.KeyNames("D:\\Disc.ini", sections.front()) == doc.KeyNames(sections.front()),
           "the port lists the document's keys");
}

void FuzzStrToInt(const std::uint8_t* data, std::size_t size) {
  const std::string text = AsText(data, size);
  const int a = StrToIntDef(text, 12345), b = StrToIntDef(text, -12345);
  const std::optional<int> expected = ReferenceInteger(text);
  if (expected) {
    Expect(a == *expected && b == *expected, "a number converts to its value");
  } else {
    Expect(a == 12345 && b == -12345, "anything else gives the default");
  }
}

void FuzzParseRgb(const std::uint8_t* data, std::size_t size) {
  const std::string text = AsText(data, size);
  const int rgb = ParseRgb(text);
  if (text.empty()) Expect(rgb == -1, "an empty value is -1");

  // Every "@@" is a line feed: writing each line feed back as "@@" gives
  // the same text from the input and the output.
  const std::string expanded = ExpandLineBreaks(text);
  Expect(expanded.find("@@") == std::string::npos, "no \"@@\" is left");
  Expect(ReplaceAll(expanded, "\n", "@@") == ReplaceAll(text, "\n", "@@"),
         "only \"@@\" pairs become line feeds");

  // Three components as disc authors write them convert to their colour.
  ByteReader in(data, size);
  const unsigned r = in.U8(), g = in.U8(), b = in.U8();
  const std::string red = std::to_string(r), green = std::to_string(g), blue = std::to_string(b);
  const TColor colour = MakeColour(r, g, b);
  char greenHex[8];
  std::snprintf(greenHex, sizeof greenHex, "$%X", g);
  for (const std::string& written :
       {red + "," + green + "," + blue, " " + red + " , " + green + "\t,\t" + blue + " ",
        "\"" + red + "\"," + greenHex + "," + blue, red + " " + green + " " + blue}) {
    Expect(ParseRgb(written) == static_cast<int>(colour), "R,G,B converts to its colour");
  }
  Expect(ParseRgb(red + "," + green) == -2, "two items are not a colour");
  Expect(ParseRgb(red + ",green," + blue) == -3, "a word is not a component");
}

void FuzzNormalizePath(const std::uint8_t* data, std::size_t size) {
  const std::string text = AsText(data, size);
  const std::string normal = NormalizePath(text);
  Expect(normal.size() <= text.size(), "normalising never lengthens a path");
  Expect(normal.find("\\..") == std::string::npos, "no parent step is left");

  // Paths of plain names and steps, against the stack of folders.
  static const char* const kSteps[] = {"a", "bc", "d e", "f.g", ".", ".."};
  ByteReader in(data, size);
  const std::uint8_t shape = in.U8();
  std::vector<std::string> steps;
  for (int i = 0; i < (shape & 15); ++i) steps.push_back(kSteps[in.U8() % 6]);
  const bool trailing = (shape & 0x10) != 0;
  std::string path = "D:";
  for (const std::string& s : steps) path += "\\" + s;
  if (trailing) path += "\\";
  Expect(NormalizePath(path) == ReferencePath(steps, trailing), "steps resolve as folders do");
}

}  // namespace pikko::fuzz
