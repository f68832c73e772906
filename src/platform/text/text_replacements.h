#pragma once
// Several replacements in one text, applied together as one edit: what a Replace All or a
// normalising of punctuation hands to the rich-text box.
//
// Positions count UTF-16 units of the text before the edit, in which a line break is the two
// units CR LF; a replacement may begin or end between them.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/text/styled_text.h"

namespace pennory::text {

// length units at start give way to text.
struct Replacement {
    std::size_t start = 0;
    std::size_t length = 0;
    std::u16string text;
    // Without one, the text takes the format of the first character it replaces; an
    // insertion takes that of the character before it (at the very start, of the first one).
    std::optional<CharFormat> format;

    bool operator==(const Replacement&) const = default;
};

// Sorts by position: at one start, insertions before a replacement, several insertions in
// the order given. False, the list then in some order, when two replacements overlap or one
// reaches past textLength.
bool orderReplacements(std::vector<Replacement>& replacements, std::size_t textLength);

// The position of the character whose format a replacement without a format of its own
// takes; nullopt in an empty text.
std::optional<std::size_t> formatSource(const Replacement& replacement, std::size_t textLength);

// span holds the units [spanStart, spanStart + span.length()) of the text; ordered are sorted
// replacements inside it, each with its format. The span with them applied.
StyledText applyReplacements(const StyledText& span, std::size_t spanStart,
                             std::span<const Replacement> ordered);

// Where a caret at position of the text before the edit stands afterwards: it keeps its place
// among the characters around it; one at the start of a replacement stays before the new
// text, one inside or at the end of the replaced units goes after it.
std::size_t positionAfter(std::size_t position, std::span<const Replacement> ordered);

}  // namespace pennory::text
