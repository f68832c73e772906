#pragma once
// Realistic Chinese manuscripts for the benchmarks: paragraphs of common Chinese characters
// with punctuation, Latin words and numbers, headings, and a change of format every few dozen
// characters, as an author of an electronics article writes them.

#include <cstddef>
#include <string>

#include "platform/text/styled_text.h"

namespace pennory::bench {

// A manuscript whose RTF (as writeRtf() writes it, GBK \'hh bytes) is about rtfBytes long.
text::StyledText generateManuscript(std::size_t rtfBytes, unsigned seed = 1);

// writeRtf() of generateManuscript().
std::string manuscriptRtf(std::size_t rtfBytes, unsigned seed = 1);

// The manuscript's plain text in GBK with CR LF, about `bytes` long.
std::string manuscriptGbk(std::size_t bytes, unsigned seed = 1);

// The same text in UTF-8.
std::string manuscriptUtf8(std::size_t bytes, unsigned seed = 1);

}  // namespace pennory::bench
