#pragma once
// The first bytes of a small file whose whole content is never needed (the password file).

#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/files/file_result.h"

namespace pennory::files {

// A FIFO, a device or a socket where a file was expected.
inline constexpr char16_t kMessageNotRegularFile[] = u"这不是普通文件，无法读取。";

struct FileHead {
    FileResult result;
    bool missing = false;   // nothing at the path, or a folder on the way is missing
    std::string bytes;      // at most the bound, from the start of the file
    bool complete = false;  // bytes hold the whole file
};

// Reads at most maxBytes from the start of a regular file. Anything else at the path (a
// folder, a FIFO, a device, a socket) is a failure and is never read, and the call never
// blocks waiting for a writer: the kind is checked before opening, the file is opened
// non-blocking, and checked again once open.
FileHead readFileHead(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace pennory::files
