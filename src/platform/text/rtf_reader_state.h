#pragma once
// The state every RTF group carries: where its text goes, and the character and paragraph
// formats its text takes. A group starts with a copy of its parent's state; its words change only
// its own.

#include <cstdint>

#include "platform/text/rtf_keywords.h"
#include "platform/text/rtf_paragraph_state.h"
#include "platform/text/rtf_tokenizer.h"

namespace pennory::text {

enum class RtfDestination : std::uint8_t {
    Normal,
    Skip,
    FontTable,
    ColourTable,
    UprContainer,  // the \upr group: its own groups are skipped, except \ud
    UprChild,
    PictureHolder,     // \shppict or \nonshppict: only a \pict inside is read
    Picture,           // a \pict group: its size words and data
    PictureGif,        // Pennory's own group of a GIF figure's bytes inside \pict
    PictureMedia,      // Pennory's own group of a picture file's media type and bytes
    PictureWmfHeader,  // Pennory's own group of a WMF's placeable header
};

// Which kind of characters follow (\loch, \hich, \dbch). With \dbch, the associated properties
// (\af, \afs, \ab, \ai) are those of the Chinese text, as LibreOffice writes them.
enum class RtfRunKind : std::uint8_t { Low, High, Double };

struct RtfGroupState {
    static constexpr std::int32_t kDefaultHalfPoints = 24;  // 12 pt

    RtfDestination destination = RtfDestination::Normal;
    RtfDestination uprOuter = RtfDestination::Normal;
    bool starred = false;  // after \*: the next word decides whether the group is skipped
    RtfRunKind runKind = RtfRunKind::Low;
    bool rightToLeft = false;
    std::uint8_t unicodeSkip = 1;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::int32_t font = -1;           // -1: the document's default font
    std::int32_t eastAsianFont = -1;  // -1: Chinese text uses font too
    std::int32_t codePageFont = -1;   // the font whose code page decodes \'hh bytes
    std::int32_t halfPoints = kDefaultHalfPoints;
    std::int32_t colour = 0;
    RtfParagraphState paragraph;  // \plain leaves it; \pard resets it

    // \plain: the RTF defaults.
    void resetCharacterFormat() {
        bold = italic = underline = strike = false;
        font = eastAsianFont = codePageFont = -1;
        halfPoints = kDefaultHalfPoints;
        colour = 0;
        runKind = RtfRunKind::Low;
        rightToLeft = false;
    }
};

// Applies a character-format word (\plain, \f, \fs, \b, \i, \ul, \ulnone, \strike, \cf, \loch,
// \hich, \dbch, \rtlch, \ltrch and the associated \af, \afs, \ab, \ai) to s. Returns false,
// changing nothing, for any other word.
bool applyFormatWord(RtfGroupState& s, RtfKeyword keyword, const RtfToken& token);

}  // namespace pennory::text
