#pragma once
// The rich-text box's contract, run over every implementation (see contract_platform.h):
// text and positions in UTF-16 units with CR LF line breaks, characters stored exactly,
// caret and selection, formats, and the change reports.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/contract/contract_platform.h"
#include "support/styled_text_printer.h"

namespace pennory::testing::contract {

using platform::TextEdit;
using text::CharFormat;
using text::StyledText;

// Formats written out property by property, so that no default of the program takes part.
inline CharFormat boxFormat() { return {u"宋体", 10.5f, false, false, false, false, 0}; }
inline CharFormat boldRed() { return {u"宋体", 10.5f, true, false, false, false, 0x0000FF}; }
inline CharFormat italicUnderlined() { return {u"黑体", 12.0f, false, true, true, false, 0}; }
inline CharFormat struckGreen() { return {u"楷体", 9.0f, false, false, false, true, 0x008000}; }
// Every property of the font differs from boxFormat's.
inline CharFormat bigFont() { return {u"黑体", 14.0f, true, true, true, true, 0}; }

inline StyledText styled(std::initializer_list<std::pair<std::u16string, CharFormat>> runs) {
    StyledText out;
    for (const auto& [characters, format] : runs) out.append(characters, format);
    return out;
}

template <typename Platform>
class RichTextBoxContract : public ::testing::Test {
public:  // the steps of a table act on the fixture
    RichTextBoxContract() : box(impl.factory().createRichTextBox(nullptr, boxFormat(), {})) {}

    // Listens to the box's reports: applies each edit to a copy of the text as it stood
    // when listening began, and counts the selection reports.
    void listen() {
        mirror = box->text();
        box->setChangeHandlers(
            [this](const TextEdit& edit) {
                ++edits;
                if (edit.start + edit.removed > mirror.size()) {
                    ADD_FAILURE() << "edit beyond the text: " << edit.start << " + " << edit.removed
                                  << " > " << mirror.size();
                    return;
                }
                mirror.replace(edit.start, edit.removed, edit.inserted);
            },
            [this] { ++selectionReports; });
    }

    void select(std::size_t start, std::size_t length) {
        box->setSelStart(start);
        box->setSelLength(length);
    }

    Platform impl;
    std::unique_ptr<platform::RichTextBox> box;
    std::u16string mirror;
    int edits = 0;
    int selectionReports = 0;
};

TYPED_TEST_SUITE_P(RichTextBoxContract);

// Every character comes back as it went in; only CR LF is a line break, and it is two units.
TYPED_TEST_P(RichTextBoxContract, TextReadsBackAsItWasSet) {
    struct Row {
        std::u16string text;
        std::size_t length;
    };
    const Row rows[] = {
        {u"", 0},          {u"abc", 3},  {u"一二三", 3},      {u"a\r\nb", 4},
        {u"a\nb", 3},      {u"a\rb", 3}, {u"\r\r\n", 3},      {u"\n\r", 2},
        {u"a\r\n\r\n", 5}, {u"\r\n", 2}, {u"\U00020000b", 3}, {u"甲\u2028乙\u2029丙", 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.text));
        this->box->setText(row.text);
        EXPECT_EQ(this->box->text(), row.text);
        EXPECT_EQ(this->box->content().plainText(), row.text);
        this->box->setSelStart(SIZE_MAX);
        EXPECT_EQ(this->box->selStart(), row.length);
    }
}

TYPED_TEST_P(RichTextBoxContract, ControlCharactersAreStoredExactly) {
    std::u16string all;
    for (char16_t c = 1; c < 32; ++c) {
        if (c != u'\r' && c != u'\n') all += c;
    }
    all += u'\x7F';
    const std::u16string rows[] = {u"\t", u"\f", u"\x1F", u"a\tb\fc\x1F", u"\x0B\x1C\x1D\x1E", all};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row));
        this->box->setText(row);
        EXPECT_EQ(this->box->text(), row);
        // What the cipher does: selects everything and writes its characters over it.
        this->select(0, SIZE_MAX);
        EXPECT_EQ(this->box->selText(), row);
        this->box->setSelText(u"前" + row + u"后");
        EXPECT_EQ(this->box->text(), u"前" + row + u"后");
        EXPECT_EQ(this->box->selStart(), row.size() + 2);
        this->select(1, row.size());
        EXPECT_EQ(this->box->selText(), row);
    }
}

