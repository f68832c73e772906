#include "platform/text/binary_file_check.h"

#include <array>
#include <cstdint>

namespace pennory::text {
namespace {

struct Signature {
    std::string_view magic;
    std::size_t offset = 0;
};

using namespace std::string_view_literals;

// Signatures that text could only begin with by design, most holding a control character or
// a byte no text encoding starts with.
constexpr std::array kSignatures{
    Signature{"\x7F"
              "ELF"sv},               // Linux executables and libraries
    Signature{"\xCA\xFE\xBA\xBE"sv},  // Mach-O universal, Java classes
    Signature{"\xCF\xFA\xED\xFE"sv},  // Mach-O 64-bit
    Signature{"\xCE\xFA\xED\xFE"sv},  // Mach-O 32-bit
    Signature{"\x89PNG"sv},           // PNG
    Signature{"\xFF\xD8\xFF"sv},      // JPEG
    Signature{"GIF87a"sv},            // GIF
    Signature{"GIF89a"sv},
    Signature{"II*\0"sv},  // TIFF
    Signature{"MM\0*"sv},
    Signature{"\0\0\1\0"sv},  // Windows icons
    Signature{"PK\3\4"sv},    // ZIP, office documents, JAR
    Signature{"PK\5\6"sv},
    Signature{"\x1F\x8B"sv},  // gzip
    Signature{"BZh"sv},       // bzip2
    Signature{"\xFD"
              "7zXZ\0"sv},                            // xz
    Signature{"7z\xBC\xAF\x27\x1C"sv},                // 7-Zip
    Signature{"Rar!\x1A\x07"sv},                      // RAR
    Signature{"\x28\xB5\x2F\xFD"sv},                  // zstd
    Signature{"ustar"sv, 257},                        // tar
    Signature{"%PDF-"sv},                             // PDF
    Signature{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv},  // old office documents
};

std::uint32_t littleEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes[at + k]);
    return v;
}

// "MZ" and "BM" are also how words begin; they count only with the header they introduce.
bool isWindowsExecutable(std::string_view bytes) {
    if (bytes.size() < 0x40 || bytes.substr(0, 2) != "MZ") return false;
    const std::uint32_t peHeader = littleEndian32(bytes, 0x3C);
    return peHeader <= bytes.size() - 4 && bytes.substr(peHeader, 4) == "PE\0\0"sv;
}

bool isBitmap(std::string_view bytes) {
    return bytes.size() >= 26 && bytes.substr(0, 2) == "BM" &&
           littleEndian32(bytes, 2) == bytes.size() && littleEndian32(bytes, 6) == 0;
}

bool isWebp(std::string_view bytes) {
    return bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "WEBP";
}

}  // namespace

bool hasBinaryFileSignature(std::string_view bytes) {
    for (const Signature& s : kSignatures) {
        if (bytes.size() >= s.offset + s.magic.size() &&
            bytes.substr(s.offset, s.magic.size()) == s.magic) {
            return true;
        }
    }
    return isWindowsExecutable(bytes) || isBitmap(bytes) || isWebp(bytes);
}

}  // namespace pennory::text
