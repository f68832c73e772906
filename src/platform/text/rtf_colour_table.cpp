#include "platform/text/rtf_colour_table.h"

#include <algorithm>

namespace pennory::text {
namespace {

constexpr std::size_t kMaxColours = 4096;

}  // namespace

void RtfColourTable::setComponent(RtfKeyword component, std::int32_t value) {
    const int shift = component == RtfKeyword::Red ? 0 : component == RtfKeyword::Green ? 8 : 16;
    const auto v = static_cast<Colour>(std::clamp(value, 0, 255));
    m_entry.value = (m_entry.value & ~(0xFFu << shift)) | (v << shift);
    m_entry.automatic = false;
}

void RtfColourTable::tableText(std::string_view bytes) {
    for (const char c : bytes) {
        if (c != ';') continue;
        if (m_colours.size() < kMaxColours) m_colours.push_back(m_entry);
        m_entry = {};
    }
}

}  // namespace pennory::text
