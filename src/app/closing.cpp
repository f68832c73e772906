#include "app/closing.h"

#include "app/form1.h"
#include "document/save_steps.h"

namespace pennory::app {

namespace {

constexpr std::u16string_view kQuestion = u"要保存文稿吗？";
constexpr std::u16string_view kQuestionTitle = u"退出前确认";

}  // namespace

bool queryUnload(Form1& form) {
    // Exit has asked its own question already; the writer is never asked twice.
    if (form.services().program.ended()) return false;

    switch (form.msgBox(kQuestion, platform::vbYesNoCancel, kQuestionTitle)) {
        case platform::vbYes:
            // Closing without the file the writer asked for would lose the manuscript.
            return document::saveThroughDialog(form, document::saveAsPreset(files::SaveType::Rtf),
                                               files::SaveType::Rtf) !=
                   document::SaveOutcome::Saved;
        case platform::vbNo:
            return false;
        default:
            return true;
    }
}

}  // namespace pennory::app
