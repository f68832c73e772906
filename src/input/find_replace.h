#pragma once
// 查找, 查找下一个, 替换 and the buttons of the find and replace panel. They act on the
// manuscript editor, or on the reference text box while Form1::openIntoReference holds (which
// they read and never change). A match found is selected in that box; what became of a search
// is a note in the status line.

#include "platform/services.h"

namespace pennory::app {
class Form1;
}

namespace pennory::input {

// Opens the panel without its replace field; the last search's fields, or the selection when
// it is a short piece of one line.
void find(app::Form1& form);
// Repeats the last search from the caret; opens the panel when there was none.
void findNext(app::Form1& form);
// Opens the panel with its replace field.
void replace(app::Form1& form);

// A button of the panel, with the fields at the click. The fields become the last search.
// - FindNext: the next match after the selection, wrapping to the start with a note; none:
//   "找不到“…”。".
// - Replace: a selection that is a match gives way to the replacement (the format of the text
//   it replaces kept), then the next match is selected.
// - ReplaceAll: every match, as one undo step; "已替换 N 处。".
// - FullWidthPunctuation, HalfWidthLetters: the count asked about first (Yes/No), then one
//   undo step (input/punctuation.h says which characters).
// - Close: hides the panel.
// An invalid regular expression is told in a message box; nothing changes.
void act(app::Form1& form, platform::FindAction action, const platform::FindFields& fields);

}  // namespace pennory::input
