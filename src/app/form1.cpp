#include "app/form1.h"

#include "app/status_line.h"
#include "app/window_design.h"
#include "platform/files/document_formats.h"
#include "document/recovery_copy.h"
#include "input/keypad_table.h"
#include "input/phrase_grid.h"
#include "input/word_bank_table.h"
#include "platform/files/rewrite_backup.h"

namespace pennory::app {

namespace {

const text::CharFormat kSimSun9{u"宋体", 9.0f};
const text::CharFormat kSimSun105{u"宋体", 10.5f};

template <typename T>
T& describe(T& control, std::u16string_view caption, const platform::Geometry& geometry,
            bool visible) {
    control.setCaption(caption);
    control.setAccessibleName(caption);
    control.setGeometry(geometry);
    control.setVisible(visible);
    return control;
}

}  // namespace

Form1::Form1(platform::ControlFactory& factory, const platform::Services& services)
    : m_factory(factory), m_services(services), m_commonDialog1(services.dialogs) {
    // A file rewritten in place keeps its old bytes beside the recovery copies meanwhile.
    files::setRewriteBackupFolder(m_services.recoveryFolder);
    window().setCaption(kWindowCaption);
    window().setAccessibleName(kWindowCaption);
    createMenus();
    createToolbar();
    createEditorAndPanel();
    createKeypadAndPhraseBoxes();
    createStatusLine();
    watchManuscript();
    m_factory.setWindowEvents({[this] { Form_Resize(); }, [this] { return Form_QueryUnload(); }});
    setTabOrder();
    RichTextBox1().setFocus();
}

Form1::~Form1() {
    // The editor may outlive the status line while the controls go.
    m_richTextBox1->setChangeHandlers({}, {});
}

void Form1::createToolbar() {
    for (const auto& entry : kToolbar) {
        const int position = static_cast<int>(m_toolbar1.size());
        m_toolbar1.push_back(m_factory.createToolbarButton(
            entry.key, entry.caption, entry.toolTip,
            [this, position] { Toolbar1_ButtonClick(*m_toolbar1[position]); }));
        m_toolbar1.back()->setAccessibleName(entry.caption);
    }
}

void Form1::createMenus() {
    using Handler = void (Form1::*)(std::int16_t);
    auto items = [this](platform::MenuItem& menu, auto captions, Handler handler) {
        std::vector<std::unique_ptr<platform::MenuItem>> made;
        for (std::size_t i = 0; i < captions.size(); ++i) {
            const auto index = static_cast<std::int16_t>(i);
            if (captions[i].empty()) {  // a gap in the control array
                made.push_back(nullptr);
                continue;
            }
            made.push_back(m_factory.createMenuItem(
                &menu, captions[i], [this, handler, index] { (this->*handler)(index); }));
            made.back()->setAccessibleName(captions[i]);
        }
        return made;
    };
    auto top = [this](std::u16string_view caption, platform::Callback clicked = {}) {
        auto menu = m_factory.createMenuItem(nullptr, caption, std::move(clicked));
        menu->setAccessibleName(caption);
        return menu;
    };

    m_file = top(u"文件");
    m_mnufileitem = items(*m_file, std::array{kFileItems[0], kFileItems[1], kFileItems[2],
                                              kFileItems[3]},
                          &Form1::mnufileitem_Click);
    m_saveas = items(*m_mnufileitem[3], files::saveAsCaptions(), &Form1::saveas_Click);
    // A command of the program's own: a member of a menu's array at the next free index, shown
    // after the specified items.
    auto ownItem = [this](platform::MenuItem& menu, auto& array, Handler handler,
                          std::int16_t index, std::u16string_view caption,
                          std::u16string_view shortcut = {}) {
        auto item = m_factory.createMenuItem(&menu, caption,
                                             [this, handler, index] { (this->*handler)(index); });
        item->setAccessibleName(caption);
        if (!shortcut.empty()) item->setShortcut(shortcut);
        if (array.size() <= static_cast<std::size_t>(index)) array.resize(index + 1);
        array[index] = std::move(item);
    };
    // Then PDF and printing behind a line, and the exit item, member 4 of the file array,
    // behind another.
    m_factory.addMenuSeparator(*m_file);
    ownItem(*m_file, m_mnufileitem, &Form1::mnufileitem_Click, 5, kPdfItem);
    ownItem(*m_file, m_mnufileitem, &Form1::mnufileitem_Click, 6, kPrintItem, kPrintShortcut);
    m_factory.addMenuSeparator(*m_file);
    ownItem(*m_file, m_mnufileitem, &Form1::mnufileitem_Click, 4, kFileItems[4]);

    m_edit = top(u"编辑");
    m_mnuedititem = items(*m_edit, kEditItems, &Form1::mnuedititem_Click);
    m_factory.addMenuSeparator(*m_edit);
    for (const auto& entry : kFindItems) {
        ownItem(*m_edit, m_mnuedititem, &Form1::mnuedititem_Click, entry.index, entry.caption,
                entry.shortcut);
    }
    m_factory.addMenuSeparator(*m_edit);
    ownItem(*m_edit, m_mnuedititem, &Form1::mnuedititem_Click, 9, kParagraphItem);
    m_factory.addMenuSeparator(*m_edit);
    ownItem(*m_edit, m_mnuedititem, &Form1::mnuedititem_Click, 10, kInsertFigureItem);
    m_font = top(u"文本字体", [this] { font_Click(); });
    m_color = top(u"文本颜色", [this] { color_Click(); });

    m_code = top(u"文稿加密");
    m_mnucodeitem = items(*m_code, std::array{kCodeItems[0], kCodeItems[1]},
                          &Form1::mnucodeitem_Click);
    m_codechilditem = items(*m_mnucodeitem[1], kCodeChildItems, &Form1::codechilditem_Click);
    m_mnucodeitem.push_back(m_factory.createMenuItem(m_code.get(), kCodeItems[2],
                                                     [this] { mnucodeitem_Click(2); }));
    m_mnucodeitem.back()->setAccessibleName(kCodeItems[2]);
    for (auto* locked : {m_codechilditem[0].get(), m_codechilditem[1].get(),
                         m_mnucodeitem[2].get()}) {
        locked->setEnabled(false);
    }

    m_help = top(u"帮助");
    m_mnuhelpitem = items(*m_help, kHelpItems, &Form1::mnuhelpitem_Click);
}

void Form1::createEditorAndPanel() {
    m_richTextBox1 = m_factory.createRichTextBox(nullptr, kSimSun9, {});
    m_richTextBox1->setGeometry(kEditorDesign);
    m_richTextBox1->setToolTip(kEditorToolTip);
    m_richTextBox1->setAccessibleName(u"文稿编辑区");
    m_richTextBox1->onFileDropped(
        [this](std::u16string_view path) { RichTextBox1_FileDropped(path); });
    m_richTextBox1->onZoomRequested(
        [this](platform::ZoomRequest request) { RichTextBox1_Zoom(request); });
    m_richTextBox1->onFigureMenu([this] { RichTextBox1_FigureWidth(); });

    m_picture1 = m_factory.createPanel(nullptr);
    m_picture1->setGeometry(kPanelDesign);
    m_picture1->setAccessibleName(u"参考资料面板");
    m_picture1->onFileDropped([this](std::u16string_view path) { Picture1_FileDropped(path); });

    // Back to front inside the panel: picture, word-bank labels, reference text box, scroll
    // bars, tab strip, phrase boxes 0 to 5.
    m_image1 = m_factory.createImage(m_picture1.get());
    describe(*m_image1, u"参考图片", kImageDesign, false);

    for (int i = 0; i < input::kWordBankSize; ++i) {
        const auto& term = input::kWordBank[i];
        m_label2.push_back(m_factory.createLabel(
            m_picture1.get(), [this, i] { Label2_Click(static_cast<std::int16_t>(i)); }));
        describe(*m_label2.back(), term.caption,
                 {term.left, term.top, input::wordBankLabelWidth(i),
                  input::wordBankLabelHeight(i)},
                 false);
    }

    m_richTextBox2 = m_factory.createRichTextBox(m_picture1.get(), kSimSun105,
                                                 [this] { RichTextBox2_Click(); });
    m_richTextBox2->setGeometry(kReferenceDesign);
    m_richTextBox2->setToolTip(kReferenceToolTip);
    m_richTextBox2->setAccessibleName(u"参考文本框");
    m_richTextBox2->onFileDropped(
        [this](std::u16string_view path) { RichTextBox2_FileDropped(path); });
    m_richTextBox2->onZoomRequested(
        [this](platform::ZoomRequest request) { RichTextBox2_Zoom(request); });

    m_hScroll1 = m_factory.createScrollBar(m_picture1.get(), true, [this] { HScroll1_Change(); },
                                           [this] { HScroll1_Scroll(); });
    describe(*m_hScroll1, u"水平滚动条", kHScrollDesign, false);
    m_vScroll1 = m_factory.createScrollBar(m_picture1.get(), false, [this] { VScroll1_Change(); },
                                           [this] { VScroll1_Scroll(); });
    describe(*m_vScroll1, u"垂直滚动条", kVScrollDesign, false);
    for (auto* bar : {m_hScroll1.get(), m_vScroll1.get()}) bar->setSteps(30, 70);

    m_tabStrip1 = m_factory.createTabStrip(m_picture1.get());
    describe(*m_tabStrip1, kPhraseTabCaption, kTabStripDesign, false);
}

void Form1::createKeypadAndPhraseBoxes() {
    auto phraseBox = [this](int i, platform::Control* parent) {
        m_text1.push_back(m_factory.createTextBox(
            parent, kSimSun9, [this, i] { Text1_Click(static_cast<std::int16_t>(i)); }));
        auto& box = *m_text1.back();
        box.setGeometry(input::phraseBoxGeometry(i));
        const char16_t number[] = {char16_t(u'0' + (i + 1) / 10), char16_t(u'0' + (i + 1) % 10),
                                   0};
        box.setAccessibleName(std::u16string(u"词组框") + number);
        box.setVisible(false);
    };
    for (int i = 0; i < input::kPanelOwnedPhraseBoxes; ++i) phraseBox(i, m_picture1.get());

    // The keypad row lies behind the phrase boxes that belong to the window.
    m_command1.resize(input::kKeypadSize);
    for (int slot = 0; slot < input::kKeypadSize; ++slot) {
        int index = 0;
        while (input::kKeypad[index].slot != slot) ++index;
        m_command1[index] = m_factory.createButton(
            nullptr, [this, index] { Command1_Click(static_cast<std::int16_t>(index)); });
        describe(*m_command1[index], input::kKeypad[index].caption,
                 {input::keypadLeft(slot), input::kKeypadDesignTop, input::kKeypadWidth,
                  input::kKeypadHeight},
                 true);
    }

    for (int i = input::kPanelOwnedPhraseBoxes; i < input::kPhraseCount; ++i) phraseBox(i, nullptr);
}

// Tab starts at the manuscript editor and runs as the window reads: the keypad row below it
// from left to right, then from the top the toolbar, and the side panel on the left, whose
// controls come before the editor again.
void Form1::setTabOrder() {
    std::vector<platform::Control*> order{m_richTextBox1.get()};
    for (int slot = 0; slot < input::kKeypadSize; ++slot) {
        for (int index = 0; index < input::kKeypadSize; ++index) {
            if (input::kKeypad[index].slot == slot) order.push_back(m_command1[index].get());
        }
    }
    for (auto& button : m_toolbar1) order.push_back(button.get());
    order.push_back(m_richTextBox2.get());
    order.push_back(m_tabStrip1.get());
    for (auto& box : m_text1) order.push_back(box.get());
    order.push_back(m_hScroll1.get());
    order.push_back(m_vScroll1.get());
    m_factory.setTabOrder(order);
}

// No accessible name of its own: a screen reader reads the line itself, the live count.
void Form1::createStatusLine() { m_statusLine = m_factory.createStatusLine(); }

void Form1::watchManuscript() {
    if (m_services.timers && !m_services.recoveryFolder.empty()) {
        m_recovery =
            std::make_unique<document::RecoveryCopy>(*m_services.timers, m_services.recoveryFolder,
                                                     [this] { return RichTextBox1().content(); },
                                                     [this](const std::u16string& failure) {
                                                         m_recoveryFailure = failure;
                                                         showCount();
                                                     });
    }
    m_richTextBox1->setChangeHandlers(
        [this](const platform::TextEdit& edit) { RichTextBox1_Change(edit); },
        [this] { RichTextBox1_SelChange(); });
    m_count.reset(RichTextBox1().text());
    showCount();
}

void Form1::showCount() {
    std::u16string main;
    if (!m_recoveryFailure.empty()) {
        main = recoveryFailureText(m_recoveryFailure);
    } else {
        const auto& editor = RichTextBox1();
        std::optional<input::TextCount> selected;
        if (editor.selLength() > 0) {
            selected = m_count.countRange(editor.selStart(), editor.selLength());
        }
        main = statusText(m_count.total(), selected);
    }
    const std::u16string zoom = m_zoomShown == 100 ? u"" : zoomText(m_zoomShown);
    m_statusLine->setCaption(statusLine(main, zoom, m_statusNote));
}

void Form1::setStatusNote(std::u16string note) {
    m_statusNote = std::move(note);
    showCount();
}

void Form1::setZoomShown(int percent) {
    m_zoomShown = percent;
    showCount();
}

int Form1::msgBox(std::u16string_view prompt, int style, std::u16string_view title) {
    return m_services.messages.msgBox(prompt, style, title);
}

}  // namespace pennory::app
