#pragma once
// The placeable header a WMF file starts with (22 bytes: key D7 CD C6 9A, a zero handle, the
// bounding box, units an inch, four reserved zero bytes, the checksum), which RTF's \wmetafile
// leaves out and package readers expect.

#include <cstddef>
#include <string>
#include <string_view>

namespace pennory::text {

inline constexpr std::size_t kWmfPlaceableHeaderSize = 22;

// True when wmf starts with a whole placeable header (its key; the checksum is not checked).
bool hasWmfPlaceableHeader(std::string_view wmf);

// A placeable header for a picture widthTwips x heightTwips: the box (0, 0, width, height)
// in twips, 1440 units an inch, the checksum the XOR of the ten 16-bit words before it.
// Sizes are clamped to what 16 bits hold (1 to 32767).
std::string wmfPlaceableHeader(int widthTwips, int heightTwips);

}  // namespace pennory::text
