#pragma once
// Writes styled text in the form a Windows rich-edit control gives Chinese text (\ansi
// \ansicpg936, \fcharset134 fonts, code page 936 bytes as \'hh, CR LF as \par), made readable by
// other word processors: every non-ASCII character is \uN with its code page bytes (or '?') as
// the \ucN fallback, each font is also the associated font of Chinese text (\dbch\afN), and a
// generator group is named. Control characters are \'hh; a lone CR or LF is \'0d or \'0a, so
// readRtf(writeRtf(x)) == x for any text, lone surrogates and font names of up to 1,024
// characters included. Sizes are stored to the half point (\fs), clamped to 0.5..16383.5;
// colours to 24 bits. One more \par than the text has line breaks ends the document, as a
// rich-edit control writes it.

#include <string>

#include "platform/text/byte_sink.h"
#include "platform/text/styled_text.h"

namespace pennory::text {

// Gives the file to sink as it is made, in pieces of about a megabyte, a figure's data in
// pieces of its own. False when the sink refused a piece: the writer then stops, and what the
// sink took is no whole file.
bool writeRtf(const StyledText& text, const ByteSink& sink);
// The same file, whole.
std::string writeRtf(const StyledText& text);

}  // namespace pennory::text
