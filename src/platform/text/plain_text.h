#pragma once
// Plain-text files: decoding what writers have on disk, encoding what this program writes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pennory::text {

// Honours a byte-order mark (UTF-8, UTF-16 LE/BE); otherwise reads UTF-8 or GB18030 (a
// superset of GBK; the single byte 0x80 is read as the euro sign, as code page 936 has it) as
// guessPlainTextEncoding() decides. Line ends are kept as they are in the file (CR LF, LF or
// CR). Returns nullopt for a file that is not text: one that begins with the signature of an
// executable or an archive (binary_file_check.h), or holds a NUL byte that is not well-formed
// in the encoding it is read in (pictures, other machine data). Every file encodePlainText()
// writes is text, NUL characters included, unless its characters spell such a signature.
std::optional<std::u16string> decodePlainText(std::string_view bytes);

// For files whose format is fixed as this program's own: a byte-order mark decides as above,
// otherwise the bytes are always GB18030 (0x80 read as the euro sign). Never refuses.
std::u16string decodeGb18030Text(std::string_view bytes);

// Code page 936 (as Windows has it: the euro sign is the single byte 0x80) when every character
// has code page 936 bytes that a GB18030 reading gives back (cp936::readsBackAsGb18030(): all
// but 83 of the private-use characters the code page maps). Otherwise the whole text is
// GB18030, where the euro sign is A2 E3: Korean, emoji, characters outside both, those 83. The
// one exception keeps a file reading back unchanged: a text whose code page 936 bytes with a
// euro sign would be taken for UTF-8 ("涓€" is E4 B8 80, the UTF-8 of "一") is GB18030 too.
// Either way decodePlainText() reads it back (but for the few short texts that
// plain_text_encoding.h names); `uconv -f windows-936-2000` reads the first kind and
// `iconv -f GB18030` the second. A lone surrogate, which no encoding has, becomes '?' (and
// makes the text GB18030). Line ends are written as given (callers pass CR LF).
std::string encodePlainText(std::u16string_view text);

// Splits decoded text into lines at CR LF, lone LF or lone CR (no terminator kept). A final
// line end does not start another line.
std::vector<std::u16string> splitLines(std::u16string_view text);

}  // namespace pennory::text
