#pragma once
// Figures in the rich-text box, over every implementation: one object character that comes
// back through content() as exactly the figure that went in, steps of undo, Delete, the
// figure at the caret and its width.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/contract/rich_text_box_contract.h"

namespace pennory::testing::contract {

// A 4 x 2 red PNG.
inline text::Figure smallPng() {
    static const char kBytes[] =
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x04\x00"
        "\x00\x00\x02\x08\x02\x00\x00\x00\xf0\xca\xea\x34\x00\x00\x00\x10\x49\x44\x41\x54\x78"
        "\x9c\x63\xf8\xcf\xc0\x00\x47\x0c\xc8\x1c\x00\x6f\xaa\x07\xf9\x80\xdc\x00\x28\x00\x00"
        "\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";
    text::Figure figure;
    figure.kind = text::FigureKind::Png;
    figure.bytes = std::make_shared<const std::string>(kBytes, sizeof kBytes - 1);
    figure.widthPx = 4;
    figure.heightPx = 2;
    return figure;
}

// A picture the program cannot show, kept for a writer of its own form.
inline text::Figure metafile() {
    text::Figure figure;
    figure.kind = text::FigureKind::Other;
    figure.bytes = std::make_shared<const std::string>("\x01\x00\x09\x00metafile", 12);
    figure.goalWidthTwips = 1440;
    figure.goalHeightTwips = 720;
    figure.origin = "rtf:wmetafile8";
    return figure;
}

template <typename Platform>
class FigureContract : public RichTextBoxContract<Platform> {};

TYPED_TEST_SUITE_P(FigureContract);

TYPED_TEST_P(FigureContract, AnInsertedFigureReadsBackWithItsBytes) {
    for (const text::Figure& figure : {smallPng(), metafile()}) {
        SCOPED_TRACE(figure.origin);
        this->box->setText(u"甲乙");
        this->box->setSelStart(1);
        this->listen();
        this->box->insertFigure(figure);

        EXPECT_EQ(this->box->text(), u"甲\uFFFC乙");
        EXPECT_EQ(this->mirror, u"甲\uFFFC乙");
        EXPECT_EQ(this->box->selStart(), 2u);
        const text::StyledText content = this->box->content();
        ASSERT_EQ(content.runs().size(), 3u);
        const text::CharFormat& held = content.runs()[1].format;
        ASSERT_TRUE(held.figure);
        EXPECT_EQ(*held.figure->bytes, *figure.bytes);
        EXPECT_TRUE(*held.figure == figure);
        EXPECT_FALSE(content.runs()[0].format.figure);
        EXPECT_FALSE(content.runs()[2].format.figure);
    }
}

TYPED_TEST_P(FigureContract, SetContentKeepsFiguresAndAPlainObjectCharacter) {
    text::CharFormat withFigure = boxFormat();
    withFigure.figure = text::FigureRef(smallPng());
    const StyledText content =
        styled({{u"图", boxFormat()}, {u"\uFFFC", withFigure}, {u"a\uFFFCb", boxFormat()}});
    this->box->setContent(content);
    EXPECT_EQ(this->box->text(), u"图\uFFFCa\uFFFCb");
    EXPECT_EQ(this->box->content(), content);
}

TYPED_TEST_P(FigureContract, SelFigureAtTheCaretOrSelectedAlone) {
    this->box->setText(u"甲乙");
    this->box->setSelStart(1);
    this->box->insertFigure(smallPng());  // 甲 [figure] 乙
    struct Row {
        std::size_t start, length;
        bool figure;
    };
    const Row rows[] = {{2, 0, true},  {1, 1, true},  {1, 0, false}, {0, 2, false},
                        {3, 0, false}, {0, 0, false}, {2, 1, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.start << "+" << row.length);
        this->select(row.start, row.length);
        EXPECT_EQ(this->box->selFigure().has_value(), row.figure);
    }
    this->select(0, 0);
    this->box->setSelText(u"\uFFFC");  // typed by the writer: a character, no figure
    this->select(1, 0);
    EXPECT_FALSE(this->box->selFigure());
}

TYPED_TEST_P(FigureContract, DeleteRemovesTheFigureAndUndoRestoresIt) {
    this->box->setText(u"甲乙");
    this->box->setSelStart(1);
    this->box->insertFigure(smallPng());
    this->box->setSelStart(1);
    this->impl.pressDelete(*this->box);
    EXPECT_EQ(this->box->text(), u"甲乙");
    this->impl.pressCtrlZ(*this->box);
    ASSERT_EQ(this->box->text(), u"甲\uFFFC乙");
    this->impl.pressCtrlZ(*this->box);
    EXPECT_EQ(this->box->text(), u"甲乙");  // the insertion was one step
}

TYPED_TEST_P(FigureContract, TheWidthIsSetAsOneStep) {
    this->box->setText(u"甲");
    this->box->setSelStart(1);
    this->box->insertFigure(smallPng());
    this->listen();
    const text::FigureWidth half{text::FigureWidth::Unit::PercentOfText, 50.0f};
    this->box->setSelFigureWidth(half);
    ASSERT_TRUE(this->box->selFigure());
    EXPECT_EQ(this->box->selFigure()->width, half);
    EXPECT_EQ(*this->box->selFigure()->bytes, *smallPng().bytes);
    EXPECT_EQ(this->mirror, u"甲\uFFFC");
    const text::FigureWidth fiveCm{text::FigureWidth::Unit::Centimetres, 5.0f};
    this->box->setSelFigureWidth(fiveCm);
    EXPECT_EQ(this->box->content().runs().back().format.figure->width, fiveCm);
    this->impl.pressCtrlZ(*this->box);
    ASSERT_TRUE(this->box->selFigure());
    EXPECT_EQ(this->box->selFigure()->width, half);
}

TYPED_TEST_P(FigureContract, SelContentIsTheSelectionWithFormatsFiguresAndParagraphs) {
    text::CharFormat withFigure = boxFormat();
    withFigure.figure = text::FigureRef(smallPng());
    text::ParagraphFormat centred;
    centred.alignment = text::Alignment::Centre;
    StyledText content =
        styled({{u"甲乙\r\n", boldRed()}, {u"\uFFFC", withFigure}, {u"丙丁", italicUnderlined()}});
    content.setParagraphFormat(0, centred);
    this->box->setContent(content);

    // From inside the first paragraph to inside the second: its break, the figure, one more.
    this->select(1, 5);
    StyledText expected =
        styled({{u"乙\r\n", boldRed()}, {u"\uFFFC", withFigure}, {u"丙", italicUnderlined()}});
    expected.setParagraphFormat(0, centred);
    const StyledText got = this->box->selContent();
    EXPECT_EQ(got, expected);
    ASSERT_EQ(got.runs().size(), 3u);
    ASSERT_TRUE(got.runs()[1].format.figure);
    EXPECT_EQ(*got.runs()[1].format.figure->bytes, *smallPng().bytes);

    this->select(4, 0);
    EXPECT_TRUE(this->box->selContent().empty());
}

REGISTER_TYPED_TEST_SUITE_P(FigureContract, AnInsertedFigureReadsBackWithItsBytes,
                            SetContentKeepsFiguresAndAPlainObjectCharacter,
                            SelFigureAtTheCaretOrSelectedAlone,
                            DeleteRemovesTheFigureAndUndoRestoresIt, TheWidthIsSetAsOneStep,
                            SelContentIsTheSelectionWithFormatsFiguresAndParagraphs);

}  // namespace pennory::testing::contract
