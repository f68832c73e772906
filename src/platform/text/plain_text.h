#pragma once
// Plain-text files: decoding what writers have on disk, encoding what this program writes.

#include <optional>
#include <vector>
#include <string>
#include <string_view>

namespace pennory::text {

// Honours a byte-order mark (UTF-8, UTF-16 LE/BE), else valid UTF-8, else reads GB18030
// (a superset of GBK). Line ends are kept as they are in the file (CR LF, LF or CR).
// Returns nullopt for a file that is not text (a NUL byte outside UTF-16).
std::optional<std::u16string> decodePlainText(std::string_view bytes);

// Code page 936; a character it cannot represent is written as its GB18030 four-byte
// sequence instead of '?'. Line ends are written as given (callers pass CR LF).
std::string encodePlainText(std::u16string_view text);

// Splits decoded text into lines at CR LF, lone LF or lone CR (no terminator kept). A final
// line end does not start another line.
std::vector<std::u16string> splitLines(std::u16string_view text);

}  // namespace pennory::text
