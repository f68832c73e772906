#include "document/save_steps.h"

#include "app/form1.h"
#include "document/manuscript_files.h"
#include "document/manuscript_io.h"

namespace pennory::document {
namespace {

constexpr std::u16string_view kFiguresLostQuestion =
    u"文本文件不能保存图片，图片将会丢失。要继续吗？";

bool holdsFigures(const text::StyledText& content) {
    for (const auto& run : content.runs()) {
        if (run.format.figure) return true;
    }
    return false;
}

}  // namespace

SaveOutcome saveThroughDialog(app::Form1& form, const FileDialogPreset& preset,
                              files::SaveType type) {
    // Asked before the dialog: a writer who keeps the figures need not choose a name first.
    if (type == files::SaveType::Text && holdsFigures(form.RichTextBox1().content()) &&
        form.msgBox(kFiguresLostQuestion, platform::vbYesNo | platform::vbDefaultButton2) !=
            platform::vbYes) {
        return SaveOutcome::Cancelled;
    }
    auto& dialog = form.CommonDialog1();
    applyPreset(dialog, preset);
    if (!dialog.ShowSave()) return SaveOutcome::Cancelled;
    if (!mayReplace(form, dialog.FileName)) return SaveOutcome::Cancelled;
    return writeManuscript(form, dialog.FileName, type) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

}  // namespace pennory::document
