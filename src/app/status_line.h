#pragma once
// The status line under the client area: the manuscript's 字数 and characters, and the
// selection's 字数 while something is selected (counting rules: input/word_count.h). While the
// recovery copy of unsaved work cannot be written, the line says so instead of the count.
// After either come the zoom of the box last zoomed, unless it is 100 %, and the note of the
// last command that left one (a search that wrapped, a replacement count).

#include <optional>
#include <string>

#include "input/word_count.h"

namespace pennory::app {

// "字数 N  字符 M（不计空格）", or with a selection "选定 n / 字数 N  字符 M（不计空格）".
std::u16string statusText(const input::TextCount& total,
                          const std::optional<input::TextCount>& selected);

// "缩放 150%"
std::u16string zoomText(int percent);

// The parts joined by two spaces, empty parts left out.
std::u16string statusLine(std::u16string_view main, std::u16string_view zoom,
                          std::u16string_view note);

// "恢复副本无法保存：<reason>", the reason a Chinese sentence as files/file_errors.h words it.
std::u16string recoveryFailureText(std::u16string_view reason);

}  // namespace pennory::app
