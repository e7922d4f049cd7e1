#include "platform/IniSnapshot.h"

#include <optional>

#include "platform/AsciiCase.h"

namespace pikko {

class ScopedIniSnapshot::Port final : public IniPort {
 public:
  Port(std::string file, std::optional<IniDocument> doc, IniPort& next)
      : file_(std::move(file)), doc_(std::move(doc)), next_(next) {}
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& def) override {
    if (!SameText(file, file_)) return next_.ReadString(file, section, key, def);
    if (!doc_) return ReadIniFromText({}, false, section, key, def);
    return doc_->ReadString(section, key, def);
  }
  std::vector<std::string> SectionNames(const std::string& file) override {
    if (!SameText(file, file_)) return next_.SectionNames(file);
    return doc_ ? doc_->SectionNames() : std::vector<std::string>{};
  }
  // Another file's text comes from the port in force, so that a second
  // snapshot (of another file) can be taken while this one lives.
  std::optional<std::string> FileText(const std::string& file, bool& exists) override {
    if (!SameText(file, file_)) return next_.FileText(file, exists);
    exists = true;
    return std::nullopt;  // answered key by key, from this snapshot
  }
  std::vector<std::string> KeyNames(const std::string& file, const std::string& section) override {
    if (!SameText(file, file_)) return next_.KeyNames(file, section);
    return doc_ ? doc_->KeyNames(section) : std::vector<std::string>{};
  }

 private:
  std::string file_;
  std::optional<IniDocument> doc_;  // nothing: the file does not exist
  IniPort& next_;
};

ScopedIniSnapshot::ScopedIniSnapshot(std::string file) {
  saved_ = CurrentPorts().ini;
  if (!saved_) return;
  std::optional<IniDocument> doc;
  bool exists = false;
  std::optional<std::string> text = saved_->FileText(file, exists);
  if (exists && !text) return;  // the port answers key by key
  if (text) {
    const std::string& contents = *text;
    const bool marked = contents.rfind("\xFF\xFE", 0) == 0 || contents.rfind("\xFE\xFF", 0) == 0 ||
                        contents.rfind("\xEF\xBB\xBF", 0) == 0;
    if (marked) return;
    doc = IniDocument::Parse(std::move(*text));
  }
  port_ = std::make_unique<Port>(std::move(file), std::move(doc), *saved_);
  CurrentPorts().ini = port_.get();
}

ScopedIniSnapshot::~ScopedIniSnapshot() {
  if (port_ && CurrentPorts().ini == port_.get()) CurrentPorts().ini = saved_;
}

}  // namespace pikko
