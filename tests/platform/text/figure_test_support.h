#pragma once
// Small picture files made in the tests: a real PNG any program decodes, and JPEG bytes whose
// headers name a size (enough for a codec, which never decodes them).

#include <zlib.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/text/figure.h"

namespace pennory::text::testing {

inline void putBe32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

inline void putPngChunk(std::string& out, const std::string& type, const std::string& data) {
    putBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    out += body;
    putBe32(out, static_cast<std::uint32_t>(
                     crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

// An RGB PNG of width x height, its pixels a gradient coloured by seed.
inline std::string tinyPng(std::uint32_t width, std::uint32_t height, int seed = 0) {
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    putBe32(header, width);
    putBe32(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);
    putPngChunk(out, "IHDR", header);
    std::string rows;
    for (std::uint32_t y = 0; y < height; ++y) {
        rows += '\0';
        for (std::uint32_t x = 0; x < width; ++x) {
            rows += static_cast<char>((x * 7 + seed) & 0xFF);
            rows += static_cast<char>((y * 5 + seed * 3) & 0xFF);
            rows += static_cast<char>((x + y + seed * 11) & 0xFF);
        }
    }
    uLongf size = compressBound(rows.size());
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(rows.data()), rows.size());
    packed.resize(size);
    putPngChunk(out, "IDAT", packed);
    putPngChunk(out, "IEND", "");
    return out;
}

// JPEG headers (JFIF, a baseline frame of width x height) and an end marker.
inline std::string tinyJpeg(unsigned width, unsigned height) {
    std::string out("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20);
    out += std::string("\xFF\xC0\x00\x11\x08", 5);
    out += static_cast<char>(height >> 8);
    out += static_cast<char>(height & 0xFF);
    out += static_cast<char>(width >> 8);
    out += static_cast<char>(width & 0xFF);
    out += std::string("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
    out += std::string("\xFF\xD9", 2);
    return out;
}

inline Figure figureOf(FigureKind kind, std::string bytes, int widthPx, int heightPx,
                       FigureWidth width = {}) {
    Figure figure;
    figure.kind = kind;
    figure.bytes = std::make_shared<const std::string>(std::move(bytes));
    figure.widthPx = widthPx;
    figure.heightPx = heightPx;
    figure.width = width;
    return figure;
}

}  // namespace pennory::text::testing
