#pragma once
// The settings each file command gives the shared common dialog before showing it. A command
// sets exactly these; everything else (the file name in particular) keeps its last value
// unless the command clears it itself.

#include <optional>
#include <string_view>

#include "app/common_dialog.h"

namespace pennory::document {

struct FileDialogPreset {
    std::u16string_view title;
    std::u16string_view filter;
    int filterIndex = 1;
    std::optional<int> flags;  // nullopt keeps the flags of the dialog's previous use
};

// Flag value 4 hides the read-only check box.
inline constexpr int kHideReadOnly = 4;

// The save step of New and Exit.
inline constexpr FileDialogPreset kSaveBeforeLeaving{u"保存", u"rtf文件(*.rtf)|*.rtf|", 1,
                                                     kHideReadOnly};
inline constexpr FileDialogPreset kOpenDialog{
    u"打开", u"所有文件(*.*)|*.*|text文件(*.txt)|*.txt|rtf文件(*.rtf)|*.rtf|", 1, kHideReadOnly};
inline constexpr FileDialogPreset kMenuSave{u"保存", u"rtf文件(*.rtf)|*.rtf|", 1, std::nullopt};
// The toolbar's Save differs from the menu's only by the missing trailing "|".
inline constexpr FileDialogPreset kToolbarSave{u"保存", u"rtf文件(*.rtf)|*.rtf", 1, std::nullopt};
inline constexpr FileDialogPreset kSaveAsRtf{u"另存为", u"rtf文件(*.rtf)|*.rtf", 1, kHideReadOnly};
inline constexpr FileDialogPreset kSaveAsText{u"另存为", u"txt文件(*.txt)|*.txt", 1, kHideReadOnly};

// Sets title, filter, filter index and (when the preset has them) flags.
void applyPreset(app::CommonDialog& dialog, const FileDialogPreset& preset);

}  // namespace pennory::document
