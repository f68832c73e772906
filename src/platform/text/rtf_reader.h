#pragma once
// Reads RTF as real programs write it into styled text. Never recurses on group nesting,
// bounds depth and allocations, and gives best-effort text for damaged input.

#include <string_view>

#include "platform/text/styled_text.h"

namespace pennory::text {

// Paragraph and line breaks become CR LF. Text outside any formatting takes the RTF defaults
// (the document's default font, 12 pt).
StyledText readRtf(std::string_view bytes);

// True when the bytes start with "{\rtf" (how the rich-text control tells RTF from text).
bool looksLikeRtf(std::string_view bytes);

}  // namespace pennory::text
