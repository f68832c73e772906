#pragma once

namespace pennory::app {

class Form1;

// The close prompt, run on every request to close the window. Asks "要保存文稿吗？" with
// Yes, No and Cancel. Yes: the save dialog and an RTF file, then the window closes; when the
// dialog is cancelled or the write fails, the window stays open instead. No: closes without
// saving. Cancel: stays. After the File menu's exit item has ended the program, the window
// closes without asking. Returns true to keep the window open.
bool queryUnload(Form1& form);

}  // namespace pennory::app
