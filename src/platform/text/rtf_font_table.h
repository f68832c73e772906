#pragma once
// The font table of an RTF document (\fonttbl): font numbers, their names, and the code page
// each gives its text. Entries read "\f0\fcharset134 name;", each in a group of its own or one
// after the other in the table's group. The table is bounded in entries and name length.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/text/rtf_text_decoder.h"

namespace pennory::text {

struct RtfFont {
    std::u16string name;
    int codePage = 0;  // 0: the document's
};

class RtfFontTable {
public:
    // Font names are decoded through text, in the code page of their entry.
    explicit RtfFontTable(RtfTextDecoder& text) : m_text(text) {}

    // \deffN: the font of text that names none, or names one the table does not define.
    void setDefaultFont(std::int32_t number) { m_defaultFont = number; }

    // \fN in the table: finishes the open entry, if any, and opens one for font number.
    void startEntry(std::int32_t number);
    // \fcharsetN and \cpgN of the open entry; ignored when no entry is open.
    void setEntryCharset(int charset);
    void setEntryCodePage(int codePage);
    // Text of the open entry: its name up to the first literal ';'. An escaped byte (literal
    // false) never ends the name.
    void entryText(std::string_view bytes, bool literal);
    // A \u character of the name.
    void entryCharacter(char16_t c);
    // Stores the open entry, if any; a later entry with the same number replaces it.
    void finishEntry();

    const RtfFont* find(std::int32_t number) const {
        const auto it = m_fonts.find(number);
        return it == m_fonts.end() ? nullptr : &it->second;
    }

    // The font that number stands for: a number the table does not define, or -1, falls back
    // to the default font.
    std::int32_t resolve(std::int32_t number) const {
        if (number >= 0 && m_fonts.count(number)) return number;
        return m_defaultFont;
    }

    // The code page of bytes written in font number (resolved as above).
    int codePageOf(std::int32_t number) const;

private:
    struct Entry {
        bool open = false;
        std::int32_t number = 0;
        int charset = -1;
        int codePage = 0;
        bool named = false;  // its ';' was seen; later text is not part of the name
        std::string bytes;
        std::u16string units;
    };

    void decodeEntryBytes();

    RtfTextDecoder& m_text;
    std::int32_t m_defaultFont = 0;
    std::unordered_map<std::int32_t, RtfFont> m_fonts;
    Entry m_entry;
};

}  // namespace pennory::text
