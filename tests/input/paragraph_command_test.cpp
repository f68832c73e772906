// 编辑 › 段落: the dialog opens with the selection's paragraph format and its answer goes onto
// the paragraphs the selection touches, as one undo step; 取消 changes nothing.

#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using text::Alignment;
using text::ParagraphFormat;

class ParagraphCommand : public FormTest {
protected:
    void clickParagraph() { clickMenu({u"编辑", u"段落"}); }
    void select(std::size_t start, std::size_t length) {
        editor().setSelStart(start);
        editor().setSelLength(length);
    }
    std::vector<ParagraphFormat> paragraphs() { return editor().content().paragraphs(); }

    static ParagraphFormat indented() {
        ParagraphFormat f;
        f.alignment = Alignment::Justify;
        f.firstLine.charsHundredths = 200;
        f.lineSpacing = {text::LineSpacing::Rule::Multiple, 1.5f};
        f.spaceAfterPt = 6.0f;
        return f;
    }
    static ParagraphFormat centred() {
        ParagraphFormat f;
        f.alignment = Alignment::Centre;
        return f;
    }
};

TEST_F(ParagraphCommand, TheItemIsMemberNineBehindALine) {
    EXPECT_EQ(platform().factory.menuLines(&form().edit()),
              (std::vector<std::u16string>{u"撤消", u"全选", u"剪切", u"删除", u"复制", u"粘贴",
                                           u"-", u"查找", u"查找下一个", u"替换", u"-", u"段落",
                                           u"-", u"插入图片"}));
    auto& item = static_cast<headless::HeadlessMenuItem&>(form().mnuedititem(9));
    EXPECT_EQ(item.caption(), u"段落");
    EXPECT_EQ(item.accessibleName(), u"段落");
}

TEST_F(ParagraphCommand, TheAnswerGoesOntoTheSelectedParagraphsOnly) {
    editor().setText(u"标题\r\n第一段\r\n第二段\r\n第三段");
    select(6, 5);  // from 第一段 into 第二段
    dialogs().nextParagraph(indented());
    clickParagraph();
    EXPECT_EQ(paragraphs(),
              (std::vector{ParagraphFormat{}, indented(), indented(), ParagraphFormat{}}));
    EXPECT_EQ(editor().text(), u"标题\r\n第一段\r\n第二段\r\n第三段");
}

TEST_F(ParagraphCommand, TheDialogOpensWithTheFirstSelectedParagraphsFormat) {
    text::StyledText content(u"标题\r\n正文", text::CharFormat{u"宋体", 9.0f});
    content.setParagraphFormat(1, indented());
    editor().setContent(content);
    select(5, 0);
    clickParagraph();
    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_EQ(dialogs().shown()[0].kind, headless::ScriptedDialogs::Shown::Paragraph);
    EXPECT_EQ(dialogs().shown()[0].paragraph, indented());
}

TEST_F(ParagraphCommand, OneUndoTakesItBack) {
    editor().setText(u"标题\r\n第一段\r\n第二段");
    select(0, 12);
    dialogs().nextParagraph(centred());
    clickParagraph();
    ASSERT_EQ(paragraphs(), std::vector<ParagraphFormat>(3, centred()));
    clickMenu({u"编辑", u"撤消"});
    EXPECT_EQ(paragraphs(), std::vector<ParagraphFormat>(3));
    EXPECT_EQ(editor().text(), u"标题\r\n第一段\r\n第二段");
}

TEST_F(ParagraphCommand, CancelOrAnUnchangedAnswerChangesNothing) {
    int edits = 0;  // outlives the loop: the handler stays with the box
    for (const std::optional<ParagraphFormat>& answer :
         {std::optional<ParagraphFormat>{}, std::optional<ParagraphFormat>{ParagraphFormat{}}}) {
        SCOPED_TRACE(answer.has_value());
        editor().setText(u"标题\r\n第一段");
        edits = 0;
        editor().setChangeHandlers([&](const platform::TextEdit&) { ++edits; }, [] {});
        dialogs().nextParagraph(answer);
        clickParagraph();
        EXPECT_EQ(paragraphs(), std::vector<ParagraphFormat>(2));
        EXPECT_EQ(edits, 0);
    }
}

}  // namespace
}  // namespace pennory::testing
