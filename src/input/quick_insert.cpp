#include "input/quick_insert.h"

#include "app/form1.h"
#include "input/keypad_table.h"
#include "input/word_bank_table.h"

namespace pennory::input {

void insertSymbol(app::Form1& form, std::int16_t index) {
    if (index < 0 || index >= kKeypadSize) return;
    auto& editor = form.RichTextBox1();
    editor.setFocus();
    editor.setSelText(kKeypad[index].inserted);
}

void insertTerm(app::Form1& form, std::int16_t index) {
    if (index < 0 || index >= kWordBankSize) return;
    const std::u16string term(form.Label2(index).caption());
    auto& clipboard = form.services().clipboard;

    // The term travels through the clipboard, so that a paste repeats it. When the clipboard
    // cannot be used the term is inserted directly: the click still does what it shows.
    clipboard.clear();
    std::optional<std::u16string> text;
    if (clipboard.setText(term)) text = clipboard.text();
    form.RichTextBox1().setSelText(text ? *text : term);
}

}  // namespace pennory::input
