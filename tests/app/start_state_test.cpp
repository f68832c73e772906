// The window as the writer first sees it, and the dispatch of toolbar keys and menu items.

#include "input/keypad_table.h"
#include "input/phrase_grid.h"
#include "input/word_bank_table.h"
#include "support/design_literals.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using StartState = FormTest;

TEST_F(StartState, OnlyTheReferenceTextViewAndTheKeypadAreVisible) {
    EXPECT_TRUE(form().RichTextBox2().visible());
    EXPECT_EQ(form().RichTextBox2().toolTip(), u"请打开参考用文本、图片等");
    EXPECT_FALSE(form().Image1().visible());
    EXPECT_FALSE(form().HScroll1().visible());
    EXPECT_FALSE(form().VScroll1().visible());
    EXPECT_FALSE(form().TabStrip1().visible());
    EXPECT_EQ(form().TabStrip1().caption(), u"词汇定制");
    for (int i = 0; i < input::kWordBankSize; ++i) EXPECT_FALSE(form().Label2(i).visible()) << i;
    for (int i = 0; i < input::kPhraseCount; ++i) {
        EXPECT_FALSE(form().Text1(i).visible()) << i;
        EXPECT_EQ(form().Text1(i).text(), u"") << i;
    }
    for (int i = 0; i < input::kKeypadSize; ++i) EXPECT_TRUE(form().Command1(i).visible()) << i;
}

TEST_F(StartState, EditorIsEmptyFocusedAndTitled) {
    EXPECT_EQ(form().window().caption(), u"Pennory");
    EXPECT_TRUE(form().RichTextBox1().hasFocus());
    EXPECT_EQ(form().RichTextBox1().text(), u"");
    EXPECT_EQ(form().RichTextBox2().text(), u"");
    EXPECT_EQ(form().RichTextBox1().toolTip(), u"请写您的稿子");
    EXPECT_EQ(form().RichTextBox1().defaultFormat(), (text::CharFormat{u"宋体", 9.0f}));
    EXPECT_EQ(form().RichTextBox2().defaultFormat(), (text::CharFormat{u"宋体", 10.5f}));
}

TEST_F(StartState, FlagsAreFalseAndTheFontDialogIsPreset) {
    EXPECT_FALSE(form().phrasesReady);
    EXPECT_FALSE(form().openIntoReference);
    EXPECT_FALSE(form().saveTargetChosen);
    EXPECT_FALSE(form().mayEncrypt);
    EXPECT_FALSE(form().mayDecrypt);
    auto& dialog = form().CommonDialog1();
    EXPECT_EQ(dialog.Font, (text::Font{u"宋体", 11.0f}));
    EXPECT_EQ(dialog.FileName, u"");
    EXPECT_EQ(dialog.DialogTitle, u"");
    EXPECT_EQ(dialog.Filter, u"");
}

TEST_F(StartState, MenusHaveTheirCaptionsAndOnlyTheCipherItemsAreDisabled) {
    struct Row {
        std::initializer_list<std::u16string_view> path;
        bool enabled;
    };
    const Row rows[] = {
        {{u"文件", u"新建"}, true},
        {{u"文件", u"打开"}, true},
        {{u"文件", u"保存"}, true},
        {{u"文件", u"另存为"}, true},
        {{u"文件", u"另存为", u"rtf文档"}, true},
        {{u"文件", u"另存为", u"txt文档"}, true},
        {{u"文件", u"另存为", u"docx文档"}, true},
        {{u"文件", u"另存为", u"odt文档"}, true},
        {{u"文件", u"退出"}, true},
        {{u"编辑", u"撤消"}, true},
        {{u"编辑", u"全选"}, true},
        {{u"编辑", u"剪切"}, true},
        {{u"编辑", u"删除"}, true},
        {{u"编辑", u"复制"}, true},
        {{u"编辑", u"粘贴"}, true},
        {{u"文本字体"}, true},
        {{u"文本颜色"}, true},
        {{u"文稿加密", u"请输入密码"}, true},
        {{u"文稿加密", u"入口"}, true},
        {{u"文稿加密", u"入口", u"文稿加密"}, false},
        {{u"文稿加密", u"入口", u"文稿解密"}, false},
        {{u"文稿加密", u"更改密码"}, false},
        {{u"帮助", u"帮助"}, true},
        {{u"帮助", u"给我写信"}, true},
        {{u"帮助", u"关于本软件"}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(utf8(*(row.path.end() - 1)));
        EXPECT_EQ(menuEnabled(row.path), row.enabled);
    }
    EXPECT_EQ(form().mnufileitem(4).caption(), u"退出");
    EXPECT_EQ(form().mnucodeitem(2).caption(), u"更改密码");
    EXPECT_EQ(form().mnuhelpitem(3).caption(), u"关于本软件");
}

TEST_F(StartState, MenuItemsHaveTheirCaptionsByIndex) {
    const std::pair<platform::MenuItem*, std::u16string_view> menus[] = {
        {&form().file(), design::kMenuBar[0]}, {&form().edit(), design::kMenuBar[1]},
        {&form().font(), design::kMenuBar[2]}, {&form().color(), design::kMenuBar[3]},
        {&form().code(), design::kMenuBar[4]}, {&form().help(), design::kMenuBar[5]},
    };
    for (const auto& [menu, caption] : menus) EXPECT_EQ(menu->caption(), caption);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(form().mnufileitem(i).caption(), design::kFileMenu[i]);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(form().saveas(i).caption(), design::kSaveAsMenu[i]);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(form().saveas(2 + i).caption(), design::kSaveAsOfficeItems[i]);
    }
    EXPECT_EQ(platform().factory.menuLines(&form().mnufileitem(3)),
              (std::vector<std::u16string>{u"rtf文档", u"txt文档", u"docx文档", u"odt文档"}));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(form().mnuedititem(i).caption(), design::kEditMenu[i]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(form().mnucodeitem(i).caption(), design::kCodeMenu[i]);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(form().codechilditem(i).caption(), design::kCodeChildMenu[i]);
    }
    for (int i : {0, 2, 3}) EXPECT_EQ(form().mnuhelpitem(i).caption(), design::kHelpMenu[i]);
}

