#pragma once
// Builds the styled text an RTF reader gives: decoded characters go in with the state of the
// group they were written in, and come out as runs, each with one character format.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text/rtf_colour_table.h"
#include "platform/text/rtf_font_table.h"
#include "platform/text/rtf_reader_state.h"
#include "platform/text/styled_text.h"

namespace pennory::text {

class RtfRunBuilder {
public:
    // Formats name fonts and colours of these tables as they stand when a run starts.
    RtfRunBuilder(const RtfFontTable& fonts, const RtfColourTable& colours)
        : m_fonts(fonts), m_colours(colours) {}

    // Appends chars in the format s gives. Where s names a Chinese font that differs from its
    // font, Chinese characters take the Chinese font; in a \dbch run, so does every other
    // non-ASCII character.
    void append(std::u16string_view chars, const RtfGroupState& s);

    // Appends one object character holding figure, in the format s gives the text around it.
    void appendFigure(FigureRef figure, const RtfGroupState& s);
    // Marks the CR LF just appended as the end of a paragraph (\par).
    void markParagraphEnd() { m_emittedAtPar = m_emitted; }

    // The text read. A paragraph end with nothing after it is dropped: a rich-edit control
    // writes one after the last line of every document.
    StyledText finish();

private:
    // What decides a run's CharFormat; cheap to compare per piece of text.
    struct Key {
        std::int32_t font = 0;
        std::int32_t halfPoints = 0;
        std::int32_t colour = 0;
        std::uint8_t flags = 0;
        bool operator==(const Key&) const = default;
    };

    static Key keyOf(const RtfGroupState& s, std::int32_t font);
    CharFormat formatOf(const Key& key) const;
    void appendWithKey(std::u16string_view chars, const Key& key);
    void commitRun();

    const RtfFontTable& m_fonts;
    const RtfColourTable& m_colours;

    StyledText m_out;
    std::u16string m_runText;
    Key m_runKey;
    CharFormat m_runFormat;
    bool m_haveRun = false;
    std::size_t m_emitted = 0;              // units appended so far
    std::size_t m_emittedAtPar = SIZE_MAX;  // m_emitted just after the last \par
};

}  // namespace pennory::text
