// The input aids in the real window: real clicks on the keypad buttons, the word-bank labels,
// the phrase boxes and the toolbar, with the real editor, the real clipboard and real key
// events to the focused widget.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include "input/keypad_table.h"
#include "input/phrase_grid.h"
#include "platform/text/code_page_936.h"
#include "qt_form_fixture.h"
#include "support/working_folder.h"
#include "typing.h"

namespace pennory::testing {
namespace {

std::u16string clipboardText() { return QGuiApplication::clipboard()->text().toStdU16String(); }

class InputAids : public QtFormTest {
protected:
    platform::RichTextBox& manuscript() { return form().RichTextBox1(); }

    // The manuscript holds text, with the caret (or a selection) at start.
    void prepare(std::u16string_view text, std::size_t start, std::size_t length = 0) {
        manuscript().setText(text);
        manuscript().setSelStart(start);
        manuscript().setSelLength(length);
    }

    void expectCaretAt(std::size_t position) {
        EXPECT_EQ(manuscript().selStart(), position);
        EXPECT_EQ(manuscript().selLength(), 0u);
        EXPECT_EQ(editor()->textCursor().position(), static_cast<int>(position));
    }
};

// ---- Keypad

TEST_F(InputAids, KeypadButtonsInsertAtTheCaretAndLeaveItAfterTheirText) {
    const struct {
        int button;
        std::u16string_view inserted;
    } rows[] = {
        {0, u"，"}, {7, u"（）"}, {9, u"《》"}, {23, u"“”"}, {12, u"+"}, {13, u"-"}, {17, u"μF"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        prepare(u"甲乙", 1);
        clickKeypad(row.button);
        EXPECT_EQ(manuscript().text(), u"甲" + std::u16string(row.inserted) + u"乙");
        expectCaretAt(1 + row.inserted.size());
        EXPECT_EQ(focusWidget(), editor());
    }
}

TEST_F(InputAids, TypingAfterAPairOfMarksGoesBehindBothMarks) {
    prepare(u"见", 1);
    clickKeypad(9);  // 《》
    typeText(QApplication::focusWidget(), QStringLiteral("电子报"));
    EXPECT_EQ(manuscript().text(), u"见《》电子报");
}

TEST_F(InputAids, KeypadReplacesTheSelection) {
    prepare(u"电阻R1", 2, 2);
    clickKeypad(18);  // Ω
    EXPECT_EQ(manuscript().text(), u"电阻Ω");
    expectCaretAt(3);
}

TEST_F(InputAids, KeypadGivesTheEditorTheFocusFromAnyOtherControl) {
    click(reference());
    ASSERT_EQ(focusWidget(), reference());
    clickKeypad(1);
    EXPECT_EQ(focusWidget(), editor());
    EXPECT_EQ(QApplication::focusWidget(), editor());

    clickToolbar(u"selfdo");
    clickPhraseBox(4);
    ASSERT_EQ(focusWidget(), phraseBox(4));
    clickKeypad(2);
    EXPECT_EQ(QApplication::focusWidget(), editor());
    EXPECT_EQ(manuscript().text(), u"。、");
}

// ---- Word bank

TEST_F(InputAids, WordBankLabelsInsertTheirTermThroughTheClipboard) {
    clickToolbar(u"write");
    for (int label : {7, 50, 94, 148}) {
        SCOPED_TRACE(label);
        const std::u16string term = form().Label2(label).caption();
        ASSERT_FALSE(term.empty());
        ASSERT_EQ(panel()->childAt(wordBankLabel(label)->geometry().center()), wordBankLabel(label))
            << "the label lies in front";
        prepare(u"甲乙", 1);
        QGuiApplication::clipboard()->setText(QStringLiteral("旧的剪贴板"));

        clickWordBank(label);

        EXPECT_EQ(manuscript().text(), u"甲" + term + u"乙");
        expectCaretAt(1 + term.size());
        EXPECT_EQ(clipboardText(), term);
        EXPECT_EQ(focusWidget(), editor());
    }
    // Label 50's term ends with a blank, which the clipboard carries too.
    EXPECT_EQ(form().Label2(50).caption().back(), u' ');
}

// ---- Undo through the toolbar

TEST_F(InputAids, UndoButtonUndoesTheEditorsLastEdit) {
    typeText(editor(), QStringLiteral("电阻"));
    clickKeypad(1);  // 。
    ASSERT_EQ(manuscript().text(), u"电阻。");

    clickToolbar(u"back");
    EXPECT_EQ(manuscript().text(), u"电阻");
    EXPECT_EQ(focusWidget(), editor());

    clickToolbar(u"back");
    EXPECT_EQ(manuscript().text(), u"");
}

TEST_F(InputAids, UndoButtonUndoesThePhraseBoxsEditWhenItHasTheFocus) {
    clickKeypad(0);  // the manuscript has an edit to undo too
    clickToolbar(u"selfdo");
    clickPhraseBox(2);
    ASSERT_EQ(focusWidget(), phraseBox(2));
    typeText(phraseBox(2), QStringLiteral("abc"));
    ASSERT_EQ(phraseBox(2)->text(), QStringLiteral("abc"));

    clickToolbar(u"back");
    EXPECT_EQ(phraseBox(2)->text(), QString());
    EXPECT_EQ(manuscript().text(), u"，");
    EXPECT_EQ(focusWidget(), phraseBox(2));
}

TEST_F(InputAids, UndoMenuItemActsLikeTheButton) {
    typeText(editor(), QStringLiteral("稿"));
    clickKeypad(7);
    clickMenu({u"编辑", u"撤消"});
    EXPECT_EQ(manuscript().text(), u"稿");
}

// ---- Paste

TEST_F(InputAids, PasteOfRichClipboardContentInsertsPlainTextOnly) {
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral(
        "<b style=\"font-size:30pt\">粗体</b><span style=\"color:#ff0000\">红字</span>"));
    data->setText(QStringLiteral("粗体红字"));
    QGuiApplication::clipboard()->setMimeData(data);
    prepare(u"前后", 1);

    clickToolbar(u"palse");

    EXPECT_EQ(manuscript().text(), u"前粗体红字后");
    EXPECT_EQ(manuscript().content(),
              text::StyledText(u"前粗体红字后", manuscript().defaultFormat()));
    expectCaretAt(5);

    // Ctrl+V in the editor itself brings no formatting either.
    prepare(u"", 0);
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(manuscript().content(), text::StyledText(u"粗体红字", manuscript().defaultFormat()));
}

// ---- Phrase library

class InputPhraseLibrary : public InputAids {
protected:
    InputPhraseLibrary() : m_working(std::filesystem::path(m_folder.path().toStdString())) {}

