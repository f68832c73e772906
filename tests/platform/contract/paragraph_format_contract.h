#pragma once
// Paragraph formats in the rich-text box, run over every implementation (see
// contract_platform.h): set on the paragraphs a selection touches, one undo step, one change
// report, and kept by Enter and by deleting across paragraphs as the desktop's editor keeps
// them.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/contract/contract_platform.h"
#include "support/styled_text_printer.h"

namespace pennory::testing::contract {

using text::Alignment;
using text::LineSpacing;
using text::ParagraphFormat;

// A centred title with space after it.
inline ParagraphFormat titleParagraph() {
    ParagraphFormat f;
    f.alignment = Alignment::Centre;
    f.spaceAfterPt = 12.0f;
    return f;
}

// Two characters of first-line indent, justified, one and a half lines.
inline ParagraphFormat bodyParagraph() {
    ParagraphFormat f;
    f.alignment = Alignment::Justify;
    f.firstLine.charsHundredths = 200;
    f.left.points = 18.0f;
    f.right.charsHundredths = 100;
    f.lineSpacing = {LineSpacing::Rule::Multiple, 1.5f};
    f.spaceBeforePt = 6.0f;
    return f;
}

inline ParagraphFormat exactlyParagraph() {
    ParagraphFormat f;
    f.alignment = Alignment::Right;
    f.lineSpacing = {LineSpacing::Rule::Exactly, 20.0f};
    return f;
}

template <typename Platform>
class ParagraphFormatContract : public ::testing::Test {
protected:
    ParagraphFormatContract()
        : m_box(impl.factory().createRichTextBox(nullptr, text::CharFormat{u"宋体", 12.0f}, {})) {
        box().setChangeHandlers([this](const platform::TextEdit& edit) { edits.push_back(edit); },
                                [] {});
    }
    platform::RichTextBox& box() { return *m_box; }
    void load(std::u16string_view plain) {
        box().setText(plain);
        edits.clear();
    }
    void select(std::size_t start, std::size_t length) {
        box().setSelStart(start);
        box().setSelLength(length);
    }
    std::vector<ParagraphFormat> paragraphs() { return box().content().paragraphs(); }