TYPED_TEST_P(RichTextBoxContract, SetTextTakesTheDefaultFormatWithTheCaretAtTheStart) {
    EXPECT_EQ(this->box->defaultFormat(), boxFormat());
    this->box->setText(u"xyz");
    this->select(1, 2);
    this->box->setText(u"ab\r\ncd");
    EXPECT_EQ(this->box->selStart(), 0u);
    EXPECT_EQ(this->box->selLength(), 0u);
    EXPECT_EQ(this->box->content(), styled({{u"ab\r\ncd", boxFormat()}}));
}

TYPED_TEST_P(RichTextBoxContract, CaretAndSelectionAreClampedToTheText) {
    struct Row {
        std::u16string text;
        std::size_t start, length;
        std::size_t selStart, selLength;
        std::u16string selText;
    };
    const Row rows[] = {
        {u"abc", 99, 0, 3, 0, u""},     {u"abc", 3, 5, 3, 0, u""},
        {u"abc", 1, 99, 1, 2, u"bc"},   {u"abc", 0, SIZE_MAX, 0, 3, u"abc"},
        {u"a\r\nb", 100, 0, 4, 0, u""}, {u"a\r\nb", 1, 100, 1, 3, u"\r\nb"},
        {u"", 5, 5, 0, 0, u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.text) + " " + std::to_string(row.start) + "+" +
                     std::to_string(row.length));
        this->box->setText(row.text);
        this->select(row.start, row.length);
        EXPECT_EQ(this->box->selStart(), row.selStart);
        EXPECT_EQ(this->box->selLength(), row.selLength);
        EXPECT_EQ(this->box->selText(), row.selText);
    }
}

TYPED_TEST_P(RichTextBoxContract, PositionsCountALineBreakAsTwoUnits) {
    struct Row {
        std::size_t start, length;
        std::u16string selText;
    };
    const Row rows[] = {
        {4, 2, u"cd"}, {2, 2, u"\r\n"}, {1, 3, u"b\r\n"}, {0, 8, u"ab\r\ncd\r\n"}, {6, 3, u"\r\ne"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.start) + "+" + std::to_string(row.length));
        this->box->setText(u"ab\r\ncd\r\ne");
        this->select(row.start, row.length);
        EXPECT_EQ(this->box->selStart(), row.start);
        EXPECT_EQ(this->box->selLength(), row.length);
        EXPECT_EQ(this->box->selText(), row.selText);
    }
}

// No caret stands between the CR and the LF of a break: a start there goes before the
// break, an end there after it, so a selection holds either the whole break or none of it.
TYPED_TEST_P(RichTextBoxContract, ACaretNeverStandsInsideALineBreak) {
    this->box->setText(u"ab\r\ncd");
    this->box->setSelStart(3);
    EXPECT_EQ(this->box->selStart(), 2u);
    EXPECT_EQ(this->box->selLength(), 0u);
    this->box->setSelText(u"X");
    EXPECT_EQ(this->box->text(), u"abX\r\ncd");

    this->box->setText(u"ab\r\ncd");
    this->select(1, 2);
    EXPECT_EQ(this->box->selStart(), 1u);
    EXPECT_EQ(this->box->selLength(), 3u);
    EXPECT_EQ(this->box->selText(), u"b\r\n");
}

TYPED_TEST_P(RichTextBoxContract, ASurrogatePairIsTwoUnits) {
    this->box->setText(u"a\U00020000b");
    this->select(1, 2);
    EXPECT_EQ(this->box->selText(), u"\U00020000");
    this->box->setSelText(u"\U0002A6A5");
    EXPECT_EQ(this->box->text(), u"a\U0002A6A5b");
    EXPECT_EQ(this->box->selStart(), 3u);
    this->select(3, 1);
    EXPECT_EQ(this->box->selText(), u"b");
}

