#pragma once
// The step shared by New, Exit, Save, Save As and the close prompt: set up the save dialog,
// show it and write the manuscript to the chosen file.

#include "document/file_dialogs.h"
#include "platform/files/document_files.h"

namespace pennory::app {
class Form1;
}

namespace pennory::document {

enum class SaveOutcome { Saved, Cancelled, Failed };

// Applies preset to the common dialog (its file name is left as it is, so the last chosen
// path shows pre-filled), shows the save dialog and writes the manuscript editor's content
// as type to the confirmed name, exactly as given (no extension is added). An existing file
// other than the manuscript's own is replaced only if the writer says so (mayReplace).
// Saving as text a manuscript that holds figures first asks whether to go on, No the default;
// No cancels. Cancelled: nothing written. Failed: the writer has been told why.
SaveOutcome saveThroughDialog(app::Form1& form, const FileDialogPreset& preset,
                              files::SaveType type);

}  // namespace pennory::document
