#include "platform/files/picture_probe.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace pennory::files {

namespace {

constexpr PictureProblem kNotFound = PictureProblem::NotFound;
constexpr PictureProblem kNotAFile = PictureProblem::NotAFile;
constexpr PictureProblem kUnreadable = PictureProblem::Unreadable;
constexpr PictureProblem kEmpty = PictureProblem::Empty;
constexpr PictureProblem kUnknown = PictureProblem::UnknownFormat;
constexpr PictureProblem kDamaged = PictureProblem::Damaged;
constexpr PictureProblem kTooLarge = PictureProblem::TooLarge;

// A JPEG keeps its frame header after the tables and any embedded thumbnails; real files
// reach it within a few dozen segments. The bound keeps a hostile file from making the
// scan walk gigabytes of tiny segments.
constexpr int kMaxJpegSegments = 4096;

PictureResult failure(PictureProblem why) { return {why, 0, 0}; }

// A picture of width x height pixels that decodes to bytesPerPixel a pixel, and for which
// the decoder holds decoderBytes besides.
PictureResult sized(long long width, long long height, std::uint64_t bytesPerPixel = 4,
                    std::uint64_t decoderBytes = 0) {
    if (width <= 0 || height <= 0) return failure(kDamaged);
    // Each side alone first, so that the products below cannot overflow.
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    if (w > kMaxPicturePixels || h > kMaxPicturePixels || decoderBytes > kMaxPictureBytes ||
        w * h * bytesPerPixel > kMaxPictureBytes - decoderBytes) {
        return failure(kTooLarge);
    }
    return {PictureProblem::None, static_cast<int>(width), static_cast<int>(height)};
}

// Reads small pieces of the picture's bytes at given offsets; a piece past the end fails.
class PieceReader {
public:
    explicit PieceReader(std::string_view bytes) : m_bytes(bytes) {}

    std::uintmax_t size() const { return m_bytes.size(); }

