#include "document/save_steps.h"

#include "app/form1.h"
#include "document/manuscript_files.h"
#include "document/manuscript_io.h"

namespace pennory::document {

SaveOutcome saveThroughDialog(app::Form1& form, const FileDialogPreset& preset,
                              files::SaveType type) {
    auto& dialog = form.CommonDialog1();
    applyPreset(dialog, preset);
    if (!dialog.ShowSave()) return SaveOutcome::Cancelled;
    if (!mayReplace(form, dialog.FileName)) return SaveOutcome::Cancelled;
    return writeManuscript(form, dialog.FileName, type) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

}  // namespace pennory::document
