#pragma once
// Destinations: which groups give document text, which build the font and colour tables, and
// which are skipped (pictures, headers, the style sheet, field instructions, ...). A field
// gives the text of its result.

#include <optional>

#include "platform/text/left_out.h"
#include "platform/text/rtf_keywords.h"
#include "platform/text/rtf_reader_state.h"

namespace pennory::text {

// The state of a group opened inside parent: the parent's, but not starred, and inside \upr
// in a group of its own that is skipped unless \ud follows.
RtfGroupState openGroup(const RtfGroupState& parent);

// The word after \*. Only words this reader knows as text destinations (\ud inside \upr) keep
// the group; after any other the group is skipped. Clears the star.
void applyStarredWord(RtfGroupState& s, RtfKeyword keyword);

// Applies a destination word (\fonttbl, \colortbl, \field, \fldrslt, \upr, \ud and the words
// of destinations that give no text) to s. Returns false, changing nothing, for any other word.
bool applyDestinationWord(RtfGroupState& s, RtfKeyword keyword);

// What the document loses when keyword appears where document text goes: the content of a
// destination that is skipped (pictures, objects, footnotes, headers and footers, comments),
// or a table's structure (\cell, \row). nullopt for any other word.
std::optional<LeftOut> leftOutBy(RtfKeyword keyword);

}  // namespace pennory::text
