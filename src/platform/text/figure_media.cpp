#include "platform/text/figure_media.h"

#include <string_view>
#include <utility>

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

}  // namespace

std::string originContentType(const Figure& figure) {
    // An RTF \emfblip holds a whole EMF file.
    if (figure.origin == "rtf:emfblip") return "image/x-emf";
    for (const std::string_view prefix : {"docx:", "odt:"}) {
        if (!figure.origin.starts_with(prefix) || figure.origin.size() == prefix.size()) continue;
        std::string type = figure.origin.substr(prefix.size());
        // A media type is a token; anything else came from a damaged file and is not written.
        for (const char c : type) {
            const bool token = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                               (c >= '0' && c <= '9') || c == '/' || c == '+' || c == '-' ||
                               c == '.' || c == '_';
            if (!token) return {};
        }
        return type;
    }
    return {};
}

bool mediaTypeOf(const Figure& figure, std::string& extension, std::string& contentType) {
    switch (figure.kind) {
        case FigureKind::Png:
            extension = "png", contentType = "image/png";
            return true;
        case FigureKind::Jpeg:
            extension = "jpeg", contentType = "image/jpeg";
            return true;
        case FigureKind::Gif:
            extension = "gif", contentType = "image/gif";
            return true;
        case FigureKind::Bmp:
            extension = "bmp", contentType = "image/bmp";
            return true;
        case FigureKind::Other:
            break;
    }
    contentType = originContentType(figure);
    if (contentType.empty()) return false;
    extension = extensionOf(contentType);
    return true;
}

}  // namespace pennory::text
