// The two optional libraries of the disc that adapt the menu at run time:
// the translation library, which turns the menu's English texts into the
// user's language and names the folder of that language, and the ACPI access
// library, whose device status 2 asks for the gaming look. Without them the
// menu runs in English and in its normal look; nothing here shows a message.
//
// The entry-point types below are the libraries' binary interface; the
// stand-in libraries of the demo disc are checked against them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/CallingConvention.h"

namespace pikko {

// One UTF-16 code unit. On Windows that is wchar_t, which the libraries take;
// the host build has char16_t of the same size.
#if defined(_WIN32)
using Utf16Char = wchar_t;
#else
using Utf16Char = char16_t;
#endif
static_assert(sizeof(Utf16Char) == 2, "the probe's method name is UTF-16");

inline constexpr char kTranslationLibrary[] = "ZkMultiLang.dll";
inline constexpr char kAcpiLibrary[] = "zkwmiacpi.dll";

// "ZkTranslateStr": a text in the system code page in, its translation out
// (owned by the library), or null.
using ZkTranslateStrProc = const char*(PIKKO_STDCALL*)(const char* text);
// "ZkGetLangPathName": the folder of the current language, or null.
using ZkGetLangPathNameProc = const char*(PIKKO_STDCALL*)();
// "ZkWMI_Open": non-zero when the board's interface is open.
using ZkWmiOpenProc = std::uint8_t(PIKKO_STDCALL*)();
// "ExecACPIMethod": runs an ACPI method by name with two input values; non-zero
// on success, the method's result then in *output.
using ExecAcpiMethodProc = std::uint8_t(PIKKO_STDCALL*)(const Utf16Char* method,
                                                        std::uint32_t input1, std::uint32_t input2,
                                                        std::uint32_t* output,
                                                        std::uint32_t reserved);

// The device-status query: method name and its first input value.
inline constexpr Utf16Char kDeviceStatusMethod[] = {'d', 'e', 'v', 'i', 'c', 'e', '_',
                                                    's', 't', 'a', 't', 'u', 's', 0};
inline constexpr std::uint32_t kDeviceStatusInput = 0xA0000000u;
// The device status that selects the gaming look.
inline constexpr int kGamingDeviceStatus = 2;

// Loads the translation library from the program's own folder and keeps it
// for the life of the process. Called once at start-up, before any text is
// translated; a library that is missing or lacks an entry point leaves the
// corresponding fallback in force.
void LoadTranslationLibrary();

// The translation of an English text; the text itself when there is none.
std::string Translate(const std::string& text);

// The folder of the current language; nothing without the library or its
// entry point.
std::optional<std::string> LanguagePathName();

// The last component of LanguagePathName (French, Japanese ...); empty when
// there is none.
std::string LanguageFolderName();

// The board's device status; 0 when it cannot be read. Loads the ACPI
// library afresh at every call.
int ProbeDeviceStatus();

// For tests only: forgets the entry points of the translation library, as
// if LoadTranslationLibrary had never run. The library itself stays loaded.
void ForgetTranslationLibraryForTests();

}  // namespace pikko
