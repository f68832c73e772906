// Undo, select all, cut, delete, copy and paste from the Edit menu and the toolbar.

#include "platform/files/clipboard_passage.h"
#include "support/picture_files.h"
#include "support/working_folder.h"

namespace pennory::testing {
namespace {

// "selfdo" reads the working folder's phrase file.
class EditCommands : public FormInTempFolder {
protected:
    headless::MemoryClipboard& clipboard() { return platform().clipboard; }
    std::vector<std::u16string> keysSent() { return platform().keys.sent(); }

    // The manuscript holds text with [start, start + length) selected.
    void manuscript(std::u16string_view text, std::size_t start, std::size_t length) {
        editor().setText(text);
        editor().setSelStart(start);
        editor().setSelLength(length);
    }
    void referenceText(std::u16string_view text, std::size_t start, std::size_t length) {
        reference().setText(text);
        reference().setSelStart(start);
        reference().setSelLength(length);
    }
};

// ---- Undo and Delete: keystrokes for whichever control has the focus

TEST_F(EditCommands, UndoFromMenuAndToolbarSendsCtrlZ) {
    clickMenu({u"编辑", u"撤消"});
    clickToolbar(u"back");
    EXPECT_EQ(keysSent(), (std::vector<std::u16string>{u"^{z}", u"^{z}"}));
}

TEST_F(EditCommands, UndoActsOnTheFocusedPhraseBoxNotOnTheManuscript) {
    editor().type(u"稿子");
    clickToolbar(u"selfdo");
    phraseBox(4).click();
    phraseBox(4).type(u"电");
    phraseBox(4).type(u"源");

    clickToolbar(u"back");
    EXPECT_EQ(phraseBox(4).text(), u"电");
    EXPECT_EQ(editor().text(), u"稿子");
    EXPECT_TRUE(phraseBox(4).hasFocus());
}

TEST_F(EditCommands, UndoActsOnTheManuscriptWhenItHasTheFocus) {
    editor().type(u"一");
    editor().type(u"二");
    clickMenu({u"编辑", u"撤消"});
    EXPECT_EQ(editor().text(), u"一");
}

TEST_F(EditCommands, DeleteActsOnTheFocusedReferenceBox) {
    manuscript(u"abc", 1, 1);
    referenceText(u"参考文本", 0, 2);
    reference().click();
    const auto caretBefore = reference().selStart();

    clickMenu({u"编辑", u"删除"});
    EXPECT_EQ(keysSent(), (std::vector<std::u16string>{u"{delete}"}));
    EXPECT_EQ(reference().text(), u"文本");
    EXPECT_EQ(reference().selStart(), caretBefore);
    EXPECT_EQ(editor().text(), u"abc");
}

TEST_F(EditCommands, DeleteWithoutSelectionRemovesTheCharacterAfterTheCaret) {
    manuscript(u"电源开关", 2, 0);
    clickMenu({u"编辑", u"删除"});
    EXPECT_EQ(editor().text(), u"电源关");
}

// ---- Select all

TEST_F(EditCommands, SelectAllSelectsTheWholeManuscriptWhereverTheFocusIs) {
    manuscript(u"第一行\r\n第二行", 2, 0);
    reference().click();
    clickMenu({u"编辑", u"全选"});
    EXPECT_EQ(editor().selStart(), 0u);
    EXPECT_EQ(editor().selText(), u"第一行\r\n第二行");
    EXPECT_TRUE(reference().hasFocus());
}

TEST_F(EditCommands, SelectAllOnAnEmptyManuscriptSelectsNothing) {
    clickMenu({u"编辑", u"全选"});
    EXPECT_EQ(editor().selStart(), 0u);
    EXPECT_EQ(editor().selLength(), 0u);
    EXPECT_TRUE(messages().shown().empty());
}

// ---- Cut

TEST_F(EditCommands, CutMovesTheSelectionToTheClipboard) {
    manuscript(u"电阻电容电感", 2, 2);
    clickMenu({u"编辑", u"剪切"});
    EXPECT_EQ(clipboard().contents(), u"电容");
    EXPECT_EQ(editor().text(), u"电阻电感");
    EXPECT_EQ(editor().selStart(), 2u);
    EXPECT_EQ(editor().selLength(), 0u);
}

TEST_F(EditCommands, CutTakesFromTheManuscriptAfterAClickIntoTheReference) {
    manuscript(u"稿子", 0, 1);
    referenceText(u"参考", 0, 2);
    reference().click();
    clickMenu({u"编辑", u"剪切"});
    EXPECT_EQ(clipboard().contents(), u"稿");
    EXPECT_EQ(editor().text(), u"子");
    EXPECT_EQ(reference().text(), u"参考");
    EXPECT_TRUE(form().openIntoReference);
}

TEST_F(EditCommands, CutWithNothingSelectedEmptiesTheClipboard) {
    clipboard().setText(u"旧内容");
    manuscript(u"稿子", 1, 0);
    clickMenu({u"编辑", u"剪切"});
    EXPECT_EQ(clipboard().contents(), u"");
    EXPECT_EQ(editor().text(), u"稿子");
}

// ---- Copy

TEST_F(EditCommands, CopyWithNothingSelectedEmptiesTheClipboard) {
    clipboard().setText(u"旧内容");
    manuscript(u"稿子", 1, 0);
    clickToolbar(u"copy");
    EXPECT_EQ(clipboard().contents(), u"");
}

TEST_F(EditCommands, CopyPutsTheManuscriptSelectionAndLeavesTheManuscript) {
    manuscript(u"电阻电容", 2, 2);
    clickMenu({u"编辑", u"复制"});
    EXPECT_EQ(clipboard().contents(), u"电容");
    EXPECT_EQ(editor().text(), u"电阻电容");
    EXPECT_EQ(editor().selText(), u"电容");
}

TEST_F(EditCommands, CopyFromTheReferenceOnceThenFromTheManuscriptAgain) {
    manuscript(u"稿子正文", 0, 2);
    referenceText(u"参考资料一段", 2, 2);
    reference().click();
    ASSERT_TRUE(form().openIntoReference);

    clickToolbar(u"copy");
    EXPECT_EQ(clipboard().contents(), u"资料");
    EXPECT_FALSE(form().openIntoReference);

    clickToolbar(u"copy");
    EXPECT_EQ(clipboard().contents(), u"稿子");
}

TEST_F(EditCommands, ReferencePassageArrivesInTheManuscriptAsPlainText) {
    text::StyledText styled(u"粗体", text::CharFormat{u"黑体", 16.0f, true});
    styled.append(u"斜体", text::CharFormat{u"楷体", 12.0f, false, true});
    reference().setContent(styled);
    reference().setSelStart(0);
    reference().setSelLength(4);
    reference().click();
    clickMenu({u"编辑", u"复制"});

    editor().click();
    clickMenu({u"编辑", u"粘贴"});
    EXPECT_EQ(editor().content(), text::StyledText(u"粗体斜体", editor().defaultFormat()));
}

// ---- Paste

TEST_F(EditCommands, PasteReplacesTheSelectionAndLeavesTheCaretAfterIt) {
    clipboard().setText(u"电容");
    manuscript(u"电阻电感", 2, 2);
    clickToolbar(u"palse");
    EXPECT_EQ(editor().text(), u"电阻电容");
    EXPECT_EQ(editor().selStart(), 4u);
    EXPECT_EQ(editor().selLength(), 0u);
}

TEST_F(EditCommands, PasteMakesEachLineBreakOfTheClipboardAParagraphBreak) {
    // What other programs put there: LF, CR LF, CR, the paragraph separator.
    clipboard().setText(u"第一段\n第二段\r\n第三段\r第四段\u2029第五段\n");
    manuscript(u"前后", 1, 0);
    clickMenu({u"编辑", u"粘贴"});
    EXPECT_EQ(editor().text(), u"前第一段\r\n第二段\r\n第三段\r\n第四段\r\n第五段\r\n后");
    EXPECT_EQ(editor().selStart(), 26u);
}

TEST_F(EditCommands, PasteOfAnEmptyClipboardDeletesTheSelection) {
    clipboard().clear();
    manuscript(u"电阻电感", 0, 2);
    clickMenu({u"编辑", u"粘贴"});
    EXPECT_EQ(editor().text(), u"电感");
    EXPECT_EQ(editor().selStart(), 0u);
}

TEST_F(EditCommands, PasteGoesIntoTheManuscriptWhileAPhraseBoxHasTheFocus) {
    clipboard().setText(u"三极管");
    clickToolbar(u"selfdo");
    phraseBox(0).click();
    phraseBox(0).type(u"词组");
    manuscript(u"：", 1, 0);

    clickToolbar(u"palse");
    EXPECT_EQ(editor().text(), u"：三极管");
    EXPECT_EQ(phraseBox(0).text(), u"词组");
    EXPECT_TRUE(phraseBox(0).hasFocus());
}

// ---- A clipboard that cannot be used

TEST_F(EditCommands, BrokenClipboardChangesNothingAndReportsNothing) {
    clipboard().setText(u"旧内容");
    clipboard().setBroken(true);
    manuscript(u"电阻电容", 2, 2);

    clickMenu({u"编辑", u"复制"});
    clickToolbar(u"palse");
    EXPECT_EQ(editor().text(), u"电阻电容");
    EXPECT_EQ(editor().selText(), u"电容");

    // A cut whose text could not be kept does not delete it.
    clickMenu({u"编辑", u"剪切"});
    EXPECT_EQ(editor().text(), u"电阻电容");

    EXPECT_TRUE(messages().shown().empty());
    clipboard().setBroken(false);
    EXPECT_EQ(clipboard().contents(), u"旧内容");
}

TEST_F(EditCommands, FailedReferenceCopyKeepsTheReferenceModeForTheNextTry) {
    referenceText(u"参考资料", 0, 2);
    reference().click();
    clipboard().setBroken(true);
    clickToolbar(u"copy");
    EXPECT_TRUE(form().openIntoReference);

    clipboard().setBroken(false);
    clickToolbar(u"copy");
    EXPECT_EQ(clipboard().contents(), u"参考");
    EXPECT_FALSE(form().openIntoReference);
}

// ---- Figures: cut, copied and pasted whole

class FigureClipboard : public EditCommands {
protected:
    static text::Figure photo() {
        text::Figure figure;
        figure.kind = text::FigureKind::Png;
        figure.bytes = std::make_shared<const std::string>(pictures::png(6, 4));
        figure.widthPx = 6;
        figure.heightPx = 4;
        return figure;
    }
    static constexpr text::FigureWidth kFiveCm{text::FigureWidth::Unit::Centimetres, 5.0f};

