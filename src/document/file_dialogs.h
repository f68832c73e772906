#pragma once
// The settings each file command gives the shared common dialog before showing it. A command
// sets exactly these; everything else (the file name in particular) keeps its last value
// unless the command clears it itself. The filters come from the document format table.

#include <optional>
#include <string>
#include <string_view>

#include "app/common_dialog.h"
#include "platform/files/document_formats.h"

namespace pennory::document {

struct FileDialogPreset {
    std::u16string_view title;
    std::u16string filter;
    int filterIndex = 1;
    std::optional<int> flags;  // nullopt keeps the flags of the dialog's previous use
};

// Flag value 4 hides the read-only check box.
inline constexpr int kHideReadOnly = 4;

// The save step of New and Exit: "保存", RTF's filter with a trailing "|", flags 4.
FileDialogPreset saveBeforeLeavingPreset();
// Open: "打开", all files, then each readable format; flags 4.
FileDialogPreset openPreset();
// The File menu's Save: "保存", RTF's filter with a trailing "|", flags kept.
FileDialogPreset menuSavePreset();
// The toolbar's Save differs from the menu's only by the missing trailing "|".
FileDialogPreset toolbarSavePreset();
// Save As type (and the closing prompt's save, as RTF): "另存为", the format's filter, flags 4.
FileDialogPreset saveAsPreset(files::SaveType type);

// Sets title, filter, filter index and (when the preset has them) flags.
void applyPreset(app::CommonDialog& dialog, const FileDialogPreset& preset);

}  // namespace pennory::document
