// "文本字体" and "文本颜色": the shared dialog's values go onto the manuscript's selection,
// whether the dialog was confirmed or cancelled.

#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using text::CharFormat;
using text::rgb;
using text::StyledText;

class TextFormat : public FormTest {
protected:
    void clickFont() { clickMenu({u"文本字体"}); }
    void clickColour() { clickMenu({u"文本颜色"}); }

    // Every character of [start, start + length) has this format.
    void expectFormat(std::size_t start, std::size_t length, const CharFormat& expected) {
        const StyledText part = editor().content().slice(start, length);
        ASSERT_EQ(part.length(), length);
        for (const auto& run : part.runs()) EXPECT_EQ(run.format, expected) << utf8(run.text);
    }
    CharFormat formatOf(const text::Font& font, text::Colour colour = 0) {
        return {font, colour};
    }
    void select(std::size_t start, std::size_t length) {
        editor().setSelStart(start);
        editor().setSelLength(length);
    }

    const text::Font kHeiti{u"黑体", 10.5f, true, true, false, false};
};

TEST_F(TextFormat, FontDialogAsksForFlags3AndFirstProposesTheStartUpFont) {
    clickFont();
    ASSERT_EQ(dialogs().shown().size(), 1u);
    const auto& shown = dialogs().shown()[0];
    EXPECT_EQ(shown.kind, headless::ScriptedDialogs::Shown::Font);
    EXPECT_EQ(shown.flags, 3);
    EXPECT_EQ(shown.font, (text::Font{u"宋体", 11.0f}));
}

TEST_F(TextFormat, ConfirmedFontSetsAllSixAttributesUniformlyOverTheSelection) {
    StyledText mixed(u"电阻", CharFormat{u"楷体", 20.0f, false, false, true, true, rgb(255, 0, 0)});
    mixed.append(u"电容", CharFormat{u"仿宋", 8.0f, true});
    mixed.append(u"电感", CharFormat{});
    editor().setContent(mixed);
    select(1, 4);
    dialogs().nextFont(kHeiti);

    clickFont();
    // Colour is not the font dialog's business: each character keeps its own.
    CharFormat expected = formatOf(kHeiti);
    expected.colour = rgb(255, 0, 0);
    expectFormat(1, 1, expected);
    expectFormat(2, 3, formatOf(kHeiti));
    EXPECT_EQ(editor().content().slice(0, 1), mixed.slice(0, 1));
    EXPECT_EQ(editor().content().slice(5, 1), mixed.slice(5, 1));
    EXPECT_EQ(editor().text(), u"电阻电容电感");
}

TEST_F(TextFormat, FractionalSizeSurvives) {
    editor().setText(u"稿子");
    select(0, 2);
    dialogs().nextFont(text::Font{u"宋体", 10.5f});
    clickFont();
    EXPECT_EQ(editor().content().runs().front().format.sizePt, 10.5f);
}

TEST_F(TextFormat, FirstCancelAppliesSimSun11PlainAndRemovesUnderlineAndStrikethrough) {
    editor().setContent(
        StyledText(u"下划删除", CharFormat{u"黑体", 14.0f, true, true, true, true}));
    select(0, 4);
    clickFont();  // unscripted: cancelled
    expectFormat(0, 4, CharFormat{u"宋体", 11.0f});
}

TEST_F(TextFormat, ConfirmedFontRemovesUnderlineAndStrikethrough) {
    editor().setContent(StyledText(u"下划", CharFormat{u"宋体", 9.0f, false, false, true, true}));
    select(0, 2);
    dialogs().nextFont(kHeiti);
    clickFont();
    expectFormat(0, 2, formatOf(kHeiti));
}

TEST_F(TextFormat, CancelAfterAChoiceReappliesThatChoice) {
    editor().setText(u"第一段第二段");
    select(0, 3);
    dialogs().nextFont(kHeiti);
    clickFont();

    select(3, 3);
    clickFont();  // cancelled
    expectFormat(0, 6, formatOf(kHeiti));
    // The dialog proposes the last choice again.
    EXPECT_EQ(dialogs().shown().back().font, kHeiti);
}

TEST_F(TextFormat, FontWithoutSelectionAppliesToTheTextTypedNext) {
    editor().setText(u"旧");
    editor().setSelStart(1);
    dialogs().nextFont(kHeiti);
    clickFont();
    editor().type(u"新");
    expectFormat(0, 1, CharFormat{u"宋体", 9.0f});
    expectFormat(1, 1, formatOf(kHeiti));
}

TEST_F(TextFormat, ReferenceBoxIsNeverFormattedEvenWithTheFocus) {
    reference().setText(u"参考");
    reference().setSelStart(0);
    reference().setSelLength(2);
    reference().click();
    const StyledText before = reference().content();
    dialogs().nextFont(kHeiti);
    dialogs().nextColour(rgb(0, 0, 255));
    clickFont();
    clickColour();
    EXPECT_EQ(reference().content(), before);
}

TEST_F(TextFormat, ConfirmedColourIsApplied) {
    editor().setText(u"红色");
    select(0, 2);
    dialogs().nextColour(rgb(255, 0, 0));
    clickColour();
    expectFormat(0, 2, CharFormat{u"宋体", 9.0f, false, false, false, false, rgb(255, 0, 0)});
}

TEST_F(TextFormat, FirstCancelledColourIsBlackAndALaterCancelReappliesTheLastChoice) {
    editor().setContent(
        StyledText(u"绿蓝", CharFormat{u"宋体", 9.0f, false, false, false, false, rgb(0, 128, 0)}));
    select(0, 1);
    clickColour();  // cancelled before any choice
    EXPECT_EQ(editor().content().runs().front().format.colour, rgb(0, 0, 0));

    dialogs().nextColour(rgb(0, 0, 255));
    clickColour();
    select(1, 1);
    clickColour();  // cancelled
    expectFormat(0, 2, CharFormat{u"宋体", 9.0f, false, false, false, false, rgb(0, 0, 255)});
    EXPECT_EQ(dialogs().shown().back().colour, rgb(0, 0, 255));
}

TEST_F(TextFormat, ColourWithoutSelectionAppliesToTheTextTypedNext) {
    editor().setText(u"黑");
    editor().setSelStart(1);
    dialogs().nextColour(rgb(255, 0, 0));
    clickColour();
    editor().type(u"红");
    EXPECT_EQ(editor().content().slice(0, 1).runs().front().format.colour, rgb(0, 0, 0));
    EXPECT_EQ(editor().content().slice(1, 1).runs().front().format.colour, rgb(255, 0, 0));
}

TEST_F(TextFormat, ColourDialogSetsNoFlagsOfItsOwn) {
    clickColour();
    EXPECT_EQ(dialogs().shown().back().flags, 0);
    clickFont();
    clickColour();
    EXPECT_EQ(dialogs().shown().back().flags, 3);  // left by the font dialog
}

}  // namespace
}  // namespace pennory::testing
