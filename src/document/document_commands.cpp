#include "document/document_commands.h"

#include <string>

#include "app/form1.h"
#include "document/file_dialogs.h"
#include "document/manuscript_files.h"
#include "document/manuscript_io.h"
#include "document/save_steps.h"
#include "document/window_title.h"
#include "platform/files/document_formats.h"

namespace pennory::document {

namespace {

constexpr std::u16string_view kAskBeforeNew = u"等...等，保存您正在写的稿子吗？可别后悔哟~0~";
constexpr std::u16string_view kAskBeforeExit = u"等...等，退出前保存您写好的稿子吗？可别后悔哟~0~";
constexpr std::u16string_view kConfirmTitle = u"请确认";

// True when the writer may go on: answered No, or answered Yes and the manuscript was
// written. A cancelled dialog or a failed write must not lose the manuscript.
bool offerToSave(app::Form1& form, std::u16string_view question) {
    if (form.msgBox(question, platform::vbYesNo, kConfirmTitle) != platform::vbYes) return true;
    return saveThroughDialog(form, saveBeforeLeavingPreset(), files::SaveType::Rtf) ==
           SaveOutcome::Saved;
}

void forgetSaveTarget(app::Form1& form) {
    form.saveTargetChosen = false;
    form.saveTargetPath.clear();
}

}  // namespace

void newDocument(app::Form1& form) {
    if (!offerToSave(form, kAskBeforeNew)) return;
    form.RichTextBox1().setText(u"");
    showNewDocumentInTitle(form);
    forgetSaveTarget(form);
    form.manuscriptSettled();
    forgetManuscriptFiles(form);
}

namespace {

// Open's first step, whatever follows, a cancelled dialog included.
void startOpen(app::Form1& form) {
    form.mayDecrypt = true;
    form.mayEncrypt = true;
    forgetSaveTarget(form);
}

platform::RichTextBox& openTarget(app::Form1& form, bool intoReference) {
    return intoReference ? form.RichTextBox2() : form.RichTextBox1();
}

// Open's last steps, once a path was chosen.
void finishOpen(app::Form1& form, bool intoReference, std::u16string_view path) {
    if (!loadInto(form, openTarget(form, intoReference), path)) return;
    if (intoReference) {
        form.openIntoReference = false;
    } else {
        showFileInTitle(form, path);
        form.manuscriptSettled();
        forgetManuscriptFiles(form);
        rememberManuscriptFile(form, path);
    }
}

void openChosenPath(app::Form1& form, bool intoReference, std::u16string_view path) {
    startOpen(form);
    // A copy first: path may be the dialog's own file name.
    const std::u16string chosen(path);
    form.CommonDialog1().FileName = chosen;
    finishOpen(form, intoReference, chosen);
}

}  // namespace

void open(app::Form1& form) {
    startOpen(form);
    const bool intoReference = form.openIntoReference;
    auto& dialog = form.CommonDialog1();
    dialog.FileName.clear();
    // The box is asked to load the just-cleared name; an empty path leaves it untouched.
    loadInto(form, openTarget(form, intoReference), dialog.FileName);
    applyPreset(dialog, openPreset());
    if (!dialog.ShowOpen()) return;  // openIntoReference stays: the next Open aims there too
    finishOpen(form, intoReference, dialog.FileName);
}

void openFile(app::Form1& form, std::u16string_view path) { openChosenPath(form, false, path); }

void openFileIntoReference(app::Form1& form, std::u16string_view path) {
    form.openIntoReference = true;
    openChosenPath(form, true, path);
}

void save(app::Form1& form, SaveOrigin origin) {
    auto& dialog = form.CommonDialog1();
    dialog.FileName.clear();
    if (form.saveTargetChosen) {
        if (mayLoseFigures(form, files::SaveType::Rtf) &&
            writeManuscript(form, form.saveTargetPath, files::SaveType::Rtf)) {
            form.manuscriptSettled();
        }
        return;
    }
    const auto preset = origin == SaveOrigin::Toolbar ? toolbarSavePreset() : menuSavePreset();
    if (saveThroughDialog(form, preset, files::SaveType::Rtf) != SaveOutcome::Saved) return;
    form.saveTargetChosen = true;
    form.saveTargetPath = dialog.FileName;
    form.manuscriptSettled();
}

void saveAs(app::Form1& form, std::int16_t index) {
    const files::DocumentFormat* format = files::saveAsFormat(index);
    if (!format) return;
    if (saveThroughDialog(form, saveAsPreset(format->type), format->type) == SaveOutcome::Saved) {
        form.manuscriptSettled();
    }
}

void exitProgram(app::Form1& form) {
    if (!offerToSave(form, kAskBeforeExit)) return;
    form.services().program.end();
}

}  // namespace pennory::document
