// What the Windows tests of the manuals and the side buttons share: keys
// written below HKEY_CURRENT_USER\Software\Classes (which the system merges
// into HKEY_CLASSES_ROOT) and removed afterwards, and the stand-in setup
// program copied into a test's folder, where it logs how it was started.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/ScopedWin.h"
#include "tests/win/WinTestSupport.h"

namespace pikko::testing {

// A name no other run uses.
inline std::string UniqueTag() {
  return std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(::GetTickCount());
}

// The classes keys a test writes: below HKCU\Software\Classes, which
// Windows merges into HKEY_CLASSES_ROOT. Wine builds HKEY_CLASSES_ROOT from
// HKLM\Software\Classes alone, so there the keys go below HKLM as well.
inline bool ClassesMergeCurrentUser() {
  static const bool merged = [] {
    const std::string probe = "Software\\Classes\\PikkoProbe" + UniqueTag();
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, probe.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw,
                          nullptr) != ERROR_SUCCESS)
      return true;
    ::RegCloseKey(raw);
    const bool seen = ::RegOpenKeyExA(HKEY_CLASSES_ROOT, probe.substr(17).c_str(), 0, KEY_READ,
                                      &raw) == ERROR_SUCCESS;
    if (seen) ::RegCloseKey(raw);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, probe.c_str());
    return seen;
  }();
  return merged;
}

// A key below the classes, deleted with its subkeys at the end.
class ScopedClassesKey {
 public:
  explicit ScopedClassesKey(std::string path) : path_("Software\\Classes\\" + std::move(path)) {}
  ~ScopedClassesKey() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    if (!ClassesMergeCurrentUser()) ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, path_.c_str());
  }
  ScopedClassesKey(const ScopedClassesKey&) = delete;
  ScopedClassesKey& operator=(const ScopedClassesKey&) = delete;

 private:
  std::string path_;
};

inline bool SetValueBelow(HKEY root, const std::string& path, const std::string& name, DWORD type,
                          const std::string& data) {
  HKEY raw = nullptr;
  if (::RegCreateKeyExA(root, ("Software\\Classes\\" + path).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &raw, nullptr) != ERROR_SUCCESS)
    return false;
  const win::ScopedRegKey key(raw);
  if (type == REG_NONE) return true;
  return ::RegSetValueExA(key.Get(), name.empty() ? nullptr : name.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

// Creates the key below the classes and, with a type, sets a value.
inline bool SetClassesValue(const std::string& path, const std::string& name = "",
                            DWORD type = REG_NONE, const std::string& data = {}) {
  if (!SetValueBelow(HKEY_CURRENT_USER, path, name, type, data)) return false;
  return ClassesMergeCurrentUser() || SetValueBelow(HKEY_LOCAL_MACHINE, path, name, type, data);
}

// Lends a classes key's default value a text for its lifetime and gives the
// earlier value back (or removes what the test created).
class ScopedClassesDefault {
 public:
  ScopedClassesDefault(const std::string& path, const std::string& text)
      : path_("Software\\Classes\\" + path) {
    Lend(HKEY_CURRENT_USER, text, user_);
    if (!ClassesMergeCurrentUser()) Lend(HKEY_LOCAL_MACHINE, text, machine_);
  }
  ~ScopedClassesDefault() {
    GiveBack(HKEY_CURRENT_USER, user_);
    if (!ClassesMergeCurrentUser()) GiveBack(HKEY_LOCAL_MACHINE, machine_);
  }
  ScopedClassesDefault(const ScopedClassesDefault&) = delete;
  ScopedClassesDefault& operator=(const ScopedClassesDefault&) = delete;
  bool Ok() const { return user_.lent && (ClassesMergeCurrentUser() || machine_.lent); }

 private:
  struct Saved {
    bool keyExisted = false, valueExisted = false, lent = false;
    DWORD type = 0;
    std::string bytes;
  };
  void Lend(HKEY root, const std::string& text, Saved& saved) {
    HKEY raw = nullptr;
    saved.keyExisted = ::RegOpenKeyExA(root, path_.c_str(), 0, KEY_READ, &raw) == ERROR_SUCCESS;
    if (saved.keyExisted) {
      const win::ScopedRegKey key(raw);
      DWORD size = 0;
      if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &saved.type, nullptr, &size) ==
          ERROR_SUCCESS) {
        saved.bytes.resize(size);
        saved.valueExisted =
            ::RegQueryValueExA(key.Get(), nullptr, nullptr, &saved.type,
                               reinterpret_cast<BYTE*>(saved.bytes.data()), &size) == ERROR_SUCCESS;
        saved.bytes.resize(size);
      }
    }
    const std::string data = text + std::string(1, '\0');
    saved.lent = ::RegCreateKeyExA(root, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw,
                                   nullptr) == ERROR_SUCCESS;
    if (!saved.lent) return;
    const win::ScopedRegKey key(raw);
    saved.lent =
        ::RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                         static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  }
  void GiveBack(HKEY root, const Saved& saved) {
    if (!saved.keyExisted) {
      ::RegDeleteTreeA(root, path_.c_str());
      return;
    }
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(root, path_.c_str(), 0, KEY_WRITE, &raw) != ERROR_SUCCESS) return;
    const win::ScopedRegKey key(raw);
    if (saved.valueExisted) {
      ::RegSetValueExA(key.Get(), nullptr, 0, saved.type,
                       reinterpret_cast<const BYTE*>(saved.bytes.data()),
                       static_cast<DWORD>(saved.bytes.size()));
    } else {
      ::RegDeleteValueA(key.Get(), nullptr);
    }
  }
  std::string path_;
  Saved user_, machine_;
};

inline bool SetClassesString(const std::string& path, const std::string& text) {
  return SetClassesValue(path, "", REG_SZ, text + std::string(1, '\0'));
}

// The stand-in setup program in folder; it appends "self \t arguments \t
// working folder" to SetupStubLog.txt beside itself.
inline std::string PlaceStub(const std::filesystem::path& folder, const std::string& name) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path target = folder / name;
  std::filesystem::copy_file(
      std::filesystem::path(PIKKO_BINARY_DIR) / "stand-ins" / "SetupStub.exe", target,
      std::filesystem::copy_options::overwrite_existing);
  return target.string();
}

// The stub's log once it holds a whole line, or empty after the wait.
inline std::string WaitForStubLog(const std::filesystem::path& folder, DWORD ms = 15000) {
  const std::filesystem::path log = folder / "SetupStubLog.txt";
  for (DWORD waited = 0; waited < ms; waited += 50) {
    std::ifstream in(log, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0) return s;
    ::Sleep(50);
  }
  return {};
}

}  // namespace pikko::testing
