#pragma once
// Small picture files written byte by byte, so tests need no image library. BMP, GIF and PNG
// are complete pictures that any decoder shows; jpegHeader is a header up to its frame header,
// enough to be measured but not decoded, and decodableJpeg a whole small picture.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace pennory::testing::pictures {

inline void putLe16(std::string& out, std::uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}
inline void putLe32(std::string& out, std::uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}
inline void putBe16(std::string& out, std::uint32_t v) {
    out += char((v >> 8) & 0xFF);
    out += char(v & 0xFF);
}
inline void putBe32(std::string& out, std::uint32_t v) {
    putBe16(out, v >> 16);
    putBe16(out, v & 0xFFFF);
}

// A colour pattern, so a shown picture has visible structure: a gradient with a dark frame.
struct Rgb {
    unsigned char r, g, b;
};
inline Rgb patternAt(int x, int y, int width, int height) {
    if (x < 4 || y < 4 || x >= width - 4 || y >= height - 4) return {20, 20, 90};
    return {static_cast<unsigned char>(x * 255 / width),
            static_cast<unsigned char>(y * 255 / height),
            static_cast<unsigned char>(((x / 20 + y / 20) % 2) ? 220 : 120)};
}

// 24 bits a pixel, uncompressed, bottom-up rows padded to four bytes.
inline std::string bmp(int width, int height) {
    const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t dataSize = rowBytes * height;
    std::string out = "BM";
    putLe32(out, 54 + dataSize);
    putLe32(out, 0);
    putLe32(out, 54);
    putLe32(out, 40);
    putLe32(out, width);
    putLe32(out, height);
    putLe16(out, 1);
    putLe16(out, 24);
    putLe32(out, 0);  // uncompressed
    putLe32(out, dataSize);
    putLe32(out, 2835);
    putLe32(out, 2835);
    putLe32(out, 0);
    putLe32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < width; ++x, written += 3) {
            const Rgb c = patternAt(x, y, width, height);
            out += char(c.b);
            out += char(c.g);
            out += char(c.r);
        }
        for (; written < rowBytes; ++written) out += '\0';
    }
    return out;
}

// Four colours. The LZW stream starts each pixel with a clear code, so every code stays three
// bits wide and no string table is needed to write it.
inline std::string gif(int width, int height) {
    std::string out = "GIF89a";
    putLe16(out, width);
    putLe16(out, height);
    out += char(0x81);  // global colour table of 4 entries, 8 bits a primary
    out += '\0';
    out += '\0';
    for (Rgb c : {Rgb{20, 20, 90}, Rgb{230, 120, 40}, Rgb{60, 180, 90}, Rgb{240, 240, 240}}) {
        out += char(c.r);
        out += char(c.g);
        out += char(c.b);
    }
    out += ',';
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, width);
    putLe16(out, height);
    out += '\0';
    out += char(2);  // minimum code size

    std::string data;
    std::uint32_t bits = 0;
    int count = 0;
    auto put = [&](std::uint32_t code) {
        bits |= code << count;
        count += 3;
        while (count >= 8) {
            data += char(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            put(4);  // clear
            const bool frame = x < 4 || y < 4 || x >= width - 4 || y >= height - 4;
            put(frame ? 0 : 1 + (x / 20 + y / 20) % 3);
        }
    }
    put(5);  // end of information
    if (count > 0) data += char(bits & 0xFF);
    for (std::size_t i = 0; i < data.size(); i += 255) {
        const std::string block = data.substr(i, 255);
        out += char(block.size());
        out += block;
    }
    out += '\0';
    out += ';';
    return out;
}

inline std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

inline void pngChunk(std::string& out, const std::string& type, const std::string& data) {
    putBe32(out, static_cast<std::uint32_t>(data.size()));
    out += type;
    out += data;
    putBe32(out, crc32(type + data));
}

inline std::string pngHeaderChunk(std::uint32_t width, std::uint32_t height) {
    std::string ihdr;
    putBe32(ihdr, width);
    putBe32(ihdr, height);
    ihdr += char(8);  // bits a sample
    ihdr += char(2);  // RGB
    ihdr += std::string(3, '\0');
    std::string out;
    pngChunk(out, "IHDR", ihdr);
    return out;
}

inline const std::string kPngSignature = "\x89PNG\r\n\x1a\n";

// RGB, 8 bits a sample, the image data in stored (uncompressed) deflate blocks.
inline std::string png(int width, int height) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        for (int x = 0; x < width; ++x) {
            const Rgb c = patternAt(x, y, width, height);
            raw += char(c.r);
            raw += char(c.g);
            raw += char(c.b);
        }
    }
    std::string zlib = "\x78\x01";
    for (std::size_t i = 0; i < raw.size() || i == 0; i += 65535) {
        const std::string block = raw.substr(i, 65535);
        zlib += char(i + 65535 >= raw.size() ? 1 : 0);
        putLe16(zlib, static_cast<std::uint32_t>(block.size()));
        putLe16(zlib, static_cast<std::uint32_t>(~block.size() & 0xFFFF));
        zlib += block;
    }
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    putBe32(zlib, (b << 16) | a);

    std::string out = kPngSignature + pngHeaderChunk(width, height);
    pngChunk(out, "IDAT", zlib);
    pngChunk(out, "IEND", "");
    return out;
}

// SOI, a JFIF segment, a baseline frame header (SOF0) for three components, then EOI.
inline std::string jpegHeader(int width, int height, unsigned char frameMarker = 0xC0) {
    std::string out = "\xFF\xD8";
    out += "\xFF\xE0";
    putBe16(out, 16);
    out += std::string("JFIF\0", 5);
    out += "\x01\x01";
    out += '\0';
    putBe16(out, 1);
    putBe16(out, 1);
    out += std::string(2, '\0');
    out += '\xFF';
    out += char(frameMarker);
    putBe16(out, 17);
    out += char(8);
    putBe16(out, height);
    putBe16(out, width);
    out += char(3);
    for (int c = 1; c <= 3; ++c) {
        out += char(c);
        out += char(0x11);
        out += '\0';
    }
    out += "\xFF\xD9";
    return out;
}

// A whole JPEG that every decoder shows: 16 x 8 pixels, one grey component, baseline. Made
// once by an image tool from a white-to-black gradient; kept as bytes so tests need none.
inline std::string decodableJpeg() {
    static const char bytes[] =
        "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
        "\xFF\xDB\x00\x43\x00\x10\x0B\x0C\x0E\x0C\x0A\x10\x0E\x0D\x0E\x12\x11\x10\x13\x18"
        "\x28\x1A\x18\x16\x16\x18\x31\x23\x25\x1D\x28\x3A\x33\x3D\x3C\x39\x33\x38\x37\x40"
        "\x48\x5C\x4E\x40\x44\x57\x45\x37\x38\x50\x6D\x51\x57\x5F\x62\x67\x68\x67\x3E\x4D"
        "\x71\x79\x70\x64\x78\x5C\x65\x67\x63\xFF\xC0\x00\x0B\x08\x00\x08\x00\x10\x01\x01"
        "\x11\x00\xFF\xC4\x00\x14\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
        "\x00\x00\x00\x00\xFF\xC4\x00\x17\x10\x00\x03\x01\x00\x00\x00\x00\x00\x00\x00\x00"
        "\x00\x00\x00\x00\x00\x00\x16\x63\xA1\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00\x3B"
        "\xD7\x43\xBD\x74\xFF\xD9";
    return std::string(bytes, sizeof bytes - 1);
}

inline std::filesystem::path write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

}  // namespace pennory::testing::pictures
