#include "platform/text/binary_file_check.h"

#include <cstdint>

namespace pennory::text {
namespace {

using namespace std::string_view_literals;

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

bool isBzip2(std::string_view head) {
    if (head.size() < 10 || head[3] < '1' || head[3] > '9') return false;
    const std::string_view magic = head.substr(4, 6);
    return magic == "\x31\x41\x59\x26\x53\x59"sv || magic == "\x17\x72\x45\x38\x50\x90"sv;
}

bool isDosExecutable(std::string_view head) {
    if (head.size() >= 0x40) {
        const std::uint32_t peOffset = littleEndian(head, 0x3C, 4);
        if (peOffset <= head.size() - 4 && head.substr(peOffset, 4) == "PE\0\0"sv) return true;
    }
    if (head.size() < 28) return false;
    const std::uint32_t lastPageBytes = littleEndian(head, 2, 2);
    const std::uint32_t pages = littleEndian(head, 4, 2);
    const std::uint32_t headerParagraphs = littleEndian(head, 8, 2);
    return lastPageBytes < 512 && pages >= 1 && headerParagraphs >= 2 &&
           headerParagraphs * 16 <= pages * 512;
}

bool isTarHeader(std::string_view head) { return looksLikeTarArchive(head); }

struct Signature {
    std::string_view format;
    std::size_t offset;
    std::string_view magic;
    bool (*confirms)(std::string_view head);  // for a magic that text can begin with too
};

constexpr Signature kSignatures[] = {
    {"ELF", 0,
     "\x7F"
     "ELF"sv,
     nullptr},
    {"zip", 0, "PK\x03\x04"sv, nullptr},
    {"zip", 0, "PK\x05\x06"sv, nullptr},
    {"zip", 0, "PK\x07\x08"sv, nullptr},
    {"gzip", 0, "\x1F\x8B"sv, nullptr},
    {"bzip2", 0, "BZh"sv, isBzip2},
    {"xz", 0,
     "\xFD"
     "7zXZ\0"sv,
     nullptr},
    {"7z", 0, "7z\xBC\xAF\x27\x1C"sv, nullptr},
    {"MZ", 0, "MZ"sv, isDosExecutable},
    {"tar", 257, "ustar"sv, isTarHeader},
};

}  // namespace

std::string_view binaryFormatOf(std::string_view head) {
    for (const Signature& s : kSignatures) {
        if (head.size() < s.offset + s.magic.size()) continue;
        if (head.substr(s.offset, s.magic.size()) != s.magic) continue;
        if (s.confirms == nullptr || s.confirms(head)) return s.format;
    }
    return {};
}

bool looksLikeTarArchive(std::string_view head) {
    if (head.size() < 265) return false;
    const std::string_view magic = head.substr(257, 8);
    return magic.substr(0, 6) == "ustar\0"sv || magic == "ustar  \0"sv;
}

}  // namespace pennory::text
