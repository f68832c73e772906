#pragma once
// The login password file: one line of text, the password exactly as entered (possibly
// empty), written in code page 936 (GB18030 for characters it lacks) with CR LF. Read back as
// GB18030, never guessed (a byte-order mark aside), as the whole first line, which a CR LF, a
// lone LF or a lone CR ends; commas, quotes and blanks are part of the password.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/files/file_result.h"

namespace pennory::protection {

// Only this much of the password file is ever read; a longer first line is unreadable.
inline constexpr std::size_t kPasswordFileReadLimit = 4096;

struct StoredPassword {
    enum class Status {
        Ok,          // password holds the first line
        Missing,     // the file does not exist, nor perhaps its folder: no password yet
        Unreadable,  // no line: the file cannot be opened, is empty, is no regular file (a
                     // folder, a FIFO, a device), its first line is too long, or no home
                     // folder is known (an empty path)
    };
    Status status = Status::Unreadable;
    std::u16string password;
    std::u16string why;  // for Unreadable: a Chinese sentence naming the reason
};

// Never blocks and never reads more than kPasswordFileReadLimit bytes.
StoredPassword readPassword(const std::filesystem::path& file);

// Empty when the password can be stored and read back exactly; otherwise the Chinese message
// that asks for another one: it holds a line break (CR or LF), is too long for the read
// limit, or would read back as other characters.
std::u16string_view passwordRefusal(std::u16string_view password);

// Writes the password as the file's only line, atomically, readable by its owner only
// (0600). Missing folders on the way are created owner-only (0700) from the start; when the
// write fails, the folders it created are removed again and an existing file stays as it was.
// On failure the result's message is a Chinese sentence naming the reason.
files::FileResult writePassword(const std::filesystem::path& file, std::u16string_view password);

}  // namespace pennory::protection