TEST_F(StartState, ToolbarHasTenButtonsInOrder) {
    ASSERT_EQ(form().toolbarButtonCount(), 10);
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(form().Toolbar1(i).key(), design::kToolbarButtons[i].key);
        EXPECT_EQ(form().Toolbar1(i).caption(), design::kToolbarButtons[i].caption);
        EXPECT_EQ(form().Toolbar1(i).toolTip(), design::kToolbarButtons[i].toolTip);
        EXPECT_TRUE(form().Toolbar1(i).enabled());
    }
}

TEST_F(StartState, EveryKeypadButtonShowsItsCaptionInItsSlot) {
    for (int i = 0; i < 24; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(form().Command1(i).caption(), design::kKeypadButtons[i].caption);
        EXPECT_EQ(form().Command1(i).geometry().left, 120 + 480 * design::kKeypadButtons[i].slot);
    }
}

TEST_F(StartState, EveryWordBankLabelHasItsCaptionAndPlace) {
    for (int i = 0; i < 149; ++i) {
        SCOPED_TRACE(i);
        const auto& caption = design::kWordBankCaptions[i];
        if (caption) {
            EXPECT_EQ(form().Label2(i).caption(), *caption);
        } else {
            EXPECT_NE(form().Label2(i).caption(), u"");  // a contact label
        }
        EXPECT_EQ(form().Label2(i).geometry().left, design::kWordBankPlaces[i].left);
        EXPECT_EQ(form().Label2(i).geometry().top, design::kWordBankPlaces[i].top);
    }
}

TEST_F(StartState, KeypadButtonsStandInTheirSlots) {
    // Index 23 ("“”") sits in slot 7, index 7 ("（）") in slot 8.
    EXPECT_EQ(form().Command1(23).geometry().left, 120 + 480 * 7);
    EXPECT_EQ(form().Command1(7).geometry().left, 120 + 480 * 8);
    EXPECT_EQ(form().Command1(12).caption(), u"＋");
    EXPECT_EQ(form().Command1(19).geometry(), (platform::Geometry{120 + 480 * 23, 7490, 500, 320}));
}

TEST_F(StartState, WordBankAndPhraseBoxesHaveTheirPlaces) {
    EXPECT_EQ(form().Label2(12).geometry(), (platform::Geometry{0, 120, 540, 180}));
    EXPECT_EQ(form().Label2(0).geometry(), (platform::Geometry{0, 5160, 3015, 375}));
    EXPECT_EQ(form().Label2(50).caption(), u"天线 ");
    EXPECT_EQ(form().Label2(148).geometry().left, 2760);
    // Boxes 0 to 5 in the panel, the rest in the window.
    EXPECT_EQ(form().Text1(0).geometry(), (platform::Geometry{120, 480, 1335, 270}));
    EXPECT_EQ(form().Text1(5).geometry(), (platform::Geometry{3000, 840, 1335, 270}));
    EXPECT_EQ(form().Text1(6).geometry(), (platform::Geometry{240, 1920, 1335, 270}));
    EXPECT_EQ(form().Text1(50).geometry(), (platform::Geometry{3120, 6960, 1335, 270}));
}

TEST(WordBankTable, EveryLabelFitsTheRowAndThePanel) {
    for (int i = 0; i < input::kWordBankSize; ++i) {
        const auto& term = input::kWordBank[i];
        SCOPED_TRACE(i);
        EXPECT_LE(term.left + input::wordBankLabelWidth(i), 4695);
        EXPECT_LE(term.top + input::wordBankLabelHeight(i), 7095);
        // No two labels on one row overlap.
        for (int j = 0; j < input::kWordBankSize; ++j) {
            const auto& other = input::kWordBank[j];
            if (j == i || other.top != term.top || other.left < term.left) continue;
            EXPECT_LE(term.left + input::wordBankLabelWidth(i), other.left) << "next " << j;
        }
    }
}

using Dispatch = FormTest;

TEST_F(Dispatch, ToolbarKeysAreComparedExactly) {
    platform::headless::FocusTracker focus;
    for (auto key : {u"Write", u"write ", u"", u"WRITE", u"wri"}) {
        platform::headless::HeadlessToolbarButton odd(focus, key, {});
        form().Toolbar1_ButtonClick(odd);
        EXPECT_FALSE(form().Label2(1).visible()) << utf8(key);
    }
    platform::headless::HeadlessToolbarButton exact(focus, u"write", {});
    form().Toolbar1_ButtonClick(exact);
    EXPECT_TRUE(form().Label2(1).visible());
}

TEST_F(Dispatch, SubmenuOwnersAndUnknownIndicesDoNothing) {
    form().mnufileitem_Click(3);
    form().mnucodeitem_Click(1);
    form().mnuhelpitem_Click(1);
    form().mnuedititem_Click(6);
    form().saveas_Click(4);
    form().Command1_Click(24);
    form().Command1_Click(-1);
    form().Label2_Click(149);
    form().Text1_Click(51);
    EXPECT_TRUE(messages().shown().empty());
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(form().RichTextBox1().text(), u"");
}

}  // namespace
}  // namespace pennory::testing
