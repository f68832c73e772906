#pragma once
// Undo, select all, cut, delete, copy and paste. Clipboard traffic is plain text only.

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
