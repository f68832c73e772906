#pragma once
// Files that are not text although they may look like it at first: executables, pictures and
// archives, recognised by the signature their formats begin with.

#include <string_view>

namespace pennory::text {

bool hasBinaryFileSignature(std::string_view bytes);

}  // namespace pennory::text
