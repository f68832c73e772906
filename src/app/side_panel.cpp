#include "app/side_panel.h"

#include "app/form1.h"
#include "app/window_design.h"
#include "input/phrase_grid.h"
#include "input/word_bank_table.h"

namespace pennory::app {

namespace {

void setPhraseBoxes(Form1& form, bool visible) {
    for (int i = 0; i < input::kPhraseCount; ++i) form.Text1(i).setVisible(visible);
}

void setWordBank(Form1& form, bool visible) {
    for (int i = 0; i < input::kWordBankSize; ++i) form.Label2(i).setVisible(visible);
}

}  // namespace

void showWordBankView(Form1& form) {
    form.TabStrip1().setVisible(false);
    setPhraseBoxes(form, false);
    form.HScroll1().setVisible(false);
    form.VScroll1().setVisible(false);
    form.Image1().setVisible(false);
    setWordBank(form, true);
    form.RichTextBox2().setVisible(false);
}

void showReferenceTextView(Form1& form) {
    form.RichTextBox2().setToolTip(kReferenceToolTip);
    form.TabStrip1().setVisible(false);
    setPhraseBoxes(form, false);
    form.Image1().setVisible(false);
    form.RichTextBox2().setVisible(true);
    form.HScroll1().setVisible(false);
    form.VScroll1().setVisible(false);
    setWordBank(form, false);
}

void showPictureView(Form1& form) {
    form.TabStrip1().setVisible(false);
    setPhraseBoxes(form, false);
    form.HScroll1().setValue(0);
    form.VScroll1().setValue(0);
    form.HScroll1_Change();
    form.VScroll1_Change();
    form.HScroll1().setVisible(true);
    form.VScroll1().setVisible(true);
    form.Image1().setVisible(true);
    setWordBank(form, false);
}

bool inPictureView(Form1& form) {
    return form.Image1().visible() && !form.TabStrip1().visible() &&
           !form.RichTextBox2().visible();
}

void showPhraseView(Form1& form) {
    form.RichTextBox2().setToolTip(u"");
    form.TabStrip1().setVisible(true);
    setPhraseBoxes(form, true);
}

}  // namespace pennory::app
