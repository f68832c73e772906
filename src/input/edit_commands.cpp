#include "input/edit_commands.h"

#include "app/form1.h"
#include "input/insert_figure.h"
#include "platform/files/clipboard_passage.h"
#include "platform/text/line_breaks.h"

namespace pennory::input {

namespace {

// Empties the clipboard and puts text on it. False when the clipboard could not take it.
bool putOnClipboard(platform::ClipboardService& clipboard, std::u16string_view text) {
    clipboard.clear();
    return clipboard.setText(text);
}

// The manuscript's selection: with a figure in it, Pennory's own form goes beside the text.
bool putManuscriptSelection(app::Form1& form) {
    auto& clipboard = form.services().clipboard;
    const files::ClipboardPassage passage =
        files::clipboardPassage(form.RichTextBox1().selContent());
    if (!passage.styled) return putOnClipboard(clipboard, passage.text);
    clipboard.clear();
    return clipboard.setTextWithStyled(passage.text, *passage.styled);
}

// Puts the passage Pennory put on the clipboard with text in place of the selection, as one
// edit; false when the clipboard holds none that belongs to text.
bool pastePassage(app::Form1& form, std::u16string_view text) {
    const auto styled = form.services().clipboard.styledBytes();
    if (!styled) return false;
    const auto passage = files::passageToPaste(text, *styled);
    if (!passage) return false;
    auto& editor = form.RichTextBox1();
    const std::size_t start = editor.selStart();
    if (!editor.applyReplacements(
            files::passageReplacements(*passage, start, editor.selLength()))) {
        return false;
    }
    editor.setSelStart(start + passage->length());
    return true;
}

}  // namespace

void undo(app::Form1& form) { form.services().keys.sendKeys(u"^{z}"); }

void selectAll(app::Form1& form) {
    auto& editor = form.RichTextBox1();
    editor.setSelStart(0);
    editor.setSelLength(editor.text().size());
}

void cut(app::Form1& form) {
    auto& editor = form.RichTextBox1();
    // A cut whose text did not reach the clipboard would lose it: then nothing is deleted.
    if (!putManuscriptSelection(form)) return;
    editor.setSelText(u"");
}

void deleteKey(app::Form1& form) { form.services().keys.sendKeys(u"{delete}"); }

void copy(app::Form1& form) {
    auto& clipboard = form.services().clipboard;
    if (form.openIntoReference) {
        // The reference mode ends only with a copy that reached the clipboard, so that trying
        // again still copies the reference passage.
        if (putOnClipboard(clipboard, form.RichTextBox2().selText())) {
            form.openIntoReference = false;
        }
        return;
    }
    putManuscriptSelection(form);
}

void paste(app::Form1& form) {
    // An unreadable clipboard is not an empty one: the selection stays.
    const auto text = form.services().clipboard.text();
    // A clipboard without text may hold a picture, which goes in as a figure.
    if ((!text || text->empty()) && pasteFigure(form)) return;
    if (!text) return;
    if (pastePassage(form, *text)) return;
    // The desktop's clipboard ends lines with LF; each of its line breaks becomes a paragraph
    // break, as when the writer presses Ctrl+V in the editor.
    form.RichTextBox1().setSelText(
        text::withCrLfLineBreaks(*text, text::ParagraphSeparator::IsLineBreak));
}

}  // namespace pennory::input
