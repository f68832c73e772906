#include "platform/text/rtf_picture_writer.h"

#include <algorithm>
#include <cmath>

namespace pennory::text {
namespace {

constexpr std::size_t kBmpFileHeader = 14;

void word(std::string& out, const char* name, long value) {
    out += name;
    out += std::to_string(value);
}

// Hex in lines of 128 digits, as word processors write it, so that no line is megabytes long.
// Written straight into the string's room: a photo's data is most of the file.
void hex(std::string& out, std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const std::size_t lines = (bytes.size() + 63) / 64;
    const std::size_t at = out.size();
    out.resize(at + bytes.size() * 2 + lines * 2);
    char* to = out.data() + at;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 64 == 0) {
            *to++ = '\r';
            *to++ = '\n';
        }
        const auto b = static_cast<unsigned char>(bytes[i]);
        *to++ = kDigits[b >> 4];
        *to++ = kDigits[b & 15];
    }
}

int scalePercent(const Figure& figure, int naturalWidth) {
    if (naturalWidth <= 0) return 100;
    double wanted = 0;
    switch (figure.width.unit) {
        case FigureWidth::Unit::Natural:
            return 100;
        case FigureWidth::Unit::PercentOfText:
            wanted = kFigureTextWidthTwips * static_cast<double>(figure.width.value) / 100.0;
            break;
        case FigureWidth::Unit::Centimetres:
            wanted = kTwipsPerCentimetre * static_cast<double>(figure.width.value);
            break;
    }
    return static_cast<int>(std::clamp(std::lround(wanted * 100.0 / naturalWidth), 1L, 10000L));
}

}  // namespace

std::pair<int, int> naturalTwips(const Figure& figure) {
    if (figure.goalWidthTwips > 0 && figure.goalHeightTwips > 0) {
        return {figure.goalWidthTwips, figure.goalHeightTwips};
    }
    return {figure.widthPx * 15, figure.heightPx * 15};
}

void writeRtfPicture(std::string& out, const Figure& figure) {
    if (!figure.bytes) return;
    const std::string_view bytes = *figure.bytes;
    if (figure.kind == FigureKind::Other) {
        // Only a group this writer's own format gave can go back; others have no RTF form.
        if (figure.origin == "rtf:pict") out += bytes;
        return;
    }
    if (figure.kind == FigureKind::Bmp && bytes.size() <= kBmpFileHeader) return;
    const auto [goalW, goalH] = naturalTwips(figure);
    const int scale = scalePercent(figure, goalW);
    out += "{\\*\\shppict{\\pict";
    word(out, "\\picscalex", scale);
    word(out, "\\picscaley", scale);
    word(out, "\\picw", figure.widthPx);
    word(out, "\\pich", figure.heightPx);
    word(out, "\\picwgoal", goalW);
    word(out, "\\pichgoal", goalH);
    switch (figure.kind) {
        case FigureKind::Png:
            out += "\\pngblip";
            hex(out, bytes);
            break;
        case FigureKind::Jpeg:
            out += "\\jpegblip";
            hex(out, bytes);
            break;
        case FigureKind::Bmp:
            out += "\\dibitmap0";
            hex(out, bytes.substr(kBmpFileHeader));
            break;
        case FigureKind::Gif:
            out += "{\\*\\pennorygif";
            hex(out, bytes);
            out += '}';
            break;
        case FigureKind::Other:
            break;
    }
    out += "}}";
}

}  // namespace pennory::text
