#pragma once
// The colour table of an RTF document (\colortbl): "\red255\green0\blue0;" entries, each ended
// by ';'. An entry without components is the automatic colour. At most 4096 entries are kept.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/text/rtf_keywords.h"
#include "platform/text/styled_text.h"

namespace pennory::text {

class RtfColourTable {
public:
    // \colortbl: the next components start a new entry.
    void startTable() { m_entry = {}; }
    // \redN, \greenN or \blueN of the entry being read; N is clamped to 0..255.
    void setComponent(RtfKeyword component, std::int32_t value);
    // Text of the table: each ';' ends an entry.
    void tableText(std::string_view bytes);

    // The colour \cfN asks for; none for 0, for an automatic entry and for a number the table
    // does not have, so that the text keeps its default colour.
    std::optional<Colour> find(std::int32_t index) const {
        if (index <= 0 || static_cast<std::size_t>(index) >= m_colours.size() ||
            m_colours[index].automatic) {
            return std::nullopt;
        }
        return m_colours[index].value;
    }

private:
    struct Entry {
        Colour value = 0;
        bool automatic = true;
    };

    std::vector<Entry> m_colours;
    Entry m_entry;
};

}  // namespace pennory::text
