#pragma once
// Which files hold the writer's manuscript, so that a save dialog replaces any other existing
// file only after asking: a name left in the shared dialog by another command (a picture just
// opened, say) must not be overwritten by two presses of Enter.

#include <string_view>

namespace pennory::app {
class Form1;
}

namespace pennory::document {

inline constexpr std::u16string_view kReplacePromptStart = u"文件“";
inline constexpr std::u16string_view kReplacePromptEnd = u"”已存在。要替换它吗？";

// True when the manuscript may be written to path: no file is there, it is a folder (the save
// itself reports that), it is one of the manuscript's own files, or the writer answered Yes to
// "文件“…”已存在。要替换它吗？" (No is the default).
bool mayReplace(app::Form1& form, std::u16string_view path);

// The manuscript was loaded from or written to path.
void rememberManuscriptFile(app::Form1& form, std::u16string_view path);
// A new manuscript, or another one opened: no file holds it yet.
void forgetManuscriptFiles(app::Form1& form);

}  // namespace pennory::document
