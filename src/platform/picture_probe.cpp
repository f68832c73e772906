#include "platform/picture_probe.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <string_view>
#include <system_error>

namespace pennory::platform {

namespace {

constexpr std::u16string_view kNotFound = u"找不到图片文件";
constexpr std::u16string_view kNotAFile = u"这是一个文件夹，不是图片文件";
constexpr std::u16string_view kUnreadable = u"无法读取图片文件";
constexpr std::u16string_view kEmpty = u"图片文件是空的";
constexpr std::u16string_view kUnknown = u"无法识别的图片格式";
constexpr std::u16string_view kDamaged = u"图片文件已损坏";
constexpr std::u16string_view kTooLarge = u"图片太大，无法显示";

// A JPEG keeps its frame header after the tables and any embedded thumbnails; real files
// reach it within a few dozen segments. The bound keeps a hostile file from making the
// scan walk gigabytes of tiny segments.
constexpr int kMaxJpegSegments = 4096;

PictureResult failure(std::u16string_view why) {
    return {files::FileResult::failure(std::u16string(why)), 0, 0};
}

PictureResult sized(long long width, long long height) {
    if (width <= 0 || height <= 0) return failure(kDamaged);
    if (width > kMaxPicturePixels || height > kMaxPicturePixels ||
        width * height > kMaxPicturePixels) {
        return failure(kTooLarge);
    }
    return {files::FileResult::success(), static_cast<int>(width), static_cast<int>(height)};
}

// Reads small pieces at given offsets; never more than the caller asks for.
class PieceReader {
public:
    PieceReader(std::ifstream& in, std::uintmax_t size) : m_in(in), m_size(size) {}

    std::uintmax_t size() const { return m_size; }

