#pragma once
// Files for the document tests: raw bytes in and out, and places where a write must fail.

#include <filesystem>
#include <string>
#include <string_view>

#include "support/form_fixture.h"

namespace pennory::testing {

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, std::string_view bytes);

// A path that saving to must fail, and a file that must come through the failed save byte
// for byte. Normally a new file in a read-only folder, the survivor a manuscript beside it (an
// existing writable file would be rewritten in place). Root ignores permission bits, so there
// the target is a folder of that name instead, and the survivor a file inside it.
struct UnwritableTarget {
    std::filesystem::path target;
    std::filesystem::path survivor;
    std::string survivorBytes;
    std::string how;  // for SCOPED_TRACE
};
UnwritableTarget makeUnwritableTarget(const TempDir& dir);

// The UTF-16 form of a path, as a file dialog returns it.
inline std::u16string dialogPath(const std::filesystem::path& path) { return path.u16string(); }

}  // namespace pennory::testing
