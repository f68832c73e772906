#pragma once
// The status line under the client area: the manuscript's 字数 and characters, and the
// selection's 字数 while something is selected (counting rules: input/word_count.h).

#include <optional>
#include <string>

#include "input/word_count.h"

namespace pennory::app {

// "字数 N  字符 M（不计空格）", or with a selection "选定 n / 字数 N  字符 M（不计空格）".
std::u16string statusText(const input::TextCount& total,
                          const std::optional<input::TextCount>& selected);

}  // namespace pennory::app
