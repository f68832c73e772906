#include "platform/text/rtf_picture_writer.h"

#include <algorithm>
#include <cmath>

#include "platform/text/figure_media.h"
#include "platform/text/wmf_header.h"

namespace pennory::text {
namespace {

constexpr std::size_t kBmpFileHeader = 14;

void word(std::string& out, const char* name, long value) {
    out += name;
    out += std::to_string(value);
}

// Hex in lines of 128 digits, as word processors write it, so that no line is megabytes long.
// A photo's data is most of the file: it goes to the sink in pieces of 64 KiB of bytes, each
// a whole number of lines, so that the pieces join into exactly the lines of one run.
bool hex(const ByteSink& sink, std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    static constexpr std::size_t kPieceBytes = 64 * 1024;
    static_assert(kPieceBytes % 64 == 0);
    std::string piece;
    for (std::size_t from = 0; from < bytes.size(); from += kPieceBytes) {
        const std::string_view part = bytes.substr(from, kPieceBytes);
        const std::size_t lines = (part.size() + 63) / 64;
        piece.resize(part.size() * 2 + lines * 2);
        char* to = piece.data();
        for (std::size_t i = 0; i < part.size(); ++i) {
            if (i % 64 == 0) {
                *to++ = '\r';
                *to++ = '\n';
            }
            const auto b = static_cast<unsigned char>(part[i]);
            *to++ = kDigits[b >> 4];
            *to++ = kDigits[b & 15];
        }
        if (!sink(piece)) return false;
    }
    return true;
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

RtfFigureForm rtfFigureForm(const Figure& figure) {
    if (!figure.bytes) return RtfFigureForm::None;
    switch (figure.kind) {
        case FigureKind::Png:
            return RtfFigureForm::Png;
        case FigureKind::Jpeg:
            return RtfFigureForm::Jpeg;
        case FigureKind::Gif:
            return RtfFigureForm::Gif;
        case FigureKind::Bmp:
            return figure.bytes->size() > kBmpFileHeader ? RtfFigureForm::Dib : RtfFigureForm::None;
        case FigureKind::Other:
            break;
    }
    if (figure.origin == "rtf:pict") return RtfFigureForm::AsRead;
    if (!figure.origin.starts_with("docx:") && !figure.origin.starts_with("odt:"))
        return RtfFigureForm::None;
    const std::string type = originContentType(figure);
    if (type.empty()) return RtfFigureForm::None;
    if (type == "image/x-emf" || type == "image/emf") return RtfFigureForm::Emf;
    if (type == "image/x-wmf" || type == "image/wmf") return RtfFigureForm::Wmf;
    return RtfFigureForm::Media;
}

bool writeRtfPicture(const Figure& figure, const ByteSink& sink) {
    const RtfFigureForm form = rtfFigureForm(figure);
    if (form == RtfFigureForm::None) return true;
    const std::string_view bytes = *figure.bytes;
    if (form == RtfFigureForm::AsRead) return sink(bytes);
    const auto [goalW, goalH] = naturalTwips(figure);
    const int scale = scalePercent(figure, goalW);
    const bool metafile = form == RtfFigureForm::Emf || form == RtfFigureForm::Wmf;
    // A metafile's \picw and \pich are in 0.01 mm; its pixels are rarely known.
    const long width = !metafile            ? figure.widthPx
                       : figure.widthPx > 0 ? std::lround(figure.widthPx * 2540.0 / 96.0)
                                            : std::lround(goalW * 127.0 / 72.0);
    const long height = !metafile             ? figure.heightPx
                        : figure.heightPx > 0 ? std::lround(figure.heightPx * 2540.0 / 96.0)
                                              : std::lround(goalH * 127.0 / 72.0);
    // The words around the data are gathered here; the data goes to the sink as it is made.
    std::string out;
    auto data = [&](std::string_view part) {
        const bool taken = sink(out) && hex(sink, part);
        out.clear();
        return taken;
    };
    // A WMF stands in a plain \pict group, the form RTF has held metafiles in from the first.
    out += form == RtfFigureForm::Wmf ? "{\\pict" : "{\\*\\shppict{\\pict";
    if (form == RtfFigureForm::Wmf) out += "\\wmetafile8";
    word(out, "\\picscalex", scale);
    word(out, "\\picscaley", scale);
    word(out, "\\picw", width);
    word(out, "\\pich", height);
    word(out, "\\picwgoal", goalW);
    word(out, "\\pichgoal", goalH);
    bool taken = true;
    switch (form) {
        case RtfFigureForm::Png:
            out += "\\pngblip";
            taken = data(bytes);
            break;
        case RtfFigureForm::Jpeg:
            out += "\\jpegblip";
            taken = data(bytes);
            break;
        case RtfFigureForm::Dib:
            out += "\\dibitmap0";
            taken = data(bytes.substr(kBmpFileHeader));
            break;
        case RtfFigureForm::Gif:
            out += "{\\*\\pennorygif";
            taken = data(bytes);
            out += '}';
            break;
        case RtfFigureForm::Emf:
            out += "\\emfblip";
            taken = data(bytes);
            break;
        case RtfFigureForm::Wmf:
            if (hasWmfPlaceableHeader(bytes)) {
                // Kept beside the records, so that a package gets the file back unchanged.
                out += "{\\*\\pennorywmfheader";
                taken = data(bytes.substr(0, kWmfPlaceableHeaderSize));
                out += '}';
                taken = taken && data(bytes.substr(kWmfPlaceableHeaderSize));
            } else {
                taken = data(bytes);
            }
            break;
        case RtfFigureForm::Media:
            out += "{\\*\\pennorymedia " + originContentType(figure);
            taken = data(bytes);
            out += '}';
            break;
        case RtfFigureForm::None:
        case RtfFigureForm::AsRead:
            break;
    }
    out += form == RtfFigureForm::Wmf ? "}" : "}}";
    return taken && sink(out);
}

void writeRtfPicture(std::string& out, const Figure& figure) {
    writeRtfPicture(figure, stringSink(out));
}

}  // namespace pennory::text
