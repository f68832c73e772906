#pragma once
// Undo, select all, cut, delete, copy and paste. A manuscript selection that holds a figure
// goes on the clipboard as text without the figure and, beside it, as Pennory's own form
// (files/clipboard_passage.h), which 粘贴 puts back whole while the clipboard's text is still
// the one that came with it; everything else travels as plain text.

namespace pennory::app {
class Form1;
}

namespace pennory::input {

void undo(app::Form1& form);
void selectAll(app::Form1& form);
void cut(app::Form1& form);
void deleteKey(app::Form1& form);
void copy(app::Form1& form);
void paste(app::Form1& form);

}  // namespace pennory::input
