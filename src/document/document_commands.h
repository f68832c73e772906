#pragma once
// The manuscript's life cycle: New, Open, Save, Save As and Exit, and the window title.

#include <cstdint>
#include <string>

namespace pennory::app {
class Form1;
}

namespace pennory::document {

enum class SaveOrigin { Menu, Toolbar };

void newDocument(app::Form1& form);
void open(app::Form1& form);
void save(app::Form1& form, SaveOrigin origin);
// index 0: RTF, 1: plain text; any other index does nothing.
void saveAs(app::Form1& form, std::int16_t index);
void exitProgram(app::Form1& form);

}  // namespace pennory::document
