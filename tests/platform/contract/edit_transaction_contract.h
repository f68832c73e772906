#pragma once
// Edit transactions, run over every implementation of the rich-text box (see
// contract_platform.h): several replacements are one change, one report and one undo step,
// with line breaks, formats and the caret as the interface says.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/contract/contract_platform.h"
#include "support/styled_text_printer.h"

namespace pennory::testing::contract {

using platform::RichTextBox;
using platform::TextEdit;
using text::CharFormat;
using text::Replacement;
using text::StyledText;

inline CharFormat manuscriptFormat() { return CharFormat{u"宋体", 9.0f}; }

template <typename Platform>
class EditTransactionContract : public ::testing::Test {
protected:
    EditTransactionContract()
        : m_box(impl.factory().createRichTextBox(nullptr, manuscriptFormat(), {})) {
        box().setChangeHandlers([this](const TextEdit& edit) { edits.push_back(edit); }, [] {});
    }
    RichTextBox& box() { return *m_box; }
    // Ctrl+Z as the writer presses it in the box.
    void pressCtrlZ() { impl.pressCtrlZ(*m_box); }
    void load(const StyledText& content) {
        box().setContent(content);
        edits.clear();
    }

    std::vector<TextEdit> edits;

private:
    Platform impl;
    std::unique_ptr<RichTextBox> m_box;
};

TYPED_TEST_SUITE_P(EditTransactionContract);

inline Replacement put(std::size_t start, std::size_t length, std::u16string text) {
    return {start, length, std::move(text), std::nullopt};
}

TYPED_TEST_P(EditTransactionContract, ReplacementsAreOneStepAndOneReport) {
    struct Case {
        const char* name;
        std::u16string before;
        std::vector<Replacement> replacements;
        std::u16string after;
        TextEdit reported;
    };
    const Case cases[] = {
        {"punctuation, front to back",
         u"甲,乙.丙,丁",
         {put(1, 1, u"，"), put(3, 1, u"。"), put(5, 1, u"，")},
         u"甲，乙。丙，丁",
         {1, 5, u"，乙。丙，"}},
        {"back to front, an insertion at the end",
         u"ab",
         {put(2, 0, u"!"), put(0, 1, u"A")},
         u"Ab!",
         {0, 2, u"Ab!"}},
        {"over several lines",
         u"第一行,\r\n第二行,\r\n",
         {put(3, 1, u"，"), put(9, 1, u"，")},
         u"第一行，\r\n第二行，\r\n",
         {3, 7, u"，\r\n第二行，"}},
        {"a whole line break", u"一\r\n二", {put(1, 2, u"")}, u"一二", {1, 2, u""}},
        {"touching a line break",
         u"一\r\n二",
         {put(0, 1, u"1"), put(3, 1, u"2")},
         u"1\r\n2",
         {0, 4, u"1\r\n2"}},
        {"the CR of a line break", u"a\r\nb", {put(1, 1, u"x")}, u"ax\nb", {1, 1, u"x"}},
        {"the LF of a line break", u"a\r\nb", {put(2, 1, u"x")}, u"a\rxb", {2, 1, u"x"}},
        {"both halves apart",
         u"a\r\nb",
         {put(2, 1, u"2"), put(1, 1, u"1")},
         u"a12b",
         {1, 2, u"12"}},
        {"between CR and LF", u"a\r\nb", {put(2, 0, u"|")}, u"a\r|\nb", {2, 0, u"|"}},
        {"new line breaks",
         u"甲。乙。",
         {put(1, 1, u"。\r\n"), put(3, 1, u"。\r\n")},
         u"甲。\r\n乙。\r\n",
         {1, 3, u"。\r\n乙。\r\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->load(StyledText(c.before, manuscriptFormat()));
        ASSERT_TRUE(this->box().applyReplacements(c.replacements));
        EXPECT_EQ(this->box().text(), c.after);
        ASSERT_EQ(this->edits.size(), 1u);
        EXPECT_EQ(this->edits[0].start, c.reported.start);
        EXPECT_EQ(this->edits[0].removed, c.reported.removed);
        EXPECT_EQ(this->edits[0].inserted, c.reported.inserted);

        this->pressCtrlZ();
        EXPECT_EQ(this->box().text(), c.before);
        EXPECT_EQ(this->box().content(), StyledText(c.before, manuscriptFormat()));
    }
}

TYPED_TEST_P(EditTransactionContract, ReplacedTextTakesTheFormatThereUnlessGivenOne) {
    const CharFormat bold{u"黑体", 12.0f, true};
    const CharFormat red{u"宋体", 10.5f, false, false, false, false, text::rgb(255, 0, 0)};
    StyledText before(u"粗", bold);
    before.append(u",细,", manuscriptFormat());
    this->load(before);
    ASSERT_TRUE(this->box().applyReplacements(
        {put(1, 1, u"，"), put(1, 0, u"前"), {3, 1, u"！", red}, put(0, 0, u"始")}));
    StyledText expected(u"始粗前", bold);  // an insertion: the character before, or the first
    expected.append(u"，细", manuscriptFormat());
    expected.append(u"！", red);
    EXPECT_EQ(this->box().content(), expected);
}

TYPED_TEST_P(EditTransactionContract, CaretAndSelectionMoveWithTheText) {
    this->load(StyledText(u"ab,cd,ef", manuscriptFormat()));
    this->box().setSelStart(3);
    this->box().setSelLength(2);  // cd
    ASSERT_TRUE(this->box().applyReplacements({put(2, 1, u"，，"), put(5, 1, u"")}));
    EXPECT_EQ(this->box().text(), u"ab，，cdef");
    EXPECT_EQ(this->box().selStart(), 4u);
    EXPECT_EQ(this->box().selText(), u"cd");

    this->box().setSelStart(5);  // inside a replaced word: after its new text
    ASSERT_TRUE(this->box().applyReplacements({put(4, 2, u"CDE")}));
    EXPECT_EQ(this->box().selStart(), 7u);
    EXPECT_EQ(this->box().selLength(), 0u);
}

TYPED_TEST_P(EditTransactionContract, OverlapsAndEmptyListsChangeNothing) {
    this->load(StyledText(u"一二三", manuscriptFormat()));
    EXPECT_FALSE(this->box().applyReplacements({put(0, 2, u"x"), put(1, 1, u"y")}));
    EXPECT_FALSE(this->box().applyReplacements({put(2, 2, u"x")}));
    EXPECT_TRUE(this->box().applyReplacements({}));
    EXPECT_EQ(this->box().text(), u"一二三");
    EXPECT_TRUE(this->edits.empty());
}

// A paragraph longer than the Qt box keeps in one block, with replacements on both sides
// of its pieces' joins, one of them from the paragraph's start into its second piece.
TYPED_TEST_P(EditTransactionContract, LongParagraphsKeepTheirLineBreaks) {
    const std::u16string longLine(5000, u'字');
    const std::u16string before = u"x\r\n" + longLine + u",\r\n,";
    this->load(StyledText(before, manuscriptFormat()));
    ASSERT_TRUE(this->box().applyReplacements(
        {put(0, 1, u"y"), put(3, 2100, u""), put(5003, 1, u"，"), put(5006, 1, u"。")}));
    const std::u16string after = this->box().text();
    EXPECT_EQ(after.substr(0, 4), u"y\r\n字");  // the paragraph break stays one
    EXPECT_TRUE(after == u"y\r\n" + std::u16string(2900, u'字') + u"，\r\n。");
    ASSERT_EQ(this->edits.size(), 1u);
    EXPECT_EQ(this->edits[0].start, 0u);
    EXPECT_EQ(this->edits[0].removed, 5007u);
    this->pressCtrlZ();
    EXPECT_TRUE(this->box().text() == before);
}

REGISTER_TYPED_TEST_SUITE_P(EditTransactionContract, ReplacementsAreOneStepAndOneReport,
                            ReplacedTextTakesTheFormatThereUnlessGivenOne,
                            CaretAndSelectionMoveWithTheText, OverlapsAndEmptyListsChangeNothing,
                            LongParagraphsKeepTheirLineBreaks);

}  // namespace pennory::testing::contract
