#include "platform/Ports.h"

#include <cstdio>
#include <cstdlib>

namespace pikko {
namespace {

template <class P>
P& Require(P* port, const char* name) {
  if (port == nullptr) {
    // A missing port is a wiring fault of the program or of a test, never a
    // state the menu can go on from. (Plain output, not printf: the exe
    // carries no formatted output code.)
    std::fputs("Ports: no ", stderr);
    std::fputs(name, stderr);
    std::fputs(" port installed\n", stderr);
    std::abort();
  }
  return *port;
}

std::string& TitleStorage() {
  static std::string title;
  return title;
}

}  // namespace

Ports& CurrentPorts() {
  static Ports ports;
  return ports;
}

IniPort& Ini() { return Require(CurrentPorts().ini, "INI"); }
MessageBoxPort& Messages() { return Require(CurrentPorts().messages, "message box"); }
FileSystemPort& Files() { return Require(CurrentPorts().files, "file system"); }
FoldersPort& Folders() { return Require(CurrentPorts().folders, "folders"); }
VersionPort& Version() { return Require(CurrentPorts().version, "version"); }
LibraryPort& Libraries() { return Require(CurrentPorts().libraries, "library"); }
RegistryPort& Registry() { return Require(CurrentPorts().registry, "registry"); }
ShellPort& Shell() { return Require(CurrentPorts().shell, "shell"); }
WindowSearchPort& WindowSearch() { return Require(CurrentPorts().windows, "window search"); }
ClassesRootPort& ClassesRegistry() { return Require(CurrentPorts().classes, "classes registry"); }
ProcessPort& Processes() { return Require(CurrentPorts().processes, "process"); }
ShellExtendedPort& ShellEx() { return Require(CurrentPorts().shellEx, "extended shell"); }
FileWritePort& FileWrites() { return Require(CurrentPorts().fileWrites, "file write"); }
BatchTextPort& BatchText() { return Require(CurrentPorts().batchText, "batch text"); }

const std::string& ApplicationTitle() { return TitleStorage(); }
void SetApplicationTitle(const std::string& title) { TitleStorage() = title; }

}  // namespace pikko
