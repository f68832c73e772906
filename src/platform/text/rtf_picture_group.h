#pragma once
// Reads back the picture of one RTF \pict group on its own, as an Other figure read from RTF
// keeps it (the group's bytes as they stood in the file), so that its data can be written in
// another format.

#include <optional>
#include <string_view>

#include "platform/text/rtf_picture_reader.h"

namespace pennory::text {

// The picture of group, which starts with '{' and holds \pict (as its own word, not a nested
// group's); nested groups other than Pennory's own picture groups are skipped. None when
// group holds no \pict. Damaged input gives what could be read.
std::optional<RtfPictureData> readRtfPictureGroup(std::string_view group);

}  // namespace pennory::text