    bool read(std::uintmax_t offset, unsigned char* out, std::size_t count) {
        if (offset > m_size || count > m_size - offset) return false;
        m_in.clear();
        m_in.seekg(static_cast<std::streamoff>(offset));
        m_in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
        return m_in.gcount() == static_cast<std::streamsize>(count);
    }

private:
    std::ifstream& m_in;
    std::uintmax_t m_size;
};

std::uint32_t le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint32_t be16(const unsigned char* p) { return (p[0] << 8) | p[1]; }
std::uint32_t be32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// ---- BMP: 14-byte file header, then an info header whose first field is its own size.

PictureResult probeBmp(PieceReader& file) {
    std::array<unsigned char, 30> h{};
    if (!file.read(0, h.data(), 18)) return failure(kDamaged);
    const std::uint32_t dataOffset = le32(&h[10]);
    const std::uint32_t infoSize = le32(&h[14]);
    const bool core = infoSize == 12;  // the old OS/2 header with 16-bit sizes
    const bool known = core || infoSize == 16 || infoSize == 40 || infoSize == 52 ||
                       infoSize == 56 || infoSize == 64 || infoSize == 108 || infoSize == 124;
    if (!known || !file.read(0, h.data(), core ? 26 : 30)) return failure(kDamaged);
    if (file.size() < 14 + infoSize) return failure(kDamaged);

    long long width = 0, height = 0;
    std::uint32_t planes = 0, bits = 0;
    if (core) {
        width = le16(&h[18]);
        height = le16(&h[20]);
        planes = le16(&h[22]);
        bits = le16(&h[24]);
    } else {
        width = static_cast<std::int32_t>(le32(&h[18]));
        height = static_cast<std::int32_t>(le32(&h[22]));
        if (height < 0) height = -height;  // stored top-down
        planes = le16(&h[26]);
        bits = le16(&h[28]);
    }
    const bool knownDepth =
        bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (planes != 1 || !knownDepth || dataOffset < 14 + infoSize || dataOffset > file.size()) {
        return failure(kDamaged);
    }
    PictureResult result = sized(width, height);
    if (!result.result.ok) return result;

    // Uncompressed rows have a known length, so a cut-off file shows here, before the
    // decoder would paint the missing rows black.
    std::uint32_t compression = 0;
    if (infoSize >= 40) {
        std::array<unsigned char, 4> c{};
        if (!file.read(30, c.data(), c.size())) return failure(kDamaged);
        compression = le32(c.data());
    }
    if (compression == 0 || compression == 3) {
        const std::uintmax_t rowBytes = (static_cast<std::uintmax_t>(width) * bits + 31) / 32 * 4;
        if (file.size() - dataOffset < rowBytes * static_cast<std::uintmax_t>(height)) {
            return failure(kDamaged);
        }
    }
    return result;
}

// ---- GIF: the logical screen descriptor follows the six-byte signature.

PictureResult probeGif(PieceReader& file) {
    std::array<unsigned char, 13> h{};
    if (!file.read(0, h.data(), h.size())) return failure(kDamaged);
    const std::uintmax_t colourTable = (h[10] & 0x80) ? 3u << ((h[10] & 7) + 1) : 0;
    // At least one block (an image, an extension or the trailer) must follow.
    if (file.size() < h.size() + colourTable + 1) return failure(kDamaged);
    return sized(le16(&h[6]), le16(&h[8]));
}

// ---- PNG: the first chunk is IHDR, whose checksum tells a damaged header apart.

std::uint32_t crc32(const unsigned char* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

bool pngDepthFits(unsigned colourType, unsigned depth) {
    switch (colourType) {
        case 0:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

PictureResult probePng(PieceReader& file) {
    std::array<unsigned char, 33> h{};
    if (!file.read(0, h.data(), h.size())) return failure(kDamaged);
    if (be32(&h[8]) != 13 || std::string_view(reinterpret_cast<char*>(&h[12]), 4) != "IHDR") {
        return failure(kDamaged);
    }
    if (crc32(&h[12], 17) != be32(&h[29])) return failure(kDamaged);
    const std::uint32_t width = be32(&h[16]);
    const std::uint32_t height = be32(&h[20]);
    if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu || !pngDepthFits(h[25], h[24]) || h[26] != 0 ||
        h[27] != 0 || h[28] > 1) {
        return failure(kDamaged);
    }
    return sized(width, height);
}

// ---- JPEG: walk the marker segments up to the frame header (SOFn).

bool isFrameHeader(unsigned marker) {
    // C4 (Huffman tables), C8 (reserved) and CC (arithmetic conditioning) share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

PictureResult probeJpeg(PieceReader& file) {
    std::uintmax_t pos = 2;  // after SOI
    for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
        unsigned char byte = 0;
        if (!file.read(pos, &byte, 1) || byte != 0xFF) return failure(kDamaged);
        // Any number of FF fill bytes may precede the marker code.
        do {
            if (!file.read(++pos, &byte, 1)) return failure(kDamaged);
        } while (byte == 0xFF);
        const unsigned marker = byte;
        ++pos;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        // Image data or the end before any frame header: nothing to show.
        if (marker == 0xDA || marker == 0xD9 || marker == 0xD8 || marker == 0x00) {
            return failure(kDamaged);
        }
        std::array<unsigned char, 8> s{};
        if (!file.read(pos, s.data(), 2)) return failure(kDamaged);
        const std::uint32_t length = be16(s.data());
        if (length < 2) return failure(kDamaged);
        if (isFrameHeader(marker)) {
            if (length < 8 || !file.read(pos, s.data(), s.size())) return failure(kDamaged);
            const unsigned components = s[7];
            if (components == 0 || length < 8 + 3 * components) return failure(kDamaged);
            // A height of 0 defers it to a DNL marker after the first scan; the decoders
            // the program relies on do not support that, so it counts as damaged.
            return sized(be16(&s[5]), be16(&s[3]));
        }
        pos += length;
    }
    return failure(kDamaged);
}

}  // namespace

PictureResult probePicture(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return failure(kNotFound);
    if (error) return failure(kUnreadable);
    if (std::filesystem::is_directory(status)) return failure(kNotAFile);
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return failure(kUnreadable);

    std::ifstream in(path, std::ios::binary);
    if (!in) return failure(kUnreadable);
    if (size == 0) return failure(kEmpty);

    PieceReader file(in, size);
    std::array<unsigned char, 8> magic{};
    const std::size_t have = size < magic.size() ? static_cast<std::size_t>(size) : magic.size();
    if (!file.read(0, magic.data(), have)) return failure(kUnreadable);
    const std::string_view head(reinterpret_cast<const char*>(magic.data()), have);

    if (head.starts_with("BM")) return probeBmp(file);
    if (head.starts_with("GIF87a") || head.starts_with("GIF89a")) return probeGif(file);
    if (head.starts_with("\x89PNG\r\n\x1a\n")) return probePng(file);
    if (head.starts_with("\xFF\xD8\xFF")) return probeJpeg(file);
    return failure(kUnknown);
}

}  // namespace pennory::platform
