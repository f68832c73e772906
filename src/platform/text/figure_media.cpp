#include "platform/text/figure_media.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "platform/text/rtf_picture_group.h"
#include "platform/text/wmf_header.h"

namespace pennory::text {
namespace {

// The extension Word and LibreOffice use for a content type; "bin" for one they do not name.
std::string extensionOf(std::string_view contentType) {
    static const std::pair<std::string_view, std::string_view> kKnown[] = {
        {"image/x-emf", "emf"},   {"image/emf", "emf"},     {"image/x-wmf", "wmf"},
        {"image/wmf", "wmf"},     {"image/svg+xml", "svg"}, {"image/tiff", "tiff"},
        {"image/x-pict", "pict"}, {"image/webp", "webp"},   {"image/png", "png"},
        {"image/jpeg", "jpeg"},   {"image/gif", "gif"},     {"image/bmp", "bmp"},
    };
    for (const auto& [type, extension] : kKnown) {
        if (type == contentType) return std::string(extension);
    }
    return "bin";
}

// A media type is a token; anything else came from a damaged file and is not written.
bool isMediaType(std::string_view type) {
    if (type.empty()) return false;
    for (const char c : type) {
        const bool token = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '+' || c == '-' || c == '.' ||
                           c == '_';
        if (!token) return false;
    }
    return true;
}

// A WMF file from \wmetafile records: the header kept beside them, else one from the size.
std::string placeableWmf(const RtfPictureData& picture) {
    if (hasWmfPlaceableHeader(picture.data)) return picture.data;
    if (picture.wmfHeader.size() == kWmfPlaceableHeaderSize &&
        hasWmfPlaceableHeader(picture.wmfHeader)) {
        return picture.wmfHeader + picture.data;
    }
    // \picw and \pich of a metafile are in 0.01 mm.
    int w = picture.goalW, h = picture.goalH;
    if (w <= 0 || h <= 0) {
        w = static_cast<int>(std::lround(picture.widthPx * 72.0 / 127.0));
        h = static_cast<int>(std::lround(picture.heightPx * 72.0 / 127.0));
    }
    if (w <= 0 || h <= 0) w = h = 1440;
    return wmfPlaceableHeader(w, h) + picture.data;
}

PackageMedia made(std::string contentType, std::string bytes) {
    std::string extension = extensionOf(contentType);
    return {std::move(contentType), std::move(extension),
            std::make_shared<const std::string>(std::move(bytes))};
}

std::optional<PackageMedia> packageMediaOfRtfGroup(const Figure& figure) {
    auto picture = readRtfPictureGroup(*figure.bytes);
    if (!picture || picture->data.empty()) return std::nullopt;
    if (!picture->mediaType.empty()) {
        if (!isMediaType(picture->mediaType)) return std::nullopt;
        return made(std::move(picture->mediaType), std::move(picture->data));
    }
    switch (picture->form) {
        case RtfPictureForm::Emf:
            return made("image/x-emf", std::move(picture->data));
        case RtfPictureForm::Wmf:
            return made("image/x-wmf", placeableWmf(*picture));
        case RtfPictureForm::MacPicture:
            return made("image/x-pict", std::string(512, '\0') + picture->data);
        default:
            return std::nullopt;
    }
}

}  // namespace

std::string originContentType(const Figure& figure) {
    // An RTF \emfblip holds a whole EMF file.
    if (figure.origin == "rtf:emfblip") return "image/x-emf";
    for (const std::string_view prefix : {"docx:", "odt:"}) {
        if (!figure.origin.starts_with(prefix) || figure.origin.size() == prefix.size()) continue;
        std::string type = figure.origin.substr(prefix.size());
        return isMediaType(type) ? type : std::string();
    }
    return {};
}

std::optional<PackageMedia> packageMediaOf(const Figure& figure) {
    if (!figure.bytes) return std::nullopt;
    switch (figure.kind) {
        case FigureKind::Png:
            return PackageMedia{"image/png", "png", figure.bytes};
        case FigureKind::Jpeg:
            return PackageMedia{"image/jpeg", "jpeg", figure.bytes};
        case FigureKind::Gif:
            return PackageMedia{"image/gif", "gif", figure.bytes};
        case FigureKind::Bmp:
            return PackageMedia{"image/bmp", "bmp", figure.bytes};
        case FigureKind::Other:
            break;
    }
    if (figure.origin == "rtf:pict") return packageMediaOfRtfGroup(figure);
    std::string contentType = originContentType(figure);
    if (contentType.empty()) return std::nullopt;
    std::string extension = extensionOf(contentType);
    return PackageMedia{std::move(contentType), std::move(extension), figure.bytes};
}

}  // namespace pennory::text