TYPED_TEST_P(RichTextBoxContract, SetSelTextReplacesTheSelectionAndLeavesTheCaretAfterIt) {
    struct Row {
        std::u16string text;
        std::size_t start, length;
        std::u16string inserted;
        std::u16string result;
        std::size_t caret;
    };
    const Row rows[] = {
        {u"abcdef", 1, 3, u"XY", u"aXYef", 3},
        {u"abc", 1, 0, u"一", u"a一bc", 2},
        {u"abc", 0, 3, u"", u"", 0},
        {u"abc", 3, 0, u"d", u"abcd", 4},
        {u"ab", 1, 0, u"1\r\n2", u"a1\r\n2b", 5},
        {u"ab", 1, 0, u"\n", u"a\nb", 2},
        {u"ab", 1, 0, u"\r", u"a\rb", 2},
        {u"ab", 1, 0, u"\r\n\r\n", u"a\r\n\r\nb", 5},
        {u"a\r\nb", 1, 2, u"", u"ab", 1},
        {u"a\r\nb", 1, 2, u"，", u"a，b", 2},
        {u"ab", 2, 0, u"\U00020000", u"ab\U00020000", 4},
        {u"ab", 1, 5, u"Z", u"aZ", 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.text) + " <- " +
                     ::testing::PrintToString(row.inserted));
        this->box->setText(row.text);
        this->select(row.start, row.length);
        this->box->setSelText(row.inserted);
        EXPECT_EQ(this->box->text(), row.result);
        EXPECT_EQ(this->box->selStart(), row.caret);
        EXPECT_EQ(this->box->selLength(), 0u);
        EXPECT_EQ(this->box->selText(), u"");
    }
}

TYPED_TEST_P(RichTextBoxContract, ContentRoundTripsWithItsFormats) {
    const StyledText rows[] = {
        styled({{u"ab", boxFormat()},
                {u"c\r\nd", boldRed()},
                {u"\U00020000e", italicUnderlined()},
                {u"f\tg", struckGreen()}}),
        styled({{u"第一行\r\n", boldRed()}, {u"\r\n", struckGreen()}, {u"第三行", boxFormat()}}),
        styled({{u"a\nb\rc", italicUnderlined()}, {u"\x1F\f", boldRed()}}),
        styled({{u"末尾\r\n", bigFont()}}),
        StyledText(),
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row));
        this->box->setText(u"old");
        this->select(1, 1);
        this->box->setContent(row);
        EXPECT_EQ(this->box->content(), row);
        EXPECT_EQ(this->box->text(), row.plainText());
        EXPECT_EQ(this->box->selStart(), 0u);
        EXPECT_EQ(this->box->selLength(), 0u);
    }
}

// A selection's format is its first character's; at the caret, the character's before it,
// since that is the format typed text takes.
TYPED_TEST_P(RichTextBoxContract, SelFormatIsTheFirstCharactersOrTheOneBeforeTheCaret) {
    struct Row {
        std::size_t start, length;
        CharFormat format;
    };
    const Row rows[] = {
        {0, 0, boxFormat()}, {1, 0, boxFormat()}, {2, 0, boxFormat()},
        {3, 0, boldRed()},   {4, 0, boldRed()},   {0, 4, boxFormat()},
        {1, 2, boxFormat()}, {2, 1, boldRed()},   {3, 1, boldRed()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.start) + "+" + std::to_string(row.length));
        this->box->setContent(styled({{u"ab", boxFormat()}, {u"cd", boldRed()}}));
        this->select(row.start, row.length);
        EXPECT_EQ(this->box->selFormat(), row.format);
        if (row.length == 0) {
            this->box->setSelText(u"X");
            this->select(row.start, 1);
            EXPECT_EQ(this->box->selFormat(), row.format) << "typed text takes another format";
        }
    }
}

// At the start of a line, typed text takes the format of the line's first character; on an
// empty line, the format of the break before it.
TYPED_TEST_P(RichTextBoxContract, SelFormatAtTheStartOfALine) {
    this->box->setContent(styled({{u"ab\r\n", boxFormat()}, {u"cd", boldRed()}}));
    this->box->setSelStart(4);
    EXPECT_EQ(this->box->selFormat(), boldRed());
    this->box->setSelText(u"X");
    EXPECT_EQ(this->box->content(), styled({{u"ab\r\n", boxFormat()}, {u"Xcd", boldRed()}}));

    this->box->setContent(styled({{u"ab", boxFormat()}, {u"\r\n\r\n", struckGreen()}}));
    this->box->setSelStart(4);
    EXPECT_EQ(this->box->selFormat(), struckGreen());
    this->box->setText(u"");
    EXPECT_EQ(this->box->selFormat(), boxFormat());
}

