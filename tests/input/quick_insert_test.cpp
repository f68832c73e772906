// The symbol keypad and the word bank: one click replaces the manuscript's selection.

#include "input/keypad_table.h"
#include "input/word_bank_table.h"
#include "support/design_literals.h"
#include "support/working_folder.h"

namespace pennory::testing {
namespace {

// "selfdo" reads the working folder's phrase file.
class QuickInsert : public FormInTempFolder {
protected:
    headless::MemoryClipboard& clipboard() { return platform().clipboard; }
    void clickKey(int index) {
        static_cast<headless::HeadlessButton&>(form().Command1(index)).click();
    }
    void clickLabel(int index) {
        static_cast<headless::HeadlessLabel&>(form().Label2(index)).click();
    }
    void manuscript(std::u16string_view text, std::size_t start, std::size_t length) {
        editor().setText(text);
        editor().setSelStart(start);
        editor().setSelLength(length);
    }
};

// ---- Keypad

TEST_F(QuickInsert, EveryKeyInsertsItsTextAtTheCaret) {
    const std::u16string_view expected[input::kKeypadSize] = {
        u"，", u"。", u"、", u"；", u"：", u"？", u"！", u"（）", u"…", u"《》", u"～", u"·",
        u"+",  u"-",  u"×",  u"÷",  u"/",  u"μF", u"Ω",  u"KΩ",   u"—", u"=",    u"pF", u"“”",
    };
    for (int i = 0; i < input::kKeypadSize; ++i) {
        SCOPED_TRACE(i);
        manuscript(u"前后", 1, 0);
        clickKey(i);
        EXPECT_EQ(editor().text(), u"前" + std::u16string(expected[i]) + u"后");
        EXPECT_EQ(editor().selStart(), 1 + expected[i].size());
        EXPECT_EQ(editor().selLength(), 0u);
    }
}

TEST_F(QuickInsert, PlusAndMinusKeysShowFullWidthButInsertAscii) {
    EXPECT_EQ(form().Command1(12).caption(), u"＋");
    EXPECT_EQ(form().Command1(13).caption(), u"－");
    clickKey(12);
    clickKey(13);
    clickKey(20);
    EXPECT_EQ(editor().text(), u"+-\u2014");
}

TEST_F(QuickInsert, PairedMarksGoInWholeAndTheCaretEndsAfterTheClosingMark) {
    manuscript(u"见图一", 2, 0);
    clickKey(7);
    EXPECT_EQ(editor().text(), u"见图（）一");
    EXPECT_EQ(editor().selStart(), 4u);
    clickKey(23);
    EXPECT_EQ(editor().text(), u"见图（）“”一");
    EXPECT_EQ(editor().selStart(), 6u);
}

TEST_F(QuickInsert, KeyReplacesTheSelection) {
    manuscript(u"电阻,电容", 2, 1);
    clickKey(0);
    EXPECT_EQ(editor().text(), u"电阻，电容");
    EXPECT_EQ(editor().selStart(), 3u);
}

TEST_F(QuickInsert, KeyMovesTheFocusFromAPhraseBoxToTheManuscript) {
    clickToolbar(u"selfdo");
    phraseBox(3).click();
    ASSERT_TRUE(phraseBox(3).hasFocus());
    clickKey(1);
    EXPECT_TRUE(editor().hasFocus());
    EXPECT_EQ(editor().text(), u"。");
    EXPECT_EQ(phraseBox(3).text(), u"");
}

TEST_F(QuickInsert, KeyLeavesTheClipboardAlone) {
    clipboard().setText(u"剪贴板");
    clickKey(5);
    EXPECT_EQ(clipboard().contents(), u"剪贴板");
}

TEST_F(QuickInsert, IndexOutsideTheKeypadDoesNothing) {
    manuscript(u"稿", 1, 0);
    form().Command1_Click(-1);
    form().Command1_Click(24);
    EXPECT_EQ(editor().text(), u"稿");
}

// ---- Word bank

TEST_F(QuickInsert, EveryLabelInsertsExactlyItsCaption) {
    clickToolbar(u"write");
    for (int i = 0; i < 149; ++i) {
        SCOPED_TRACE(i);
        // The contact labels' texts are the program's own: they insert what they show.
        const std::u16string caption(
            design::kWordBankCaptions[i].value_or(form().Label2(i).caption()));
        manuscript(u"[]", 1, 0);
        clickLabel(i);
        EXPECT_EQ(editor().text(), u"[" + caption + u"]");
        EXPECT_EQ(editor().selStart(), 1 + caption.size());
        EXPECT_EQ(clipboard().contents(), caption);
    }
}

TEST_F(QuickInsert, LongSentenceAndTrailingBlankAreInsertedAsTheyAre) {
    clickToolbar(u"write");
    clickLabel(0);
    EXPECT_EQ(editor().text(),
              u"220V交流电经变压器降压\uFF0CVD1\uFF5EVD4整流\uFF0CC1滤波\uFF0C"
              u"获得+V直流电压。");
    manuscript(u"", 0, 0);
    clickLabel(50);
    EXPECT_EQ(editor().text(), u"天线 ");
}

TEST_F(QuickInsert, LabelReplacesTheSelectionAndOverwritesTheClipboard) {
    clickToolbar(u"write");
    clipboard().setText(u"先前复制的");
    manuscript(u"一只XX和", 2, 2);
    clickLabel(7);
    EXPECT_EQ(editor().text(), u"一只电阻和");
    EXPECT_EQ(editor().selStart(), 4u);
    EXPECT_EQ(clipboard().contents(), u"电阻");

    clickToolbar(u"palse");  // a paste repeats the term
    EXPECT_EQ(editor().text(), u"一只电阻电阻和");
}

TEST_F(QuickInsert, LabelLeavesTheFocusWhereItWas) {
    clickToolbar(u"write");
    reference().click();
    clickLabel(12);
    EXPECT_TRUE(reference().hasFocus());
    EXPECT_EQ(editor().text(), u"变压器");
    EXPECT_EQ(reference().text(), u"");

    editor().setFocus();
    clickLabel(13);
    EXPECT_TRUE(editor().hasFocus());
}

TEST_F(QuickInsert, ContactLabelsInsertTheirCaptions) {
    clickToolbar(u"write");
    for (int i = 94; i <= 97; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(form().Label2(i).caption().empty());
        manuscript(u"", 0, 0);
        clickLabel(i);
        EXPECT_EQ(editor().text(), form().Label2(i).caption());
    }
}

TEST_F(QuickInsert, BrokenClipboardStillInsertsTheTerm) {
    clickToolbar(u"write");
    clipboard().setText(u"旧内容");
    clipboard().setBroken(true);
    manuscript(u"XX", 0, 2);
    clickLabel(26);
    EXPECT_EQ(editor().text(), u"二极管");
    EXPECT_EQ(editor().selStart(), 3u);
    EXPECT_TRUE(messages().shown().empty());
    clipboard().setBroken(false);
    EXPECT_EQ(clipboard().contents(), u"旧内容");
}

TEST_F(QuickInsert, IndexOutsideTheWordBankDoesNothing) {
    form().Label2_Click(-1);
    form().Label2_Click(149);
    EXPECT_EQ(editor().text(), u"");
}

}  // namespace
}  // namespace pennory::testing
