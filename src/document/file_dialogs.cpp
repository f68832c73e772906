#include "document/file_dialogs.h"

namespace pennory::document {

void applyPreset(app::CommonDialog& dialog, const FileDialogPreset& preset) {
    dialog.DialogTitle = preset.title;
    dialog.Filter = preset.filter;
    dialog.FilterIndex = preset.filterIndex;
    if (preset.flags) dialog.Flags = *preset.flags;
}

}  // namespace pennory::document
