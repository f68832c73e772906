#include "platform/text/rtf_paragraph_state.h"

#include <algorithm>
#include <cstdlib>

namespace pennory::text {
namespace {

// Beyond any page: a larger value is a damaged file, not a format.
constexpr std::int32_t kMaxTwips = 31680 * 4;
constexpr std::int32_t kMaxCharsHundredths = 100000;

std::int32_t clampTwips(std::int32_t v) { return std::clamp(v, -kMaxTwips, kMaxTwips); }

Indent indentOf(std::int32_t twips, std::int32_t chars) {
    Indent indent;
    if (chars != 0) {
        indent.charsHundredths = chars;
    } else {
        indent.points = static_cast<float>(twips) / 20.0f;
    }
    return indent;
}

}  // namespace

ParagraphFormat RtfParagraphState::format() const {
    ParagraphFormat f;
    f.alignment = alignment;
    f.firstLine = indentOf(firstTwips, firstChars);
    f.left = indentOf(leftTwips, leftChars);
    f.right = indentOf(rightTwips, rightChars);
    if (lineSpacing != 0) {
        if (lineMultiple) {
            if (lineSpacing > 0) f.lineSpacing.value = static_cast<float>(lineSpacing) / 240.0f;
        } else {
            f.lineSpacing.rule =
                lineSpacing < 0 ? LineSpacing::Rule::Exactly : LineSpacing::Rule::AtLeast;
            f.lineSpacing.value = static_cast<float>(std::abs(lineSpacing)) / 20.0f;
        }
    }
    f.spaceBeforePt = static_cast<float>(std::max(beforeTwips, 0)) / 20.0f;
    f.spaceAfterPt = static_cast<float>(std::max(afterTwips, 0)) / 20.0f;
    return f;
}

bool applyParagraphWord(RtfParagraphState& s, RtfKeyword keyword, const RtfToken& token) {
    const std::int32_t p = token.hasParameter ? token.parameter : 0;
    const std::int32_t twips = clampTwips(p);
    const std::int32_t chars = std::clamp(p, -kMaxCharsHundredths, kMaxCharsHundredths);
    switch (keyword) {
        case RtfKeyword::ParagraphDefault:
            s = RtfParagraphState{};
            return true;
        case RtfKeyword::AlignLeft:
            s.alignment = Alignment::Left;
            return true;
        case RtfKeyword::AlignCentre:
            s.alignment = Alignment::Centre;
            return true;
        case RtfKeyword::AlignRight:
            s.alignment = Alignment::Right;
            return true;
        case RtfKeyword::AlignJustify:  // \qj, and \qd (distributed), which this editor justifies
            s.alignment = Alignment::Justify;
            return true;
        case RtfKeyword::FirstIndent:
            s.firstTwips = twips;
            return true;
        case RtfKeyword::LeftIndent:
            s.leftTwips = twips;
            return true;
        case RtfKeyword::RightIndent:
            s.rightTwips = twips;
            return true;
        case RtfKeyword::FirstIndentChars:
            s.firstChars = chars;
            return true;
        case RtfKeyword::LeftIndentChars:
            s.leftChars = chars;
            return true;
        case RtfKeyword::RightIndentChars:
            s.rightChars = chars;
            return true;
        case RtfKeyword::LineSpacing:
            s.lineSpacing = clampTwips(p);
            return true;
        case RtfKeyword::LineSpacingMultiple:
            s.lineMultiple = token.hasParameter ? p != 0 : true;
            return true;
        case RtfKeyword::SpaceBefore:
            s.beforeTwips = twips;
            return true;
        case RtfKeyword::SpaceAfter:
            s.afterTwips = twips;
            return true;
        default:
            return false;
    }
}

}  // namespace pennory::text
