// 查找, 查找下一个, 替换 and the find panel's buttons on the headless window.

#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using platform::FindAction;
using platform::FindFields;

class FindReplace : public FormTest {
protected:
    headless::RecordingFindPanel& panel() { return platform().findPanel; }
    std::u16string status() { return form().StatusLine().caption(); }
    bool statusEndsWith(std::u16string_view note) { return status().ends_with(note); }
    static FindFields fields(std::u16string what, std::u16string with = {},
                             text::SearchOptions options = {}) {
        return {std::move(what), std::move(with), options};
    }
    std::pair<std::size_t, std::size_t> selection() {
        return {editor().selStart(), editor().selLength()};
    }
};

TEST_F(FindReplace, MenuItemsStandBehindALineAfterPasteWithTheirShortcuts) {
    EXPECT_EQ(form().mnuedititem(6).caption(), u"查找");
    EXPECT_EQ(form().mnuedititem(6).shortcut(), u"Ctrl+F");
    EXPECT_EQ(form().mnuedititem(7).caption(), u"查找下一个");
    EXPECT_EQ(form().mnuedititem(7).shortcut(), u"F3");
    EXPECT_EQ(form().mnuedititem(8).caption(), u"替换");
    EXPECT_EQ(form().mnuedititem(8).shortcut(), u"Ctrl+H");
    EXPECT_EQ(form().mnuedititem(5).shortcut(), u"");
}

TEST_F(FindReplace, FindOpensThePanelAndReplaceOpensItWithItsReplaceField) {
    clickMenu({u"编辑", u"查找"});
    EXPECT_TRUE(panel().shown());
    EXPECT_FALSE(panel().withReplace());
    clickMenu({u"编辑", u"替换"});
    EXPECT_TRUE(panel().withReplace());
    panel().press(FindAction::Close, panel().fields());
    EXPECT_FALSE(panel().shown());
}

TEST_F(FindReplace, AShortSelectionFillsTheFindField) {
    editor().setText(u"甲乙丙");
    editor().setSelStart(1);
    editor().setSelLength(2);
    clickMenu({u"编辑", u"查找"});
    EXPECT_EQ(panel().fields().findWhat, u"乙丙");
}

TEST_F(FindReplace, FindNextSelectsMatchesAndWrapsWithANote) {
    editor().setText(u"春风，春雨，春雷");
    editor().setSelStart(3);
    clickMenu({u"编辑", u"查找"});
    panel().press(FindAction::FindNext, fields(u"春"));
    EXPECT_EQ(selection(), (std::pair<std::size_t, std::size_t>{3, 1}));
    clickMenu({u"编辑", u"查找下一个"});  // F3 repeats the last search
    EXPECT_EQ(selection(), (std::pair<std::size_t, std::size_t>{6, 1}));
    EXPECT_FALSE(statusEndsWith(u"从开头继续查找。"));
    clickMenu({u"编辑", u"查找下一个"});
    EXPECT_EQ(selection(), (std::pair<std::size_t, std::size_t>{0, 1}));
    EXPECT_TRUE(statusEndsWith(u"已到末尾，从开头继续查找。"));
}

TEST_F(FindReplace, NothingFoundIsANote) {
    editor().setText(u"春风");
    clickMenu({u"编辑", u"查找"});
    panel().press(FindAction::FindNext, fields(u"秋"));
    EXPECT_TRUE(statusEndsWith(u"找不到“秋”。"));
    EXPECT_EQ(selection(), (std::pair<std::size_t, std::size_t>{0, 0}));
}

TEST_F(FindReplace, FindNextWithoutASearchOpensThePanel) {
    clickMenu({u"编辑", u"查找下一个"});
    EXPECT_TRUE(panel().shown());
}

TEST_F(FindReplace, WidthIsFoldedUnlessAskedToTellItApart) {
    editor().setText(u"ＡＢＣ和abc");
    clickMenu({u"编辑", u"查找"});
    panel().press(FindAction::FindNext, fields(u"abc"));
    EXPECT_EQ(selection(), (std::pair<std::size_t, std::size_t>{0, 3}));
    editor().setSelStart(0);
    panel().press(FindAction::FindNext, fields(u"abc", {}, {false, true, false, false}));
    EXPECT_EQ(selection(), (std::pair<std::size_t, std::size_t>{4, 3}));
}

TEST_F(FindReplace, AnInvalidRegularExpressionIsToldAndChangesNothing) {
    editor().setText(u"a(b");
    clickMenu({u"编辑", u"替换"});
    panel().press(FindAction::ReplaceAll, fields(u"(", u"x", {false, false, false, true}));
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt, u"正则表达式“(”有误，无法查找。");
    EXPECT_EQ(editor().text(), u"a(b");
}

