#pragma once
// The login password file: one line of text, the password exactly as entered (possibly
// empty), written in code page 936 with CR LF. Read back as the whole first line, which a
// CR LF, a lone LF or a lone CR ends; commas, quotes and blanks are part of the password.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/files/file_result.h"

namespace pennory::protection {

struct StoredPassword {
    enum class Status {
        Ok,          // password holds the first line
        Missing,     // the file does not exist, nor perhaps its folder: no password yet
        Unreadable,  // the file exists but gives no line: cannot be opened, or is empty
    };
    Status status = Status::Unreadable;
    std::u16string password;
    std::u16string why;  // for Unreadable: a Chinese sentence naming the reason
};

StoredPassword readPassword(const std::filesystem::path& file);

// Writes the password as the file's only line, atomically, readable by its owner only
// (0600). Missing folders on the way are created owner-only (0700); when the write fails,
// the folders it created are removed again and an existing file stays as it was. On failure
// the result's message is a Chinese sentence naming the reason.
files::FileResult writePassword(const std::filesystem::path& file, std::u16string_view password);

}  // namespace pennory::protection
