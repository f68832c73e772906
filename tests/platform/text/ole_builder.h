#pragma once
// Tiny OLE compound files for tests: a header, one FAT sector, and a directory of the given
// entry names (the root entry first) over as many sectors as they need. The streams hold no
// data; only the directory matters to the program.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pennory::testing {

inline void putLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value,
                            std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

inline constexpr std::uint32_t kOleEndOfChain = 0xFFFFFFFE;
inline constexpr std::uint32_t kOleFree = 0xFFFFFFFF;

// sectorShift 9 (512-byte sectors) or 12 (4096).
inline std::string oleFile(const std::vector<std::u16string>& streams,
                           std::uint16_t sectorShift = 9) {
    const std::size_t sector = std::size_t{1} << sectorShift;
    const std::size_t perSector = sector / 128;
    const std::size_t entries = streams.size() + 1;
    const std::size_t dirSectors = (entries + perSector - 1) / perSector;

    std::string bytes(sector * (2 + dirSectors), '\0');  // header, FAT, directory
    bytes.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
    putLittleEndian(bytes, 0x18, 0x3E, 2);
    putLittleEndian(bytes, 0x1A, sectorShift == 9 ? 3 : 4, 2);
    putLittleEndian(bytes, 0x1C, 0xFFFE, 2);
    putLittleEndian(bytes, 0x1E, sectorShift, 2);
    putLittleEndian(bytes, 0x20, 6, 2);
    putLittleEndian(bytes, 0x2C, 1, 4);  // one FAT sector
    putLittleEndian(bytes, 0x30, 1, 4);  // the directory starts in sector 1
    putLittleEndian(bytes, 0x38, 0x1000, 4);
    putLittleEndian(bytes, 0x3C, kOleEndOfChain, 4);
    putLittleEndian(bytes, 0x44, kOleEndOfChain, 4);
    putLittleEndian(bytes, 0x4C, 0, 4);  // the FAT is sector 0
    for (std::size_t k = 1; k < 109; ++k) putLittleEndian(bytes, 0x4C + k * 4, kOleFree, 4);

    const std::size_t fat = sector;  // sector 0
    for (std::size_t k = 0; k < sector / 4; ++k) putLittleEndian(bytes, fat + k * 4, kOleFree, 4);
    putLittleEndian(bytes, fat, 0xFFFFFFFD, 4);  // sector 0 is the FAT
    for (std::size_t d = 0; d < dirSectors; ++d) {
        const std::uint32_t next =
            d + 1 < dirSectors ? static_cast<std::uint32_t>(d + 2) : kOleEndOfChain;
        putLittleEndian(bytes, fat + (d + 1) * 4, next, 4);
    }

    auto entry = [&](std::size_t index, std::u16string_view name, std::uint8_t type) {
        const std::size_t at = 2 * sector + index * 128;
        for (std::size_t i = 0; i < name.size() && i < 31; ++i) {
            putLittleEndian(bytes, at + i * 2, name[i], 2);
        }
        putLittleEndian(bytes, at + 0x40, static_cast<std::uint32_t>((name.size() + 1) * 2), 2);
        bytes[at + 0x42] = static_cast<char>(type);
        // A list of siblings to the right, the first stream the root's child.
        putLittleEndian(bytes, at + 0x44, kOleFree, 4);
        putLittleEndian(bytes, at + 0x48, index + 1 < entries && index > 0 ? index + 1 : kOleFree,
                        4);
        putLittleEndian(bytes, at + 0x4C, index == 0 && entries > 1 ? 1 : kOleFree, 4);
        putLittleEndian(bytes, at + 0x74, kOleEndOfChain, 4);
    };
    entry(0, u"Root Entry", 5);
    for (std::size_t i = 0; i < streams.size(); ++i) entry(i + 1, streams[i], 2);
    return bytes;
}

}  // namespace pennory::testing
