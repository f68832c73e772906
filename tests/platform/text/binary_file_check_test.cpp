#include "platform/text/binary_file_check.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/plain_text.h"

namespace pennory::text {
namespace {

using namespace std::string_literals;

// A DOS header whose 32-bit offset at 0x3C points at "PE\0\0" (at 0x80, a file of 0x90 bytes).
std::string windowsExecutable(std::string header) {
    std::string file = std::move(header);
    file.resize(0x90, 'x');
    file.replace(0x3C, 4, "\x80\0\0\0"s);
    file.replace(0x80, 4, "PE\0\0"s);
    return file;
}

std::string tarArchive(std::string magic) {
    std::string file = "book.txt" + std::string(249, ' ');  // printable, no NUL before 257
    file += magic;
    file += " text after the header\r\n";
    return file;
}

struct Case {
    const char* name;
    std::string bytes;
    const char* format;  // "" for text
};

// Each signature followed by bytes that would read as text.
const Case kCases[] = {
    {"ELF",
     "\x7F"
     "ELF text that follows\r\n"s,
     "ELF"},
    {"zip", "PK\x03\x04 text that follows"s, "zip"},
    {"empty zip", "PK\x05\x06 text that follows"s, "zip"},
    {"spanned zip", "PK\x07\x08 text that follows"s, "zip"},
    {"gzip", "\x1F\x8B text that follows"s, "gzip"},
    {"bzip2 block", "BZh91AY&SY text that follows"s, "bzip2"},
    {"bzip2 end of stream", "BZh9\x17\x72\x45\x38\x50\x90"s, "bzip2"},
    {"xz",
     "\xFD"
     "7zXZ\0 text that follows"s,
     "xz"},
    {"7z", "7z\xBC\xAF\x27\x1C text that follows"s, "7z"},
    {"PE", windowsExecutable("MZ text of any shape"), "MZ"},
    {"DOS header", "MZ\x90\0\x03\0\0\0\x04\0\0\0\xFF\xFF\0\0 text that follows, at length"s, "MZ"},
    {"tar, POSIX",
     tarArchive("ustar\0"
                "00"s),
     "tar"},
    {"tar, GNU", tarArchive("ustar  \0"s), "tar"},
    // Text that begins as a signature does, but is not one.
    {"MZ and words", "MZ is where the story starts, and it goes on for a while longer.\r\n"s, ""},
    {"MZ alone", "MZ"s, ""},
    {"MZ with an offset outside", "MZ" + std::string(0x3A, 'a') + "\x7F\0\0\0"s + "PE\0\0"s, ""},
    {"BZh and words", "BZh is a word here, not an archive.\r\n"s, ""},
    {"BZh and a digit", "BZh9 is short\r\n"s, ""},
    {"7z and words", "7z files are archives.\r\n"s, ""},
    {"PK and words", "PK is a score.\r\n"s, ""},
    {"ELF in lower case", "elf"s, ""},
    {"ELF not at the start",
     " \x7F"
     "ELF"s,
     ""},
    {"ustar in prose", std::string(256, ' ') + "custard and more text, without a NUL"s, ""},
    {"too short for a signature",
     "\x7F"
     "EL"s,
     ""},
    {"nothing", ""s, ""},
};

TEST(BinaryFileCheck, SignaturesAtTheStart) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(binaryFormatOf(c.bytes), c.format);
        EXPECT_EQ(looksLikeBinaryFile(c.bytes), *c.format != '\0');
    }
}

// The file reader refuses exactly those, whatever follows the signature, and reads the rest.
TEST(BinaryFileCheck, PlainTextRefusesThemAndReadsTheRest) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodePlainText(c.bytes).has_value(), *c.format == '\0');
    }
    EXPECT_EQ(decodePlainText("MZ is where the story starts.\r\n"),
              u"MZ is where the story starts.\r\n");
    EXPECT_EQ(decodePlainText("BZh is a word here.\r\n"), u"BZh is a word here.\r\n");
    // The head of a file is enough: a signature is judged by its first bytes alone.
    EXPECT_EQ(binaryFormatOf("\x1F\x8B"), "gzip");
}

}  // namespace
}  // namespace pennory::text
