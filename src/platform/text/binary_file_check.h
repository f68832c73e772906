#pragma once
// Archives whose every byte may be text: a tar archive of text files is ASCII and NUL padding
// throughout, so only its header tells it from text.

#include <string_view>

namespace pennory::text {

// The POSIX or GNU tar magic ("ustar" and a NUL or two blanks) at offset 257.
bool looksLikeTarArchive(std::string_view bytes);

}  // namespace pennory::text
