#include "Manual_Opener/OpenWith.h"

#include "env/Text.h"

namespace pikko {

template <class CharT>
BasicOpenWithOperation<CharT>::BasicOpenWithOperation(const String& program, const String& verb) {
  RegReader command;
  // Only string values count; a missing key or value leaves the template empty.
  if (command.Open(ClassesRegistry().ClassesRoot(),
                   "Applications\\" + program + "\\Shell\\" + verb + "\\command"))
    command.ReadString("", command_);
}

template <class CharT>
BasicOpenWithOperationList<CharT>::BasicOpenWithOperationList(const String& program)
    : RegKeySet(static_cast<const RegReader&>(*this)), program_(program) {
  // The key set and the iterator are bound once the key is open.
  if (!Open(ClassesRegistry().ClassesRoot(), "Applications\\" + program + "\\Shell")) return;
  static_cast<RegKeySet&>(*this) = RegKeySet(static_cast<const RegReader&>(*this));
  static_cast<RegKeyIterator&>(*this) = begin();
}

template <class CharT>
bool BasicOpenWithOperationList<CharT>::IsDone() const {
  return RegKeySet::empty() || RegKeyIterator::IsDone();
}

template <class CharT>
std::unique_ptr<BasicOpenWithOperation<CharT>> BasicOpenWithOperationList<CharT>::Current() const {
  if (IsDone()) return nullptr;
  return std::make_unique<BasicOpenWithOperation<CharT>>(program_, Name());
}

template <class CharT>
void BasicOpenWithOperationList<CharT>::Next() {
  if (!IsDone()) RegKeyIterator::operator++();
}

template <class CharT>
BasicOpenWithList<CharT>::BasicOpenWithList(const String& fileType)
    : RegKeySet(static_cast<const RegReader&>(*this)) {
  if (!Open(ClassesRegistry().ClassesRoot(), fileType + "\\OpenWithList")) return;
  static_cast<RegKeySet&>(*this) = RegKeySet(static_cast<const RegReader&>(*this));
  static_cast<RegKeyIterator&>(*this) = begin();
}

template <class CharT>
bool BasicOpenWithList<CharT>::IsDone() const {
  return RegKeySet::empty() || RegKeyIterator::IsDone();
}

template <class CharT>
std::unique_ptr<BasicOpenWithOperationList<CharT>> BasicOpenWithList<CharT>::Current() const {
  if (IsDone()) return nullptr;
  return std::make_unique<BasicOpenWithOperationList<CharT>>(Name());
}

template <class CharT>
void BasicOpenWithList<CharT>::Next() {
  if (!IsDone()) RegKeyIterator::operator++();
}

template class BasicOpenWithOperation<char>;
template class BasicOpenWithOperationList<char>;
template class BasicOpenWithList<char>;

std::optional<std::string> FindOpenCommand(const std::string& fileType,
                                           const std::vector<std::string>& preferred) {
  // The whole list is read before the choice, in the registry's order.
  std::vector<std::unique_ptr<OpenWithOperationListA>> programs;
  {
    OpenWithListA list(fileType);
    for (; !list.IsDone(); list.Next()) programs.push_back(list.Current());
  }
  if (programs.empty()) return std::nullopt;

  std::size_t chosen = 0;
  bool found = false;
  for (const std::string& name : preferred) {
    for (std::size_t i = 0; i < programs.size() && !found; ++i) {
      if (SameText(programs[i]->ProgramName(), name)) {
        chosen = i;
        found = true;
      }
    }
    if (found) break;
  }

  // Only the chosen program is asked: its first verb with a command.
  OpenWithOperationListA& verbs = *programs[chosen];
  for (; !verbs.IsDone(); verbs.Next()) {
    const std::unique_ptr<OpenWithOperationA> verb = verbs.Current();
    if (!verb->Command().empty()) return verb->Command();
  }
  return std::nullopt;
}

std::string BuildCommandLine(const std::string& commandTemplate, const std::string& path) {
  const std::size_t at = commandTemplate.find("%1");
  if (at == std::string::npos) return {};
  return commandTemplate.substr(0, at) + path + commandTemplate.substr(at + 2);
}

bool RunCommandLine(const std::string& commandLine, unsigned waitMilliseconds) {
  // The line must fit the room with its terminating zero; cutting it would
  // start some other command, so a longer one is not started at all.
  if (commandLine.empty() || commandLine.size() >= kCommandLineRoom) return false;
  ProcessStart start;
  start.commandLine = commandLine;
  start.creationFlags = kCreateNoWindow;
  start.waitMilliseconds = waitMilliseconds;
  return Processes().Create(start);
}

int OpenWithHandler(const std::string& path, const std::string& fileType,
                    const std::vector<std::string>& preferred) {
  const std::optional<std::string> command = FindOpenCommand(fileType, preferred);
  if (!command) return 1;
  return RunCommandLine(BuildCommandLine(*command, path), 0) ? 0 : 1;
}

}  // namespace pikko
