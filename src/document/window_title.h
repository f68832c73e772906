#pragma once
// The window title names the file last opened into the manuscript editor.

#include <string_view>

namespace pennory::app {
class Form1;
}

namespace pennory::document {

inline constexpr std::u16string_view kTitlePrefix = u"Pennory --";
inline constexpr std::u16string_view kNewDocumentName = u"新建空白文档";

// "Pennory --" followed directly by the full path.
void showFileInTitle(app::Form1& form, std::u16string_view path);
// "Pennory --新建空白文档".
void showNewDocumentInTitle(app::Form1& form);

}  // namespace pennory::document
