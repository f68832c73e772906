#include "platform/text/wmf_header.h"

#include <algorithm>
#include <cstdint>

namespace pennory::text {
namespace {

void putLe16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

std::uint16_t le16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      (static_cast<unsigned char>(b[at + 1]) << 8));
}

}  // namespace

bool hasWmfPlaceableHeader(std::string_view wmf) {
    return wmf.size() >= kWmfPlaceableHeaderSize && wmf.substr(0, 4) == "\xD7\xCD\xC6\x9A";
}

std::string wmfPlaceableHeader(int widthTwips, int heightTwips) {
    std::string out("\xD7\xCD\xC6\x9A", 4);
    putLe16(out, 0);  // handle
    putLe16(out, 0);  // left
    putLe16(out, 0);  // top
    putLe16(out, static_cast<std::uint16_t>(std::clamp(widthTwips, 1, 32767)));
    putLe16(out, static_cast<std::uint16_t>(std::clamp(heightTwips, 1, 32767)));
    putLe16(out, 1440);  // units an inch: the box is in twips
    out.append(4, '\0');
    std::uint16_t checksum = 0;
    for (std::size_t at = 0; at < 20; at += 2) checksum ^= le16(out, at);
    putLe16(out, checksum);
    return out;
}

}  // namespace pennory::text
