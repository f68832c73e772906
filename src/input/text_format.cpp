#include "input/text_format.h"

#include "app/form1.h"

namespace pennory::input {

// Both commands apply the dialog's values whether it was confirmed or cancelled: a cancelled
// dialog still holds the values of its previous use (or the start-up presets).

void textFont(app::Form1& form) {
    auto& dialog = form.CommonDialog1();
    dialog.Flags = 3;  // screen and printer fonts; no effects section
    dialog.ShowFont();

    // All six at once, so that one undo takes the whole command back.
    form.RichTextBox1().setSelFont(dialog.Font);
}

void textColour(app::Form1& form) {
    auto& dialog = form.CommonDialog1();
    dialog.ShowColor();
    form.RichTextBox1().setSelColour(dialog.Color);
}

}  // namespace pennory::input
