// What the 段落 dialog shows of a paragraph format, and what its answer makes of it: a
// control the writer left alone leaves its property as it was, even one it could not show.

#include "platform/text/paragraph_dialog_values.h"

#include <gtest/gtest.h>

namespace pennory::text {
namespace {

using V = ParagraphDialogValues;

TEST(ParagraphDialogValues, ShowsEachPropertyAsNearAsItsControlCan) {
    struct Row {
        const char* name;
        ParagraphFormat format;
        V shown;
    };
    ParagraphFormat twoChars;
    twoChars.firstLine.charsHundredths = 200;
    twoChars.alignment = Alignment::Justify;
    ParagraphFormat pointsIndent;
    pointsIndent.left.points = 21.0f;        // two characters of 10.5 points
    pointsIndent.firstLine.points = -10.5f;  // hanging: the control starts at 0
    ParagraphFormat oneFifteen;
    oneFifteen.lineSpacing = {LineSpacing::Rule::Multiple, 1.15f};
    ParagraphFormat fixed;
    fixed.lineSpacing = {LineSpacing::Rule::Exactly, 18.0f};
    fixed.spaceBeforePt = 6.25f;
    ParagraphFormat atLeast;
    atLeast.lineSpacing = {LineSpacing::Rule::AtLeast, 15.0f};
    atLeast.right.charsHundredths = 2500;  // beyond the control's 20
    const Row rows[] = {
        {"default", ParagraphFormat{}, V{}},
        {"two characters", twoChars, V{Alignment::Justify, 2.0, 0, 0, V::Single, 12, 0, 0}},
        {"indents in points", pointsIndent, V{Alignment::Left, 0, 2.0, 0, V::Single, 12, 0, 0}},
        {"1.15 lines", oneFifteen, V{}},
        {"fixed", fixed, V{Alignment::Left, 0, 0, 0, V::Fixed, 18, 6.3, 0}},
        {"at least", atLeast, V{Alignment::Left, 0, 0, 20, V::Fixed, 15, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(shownValues(row.format), row.shown);
    }
}

TEST(ParagraphDialogValues, UntouchedControlsKeepWhatTheyCouldNotShow) {
    ParagraphFormat initial;
    initial.left.points = 15.0f;
    initial.lineSpacing = {LineSpacing::Rule::Multiple, 1.15f};
    initial.spaceAfterPt = 3.33f;
    const V shown = shownValues(initial);
    EXPECT_EQ(chosenFormat(initial, shown, shown), initial);

    V now = shown;
    now.alignment = Alignment::Centre;
    now.firstLineChars = 2.0;
    ParagraphFormat expected = initial;
    expected.alignment = Alignment::Centre;
    expected.firstLine = Indent{200, 0.0f};
    EXPECT_EQ(chosenFormat(initial, shown, now), expected);
}

TEST(ParagraphDialogValues, ChangedControlsSetTheirProperty) {
    const ParagraphFormat initial;
    const V shown = shownValues(initial);
    struct Row {
        const char* name;
        V now;
        ParagraphFormat expected;
    };
    auto with = [](auto change) {
        ParagraphFormat f;
        change(f);
        return f;
    };
    const Row rows[] = {
        {"1.5 lines", V{Alignment::Left, 0, 0, 0, V::OneAndHalf, 12, 0, 0},
         with([](ParagraphFormat& f) {
             f.lineSpacing = {LineSpacing::Rule::Multiple, 1.5f};
         })},
        {"double", V{Alignment::Left, 0, 0, 0, V::Double, 12, 0, 0}, with([](ParagraphFormat& f) {
             f.lineSpacing = {LineSpacing::Rule::Multiple, 2.0f};
         })},
        {"fixed 20", V{Alignment::Left, 0, 0, 0, V::Fixed, 20, 0, 0}, with([](ParagraphFormat& f) {
             f.lineSpacing = {LineSpacing::Rule::Exactly, 20.0f};
         })},
        {"indents", V{Alignment::Right, 0.5, 1.5, 3, V::Single, 12, 0, 0},
         with([](ParagraphFormat& f) {
             f.alignment = Alignment::Right;
             f.firstLine = Indent{50, 0.0f};
             f.left = Indent{150, 0.0f};
             f.right = Indent{300, 0.0f};
         })},
        {"space", V{Alignment::Left, 0, 0, 0, V::Single, 12, 6, 12.5}, with([](ParagraphFormat& f) {
             f.spaceBeforePt = 6.0f;
             f.spaceAfterPt = 12.5f;
         })},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(chosenFormat(initial, shown, row.now), row.expected);
    }
}

}  // namespace
}  // namespace pennory::text