TEST_F(FindReplace, ReplaceAllIsOneUndoStepAndKeepsEachFormat) {
    text::StyledText content(u"红字", text::CharFormat{u"黑体", 14.0f, true});
    content.append(u"和红字", text::CharFormat{u"宋体", 9.0f});
    editor().setContent(content);
    clickMenu({u"编辑", u"替换"});
    panel().press(FindAction::ReplaceAll, fields(u"红", u"绿色"));
    EXPECT_EQ(editor().text(), u"绿色字和绿色字");
    EXPECT_TRUE(statusEndsWith(u"已替换 2 处。"));
    const auto runs = editor().content().runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, u"绿色字");
    EXPECT_EQ(runs[0].format.fontName, u"黑体");
    EXPECT_EQ(runs[1].text, u"和绿色字");
    EXPECT_EQ(runs[1].format.fontName, u"宋体");
    editor().undo();
    EXPECT_EQ(editor().text(), u"红字和红字");
}

TEST_F(FindReplace, ReplaceReplacesTheSelectedMatchThenSelectsTheNext) {
    editor().setText(u"一猫二猫");
    clickMenu({u"编辑", u"替换"});
    const auto f = fields(u"猫", u"狗");
    panel().press(FindAction::Replace, f);  // nothing selected: finds the first
    EXPECT_EQ(editor().text(), u"一猫二猫");
    EXPECT_EQ(selection(), (std::pair<std::size_t, std::size_t>{1, 1}));
    panel().press(FindAction::Replace, f);
    EXPECT_EQ(editor().text(), u"一狗二猫");
    EXPECT_EQ(selection(), (std::pair<std::size_t, std::size_t>{3, 1}));
}

TEST_F(FindReplace, RegularExpressionReplacementTakesGroups) {
    editor().setText(u"2024年6月");
    clickMenu({u"编辑", u"替换"});
    panel().press(FindAction::ReplaceAll,
                  fields(u"(\\d+)年(\\d+)月", u"$2月$1年", {false, false, false, true}));
    EXPECT_EQ(editor().text(), u"6月2024年");
}

TEST_F(FindReplace, TheReferenceBoxIsSearchedWhileItWasClickedLast) {
    editor().setText(u"正文");
    reference().setText(u"参考文字");
    form().openIntoReference = true;
    clickMenu({u"编辑", u"替换"});
    panel().press(FindAction::ReplaceAll, fields(u"文", u"X"));
    EXPECT_EQ(reference().text(), u"参考X字");
    EXPECT_EQ(editor().text(), u"正文");
    EXPECT_TRUE(form().openIntoReference);
}

TEST_F(FindReplace, UnifyingPunctuationAsksWithTheCountFirst) {
    editor().setText(u"你好,世界.圆周率3.14,对吗?");
    clickMenu({u"编辑", u"替换"});
    messages().nextAnswer(platform::vbNo);
    panel().press(FindAction::FullWidthPunctuation, fields(u""));
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt, u"将把 3 处半角标点统一为全角标点，要继续吗？");
    EXPECT_EQ(editor().text(), u"你好,世界.圆周率3.14,对吗?");
    messages().nextAnswer(platform::vbYes);
    panel().press(FindAction::FullWidthPunctuation, fields(u""));
    EXPECT_EQ(editor().text(), u"你好，世界。圆周率3.14,对吗？");
    editor().undo();
    EXPECT_EQ(editor().text(), u"你好,世界.圆周率3.14,对吗?");
}

TEST_F(FindReplace, NothingToUnifyIsANote) {
    editor().setText(u"你好，世界。");
    clickMenu({u"编辑", u"替换"});
    panel().press(FindAction::FullWidthPunctuation, fields(u""));
    EXPECT_TRUE(messages().shown().empty());
    EXPECT_TRUE(statusEndsWith(u"没有需要统一的标点。"));
}

TEST_F(FindReplace, UnifyingLettersAndDigitsMakesThemNarrow) {
    editor().setText(u"第１２章ＡＢｃ");
    clickMenu({u"编辑", u"替换"});
    messages().nextAnswer(platform::vbYes);
    panel().press(FindAction::HalfWidthLetters, fields(u""));
    EXPECT_EQ(messages().shown().at(0).prompt, u"将把 5 处全角字母和数字统一为半角，要继续吗？");
    EXPECT_EQ(editor().text(), u"第12章ABc");
}

}  // namespace
}  // namespace pennory::testing
