// How the writer's hands reach the input aids in the real window: pasting lines, double
// clicks, and an input method's composition still open when a command is clicked.

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <functional>

#include "qt_form_fixture.h"
#include "typing.h"

namespace pennory::testing {
namespace {

class InputGestures : public QtFormTest {
protected:
    platform::RichTextBox& manuscript() { return form().RichTextBox1(); }

    void prepare(std::u16string_view text, std::size_t caret) {
        manuscript().setText(text);
        manuscript().setSelStart(caret);
    }

    // A double-click as the window system reports it: press, release, press, release.
    void doubleClick(QWidget* widget) {
        QWidget* window = widget->window();
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                           widget->mapTo(window, widget->rect().center()));
        QApplication::processEvents();
    }

    // The input method shows pinyin's characters in the box, not chosen yet.
    static void compose(QWidget* box, const QString& preedit) {
        QInputMethodEvent event(preedit, {});
        QCoreApplication::sendEvent(box, &event);
    }
};

// ---- Paste

TEST_F(InputGestures, PasteButtonAndMenuMakeTheClipboardsLinesParagraphsAsCtrlVDoes) {
    // LF, as Linux programs put lines on the clipboard, and CR LF.
    QGuiApplication::clipboard()->setText(QStringLiteral("第一段\n第二段\r\n第三段\n"));
    const std::u16string pasted = u"前第一段\r\n第二段\r\n第三段\r\n后";

    prepare(u"前后", 1);
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(manuscript().text(), pasted);

    const std::function<void()> pastes[] = {
        [&] { clickToolbar(u"palse"); },
        [&] {
            clickMenu({u"编辑", u"粘贴"});
        },
    };
    for (const auto& paste : pastes) {
        prepare(u"前后", 1);
        paste();
        EXPECT_EQ(manuscript().text(), pasted);
        EXPECT_EQ(editor()->document()->blockCount(), 4);
        EXPECT_EQ(manuscript().selStart(), pasted.size() - 1);
    }
}

// ---- One click, one insertion

TEST_F(InputGestures, DoubleClickOnAWordBankLabelInsertsItsTermOnce) {
    clickToolbar(u"write");
    prepare(u"", 0);
    doubleClick(wordBankLabel(1));
    EXPECT_EQ(manuscript().text(), u"电源");

    // A single click after it still counts.
    click(wordBankLabel(2));
    EXPECT_EQ(manuscript().text(), u"电源电压");
}

TEST_F(InputGestures, DoubleClickOnAStoredPhraseInsertsItOnce) {
    clickToolbar(u"selfdo");
    form().Text1(4).setText(u"本电路由两部分组成");
    form().phrasesReady = true;
    prepare(u"", 0);

    doubleClick(phraseBox(4));
    EXPECT_EQ(manuscript().text(), u"本电路由两部分组成");
}

// ---- An open composition

TEST_F(InputGestures, CompositionLandsWhereItWasTypedBeforeAClickInserts) {
    struct Case {
        const char* name;
        std::function<void()> click;
        std::u16string_view inserted;
    };
    const Case cases[] = {
        {"word bank", [&] { clickWordBank(1); }, u"电源"},
        {"keypad", [&] { clickKeypad(1); }, u"。"},
        {"toolbar", [&] { clickToolbar(u"palse"); }, u"粘"},
        {"menu",
         [&] {
             clickMenu({u"编辑", u"粘贴"});
         },
         u"粘"},
    };
    clickToolbar(u"write");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QGuiApplication::clipboard()->setText(QStringLiteral("粘"));
        prepare(u"", 0);
        editor()->setFocus();
        typeText(editor(), QStringLiteral("甲"));
        compose(editor(), QStringLiteral("电阻"));
        ASSERT_EQ(manuscript().text(), u"甲");

        c.click();
        EXPECT_EQ(manuscript().text(), u"甲电阻" + std::u16string(c.inserted));
        EXPECT_TRUE(editor()->textCursor().block().layout()->preeditAreaText().isEmpty());
    }
}

TEST_F(InputGestures, CompositionInAPhraseBoxStaysThereAndIsStoredWithIt) {
    clickToolbar(u"selfdo");
    clickPhraseBox(0);
    typeText(phraseBox(0), QStringLiteral("电"));
    compose(phraseBox(0), QStringLiteral("阻"));
    prepare(u"", 0);

    // The toolbar button takes no focus: the box would go on composing unseen.
    clickToolbar(u"stop");
    EXPECT_EQ(form().Text1(0).text(), u"电阻");
    EXPECT_EQ(manuscript().text(), u"");
}

}  // namespace
}  // namespace pennory::testing
