#include "platform/text/rtf_reader_state.h"

#include <algorithm>

namespace pennory::text {
namespace {

constexpr std::int32_t kMaxHalfPoints = 32767;

// \f, \af, \fs and \afs.
bool applyFontWord(RtfGroupState& s, RtfKeyword keyword, const RtfToken& token,
                   bool forDoubleByte) {
    const std::int32_t p = token.parameter;
    switch (keyword) {
        case RtfKeyword::Font:
            if (!token.hasParameter) return true;
            if (forDoubleByte) {
                s.eastAsianFont = p;
            } else {
                s.font = p;
            }
            s.codePageFont = p;
            return true;
        case RtfKeyword::AssocFont:
            if (!token.hasParameter || s.rightToLeft) return true;
            if (s.runKind == RtfRunKind::Double) {
                s.eastAsianFont = p;
            } else {
                s.font = p;
            }
            return true;
        case RtfKeyword::FontSize:
            if (token.hasParameter && p > 0) s.halfPoints = std::min(p, kMaxHalfPoints);
            return true;
        case RtfKeyword::AssocFontSize:
            if (forDoubleByte && token.hasParameter && p > 0) {
                s.halfPoints = std::min(p, kMaxHalfPoints);
            }
            return true;
        default:
            return false;
    }
}

// The on/off words and the colour.
bool applyStyleWord(RtfGroupState& s, RtfKeyword keyword, const RtfToken& token,
                    bool forDoubleByte) {
    const bool on = !token.hasParameter || token.parameter != 0;
    switch (keyword) {
        case RtfKeyword::Bold:
            s.bold = on;
            return true;
        case RtfKeyword::AssocBold:
            if (forDoubleByte) s.bold = on;
            return true;
        case RtfKeyword::Italic:
            s.italic = on;
            return true;
        case RtfKeyword::AssocItalic:
            if (forDoubleByte) s.italic = on;
            return true;
        case RtfKeyword::Underline:
            s.underline = on;
            return true;
        case RtfKeyword::UnderlineNone:
            s.underline = false;
            return true;
        case RtfKeyword::Strike:
            s.strike = on;
            return true;
        case RtfKeyword::ColourIndex:
            s.colour = token.hasParameter ? token.parameter : 0;
            return true;
        default:
            return false;
    }
}

// \plain and the words that say which kind of characters follow.
bool applyRunWord(RtfGroupState& s, RtfKeyword keyword) {
    switch (keyword) {
        case RtfKeyword::Plain:
            s.resetCharacterFormat();
            return true;
        case RtfKeyword::LowAnsi:
            s.runKind = RtfRunKind::Low;
            return true;
        case RtfKeyword::HighAnsi:
            s.runKind = RtfRunKind::High;
            return true;
        case RtfKeyword::DoubleByte:
            s.runKind = RtfRunKind::Double;
            return true;
        case RtfKeyword::RightToLeftRun:
            s.rightToLeft = true;
            return true;
        case RtfKeyword::LeftToRightRun:
            s.rightToLeft = false;
            return true;
        default:
            return false;
    }
}

}  // namespace

bool applyFormatWord(RtfGroupState& s, RtfKeyword keyword, const RtfToken& token) {
    // Associated properties count for Chinese text when \dbch is in effect; otherwise they
    // belong to right-to-left scripts, which this editor does not format apart.
    const bool forDoubleByte = s.runKind == RtfRunKind::Double && !s.rightToLeft;
    return applyRunWord(s, keyword) || applyFontWord(s, keyword, token, forDoubleByte) ||
           applyStyleWord(s, keyword, token, forDoubleByte);
}

}  // namespace pennory::text