TYPED_TEST_P(RichTextBoxContract, FontAndColourApplyToTheSelectionOnly) {
    this->box->setText(u"abcd");
    this->select(1, 2);
    applyFont(*this->box, bigFont());
    EXPECT_EQ(this->box->selStart(), 1u);
    EXPECT_EQ(this->box->selLength(), 2u);
    EXPECT_EQ(this->box->selFormat(), bigFont());
    EXPECT_EQ(this->box->content(),
              styled({{u"a", boxFormat()}, {u"bc", bigFont()}, {u"d", boxFormat()}}));

    this->select(2, 2);
    this->box->setSelColour(0x00FF0000);
    CharFormat blueBig = bigFont();
    blueBig.colour = 0x00FF0000;
    CharFormat blueBox = boxFormat();
    blueBox.colour = 0x00FF0000;
    EXPECT_EQ(this->box->content(),
              styled({{u"a", boxFormat()}, {u"b", bigFont()}, {u"c", blueBig}, {u"d", blueBox}}));
    EXPECT_EQ(this->box->text(), u"abcd");
}

// The font command changes every property but the colour, which each character keeps.
TYPED_TEST_P(RichTextBoxContract, FontKeepsEachCharactersColour) {
    this->box->setContent(styled({{u"ab", boldRed()}, {u"cd", struckGreen()}}));
    this->select(0, 4);
    applyFont(*this->box, bigFont());
    CharFormat red = bigFont();
    red.colour = 0x0000FF;
    CharFormat green = bigFont();
    green.colour = 0x008000;
    EXPECT_EQ(this->box->content(), styled({{u"ab", red}, {u"cd", green}}));
}

TYPED_TEST_P(RichTextBoxContract, FontAndColourAtTheCaretGoToTheTextTypedNext) {
    this->box->setText(u"abcd");
    this->box->setSelStart(2);
    applyFont(*this->box, bigFont());
    this->box->setSelColour(0x00FF0000);
    CharFormat typed = bigFont();
    typed.colour = 0x00FF0000;
    EXPECT_EQ(this->box->selFormat(), typed);
    EXPECT_EQ(this->box->content(), styled({{u"abcd", boxFormat()}}));  // nothing else changes
    this->box->setSelText(u"XY");
    EXPECT_EQ(this->box->content(),
              styled({{u"ab", boxFormat()}, {u"XY", typed}, {u"cd", boxFormat()}}));
    // Typed on, the text keeps that format.
    this->box->setSelText(u"Z");
    EXPECT_EQ(this->box->content(),
              styled({{u"ab", boxFormat()}, {u"XYZ", typed}, {u"cd", boxFormat()}}));
}

TYPED_TEST_P(RichTextBoxContract, MovingTheCaretForgetsTheFormatForTheTextTypedNext) {
    this->box->setText(u"abcd");
    this->box->setSelStart(2);
    applyFont(*this->box, bigFont());
    this->box->setSelStart(1);
    EXPECT_EQ(this->box->selFormat(), boxFormat());
    this->box->setSelText(u"X");
    EXPECT_EQ(this->box->content(), styled({{u"aXbcd", boxFormat()}}));
}

