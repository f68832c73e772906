#pragma once
// The directory of an OLE compound file (the container of Word 97-2003 documents and of
// password-protected Office files): enough of it to tell what such a file is. Reading is
// bounded by the file itself: every sector number is checked against the bytes, every chain
// is cut after as many steps as the file has sectors, so a hostile file can neither send the
// reader outside the bytes nor round a loop forever.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pennory::text {

// True when the bytes begin with the compound file signature D0 CF 11 E0 A1 B1 1A E1.
bool looksLikeOleContainer(std::string_view bytes);

// The names of the streams and storages in the file's directory (the root entry included),
// in directory order. nullopt when the bytes are no compound file or its header or directory
// chain is broken (a sector outside the file, an unknown sector size).
std::optional<std::vector<std::u16string>> oleEntryNames(std::string_view bytes);

}  // namespace pennory::text
