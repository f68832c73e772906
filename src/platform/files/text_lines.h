#pragma once
// Small line-oriented text files (the phrase file, the password file): read as plain text in
// any of the encodings decodePlainText() knows, written as encodePlainText() writes (code page
// 936, GB18030 when a character needs it) with CR LF.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/file_result.h"

namespace pennory::files {

struct ReadLines {
    FileResult result;
    bool missing = false;  // the file does not exist (its folder may or may not); result then
                           // holds the not-found failure
    std::vector<std::u16string> lines;
};

ReadLines readTextLines(const std::filesystem::path& path);

// Each line followed by CR LF, written atomically.
FileResult writeTextLines(const std::filesystem::path& path,
                          const std::vector<std::u16string>& lines, bool ownerOnly = false);

}  // namespace pennory::files
