#pragma once
// The paragraph properties an RTF group carries (\pard and the words after it), kept as the
// file gives them until a paragraph ends and takes them as its format.

#include <cstdint>

#include "platform/text/paragraph_format.h"
#include "platform/text/rtf_keywords.h"
#include "platform/text/rtf_tokenizer.h"

namespace pennory::text {

struct RtfParagraphState {
    Alignment alignment = Alignment::Left;
    // Indents in twips, and in hundredths of a character where \cufi, \culi or \curi gave
    // them (0: not given); characters win over twips, as in Word.
    std::int32_t firstTwips = 0, leftTwips = 0, rightTwips = 0;
    std::int32_t firstChars = 0, leftChars = 0, rightChars = 0;
    std::int32_t lineSpacing = 0;  // \sl: 0 single; with \slmult1 in 240ths of a line
    bool lineMultiple = false;     // \slmult1
    std::int32_t beforeTwips = 0, afterTwips = 0;

    ParagraphFormat format() const;
    bool operator==(const RtfParagraphState&) const = default;
};

// Applies a paragraph word (\pard, \ql, \qc, \qr, \qj, \qd, \fi, \li, \lin, \ri, \rin, \cufi,
// \culi, \curi, \sl, \slmult, \sb, \sa) to s. Returns false, changing nothing, for any other.
bool applyParagraphWord(RtfParagraphState& s, RtfKeyword keyword, const RtfToken& token);

}  // namespace pennory::text
