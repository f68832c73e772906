#pragma once

#include <string>

namespace pennory::files {

// Outcome of a file operation. On failure, message is a Chinese sentence that names the
// reason (the caller adds the file name).
struct FileResult {
    bool ok = true;
    std::u16string message;

    static FileResult success() { return {}; }
    static FileResult failure(std::u16string why) { return {false, std::move(why)}; }
};

}  // namespace pennory::files
