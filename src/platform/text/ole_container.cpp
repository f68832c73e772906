#include "platform/text/ole_container.h"

#include <cstdint>

namespace pennory::text {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv;
constexpr std::size_t kHeaderBytes = 512;
constexpr std::size_t kHeaderFatSlots = 109;  // FAT sector numbers held by the header itself
constexpr std::size_t kEntryBytes = 128;
constexpr std::uint32_t kLastSectorNumber = 0xFFFFFFFA;  // above: end of chain, free, ...

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

class Container {
public:
    Container(std::string_view bytes, std::size_t sectorShift)
        : m_bytes(bytes),
          m_sectorBytes(std::size_t{1} << sectorShift),
          m_sectorCount(bytes.size() / m_sectorBytes - 1) {}

    std::size_t sectorCount() const { return m_sectorCount; }

    // The bytes of sector n, whole; empty when n lies outside the file. Sector 0 follows the
    // header, which fills the first sector's room (512 bytes and padding for 4096).
    std::string_view sector(std::uint32_t n) const {
        if (n >= m_sectorCount) return {};
        return m_bytes.substr((std::size_t{n} + 1) * m_sectorBytes, m_sectorBytes);
    }

    // The sector that follows n in its chain, from the FAT; nullopt when the FAT cannot say.
    std::optional<std::uint32_t> next(std::uint32_t n) const {
        const std::size_t perSector = m_sectorBytes / 4;
        const std::optional<std::uint32_t> fatSector = fatSectorNumber(n / perSector);
        if (!fatSector) return std::nullopt;
        const std::string_view fat = sector(*fatSector);
        if (fat.empty()) return std::nullopt;
        return littleEndian(fat, (n % perSector) * 4, 4);
    }

private:
    // The k-th FAT sector's number: from the header's slots, then from the DIFAT chain.
    std::optional<std::uint32_t> fatSectorNumber(std::size_t k) const {
        if (k < kHeaderFatSlots) return littleEndian(m_bytes, 0x4C + k * 4, 4);
        k -= kHeaderFatSlots;
        const std::size_t perDifat = m_sectorBytes / 4 - 1;  // the last slot links onwards
        std::uint32_t difat = littleEndian(m_bytes, 0x44, 4);
        for (std::size_t steps = 0; steps <= m_sectorCount; ++steps) {
            const std::string_view slots = sector(difat);
            if (slots.empty()) return std::nullopt;
            if (k < perDifat) return littleEndian(slots, k * 4, 4);
            k -= perDifat;
            difat = littleEndian(slots, perDifat * 4, 4);
        }
        return std::nullopt;
    }

    std::string_view m_bytes;
    std::size_t m_sectorBytes;
    std::size_t m_sectorCount;
};

std::u16string entryName(std::string_view entry) {
    // The name's length in bytes counts its closing NUL; at most 32 UTF-16 units.
    std::size_t units = littleEndian(entry, 0x40, 2) / 2;
    if (units > 32) units = 32;
    std::u16string name;
    for (std::size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<char16_t>(littleEndian(entry, i * 2, 2));
        if (unit == 0) break;
        name += unit;
    }
    return name;
}

}  // namespace

bool looksLikeOleContainer(std::string_view bytes) { return bytes.starts_with(kSignature); }

std::optional<std::vector<std::u16string>> oleEntryNames(std::string_view bytes) {
    if (!looksLikeOleContainer(bytes) || bytes.size() < kHeaderBytes) return std::nullopt;
    const std::uint32_t shift = littleEndian(bytes, 0x1E, 2);
    if (shift != 9 && shift != 12) return std::nullopt;  // 512- and 4096-byte sectors only
    const Container container(bytes, shift);

    std::vector<std::u16string> names;
    std::uint32_t at = littleEndian(bytes, 0x30, 4);
    // A chain visits each sector at most once; more steps than sectors is a loop.
    for (std::size_t steps = 0; at <= kLastSectorNumber; ++steps) {
        if (steps >= container.sectorCount()) return std::nullopt;
        const std::string_view entries = container.sector(at);
        if (entries.empty()) return std::nullopt;
        for (std::size_t offset = 0; offset + kEntryBytes <= entries.size();
             offset += kEntryBytes) {
            const std::string_view entry = entries.substr(offset, kEntryBytes);
            if (static_cast<unsigned char>(entry[0x42]) == 0) continue;  // unused slot
            names.push_back(entryName(entry));
        }
        const std::optional<std::uint32_t> next = container.next(at);
        if (!next) return std::nullopt;
        at = *next;
    }
    return names;
}

}  // namespace pennory::text