    // "图前" [figure 5 cm wide] "图后。正文", nothing selected.
    void manuscriptWithFigure() {
        editor().setText(u"图前图后。正文");
        editor().setSelStart(2);
        editor().insertFigure(photo());
        editor().setSelStart(2);
        editor().setSelLength(1);
        editor().setSelFigureWidth(kFiveCm);
        editor().setSelStart(0);
    }
    std::vector<std::pair<std::size_t, text::Figure>> figures() {
        std::vector<std::pair<std::size_t, text::Figure>> out;
        std::size_t at = 0;
        const text::StyledText content = editor().content();
        for (const auto& run : content.runs()) {
            for (char16_t c : run.text) {
                if (c == text::kObjectCharacter && run.format.figure)
                    out.emplace_back(at, *run.format.figure);
                ++at;
            }
        }
        return out;
    }
};

TEST_F(FigureClipboard, ACutFigureWithTextAroundItIsPastedBackWhole) {
    manuscriptWithFigure();
    editor().setSelStart(1);
    editor().setSelLength(3);  // "前" figure "图"
    clickMenu({u"编辑", u"剪切"});
    EXPECT_EQ(editor().text(), u"图后。正文");
    // Other programs get the text without the object character.
    EXPECT_EQ(clipboard().contents(), u"前图");
    EXPECT_TRUE(clipboard().styledContents().has_value());

    editor().setSelStart(5);
    clickToolbar(u"palse");
    EXPECT_EQ(editor().text(), u"图后。正文前\uFFFC图");
    EXPECT_EQ(editor().selStart(), 8u);
    EXPECT_EQ(editor().selLength(), 0u);
    const auto found = figures();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].first, 6u);
    EXPECT_EQ(*found[0].second.bytes, pictures::png(6, 4));
    EXPECT_EQ(found[0].second.width, kFiveCm);

