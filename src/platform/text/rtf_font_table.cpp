#include "platform/text/rtf_font_table.h"

#include <algorithm>
#include <utility>

namespace pennory::text {
namespace {

constexpr std::size_t kMaxFonts = 4096;
// Names are bounded in characters once decoded; the bytes collected before decoding are bounded
// more loosely, so that any name within the character bound is read whole.
constexpr std::size_t kMaxFontNameUnits = 1024;
constexpr std::size_t kMaxFontNameBytes = 4 * kMaxFontNameUnits;

}  // namespace

void RtfFontTable::startEntry(std::int32_t number) {
    finishEntry();
    m_entry = {};
    m_entry.open = true;
    m_entry.number = number;
}

void RtfFontTable::setEntryCharset(int charset) {
    if (m_entry.open) m_entry.charset = charset;
}

void RtfFontTable::setEntryCodePage(int codePage) {
    if (m_entry.open && codePage > 0 && codePage < 100000) m_entry.codePage = codePage;
}

void RtfFontTable::entryText(std::string_view bytes, bool literal) {
    if (!m_entry.open || m_entry.named) return;
    const std::size_t semicolon = literal ? bytes.find(';') : std::string_view::npos;
    const std::string_view name = bytes.substr(0, semicolon);
    const std::size_t room = kMaxFontNameBytes - std::min(kMaxFontNameBytes, m_entry.bytes.size());
    m_entry.bytes.append(name.substr(0, room));
    if (semicolon != std::string_view::npos) m_entry.named = true;
}

void RtfFontTable::entryCharacter(char16_t c) {
    if (!m_entry.open || m_entry.named) return;
    // Bytes before the character are decoded first, to keep the name in order.
    decodeEntryBytes();
    if (m_entry.units.size() < kMaxFontNameUnits) m_entry.units.push_back(c);
}

void RtfFontTable::finishEntry() {
    if (!m_entry.open) return;
    decodeEntryBytes();
    m_entry.open = false;
    if (m_fonts.size() >= kMaxFonts && !m_fonts.count(m_entry.number)) return;
    RtfFont& font = m_fonts[m_entry.number];
    font.name = std::move(m_entry.units);
    font.codePage = m_entry.codePage;
    if (font.codePage == 0) font.codePage = codePageOfCharset(m_entry.charset);
}

int RtfFontTable::codePageOf(std::int32_t number) const {
    const RtfFont* font = find(resolve(number));
    if (font && font->codePage != 0) return font->codePage;
    return m_text.documentCodePage();
}

// A name is in the code page of its own entry, which the font table gives before the name.
void RtfFontTable::decodeEntryBytes() {
    if (m_entry.bytes.empty()) return;
    int codePage = m_entry.codePage;
    if (codePage == 0) codePage = codePageOfCharset(m_entry.charset);
    if (codePage == 0) codePage = m_text.documentCodePage();
    m_text.decodeAppend(codePage, m_entry.bytes, m_entry.units);
    m_entry.bytes.clear();
    if (m_entry.units.size() > kMaxFontNameUnits) m_entry.units.resize(kMaxFontNameUnits);
}

}  // namespace pennory::text
