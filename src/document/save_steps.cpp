#include "document/save_steps.h"

#include <string>

#include "app/form1.h"
#include "document/manuscript_files.h"
#include "document/manuscript_io.h"
#include "platform/text/figure_forms.h"

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

bool mayGoOn(app::Form1& form, std::u16string_view question) {
    return form.msgBox(question, platform::vbYesNo | platform::vbDefaultButton2) == platform::vbYes;
}

std::u16string lostFiguresQuestion(std::size_t count) {
    std::u16string question = u"有 ";
    for (const char c : std::to_string(count)) question += static_cast<char16_t>(c);
    question += u" 张图片不能以这种格式保存，将会丢失。要继续吗？";
    return question;
}

}  // namespace

bool mayLoseFigures(app::Form1& form, files::SaveType type) {
    const text::StyledText& content = form.RichTextBox1().content();
    text::FigureTarget target = text::FigureTarget::Rtf;
    switch (type) {
        case files::SaveType::Text:
            return !holdsFigures(content) || mayGoOn(form, kFiguresLostQuestion);
        case files::SaveType::Rtf:
            break;
        case files::SaveType::Docx:
            target = text::FigureTarget::Docx;
            break;
        case files::SaveType::Odt:
            target = text::FigureTarget::Odt;
            break;
    }
    const std::size_t lost = text::figuresLost(content, target);
    return lost == 0 || mayGoOn(form, lostFiguresQuestion(lost));
}

SaveOutcome saveThroughDialog(app::Form1& form, const FileDialogPreset& preset,
                              files::SaveType type) {
    // Asked before the dialog: a writer who keeps the figures need not choose a name first.
    if (!mayLoseFigures(form, type)) return SaveOutcome::Cancelled;
    auto& dialog = form.CommonDialog1();
    applyPreset(dialog, preset);
    if (!dialog.ShowSave()) return SaveOutcome::Cancelled;
    if (!mayReplace(form, dialog.FileName)) return SaveOutcome::Cancelled;
    return writeManuscript(form, dialog.FileName, type) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

}  // namespace pennory::document
