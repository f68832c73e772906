#pragma once
// Plain-text files: decoding what writers have on disk, encoding what this program writes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pennory::text {

// Honours a byte-order mark (UTF-8, UTF-16 LE/BE); otherwise reads UTF-8 or GB18030 (a
// superset of GBK; the single byte 0x80 is read as the euro sign, as Windows writes it) as
// guessPlainTextEncoding() decides. Line ends are kept as they are in the file (CR LF, LF or
// CR). Returns nullopt for a file that is not text: one that begins with the signature of an
// executable or an archive (binary_file_check.h), or holds a NUL byte that is not well-formed
// in the encoding it is read in (pictures, other machine data). Every file encodePlainText()
// writes is text, NUL characters included, unless its characters spell such a signature.
std::optional<std::u16string> decodePlainText(std::string_view bytes);

// For files whose format is fixed as this program's own: a byte-order mark decides as above,
// otherwise the bytes are always GB18030 (0x80 read as the euro sign). Never refuses.
std::u16string decodeGb18030Text(std::string_view bytes);

// GB18030 throughout, so that `iconv -f GB18030` and decodePlainText() read every file this
// program writes. A text whose characters all have the same bytes in code page 936 (every
// character GBK has except the euro sign and the few user-defined ones that GB18030 gives to
// other characters) is thereby code page 936 too. A lone surrogate, which no encoding has,
// becomes '?'. Line ends are written as given (callers pass CR LF).
std::string encodePlainText(std::u16string_view text);

// Splits decoded text into lines at CR LF, lone LF or lone CR (no terminator kept). A final
// line end does not start another line.
std::vector<std::u16string> splitLines(std::u16string_view text);

}  // namespace pennory::text
