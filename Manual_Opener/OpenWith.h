// The programs that have registered themselves as able to open a file type
// (the type's open-with list below HKEY_CLASSES_ROOT), their verbs and the
// command templates of those verbs; and the start of the command line made
// from a chosen program's template and a file's path.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "Manual_Opener/WinRegistry.h"

namespace pikko {

// The room of the command line handed to process creation, with its
// terminating zero: a longer command line is refused, never cut.
constexpr std::size_t kCommandLineRoom = 520;

// The command template of one verb of a program: the default value of
// "Applications\<program>\Shell\<verb>\command"; empty when there is none.
template <class CharT>
class BasicOpenWithOperation {
  static_assert(std::is_same_v<CharT, char>, "the registry is read in narrow text");

 public:
  using String = std::basic_string<CharT>;
  BasicOpenWithOperation(const String& program, const String& verb);
  const String& Command() const { return command_; }

 private:
  String command_;
};

// The verbs of one program: the subkeys of "Applications\<program>\Shell".
template <class CharT>
class BasicOpenWithOperationList : public RegReader, public RegKeySet, public RegKeyIterator {
  static_assert(std::is_same_v<CharT, char>, "the registry is read in narrow text");

 public:
  using String = std::basic_string<CharT>;
  explicit BasicOpenWithOperationList(const String& program);

  bool IsDone() const;
  // The current verb's command template; nothing when done.
  std::unique_ptr<BasicOpenWithOperation<CharT>> Current() const;
  void Next();
  const String& ProgramName() const { return program_; }

 private:
  String program_;
};

// The programs registered for a file type (".pdf", or "*" for all types):
// the subkeys of "<type>\OpenWithList".
template <class CharT>
class BasicOpenWithList : public RegReader, public RegKeySet, public RegKeyIterator {
  static_assert(std::is_same_v<CharT, char>, "the registry is read in narrow text");

 public:
  using String = std::basic_string<CharT>;
  explicit BasicOpenWithList(const String& fileType);

  bool IsDone() const;
  // The verbs of the current program; nothing when done.
  std::unique_ptr<BasicOpenWithOperationList<CharT>> Current() const;
  void Next();
};

using OpenWithOperationA = BasicOpenWithOperation<char>;
using OpenWithOperationListA = BasicOpenWithOperationList<char>;
using OpenWithListA = BasicOpenWithList<char>;
extern template class BasicOpenWithOperation<char>;
extern template class BasicOpenWithOperationList<char>;
extern template class BasicOpenWithList<char>;

// The command template of the program chosen for a file type: the first
// program named like preferred[0] (without regard to case, on the whole
// name), else like preferred[1] ..., else the first of the list; its first
// verb with a command. Nothing when the list is empty or that program has
// no usable verb.
std::optional<std::string> FindOpenCommand(const std::string& fileType,
                                           const std::vector<std::string>& preferred);

// The template with its first "%1" replaced by the path as it stands; empty
// when the template holds no "%1".
std::string BuildCommandLine(const std::string& commandTemplate, const std::string& path);

// Starts the command line without a window, in the caller's folder, and
// waits at most waitMilliseconds for it to end (0: not at all). An empty
// command line, or one longer than the room before its terminating zero
// (519 characters), is refused. True when the process was created.
bool RunCommandLine(const std::string& commandLine, unsigned waitMilliseconds);

// FindOpenCommand, BuildCommandLine and RunCommandLine without waiting:
// 0 when the process was created, 1 when not.
int OpenWithHandler(const std::string& path, const std::string& fileType,
                    const std::vector<std::string>& preferred);

}  // namespace pikko
