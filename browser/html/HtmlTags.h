// The element names the plain reading of a page knows, and the browser's
// own style rules that come before the page's.
#pragma once

#include <initializer_list>
#include <string>

#include "browser/html/HtmlCss.h"

namespace pikko {

// The rules every page starts from: heading sizes, paragraph margins, list
// indents and such.
const CssStyleSheet& DefaultSheet();

bool OneOf(const std::string& name, std::initializer_list<const char*> names);
// Elements that make a box of their own.
bool IsBlockTag(const std::string& tag);
// Elements whose content is never shown here.
bool IsHiddenTag(const std::string& tag);
// Elements without content or end tag.
bool IsVoidTag(const std::string& tag);
// Starting one of these ends an open paragraph.
bool ClosesParagraph(const std::string& tag);

}  // namespace pikko
