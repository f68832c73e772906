#pragma once
// Plain-text files: decoding what writers have on disk, encoding what this program writes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pennory::text {

// Honours a byte-order mark (UTF-8, UTF-16 LE/BE), else valid UTF-8, else reads GB18030
// (a superset of GBK; the single byte 0x80 is read as the euro sign, as Windows writes it).
// Valid UTF-8 whose only non-ASCII characters are two-byte sequences, and which is valid
// GB18030 as well, is read as GB18030: short GBK texts (a one-word password) look like that,
// Chinese in UTF-8 does not. Line ends are kept as they are in the file (CR LF, LF or CR).
// Returns nullopt for a file that is not text (a NUL byte outside UTF-16).
std::optional<std::u16string> decodePlainText(std::string_view bytes);

// Code page 936; a character it cannot represent is written as its GB18030 sequence instead of
// '?' (so are the few user-defined characters whose code page 936 bytes mean another character
// in GB18030), so that decodePlainText() gives every character back. A lone surrogate, which no
// encoding has, becomes '?'. Line ends are written as given (callers pass CR LF).
std::string encodePlainText(std::u16string_view text);

// Splits decoded text into lines at CR LF, lone LF or lone CR (no terminator kept). A final
// line end does not start another line.
std::vector<std::u16string> splitLines(std::u16string_view text);

}  // namespace pennory::text
