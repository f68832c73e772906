#pragma once
// The manuscript as the core sees it: runs of characters, each with one character format.
// A line break is the two characters CR LF inside a run's text; every other character,
// control characters included, is stored exactly as given.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/font.h"

namespace pennory::text {

// A colour in the Windows red-green-blue form 0x00BBGGRR.
using Colour = std::uint32_t;

inline constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) |
           (static_cast<Colour>(b & 0xFF) << 16);
}

// A font and a colour. The font is a base rather than a member so that a format's fields
// read as format.fontName, format.bold and so on, and a format converts to its font.
struct CharFormat : Font {
    Colour colour = 0;  // black

    bool operator==(const CharFormat&) const = default;
};

struct StyledRun {
    std::u16string text;
    CharFormat format;

    bool operator==(const StyledRun&) const = default;
};

// Runs in order. Adjacent runs with equal formats are merged and empty runs dropped, so
// two texts with the same characters and formats compare equal.
class StyledText {
public:
    StyledText() = default;
    explicit StyledText(std::u16string plain, CharFormat format = {});

    void append(std::u16string_view text, const CharFormat& format);
    void append(const StyledText& other);

    const std::vector<StyledRun>& runs() const { return m_runs; }
    std::u16string plainText() const;
    std::size_t length() const;  // in UTF-16 units
    bool empty() const { return m_runs.empty(); }

    // The part [start, start + count), clamped to the text.
    StyledText slice(std::size_t start, std::size_t count) const;

    bool operator==(const StyledText&) const = default;

private:
    std::vector<StyledRun> m_runs;
};

}  // namespace pennory::text
