#pragma once
// The manuscript as the core sees it: runs of characters, each with one character format,
// and one paragraph format for each paragraph. A line break is the two characters CR LF
// inside a run's text (it may be split between two runs) and ends a paragraph; every other
// character, control characters included, is stored exactly as given.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/figure.h"
#include "platform/text/font.h"
#include "platform/text/paragraph_format.h"

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
    // Set, every U+FFFC of the run is this figure; the font and colour are those of the text
    // around it.
    FigureRef figure{};

    bool operator==(const CharFormat&) const = default;
};

struct StyledRun {
    std::u16string text;
    CharFormat format;

    bool operator==(const StyledRun&) const = default;
};

// Runs in order. Adjacent runs with equal formats are merged and empty runs dropped, so
// two texts with the same characters and formats compare equal. There is always one
// paragraph more than line breaks; an empty text has one, in the default format.
class StyledText {
public:
    StyledText() = default;
    explicit StyledText(std::u16string plain, CharFormat format = {},
                        const ParagraphFormat& paragraph = {});

    // A line break in text starts a paragraph in the format of the one it ends, as pressing
    // Enter does.
    void append(std::u16string_view text, const CharFormat& format);
    // The paragraph where the two texts meet keeps this text's format (so an empty text's
    // own), as it does when a selection across paragraphs is deleted; the paragraphs after
    // it keep theirs. To take a whole text with its first paragraph's format, copy it.
    void append(const StyledText& other);

    const std::vector<StyledRun>& runs() const { return m_runs; }
    const std::vector<ParagraphFormat>& paragraphs() const { return m_paragraphs; }
    // Out of range, nothing happens.
    void setParagraphFormat(std::size_t paragraph, const ParagraphFormat& format);
    // The paragraph that holds position; a position between the CR and the LF of a break
    // still belongs to the paragraph the break ends.
    std::size_t paragraphAt(std::size_t position) const;
    std::u16string plainText() const;
    std::size_t length() const;  // in UTF-16 units
    bool empty() const { return m_runs.empty(); }

    // The part [start, start + count), clamped to the text, with the formats of the
    // paragraphs it touches (the one at its end too, even where none of its characters is).
    StyledText slice(std::size_t start, std::size_t count) const;

    bool operator==(const StyledText&) const = default;

private:
    void appendRun(std::u16string_view text, const CharFormat& format);

    std::vector<StyledRun> m_runs;
    std::vector<ParagraphFormat> m_paragraphs{ParagraphFormat{}};
};

}  // namespace pennory::text
