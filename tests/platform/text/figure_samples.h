#pragma once
// Tiny picture files for the figure tests: a 1 x 1 PNG, a JPEG whose headers say 2 x 3, a
// 1 x 1 24-bit BMP, a 1 x 1 GIF, and a PNG whose header declares more pixels than a picture
// may have.

#include <string>

namespace pennory::testing {

inline std::string fromHex(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    }
    return out;
}

inline std::string tinyPng() {
    return fromHex(
        "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
        "1f15c4890000000d49444154789c63000100000500010d0a2db40000000049454e44ae426082");
}

inline std::string tinyJpeg() {
    return fromHex("ffd8ffc0001108000300020301220002110103110100ffd9");
}

inline std::string tinyBmp() {
    // File header (size 58, pixels at 54), a 40-byte info header, one pixel and its padding.
    return fromHex(
        "424d3a000000000000003600000028000000010000000100000001001800000000000400000013"
        "0b0000130b000000000000000000000000ff00");
}

inline std::string tinyGif() {
    return fromHex("47494638396101000100800000000000ffffff2c00000000010001000002024401003b");
}

// 100000 x 100000 pixels declared in a PNG header.
inline std::string hugePng() {
    return fromHex(
        "89504e470d0a1a0a0000000d49484452000186a0000186a00806000000"
        "a8520bc8");
}

}  // namespace pennory::testing