    bool read(std::uintmax_t offset, unsigned char* out, std::size_t count) const {
        if (offset > m_bytes.size() || count > m_bytes.size() - offset) return false;
        std::memcpy(out, m_bytes.data() + offset, count);
        return true;
    }

private:
    std::string_view m_bytes;
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
    // Judged by the declared size whatever the compression: a run-length file of a kilobyte
    // can declare a picture of hundreds of megabytes.
    PictureResult result = sized(width, height);
    if (!result.ok()) return result;

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
    // The decoder may keep a second picture-sized buffer to restore what a frame covered.
    return sized(le16(&h[6]), le16(&h[8]), 8);
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
    // Sixteen-bit samples decode to 16 bits a channel.
    return sized(width, height, h[24] == 16 ? 8 : 4);
}

// ---- JPEG: walk the marker segments up to the frame header (SOFn).

bool isFrameHeader(unsigned marker) {
    // C4 (Huffman tables), C8 (reserved) and CC (arithmetic conditioning) share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isProgressive(unsigned marker) {
    return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
}

std::uint64_t roundUp(std::uint64_t value, std::uint64_t step) {
    return (value + step - 1) / step * step;
}

struct JpegFrame {
    long long width = 0;
    long long height = 0;
    bool progressive = false;
    std::vector<std::pair<unsigned, unsigned>> sampling;  // per component: horizontal, vertical
};

// What the decoder holds when it must keep the whole picture's coefficients, as it does for
// a progressive file and for one whose first scan leaves out a component: 64 coefficients
// of 2 bytes for each 8 x 8 block of each component, whole blocks of its sampling.
std::uint64_t coefficientBytes(const JpegFrame& frame) {
    unsigned maxH = 1, maxV = 1;
    for (const auto& [h, v] : frame.sampling) {
        maxH = std::max(maxH, h);
        maxV = std::max(maxV, v);
    }
    std::uint64_t bytes = 0;
    for (const auto& [h, v] : frame.sampling) {
        const std::uint64_t columns =
            (static_cast<std::uint64_t>(frame.width) * h + maxH - 1) / maxH;
        const std::uint64_t rows = (static_cast<std::uint64_t>(frame.height) * v + maxV - 1) / maxV;
        bytes += roundUp((columns + 7) / 8, h) * roundUp((rows + 7) / 8, v) * 128;
    }
    return bytes;
}

PictureResult sizedJpeg(const JpegFrame& frame, bool wholeBuffer) {
    // A height of 0 defers it to a DNL marker after the first scan; the decoders the program
    // relies on do not support that, so it counts as damaged.
    if (frame.width <= 0 || frame.height <= 0) return failure(kDamaged);
    if (frame.width > static_cast<long long>(kMaxPicturePixels) ||
        frame.height > static_cast<long long>(kMaxPicturePixels)) {
        return failure(kTooLarge);
    }
    return sized(frame.width, frame.height, 4, wholeBuffer ? coefficientBytes(frame) : 0);
}

PictureResult probeJpeg(PieceReader& file) {
    std::uintmax_t pos = 2;  // after SOI
    std::optional<JpegFrame> frame;
    for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
        unsigned char byte = 0;
        // A frame whose first scan cannot be found is judged as if it needed the whole
        // buffer; its decoding fails later if it is really cut off.
        if (!file.read(pos, &byte, 1) || byte != 0xFF) {
            return frame ? sizedJpeg(*frame, true) : failure(kDamaged);
        }
        // Any number of FF fill bytes may precede the marker code.
        do {
            if (!file.read(++pos, &byte, 1)) {
                return frame ? sizedJpeg(*frame, true) : failure(kDamaged);
            }
        } while (byte == 0xFF);
        const unsigned marker = byte;
        ++pos;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        if (frame && (marker == 0xD9 || marker == 0xD8 || marker == 0x00)) {
            return sizedJpeg(*frame, true);
        }
        // Image data or the end before any frame header: nothing to show.
        if (marker == 0xD9 || marker == 0xD8 || marker == 0x00) return failure(kDamaged);
        std::array<unsigned char, 8> s{};
        if (!file.read(pos, s.data(), 3))
            return frame ? sizedJpeg(*frame, true) : failure(kDamaged);
        const std::uint32_t length = be16(s.data());
        if (length < 2) return frame ? sizedJpeg(*frame, true) : failure(kDamaged);
        if (marker == 0xDA) {
            if (!frame) return failure(kDamaged);
            const unsigned scanComponents = s[2];
            return sizedJpeg(*frame, frame->progressive || scanComponents < frame->sampling.size());
        }
        if (isFrameHeader(marker) && !frame) {
            if (length < 8 || !file.read(pos, s.data(), s.size())) return failure(kDamaged);
            const unsigned components = s[7];
            if (components == 0 || length < 8 + 3 * components) return failure(kDamaged);
            std::vector<unsigned char> table(3 * components);
            if (!file.read(pos + 8, table.data(), table.size())) return failure(kDamaged);
            JpegFrame found{be16(&s[5]), be16(&s[3]), isProgressive(marker), {}};
            for (unsigned c = 0; c < components; ++c) {
                const unsigned h = table[3 * c + 1] >> 4;
                const unsigned v = table[3 * c + 1] & 0x0F;
                if (h == 0 || v == 0) return failure(kDamaged);
                found.sampling.emplace_back(h, v);
            }
            frame = std::move(found);
        }
        pos += length;
    }
    return frame ? sizedJpeg(*frame, true) : failure(kDamaged);
}

}  // namespace

PictureResult probePicture(std::string_view bytes) {
    if (bytes.empty()) return failure(kEmpty);
    PieceReader file(bytes);
    if (bytes.starts_with("BM")) return probeBmp(file);
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return probeGif(file);
    if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return probePng(file);
    if (bytes.starts_with("\xFF\xD8\xFF")) return probeJpeg(file);
    return failure(kUnknown);
}

PictureResult probePictureFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return failure(kNotFound);
    if (error) return failure(kUnreadable);
    if (std::filesystem::is_directory(status)) return failure(kNotAFile);
    if (!std::filesystem::is_regular_file(status)) return failure(kUnreadable);

    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return failure(kUnreadable);
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return failure(kUnreadable);
    }
    const auto size = static_cast<std::size_t>(opened.st_size);
    if (size == 0) {
        ::close(fd);
        return failure(kEmpty);
    }
    // Mapped, not read: the probe touches only the pages its headers lie in, so a large
    // picture costs no memory here.
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED) return failure(kUnreadable);
    const PictureResult result = probePicture({static_cast<const char*>(mapped), size});
    ::munmap(mapped, size);
    return result;
}

}  // namespace pennory::files
