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
// First asks mayLoseFigures; No cancels. Cancelled: nothing written. Failed: the writer has
// been told why.
SaveOutcome saveThroughDialog(app::Form1& form, const FileDialogPreset& preset,
                              files::SaveType type);

// Before the manuscript is saved as type: when figures would be lost, asks whether to go on,
// No the default ("文本文件不能保存图片，图片将会丢失。要继续吗？" for text and any figure; for
// the other formats "有 N 张图片不能以这种格式保存，将会丢失。要继续吗？" with the number of
// figures that format cannot hold). True: nothing would be lost, or the writer said Yes.
bool mayLoseFigures(app::Form1& form, files::SaveType type);

}  // namespace pennory::document