// Applying the reports in order to the text before them gives text(), whatever changed it.
TYPED_TEST_P(RichTextBoxContract, EditReportsReproduceTheText) {
    this->box->setText(u"起初");
    this->listen();
    struct Step {
        const char* what;
        std::function<void(RichTextBoxContract<TypeParam>&)> act;
    };
    const Step steps[] = {
        {"setText", [](auto& t) { t.box->setText(u"ab\r\ncd"); }},
        {"type at the end",
         [](auto& t) {
             t.box->setSelStart(6);
             t.box->setSelText(u"，句\r\n");
         }},
        {"replace across a break",
         [](auto& t) {
             t.select(1, 4);
             t.box->setSelText(u"X\nY");
         }},
        {"delete",
         [](auto& t) {
             t.select(0, 2);
             t.box->setSelText(u"");
         }},
        {"colour a selection",
         [](auto& t) {
             t.select(1, 3);
             t.box->setSelColour(0x0000FF);
         }},
        {"font on a selection",
         [](auto& t) {
             t.select(0, 2);
             applyFont(*t.box, bigFont());
         }},
        {"setContent",
         [](auto& t) {
             t.box->setContent(styled({{u"甲\r\n", boldRed()}, {u"乙\x1F\t", struckGreen()}}));
         }},
        {"control characters",
         [](auto& t) {
             t.box->setSelStart(SIZE_MAX);
             t.box->setSelText(u"\f\x1F\r");
         }},
        {"surrogate pair",
         [](auto& t) {
             t.box->setSelStart(1);
             t.box->setSelText(u"\U00020000");
         }},
        {"empty", [](auto& t) { t.box->setText(u""); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        const std::u16string before = this->box->text();
        const int editsBefore = this->edits;
        step.act(*this);
        EXPECT_EQ(this->mirror, this->box->text());
        if (this->box->text() != before) {
            EXPECT_GT(this->edits, editsBefore);
        }
    }
}

TYPED_TEST_P(RichTextBoxContract, SelectionReportsFollowTheCaret) {
    this->box->setText(u"abcdef");
    this->listen();
    struct Step {
        const char* what;
        std::function<void(RichTextBoxContract<TypeParam>&)> act;
    };
    const Step steps[] = {
        {"setSelStart", [](auto& t) { t.box->setSelStart(2); }},
        {"setSelLength", [](auto& t) { t.box->setSelLength(3); }},
        {"setSelText", [](auto& t) { t.box->setSelText(u"XYZW"); }},
        {"setSelStart back", [](auto& t) { t.box->setSelStart(0); }},
        {"setText moves the caret home",
         [](auto& t) {
             t.box->setSelStart(4);
             const int reports = t.selectionReports;
             t.box->setText(u"新的");
             EXPECT_EQ(t.box->selStart(), 0u);
             EXPECT_GT(t.selectionReports, reports);
         }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        const int before = this->selectionReports;
        step.act(*this);
        EXPECT_GT(this->selectionReports, before);
    }
}

// The zoom is the view's: content, selection and the change reports do not see it.
TYPED_TEST_P(RichTextBoxContract, ZoomChangesNeitherTheContentNorTheSelection) {
    auto& box = *this->box;
    EXPECT_EQ(box.zoomPercent(), 100);
    const StyledText content = styled({{u"电阻\r\n", boldRed()}, {u"电容", bigFont()}});
    box.setContent(content);
    this->select(1, 3);
    this->listen();
    const struct {
        int asked, shown;
    } rows[] = {{150, 150}, {400, 400}, {50, 50}, {20, 50}, {1000, 400}, {100, 100}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.asked);
        box.setZoomPercent(row.asked);
        EXPECT_EQ(box.zoomPercent(), row.shown);
        EXPECT_EQ(box.content(), content);
        EXPECT_EQ(box.selStart(), 1u);
        EXPECT_EQ(box.selLength(), 3u);
    }
    EXPECT_EQ(this->edits, 0);
    // What is set at a zoom keeps it.
    box.setZoomPercent(200);
    box.setText(u"新的");
    EXPECT_EQ(box.zoomPercent(), 200);
    EXPECT_EQ(box.text(), u"新的");
}

REGISTER_TYPED_TEST_SUITE_P(
    RichTextBoxContract, TextReadsBackAsItWasSet, ControlCharactersAreStoredExactly,
    SetTextTakesTheDefaultFormatWithTheCaretAtTheStart, CaretAndSelectionAreClampedToTheText,
    PositionsCountALineBreakAsTwoUnits, ACaretNeverStandsInsideALineBreak, ASurrogatePairIsTwoUnits,
    SetSelTextReplacesTheSelectionAndLeavesTheCaretAfterIt, ContentRoundTripsWithItsFormats,
    SelFormatIsTheFirstCharactersOrTheOneBeforeTheCaret, SelFormatAtTheStartOfALine,
    FontAndColourApplyToTheSelectionOnly, FontKeepsEachCharactersColour,
    FontAndColourAtTheCaretGoToTheTextTypedNext, MovingTheCaretForgetsTheFormatForTheTextTypedNext,
    EditReportsReproduceTheText, SelectionReportsFollowTheCaret,
    ZoomChangesNeitherTheContentNorTheSelection);

}  // namespace pennory::testing::contract
