#include "platform/text/styled_text.h"

#include <gtest/gtest.h>

namespace pennory::text {
namespace {

ParagraphFormat aligned(Alignment a) {
    ParagraphFormat f;
    f.alignment = a;
    return f;
}

const ParagraphFormat kCentred = aligned(Alignment::Centre);
const ParagraphFormat kRight = aligned(Alignment::Right);
const ParagraphFormat kLeft{};

// "标题" centred, "正文一" right, "正文二" left.
StyledText threeParagraphs() {
    StyledText t(u"标题\r\n正文一\r\n正文二", {}, kCentred);
    t.setParagraphFormat(1, kRight);
    t.setParagraphFormat(2, kLeft);
    return t;
}

TEST(StyledTextParagraphs, OneMoreThanLineBreaksEvenWhenABreakSpansTwoRuns) {
    EXPECT_EQ(StyledText().paragraphs(), std::vector{kLeft});

    StyledText t(u"", {}, kCentred);
    CharFormat bold;
    bold.bold = true;
    t.append(u"一\r", {});
    t.append(u"\n二", bold);  // Enter starts a paragraph like the one it ends
    EXPECT_EQ(t.paragraphs(), (std::vector{kCentred, kCentred}));
    EXPECT_EQ(t.paragraphAt(2), 0u);  // between CR and LF
    EXPECT_EQ(t.paragraphAt(3), 1u);

    StyledText other(u"\n三\r\n四", {}, kRight);
    other.setParagraphFormat(1, kLeft);
    StyledText endsInCr(u"甲\r", {}, kCentred);
    endsInCr.append(other);
    EXPECT_EQ(endsInCr.plainText(), u"甲\r\n三\r\n四");
    EXPECT_EQ(endsInCr.paragraphs(), (std::vector{kCentred, kCentred, kLeft}));
}

TEST(StyledTextParagraphs, SliceAndAppendKeepWhatDeletingAcrossParagraphsKeeps) {
    const StyledText t = threeParagraphs();
    struct Case {
        std::size_t start, count;
        std::vector<ParagraphFormat> expected;
    } cases[] = {
        {0, 2, {kCentred}},
        {0, 4, {kCentred, kRight}},       // ends right after the break: touches "正文一"
        {3, 1, {kCentred}},               // the LF alone completes no break
        {4, 100, {kRight, kLeft}},
        {9, 0, {kLeft}},                  // empty, at the start of the last paragraph
    };
    for (const auto& c : cases) {
        EXPECT_EQ(t.slice(c.start, c.count).paragraphs(), c.expected) << c.start << "+" << c.count;
    }

    // Deleting from inside the title to inside the second paragraph: the title's format stays.
    StyledText joined = t.slice(0, 1);
    joined.append(t.slice(6, SIZE_MAX));
    EXPECT_EQ(joined.plainText(), u"标一\r\n正文二");
    EXPECT_EQ(joined.paragraphs(), (std::vector{kCentred, kLeft}));
    EXPECT_EQ(t.slice(0, SIZE_MAX), t);
}

}  // namespace
}  // namespace pennory::text
