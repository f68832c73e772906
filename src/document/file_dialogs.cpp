#include "document/file_dialogs.h"

namespace pennory::document {

using files::FilterEnd;
using files::SaveType;

FileDialogPreset saveBeforeLeavingPreset() {
    return {u"保存", files::saveFilter(SaveType::Rtf, FilterEnd::TrailingBar), 1, kHideReadOnly};
}

FileDialogPreset openPreset() { return {u"打开", files::openFilter(), 1, kHideReadOnly}; }

FileDialogPreset menuSavePreset() {
    return {u"保存", files::saveFilter(SaveType::Rtf, FilterEnd::TrailingBar), 1, std::nullopt};
}

FileDialogPreset toolbarSavePreset() {
    return {u"保存", files::saveFilter(SaveType::Rtf, FilterEnd::Bare), 1, std::nullopt};
}

FileDialogPreset saveAsPreset(SaveType type) {
    return {u"另存为", files::saveFilter(type, FilterEnd::Bare), 1, kHideReadOnly};
}

void applyPreset(app::CommonDialog& dialog, const FileDialogPreset& preset) {
    dialog.DialogTitle = preset.title;
    dialog.Filter = preset.filter;
    dialog.FilterIndex = preset.filterIndex;
    if (preset.flags) dialog.Flags = *preset.flags;
}

}  // namespace pennory::document
