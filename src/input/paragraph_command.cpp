#include "input/paragraph_command.h"

#include "app/form1.h"

namespace pennory::input {

void paragraph(app::Form1& form) {
    auto& box = form.RichTextBox1();
    const text::ParagraphFormat initial = box.selParagraphFormat();
    const auto chosen = form.services().dialogs.showParagraph(initial);
    // Unchanged, the manuscript is left alone: no undo step, nothing to save.
    if (!chosen || *chosen == initial) return;
    box.setSelParagraphFormat(*chosen);
    box.setFocus();
}

}  // namespace pennory::input
