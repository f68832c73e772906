#pragma once
// The manuscript's life cycle: New, Open, Save, Save As and Exit, and the window title.
// A load or save that fails is told to the writer, and the command stops at that step.

#include <cstdint>
#include <string>

namespace pennory::app {
class Form1;
}

namespace pennory::document {

enum class SaveOrigin { Menu, Toolbar };

// Asks whether to save first (Yes/No). Yes: the save dialog, then RTF; when that is
// cancelled or fails, New stops and the manuscript and title stay. Otherwise empties the
// manuscript editor, titles the window "Pennory --新建空白文档" and forgets Save's file.
void newDocument(app::Form1& form);
// Into the reference text box when openIntoReference is set, else into the manuscript
// editor. Always grants both cipher permissions and forgets Save's file first.
void open(app::Form1& form);
// Open once its dialog has returned path (the command line, a file dropped on the manuscript
// editor): grants both cipher permissions, forgets Save's file, leaves path as the dialog's
// file name and loads the file into the manuscript editor; once loaded the title names path.
// A file that cannot be loaded (missing, a folder, unreadable) is reported and the manuscript
// and title stay.
void openFile(app::Form1& form, std::u16string_view path);
// The same into the reference text box, as Open after a click into that box (a file dropped
// on it): openIntoReference is set, and cleared once the file is loaded.
void openFileIntoReference(app::Form1& form, std::u16string_view path);
// The first Save asks for a name and remembers it; while saveTargetChosen holds, Save
// writes to that file again without a dialog. Either way the dialog's file name is cleared.
void save(app::Form1& form, SaveOrigin origin);
// index 0: RTF, 1: plain text; any other index does nothing. Changes no flag, not the title.
void saveAs(app::Form1& form, std::int16_t index);
// Asks whether to save first (Yes/No), then ends the program; a cancelled or failed save
// keeps it running.
void exitProgram(app::Form1& form);

}  // namespace pennory::document
