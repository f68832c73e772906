#include "platform/text/rtf_run_builder.h"

#include <utility>

namespace pennory::text {
namespace {

bool isEastAsian(char16_t c) {
    return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0x2FDF) ||
           (c >= 0x2FF0 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xDFFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

}  // namespace

void RtfRunBuilder::append(std::u16string_view chars, const RtfGroupState& s) {
    const Key key = keyOf(s, m_fonts.resolve(s.font));
    if (s.eastAsianFont >= 0) {
        const std::int32_t eastAsian = m_fonts.resolve(s.eastAsianFont);
        const RtfFont* a = m_fonts.find(eastAsian);
        const RtfFont* b = m_fonts.find(key.font);
        if (a && (!b || a->name != b->name)) {
            Key eastKey = key;
            eastKey.font = eastAsian;
            // Split into stretches of Chinese and other characters. In a \dbch run, quotation
            // marks and other non-ASCII punctuation belong to the Chinese text too.
            const bool doubleByte = s.runKind == RtfRunKind::Double;
            auto east = [doubleByte](char16_t c) {
                return isEastAsian(c) || (doubleByte && c >= 0x80);
            };
            std::size_t start = 0;
            while (start < chars.size()) {
                const bool isEast = east(chars[start]);
                std::size_t end = start + 1;
                while (end < chars.size() && east(chars[end]) == isEast) ++end;
                appendWithKey(chars.substr(start, end - start), isEast ? eastKey : key);
                start = end;
            }
            return;
        }
    }
    appendWithKey(chars, key);
}

void RtfRunBuilder::appendFigure(FigureRef figure, const RtfGroupState& s) {
    commitRun();
    m_haveRun = false;
    CharFormat format = formatOf(keyOf(s, m_fonts.resolve(s.font)));
    format.figure = std::move(figure);
    m_out.append(std::u16string_view(&kObjectCharacter, 1), format);
    ++m_emitted;
}

StyledText RtfRunBuilder::finish() {
    if (m_emittedAtPar == m_emitted && m_runText.size() >= 2 && m_runText.ends_with(u"\r\n")) {
        m_runText.resize(m_runText.size() - 2);
    }
    commitRun();
    return std::move(m_out);
}

RtfRunBuilder::Key RtfRunBuilder::keyOf(const RtfGroupState& s, std::int32_t font) {
    Key key;
    key.font = font;
    key.halfPoints = s.halfPoints;
    key.colour = s.colour;
    key.flags = static_cast<std::uint8_t>((s.bold ? 1 : 0) | (s.italic ? 2 : 0) |
                                          (s.underline ? 4 : 0) | (s.strike ? 8 : 0));
    return key;
}

CharFormat RtfRunBuilder::formatOf(const Key& key) const {
    CharFormat format;
    if (const RtfFont* font = m_fonts.find(key.font)) format.fontName = font->name;
    format.sizePt = static_cast<float>(key.halfPoints) / 2.0f;
    format.bold = key.flags & 1;
    format.italic = key.flags & 2;
    format.underline = key.flags & 4;
    format.strikethrough = key.flags & 8;
    if (const auto colour = m_colours.find(key.colour)) format.colour = *colour;
    return format;
}

void RtfRunBuilder::appendWithKey(std::u16string_view chars, const Key& key) {
    if (!m_haveRun || !(key == m_runKey)) {
        commitRun();
        m_runKey = key;
        m_runFormat = formatOf(key);
        m_haveRun = true;
    }
    m_runText.append(chars);
    m_emitted += chars.size();
}

void RtfRunBuilder::commitRun() {
    if (m_runText.empty()) return;
    m_out.append(m_runText, m_runFormat);
    m_runText.clear();
}

}  // namespace pennory::text
