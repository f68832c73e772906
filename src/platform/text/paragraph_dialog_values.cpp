#include "platform/text/paragraph_dialog_values.h"

#include <algorithm>
#include <cmath>

namespace pennory::text {

namespace {

// An indent in points is shown in characters of the usual body size, 五号.
constexpr double kNominalCharPoints = 10.5;

double oneDecimal(double value, double low, double high) {
    return std::clamp(std::round(value * 10.0) / 10.0, low, high);
}

double shownChars(const Indent& indent, double high) {
    const double chars =
        indent.isCharacters() ? indent.charsHundredths / 100.0 : indent.points / kNominalCharPoints;
    return oneDecimal(chars, 0, high);
}

Indent charsIndent(double chars) {
    return Indent{static_cast<int>(std::lround(chars * 100)), 0.0f};
}

ParagraphDialogValues::Spacing shownSpacing(const LineSpacing& spacing) {
    if (spacing.rule != LineSpacing::Rule::Multiple) return ParagraphDialogValues::Fixed;
    if (spacing.value >= 1.75f) return ParagraphDialogValues::Double;
    if (spacing.value >= 1.25f) return ParagraphDialogValues::OneAndHalf;
    return ParagraphDialogValues::Single;
}

}  // namespace

ParagraphDialogValues shownValues(const ParagraphFormat& format) {
    ParagraphDialogValues v;
    v.alignment = format.alignment;
    v.firstLineChars = shownChars(format.firstLine, kMaxFirstLineChars);
    v.leftChars = shownChars(format.left, kMaxSideChars);
    v.rightChars = shownChars(format.right, kMaxSideChars);
    v.spacing = shownSpacing(format.lineSpacing);
    if (v.spacing == ParagraphDialogValues::Fixed) {
        v.fixedPt = oneDecimal(format.lineSpacing.value, kMinFixedPt, kMaxFixedPt);
    }
    v.beforePt = oneDecimal(format.spaceBeforePt, 0, kMaxSpacePt);
    v.afterPt = oneDecimal(format.spaceAfterPt, 0, kMaxSpacePt);
    return v;
}

ParagraphFormat chosenFormat(const ParagraphFormat& initial, const ParagraphDialogValues& shown,
                             const ParagraphDialogValues& now) {
    ParagraphFormat out = initial;
    if (now.alignment != shown.alignment) out.alignment = now.alignment;
    if (now.firstLineChars != shown.firstLineChars) out.firstLine = charsIndent(now.firstLineChars);
    if (now.leftChars != shown.leftChars) out.left = charsIndent(now.leftChars);
    if (now.rightChars != shown.rightChars) out.right = charsIndent(now.rightChars);
    const bool fixedChanged =
        now.spacing == ParagraphDialogValues::Fixed && now.fixedPt != shown.fixedPt;
    if (now.spacing != shown.spacing || fixedChanged) {
        switch (now.spacing) {
            case ParagraphDialogValues::Single:
                out.lineSpacing = {LineSpacing::Rule::Multiple, 1.0f};
                break;
            case ParagraphDialogValues::OneAndHalf:
                out.lineSpacing = {LineSpacing::Rule::Multiple, 1.5f};
                break;
            case ParagraphDialogValues::Double:
                out.lineSpacing = {LineSpacing::Rule::Multiple, 2.0f};
                break;
            case ParagraphDialogValues::Fixed:
                out.lineSpacing = {LineSpacing::Rule::Exactly, static_cast<float>(now.fixedPt)};
                break;
        }
    }
    if (now.beforePt != shown.beforePt) out.spaceBeforePt = static_cast<float>(now.beforePt);
    if (now.afterPt != shown.afterPt) out.spaceAfterPt = static_cast<float>(now.afterPt);
    return out;
}

}  // namespace pennory::text