    Platform impl;
    std::vector<platform::TextEdit> edits;

private:
    std::unique_ptr<platform::RichTextBox> m_box;
};

TYPED_TEST_SUITE_P(ParagraphFormatContract);

TYPED_TEST_P(ParagraphFormatContract, SetsEveryParagraphTheSelectionTouches) {
    const ParagraphFormat plain;
    const ParagraphFormat body = bodyParagraph();
    struct Case {
        const char* name;
        std::size_t start, length;
        std::vector<ParagraphFormat> after;
        platform::TextEdit reported;
    };
    // 标题 | 第一段 | 第二段 | 第三段, paragraphs starting at 0, 4, 9 and 14.
    const Case cases[] = {
        {"the caret's paragraph", 6, 0, {plain, body, plain, plain}, {4, 3, u"第一段"}},
        {"the caret at a paragraph's start", 9, 0, {plain, plain, body, plain}, {9, 3, u"第二段"}},
        {"the caret at the end", 17, 0, {plain, plain, plain, body}, {14, 3, u"第三段"}},
        {"a selection over two", 5, 5, {plain, body, body, plain}, {4, 8, u"第一段\r\n第二段"}},
        {"a selection ending at a paragraph's start",
         0,
         4,
         {body, body, plain, plain},
         {0, 7, u"标题\r\n第一段"}},
        {"everything",
         0,
         17,
         {body, body, body, body},
         {0, 17, u"标题\r\n第一段\r\n第二段\r\n第三段"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->load(u"标题\r\n第一段\r\n第二段\r\n第三段");
        this->select(c.start, c.length);
        this->box().setSelParagraphFormat(body);
        EXPECT_EQ(this->paragraphs(), c.after);
        EXPECT_EQ(this->box().selParagraphFormat(), body);
        EXPECT_EQ(this->box().text(), u"标题\r\n第一段\r\n第二段\r\n第三段");
        ASSERT_EQ(this->edits.size(), 1u);
        EXPECT_EQ(this->edits[0].start, c.reported.start);
        EXPECT_EQ(this->edits[0].removed, c.reported.removed);
        EXPECT_EQ(this->edits[0].inserted, c.reported.inserted);
        // The selection stays where it was.
        EXPECT_EQ(this->box().selStart(), c.start);
        EXPECT_EQ(this->box().selLength(), c.length);
    }
}

// Every property reads back exactly as set, an indent in characters staying in characters.
TYPED_TEST_P(ParagraphFormatContract, FormatsReadBackAsSet) {
    for (const ParagraphFormat& format : {titleParagraph(), bodyParagraph(), exactlyParagraph()}) {
        this->load(u"一\r\n二");
        this->select(3, 0);
        this->box().setSelParagraphFormat(format);
        EXPECT_EQ(this->box().selParagraphFormat(), format);
        EXPECT_EQ(this->box().content().paragraphs()[1], format);
        // And through content and back.
        const text::StyledText content = this->box().content();
        this->box().setContent(content);
        EXPECT_EQ(this->box().content(), content);
    }
}

TYPED_TEST_P(ParagraphFormatContract, ContentCarriesParagraphs) {
    text::StyledText content(u"标题\r\n正文一\r\n正文二", text::CharFormat{u"宋体", 12.0f});
    content.setParagraphFormat(0, titleParagraph());
    content.setParagraphFormat(1, bodyParagraph());
    content.setParagraphFormat(2, exactlyParagraph());
    this->box().setContent(content);
    EXPECT_EQ(this->paragraphs(),
              (std::vector{titleParagraph(), bodyParagraph(), exactlyParagraph()}));
    this->select(5, 4);
    EXPECT_EQ(this->box().selParagraphFormat(), bodyParagraph());
}

TYPED_TEST_P(ParagraphFormatContract, CtrlZTakesTheFormatBackInOneStep) {
    this->load(u"标题\r\n第一段\r\n第二段");
    this->select(0, 12);
    this->box().setSelParagraphFormat(bodyParagraph());
    this->impl.pressCtrlZ(this->box());
    EXPECT_EQ(this->paragraphs(), std::vector<ParagraphFormat>(3));
    EXPECT_EQ(this->box().text(), u"标题\r\n第一段\r\n第二段");
}

TYPED_TEST_P(ParagraphFormatContract, EnterCopiesTheParagraphsFormat) {
    this->load(u"第一段第二段");
    this->select(3, 0);
    this->box().setSelParagraphFormat(bodyParagraph());
    this->impl.pressEnter(this->box());
    EXPECT_EQ(this->box().text(), u"第一段\r\n第二段");
    EXPECT_EQ(this->paragraphs(), (std::vector{bodyParagraph(), bodyParagraph()}));
}

TYPED_TEST_P(ParagraphFormatContract, DeletingAcrossParagraphsKeepsTheFormatOfWhereItStarts) {
    text::StyledText content(u"标题\r\n正文一\r\n正文二", text::CharFormat{u"宋体", 12.0f});
    content.setParagraphFormat(0, titleParagraph());
    content.setParagraphFormat(1, bodyParagraph());
    content.setParagraphFormat(2, exactlyParagraph());
    this->box().setContent(content);
    this->select(1, 4);  // 题, the break and 正
    this->impl.pressDelete(this->box());
    EXPECT_EQ(this->box().text(), u"标文一\r\n正文二");
    EXPECT_EQ(this->paragraphs(), (std::vector{titleParagraph(), exactlyParagraph()}));

    // From the very start of a paragraph, what is left of the later one keeps its own.
    this->box().setContent(content);
    this->select(0, 5);  // 标题, the break and 正
    this->impl.pressDelete(this->box());
    EXPECT_EQ(this->box().text(), u"文一\r\n正文二");
    EXPECT_EQ(this->paragraphs(), (std::vector{bodyParagraph(), exactlyParagraph()}));
}

REGISTER_TYPED_TEST_SUITE_P(ParagraphFormatContract, SetsEveryParagraphTheSelectionTouches,
                            FormatsReadBackAsSet, ContentCarriesParagraphs,
                            CtrlZTakesTheFormatBackInOneStep, EnterCopiesTheParagraphsFormat,
                            DeletingAcrossParagraphsKeepsTheFormatOfWhereItStarts);

}  // namespace pennory::testing::contract
