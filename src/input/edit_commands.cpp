#include "input/edit_commands.h"

#include "app/form1.h"

namespace pennory::input {

void undo(app::Form1&) {}
void selectAll(app::Form1&) {}
void cut(app::Form1&) {}
void deleteKey(app::Form1&) {}
void copy(app::Form1&) {}
void paste(app::Form1&) {}

}  // namespace pennory::input
