#pragma once
// The real window, offscreen: Form1 on the Qt platform, started and shown as main() does it.
//
// Services: dialogs and message boxes are the scripted ones of the headless platform (queue
// answers with dialogs().nextFileName(...), messages().nextAnswer(...); read what was shown
// with shown()), since nobody is there to answer a modal Qt dialog. A test that must see what
// a real modal dialog does to the window constructs the fixture with Dialogs::Real: then the
// common dialog shows the program's real Qt dialogs, which the test answers itself. The
// clipboard and the key injection are the real Qt ones; the shell only records what it was
// asked to open; the program's folders are those of HeadlessProgram (set program().m_dataDir
// etc.), and program().ended() tells whether the program was ended. PDF output and printing are
// the real Qt ones.
//
// The helpers act as the writer does: real mouse clicks (QTest) on the real widgets, typing
// with QTest::keyClicks into the focused widget, resizing the real window. Every click
// returns after the handler it raised has run. Widgets are found through Form1's controls,
// so a test can also check any widget directly (geometry in pixels: twips / 15).
//
// Example:
//     TEST_F(QtFormTest, KeypadInsertsIntoTheEditor) {
//         clickKeypad(0);
//         EXPECT_EQ(form().RichTextBox1().text(), u"，");
//         EXPECT_EQ(focusWidget(), editor());
//     }

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "app/form1.h"
#include "platform/headless/scripted_services.h"
#include "platform/qt/qt_factory.h"
#include "platform/qt/qt_picture_view.h"
#include "platform/qt/qt_services.h"

namespace pennory::testing {

namespace headless = platform::headless;
namespace qt = platform::qt;

class QtFormTest : public ::testing::Test {
protected:
    enum class Dialogs { Scripted, Real };
    explicit QtFormTest(Dialogs dialogs = Dialogs::Scripted);
    ~QtFormTest() override;

    app::Form1& form() { return *m_form; }
    qt::QtFactory& factory() { return *m_factory; }
    headless::ScriptedDialogs& dialogs() { return m_dialogs; }
    headless::ScriptedMessages& messages() { return m_messages; }
    headless::RecordingShell& shell() { return m_shell; }
    headless::HeadlessProgram& program() { return m_program; }
    qt::QtClipboard& clipboard() { return m_clipboard; }
    qt::QtFindPanel& findPanel() { return *m_findPanel; }

    // ---- The real widgets

    QMainWindow* mainWindow() const;
    QWidget* clientArea() const;
    QWidget* panel();          // Picture1
    QTextEdit* editor();       // RichTextBox1
    QTextEdit* reference();    // RichTextBox2
    qt::PictureView* image();  // Image1
    QScrollBar* hScroll();
    QScrollBar* vScroll();
    QTabWidget* tabStrip();
    QLabel* wordBankLabel(int index);      // Label2(index)
    QLineEdit* phraseBox(int index);       // Text1(index)
    QPushButton* keypadButton(int index);  // Command1(index)
    QToolButton* toolbarButton(std::u16string_view key);
    // The action of a menu item found on the menu bar by its captions, e.g.
    // {u"文件", u"另存为", u"rtf文档"}; fails the test when there is none.
    QAction* menuAction(std::initializer_list<std::u16string_view> path);
    // The widget that has the keyboard focus in the window.
    QWidget* focusWidget() const;

    // ---- Acting as the writer

    // A left click at `at` (widget coordinates; the centre by default). It lands on the widget
    // that lies in front at that place, as a real click does: a hidden or covered widget does
    // not get it.
    void click(QWidget* widget, QPoint at = QPoint(-1, -1));
    void clickToolbar(std::u16string_view key);
    // Opens the menus on the menu bar and chooses the item, as a person does. Choosing a
    // disabled item does nothing. Menus left open are closed afterwards.
    void clickMenu(std::initializer_list<std::u16string_view> path);
    bool menuEnabled(std::initializer_list<std::u16string_view> path);
    void clickKeypad(int index);
    void clickWordBank(int index);
    void clickPhraseBox(int index);
    // Resizes the real window so that its client area is width x height twips (to the
    // nearest pixel), and waits until the layout has followed.
    void resizeClient(int widthTwips, int heightTwips);

    template <typename Widget>
    static Widget* widgetOf(const platform::Control& control) {
        return qobject_cast<Widget*>(qt::QtFactory::widgetOf(control));
    }

private:
    std::unique_ptr<qt::QtFactory> m_factory;
    headless::ScriptedDialogs m_dialogs;
    std::unique_ptr<qt::QtDialogs> m_realDialogs;
    headless::ScriptedMessages m_messages;
    qt::QtClipboard m_clipboard;
    qt::QtKeys m_keys;
    headless::RecordingShell m_shell;
    headless::HeadlessProgram m_program;
    std::unique_ptr<qt::QtDocumentOutput> m_output;
    std::unique_ptr<qt::QtFindPanel> m_findPanel;
    std::unique_ptr<app::Form1> m_form;
    // With real dialogs: a dialog left open by a failing test would block the rest, so one
    // still open after a while fails the test and is closed.
    QTimer m_dialogWatchdog;
};

// Opens the menus on the menu bar by their captions with real clicks and chooses the last
// item, then closes the menus still open. Fails the test when an item is missing.
void chooseMenu(QMenuBar* bar, std::initializer_list<std::u16string_view> path);
// Closes every open popup menu.
void closeMenus();

}  // namespace pennory::testing
