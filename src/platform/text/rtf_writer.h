#pragma once
// Writes styled text as a Windows rich-edit control writes Chinese text: \ansi\ansicpg936,
// \fcharset134 fonts, code page 936 characters as \'hh, other characters as \uN?, control
// characters as \'hh and CR LF as \par. A lone CR or LF is written as \'0d or \'0a, so
// readRtf(writeRtf(x)) == x for any text, lone surrogates included. Sizes are stored to the
// half point (\fs), clamped to 0.5..16383.5; colours to 24 bits. One more \par than the text
// has line breaks ends the document, as a rich-edit control writes it.

#include <string>

#include "platform/text/styled_text.h"

namespace pennory::text {

std::string writeRtf(const StyledText& text);

}  // namespace pennory::text
