#pragma once
// The text size an indent in characters is measured in: that of a paragraph's first
// character. Writers of formats that hold indents only as lengths turn characters into points
// with it.

#include <vector>

#include "platform/text/styled_text.h"

namespace pennory::text {

// One size per paragraph of text, in points: that of the paragraph's first character, or for
// an empty paragraph that of the break ending it or, at the very end, of the last character
// (the format Enter would give it); the default size in an empty text.
std::vector<float> paragraphStartSizes(const StyledText& text);

// True when some paragraph has a format other than the default; writers then write paragraph
// formats, and otherwise leave them out as before.
bool hasParagraphFormats(const StyledText& text);

}  // namespace pennory::text