    // The paste is one step: undo takes it away whole.
    editor().click();
    clickToolbar(u"back");
    EXPECT_EQ(editor().text(), u"图后。正文");
}

TEST_F(FigureClipboard, APasteReplacesTheSelectionAndKeepsTheFormats) {
    text::StyledText bold(u"粗", text::CharFormat{u"黑体", 16.0f, true});
    editor().setContent(bold);
    editor().setSelStart(1);
    editor().insertFigure(photo());
    editor().setSelStart(0);
    editor().setSelLength(2);
    clickToolbar(u"copy");
    EXPECT_EQ(clipboard().contents(), u"粗");

    editor().setText(u"甲乙丙");
    editor().setSelStart(1);
    editor().setSelLength(1);
    clickMenu({u"编辑", u"粘贴"});
    EXPECT_EQ(editor().text(), u"甲粗\uFFFC丙");
    const auto runs = editor().content().runs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[1].text, u"粗");
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_EQ(runs[1].format.fontName, u"黑体");
    ASSERT_TRUE(runs[2].format.figure);
    EXPECT_EQ(*runs[2].format.figure->bytes, pictures::png(6, 4));
}

TEST_F(FigureClipboard, StyledBytesBesideOtherTextAreLeftAlone) {
    manuscriptWithFigure();
    editor().setSelStart(1);
    editor().setSelLength(3);
    clickToolbar(u"copy");
    const std::string styled = clipboard().styledContents().value();
    // What stands beside the bytes is no longer the text they came with.
    clipboard().setTextWithStyled(u"别的文字", styled);

    editor().setText(u"");
    clickToolbar(u"palse");
    EXPECT_EQ(editor().text(), u"别的文字");
    EXPECT_TRUE(figures().empty());
}

TEST_F(FigureClipboard, TextAloneGoesWithoutStyledBytes) {
    manuscriptWithFigure();
    editor().setSelStart(3);
    editor().setSelLength(2);
    clickToolbar(u"copy");
    EXPECT_EQ(clipboard().contents(), u"图后");
    EXPECT_FALSE(clipboard().styledContents().has_value());

    editor().setSelStart(4);
    editor().setSelLength(1);
    clickMenu({u"编辑", u"剪切"});
    EXPECT_EQ(clipboard().contents(), u"后");
    EXPECT_FALSE(clipboard().styledContents().has_value());
}

TEST_F(FigureClipboard, AFigureCutIntoABrokenClipboardStays) {
    manuscriptWithFigure();
    editor().setSelStart(2);
    editor().setSelLength(1);
    clipboard().setBroken(true);
    clickMenu({u"编辑", u"剪切"});
    EXPECT_EQ(figures().size(), 1u);
    EXPECT_EQ(editor().text(), u"图前\uFFFC图后。正文");
}

}  // namespace
}  // namespace pennory::testing
