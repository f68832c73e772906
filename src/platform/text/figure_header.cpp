#include "platform/text/figure_header.h"

#include <algorithm>

namespace pennory::text {
namespace {

unsigned byteAt(std::string_view b, std::size_t i) { return static_cast<unsigned char>(b[i]); }
std::uint32_t be16(std::string_view b, std::size_t i) {
    return (byteAt(b, i) << 8) | byteAt(b, i + 1);
}
std::uint32_t be32(std::string_view b, std::size_t i) {
    return (be16(b, i) << 16) | be16(b, i + 2);
}
std::uint32_t le16(std::string_view b, std::size_t i) {
    return byteAt(b, i) | (byteAt(b, i + 1) << 8);
}
std::uint32_t le32(std::string_view b, std::size_t i) {
    return le16(b, i) | (le16(b, i + 2) << 16);
}

FigureHeader sized(FigureKind kind, long long width, long long height) {
    FigureHeader header;
    if (width <= 0 || height <= 0) return header;
    header.kind = kind;
    header.tooLarge =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxFigurePixels;
    header.widthPx = static_cast<int>(std::min<long long>(width, 1 << 30));
    header.heightPx = static_cast<int>(std::min<long long>(height, 1 << 30));
    return header;
}

FigureHeader jpegHeader(std::string_view b) {
    std::size_t i = 2;
    while (i + 4 <= b.size()) {
        if (byteAt(b, i) != 0xFF) return {};
        const unsigned marker = byteAt(b, i + 1);
        if (marker == 0xFF) {  // fill byte
            ++i;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        const std::uint32_t length = be16(b, i + 2);
        if (length < 2) return {};
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (i + 9 > b.size()) return {};
            return sized(FigureKind::Jpeg, be16(b, i + 7), be16(b, i + 5));
        }
        if (marker == 0xD9 || marker == 0xDA) return {};  // no frame before the scan
        i += 2 + length;
    }
    return {};
}

}  // namespace

FigureHeader probeFigureHeader(std::string_view b) {
    if (b.size() >= 24 && b.substr(0, 8) == "\x89PNG\r\n\x1a\n" && b.substr(12, 4) == "IHDR")
        return sized(FigureKind::Png, be32(b, 16), be32(b, 20));
    if (b.size() >= 4 && byteAt(b, 0) == 0xFF && byteAt(b, 1) == 0xD8 && byteAt(b, 2) == 0xFF)
        return jpegHeader(b);
    if (b.size() >= 10 && (b.substr(0, 6) == "GIF87a" || b.substr(0, 6) == "GIF89a"))
        return sized(FigureKind::Gif, le16(b, 6), le16(b, 8));
    if (b.size() >= 26 && b.substr(0, 2) == "BM") {
        const std::uint32_t infoSize = le32(b, 14);
        if (infoSize == 12) return sized(FigureKind::Bmp, le16(b, 18), le16(b, 20));
        const auto height = static_cast<std::int32_t>(le32(b, 22));
        return sized(FigureKind::Bmp, static_cast<std::int32_t>(le32(b, 18)),
                     height < 0 ? -static_cast<long long>(height) : height);
    }
    return {};
}

double naturalWidthCm(const Figure& figure) {
    double width = 0;
    if (figure.goalWidthTwips > 0) {
        width = figure.goalWidthTwips / 1440.0 * 2.54;
    } else if (figure.widthPx > 0) {
        width = figure.widthPx / 96.0 * 2.54;
    }
    return std::min(width, kTextWidthCm);
}

FigureSizeCm shownSizeCm(const Figure& figure) {
    double aspect = 1.0;  // height / width
    if (figure.goalWidthTwips > 0 && figure.goalHeightTwips > 0) {
        aspect = static_cast<double>(figure.goalHeightTwips) / figure.goalWidthTwips;
    } else if (figure.widthPx > 0 && figure.heightPx > 0) {
        aspect = static_cast<double>(figure.heightPx) / figure.widthPx;
    }
    double width = 0;
    switch (figure.width.unit) {
        case FigureWidth::Unit::Natural:
            width = naturalWidthCm(figure);
            break;
        case FigureWidth::Unit::PercentOfText:
            width = kTextWidthCm * figure.width.value / 100.0;
            break;
        case FigureWidth::Unit::Centimetres:
            width = figure.width.value;
            break;
    }
    if (!(width > 0)) width = 5.0;
    return {width, width * aspect};
}

}  // namespace pennory::text
