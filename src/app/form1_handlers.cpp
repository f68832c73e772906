// Form1's event handlers: each hands its event to the subsystem that owns the operation.

#include <string_view>

#include "app/closing.h"
#include "app/form1.h"
#include "app/layout.h"
#include "app/side_panel.h"
#include "document/document_commands.h"
#include "document/document_output.h"
#include "document/interrupted_rewrite.h"
#include "document/recovery_copy.h"
#include "help/help_menu.h"
#include "input/edit_commands.h"
#include "input/find_replace.h"
#include "input/insert_figure.h"
#include "input/keypad_table.h"
#include "input/paragraph_command.h"
#include "input/phrase_grid.h"
#include "input/phrase_library.h"
#include "input/quick_insert.h"
#include "input/text_format.h"
#include "input/word_bank_table.h"
#include "input/zoom.h"
#include "protection/protection_commands.h"
#include "reference/reference_panel.h"

namespace pennory::app {

void Form1::Form_Load() {
    openIntoReference = false;
    saveTargetChosen = false;
    m_commonDialog1.Font.fontName = u"宋体";
    m_commonDialog1.Font.sizePt = 11.0f;
}

void Form1::Form_Resize() {
    const auto layout =
        computeLayout(window().clientWidth(), window().clientHeight(), window().minimized());
    if (!layout) return;

    auto editor = RichTextBox1().geometry();
    editor.width = layout->editorWidth;
    editor.height = layout->editorHeight;
    RichTextBox1().setGeometry(editor);

    for (int i = 0; i < input::kKeypadSize; ++i) {
        auto key = Command1(i).geometry();
        key.top = layout->keypadTop;
        Command1(i).setGeometry(key);
    }

    auto panel = Picture1().geometry();
    panel.height = RichTextBox1().geometry().height;
    Picture1().setGeometry(panel);

    auto hScroll = HScroll1().geometry();
    hScroll.top = layout->hScrollTop;
    HScroll1().setGeometry(hScroll);

    auto vScroll = VScroll1().geometry();
    vScroll.height = panel.height;
    VScroll1().setGeometry(vScroll);

    auto reference = RichTextBox2().geometry();
    reference.height = panel.height;
    RichTextBox2().setGeometry(reference);
}

bool Form1::Form_QueryUnload() { return queryUnload(*this); }

void Form1::Toolbar1_ButtonClick(const platform::ToolbarButton& button) {
    const std::u16string key = button.key();
    if (key == u"open") {
        document::open(*this);
    } else if (key == u"save") {
        document::save(*this, document::SaveOrigin::Toolbar);
    } else if (key == u"copy") {
        input::copy(*this);
    } else if (key == u"palse") {
        input::paste(*this);
    } else if (key == u"back") {
        input::undo(*this);
    } else if (key == u"image") {
        showPictureView(*this);
        reference::openPicture(*this);
    } else if (key == u"stop") {
        showReferenceTextView(*this);
    } else if (key == u"write") {
        showWordBankView(*this);
    } else if (key == u"selfdo") {
        showPhraseView(*this);
        input::loadPhrases(*this);
    } else if (key == u"enter") {
        input::storePhrases(*this);
    }
}

void Form1::Command1_Click(std::int16_t index) {
    if (index >= 0 && index < input::kKeypadSize) input::insertSymbol(*this, index);
}

void Form1::Label2_Click(std::int16_t index) {
    if (index >= 0 && index < input::kWordBankSize) input::insertTerm(*this, index);
}

void Form1::Text1_Click(std::int16_t index) {
    if (index >= 0 && index < input::kPhraseCount) input::insertPhrase(*this, index);
}

void Form1::RichTextBox2_Click() { openIntoReference = true; }

// A picture dropped on the manuscript goes in at the caret; any other file opens.
void Form1::RichTextBox1_FileDropped(std::u16string_view path) {
    if (input::isPictureFile(path)) {
        input::insertFigureFile(*this, path);
        return;
    }
    document::openFile(*this, path);
}

void Form1::RichTextBox2_FileDropped(std::u16string_view path) {
    document::openFileIntoReference(*this, path);
}

// Only the picture view takes a picture; in the other views the panel is covered by the
// reference text, the word bank or the phrase boxes.
void Form1::Picture1_FileDropped(std::u16string_view path) {
    if (!inPictureView(*this)) return;
    showPictureView(*this);
    reference::openPictureFile(*this, path);
}

void Form1::RichTextBox1_FigureWidth() { input::setFigureWidth(*this); }

void Form1::RichTextBox1_Zoom(platform::ZoomRequest request) {
    input::zoom(*this, RichTextBox1(), request);
}

void Form1::RichTextBox2_Zoom(platform::ZoomRequest request) {
    input::zoom(*this, RichTextBox2(), request);
}

void Form1::RichTextBox1_Change(const platform::TextEdit& edit) {
    // An edit that does not fit the count's copy of the text means the two parted ways;
    // counting afresh puts them together again.
    if (!m_count.apply(edit.start, edit.removed, edit.inserted)) {
        m_count.reset(RichTextBox1().text());
    }
    m_statusNote.clear();  // it spoke of the text before this edit
    showCount();
    if (m_recovery) m_recovery->changed();
}

void Form1::RichTextBox1_SelChange() { showCount(); }

void Form1::manuscriptSettled() {
    if (m_recovery) m_recovery->settled();
}

bool Form1::offerRecovery() {
    document::offerInterruptedRewrites(*this);
    return document::offerRecovery(*this);
}

void Form1::HScroll1_Change() { reference::panHorizontally(*this); }
void Form1::HScroll1_Scroll() { reference::panHorizontally(*this); }
void Form1::VScroll1_Change() { reference::panVertically(*this); }
void Form1::VScroll1_Scroll() { reference::panVertically(*this); }

void Form1::mnufileitem_Click(std::int16_t index) {
    switch (index) {
        case 0: document::newDocument(*this); break;
        case 1: document::open(*this); break;
        case 2: document::save(*this, document::SaveOrigin::Menu); break;
        case 4: document::exitProgram(*this); break;
        case 5: document::outputPdf(*this); break;
        case 6: document::printManuscript(*this); break;
        default: break;  // 3 only opens the Save As submenu
    }
}

void Form1::saveas_Click(std::int16_t index) { document::saveAs(*this, index); }

void Form1::mnuedititem_Click(std::int16_t index) {
    switch (index) {
        case 0: input::undo(*this); break;
        case 1: input::selectAll(*this); break;
        case 2: input::cut(*this); break;
        case 3: input::deleteKey(*this); break;
        case 4: input::copy(*this); break;
        case 5: input::paste(*this); break;
        case 6: input::find(*this); break;
        case 7: input::findNext(*this); break;
        case 8: input::replace(*this); break;
        case 9: input::paragraph(*this); break;
        case 10: input::insertFigure(*this); break;
        default: break;
    }
}

void Form1::font_Click() { input::textFont(*this); }
void Form1::color_Click() { input::textColour(*this); }

void Form1::mnucodeitem_Click(std::int16_t index) {
    if (index == 0) protection::login(*this);
    if (index == 2) protection::changePassword(*this);
}

void Form1::codechilditem_Click(std::int16_t index) {
    if (index == 0) protection::encrypt(*this);
    if (index == 1) protection::decrypt(*this);
}

void Form1::mnuhelpitem_Click(std::int16_t index) {
    switch (index) {
        case 0: help::openHelpPage(*this); break;
        case 2: help::writeToPublisher(*this); break;
        case 3: help::showAbout(*this); break;
        default: break;
    }
}

}  // namespace pennory::app