    QByteArray phraseFile() const {
        QFile file(m_folder.filePath(QStringLiteral("date.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_folder;
    WorkingFolder m_working;
};

TEST_F(InputPhraseLibrary, TypedPhraseIsStoredAndComesBackAfterAChange) {
    clickToolbar(u"selfdo");  // no file yet: the boxes stay empty
    EXPECT_FALSE(form().phrasesReady);
    clickPhraseBox(3);
    ASSERT_EQ(focusWidget(), phraseBox(3));
    const QString phrase = QStringLiteral(" 电阻R1, \"10k\"");
    typeText(phraseBox(3), phrase);
    ASSERT_EQ(phraseBox(3)->text(), phrase);

    clickToolbar(u"enter");
    EXPECT_TRUE(form().phrasesReady);
    std::string expected;
    for (int i = 0; i < input::kPhraseCount; ++i) {
        if (i == 3) expected += text::cp936::encode(phrase.toStdU16String());
        expected += "\r\n";
    }
    EXPECT_EQ(phraseFile().toStdString(), expected);

    QTest::keyClick(phraseBox(3), Qt::Key_A, Qt::ControlModifier);
    typeText(phraseBox(3), QStringLiteral("改过的"));
    ASSERT_EQ(phraseBox(3)->text(), QStringLiteral("改过的"));

    clickToolbar(u"selfdo");
    EXPECT_EQ(phraseBox(3)->text(), phrase);
    EXPECT_TRUE(phraseBox(0)->text().isEmpty());

    // Ready now: a click inserts the phrase and sends the writer back to the manuscript.
    manuscript().setText(u"");
    clickPhraseBox(3);
    EXPECT_EQ(manuscript().text(), phrase.toStdU16String());
    EXPECT_EQ(focusWidget(), editor());
}

}  // namespace
}  // namespace pennory::testing
