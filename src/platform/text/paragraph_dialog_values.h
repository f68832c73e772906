#pragma once
// What the 段落 dialog's controls show of a paragraph format, and the format its answer
// makes. Indents are shown in characters, spacing before and after in points (磅), line
// spacing as 单倍, 1.5 倍, 2 倍 or 固定值 in points. A property the controls cannot show exactly
// (an indent in points, a multiple of 1.15, a minimum line height) is shown as near as they
// can and kept as it was unless the writer changes its control.

#include "platform/text/paragraph_format.h"

namespace pennory::text {

struct ParagraphDialogValues {
    enum Spacing { Single, OneAndHalf, Double, Fixed };

    Alignment alignment = Alignment::Left;
    double firstLineChars = 0;  // 0 to 4, one decimal
    double leftChars = 0;       // 0 to 20, one decimal
    double rightChars = 0;
    Spacing spacing = Single;
    double fixedPt = 12;  // meaningful for Fixed
    double beforePt = 0;  // 0 to 200, one decimal
    double afterPt = 0;

    bool operator==(const ParagraphDialogValues&) const = default;
};

inline constexpr double kMaxFirstLineChars = 4;
inline constexpr double kMaxSideChars = 20;
inline constexpr double kMaxSpacePt = 200;
inline constexpr double kMinFixedPt = 1;
inline constexpr double kMaxFixedPt = 200;

ParagraphDialogValues shownValues(const ParagraphFormat& format);
// initial with every property whose control shows something else in now than in shown.
ParagraphFormat chosenFormat(const ParagraphFormat& initial, const ParagraphDialogValues& shown,
                             const ParagraphDialogValues& now);

}  // namespace pennory::text
