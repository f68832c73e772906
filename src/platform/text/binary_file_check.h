#pragma once
// Files that are never text, told by how they begin: executables and archives. Whatever bytes
// follow their signature, such a file is refused, so that an archive of text files or an
// executable that happens to decode is not opened as a manuscript.
//
// The signatures (a short table in binary_file_check.cpp):
// - ELF executable: 7F 45 4C 46 ("\x7F" "ELF")
// - zip: 50 4B 03 04, and 50 4B 05 06 (empty) and 50 4B 07 08 (spanned)
// - gzip: 1F 8B; xz: FD 37 7A 58 5A 00; 7z: 37 7A BC AF 27 1C
// - bzip2: "BZh", a block size digit 1..9 and the magic of a block (31 41 59 26 53 59) or of
//   the end of the stream (17 72 45 38 50 90); "BZh is…" is text
// - DOS or Windows executable: "MZ" where the rest is a DOS header. Text may well begin with
//   "MZ", so it takes one of: the 32-bit offset at 0x3C pointing inside the bytes at "PE\0\0";
//   or the DOS header shape, at least 28 bytes with bytes-on-last-page (16 bits at 2) below 512,
//   a page count (16 bits at 4) of at least 1, and a header of at least two 16-byte paragraphs
//   (16 bits at 8) within those pages. Text has a printable byte at 3, which makes the first
//   count 8192 or more, so "MZ" followed by words is text.
// - tar: "ustar" and a NUL, or "ustar  " and a NUL, at offset 257 (a tar archive of text files
//   is ASCII and NUL padding throughout, so only its header tells it from text)

#include <string_view>

namespace pennory::text {

// The name of the format whose signature the bytes (the file's first bytes, or all of it) begin
// with: "ELF", "zip", "gzip", "bzip2", "xz", "7z", "MZ" or "tar"; empty for none.
std::string_view binaryFormatOf(std::string_view head);

// True when binaryFormatOf() names a format.
inline bool looksLikeBinaryFile(std::string_view head) { return !binaryFormatOf(head).empty(); }

// The tar magic at offset 257 alone.
bool looksLikeTarArchive(std::string_view head);

}  // namespace pennory::text
