#include "platform/text/docx_figures.h"

#include <cmath>

#include "platform/text/figure_header.h"

namespace pennory::text::docx {
std::string FigureParts::relationshipFor(const Figure& figure) {
    if (!figure.bytes) return {};
    if (const auto it = m_byBytes.find(figure.bytes.get()); it != m_byBytes.end())
        return m_parts[it->second].relationshipId;
    auto media = packageMediaOf(figure);
    if (!media) return {};
    MediaPart part;
    part.extension = std::move(media->extension);
    part.contentType = std::move(media->contentType);
    part.name = "word/media/image" + std::to_string(m_parts.size() + 1) + "." + part.extension;
    part.bytes = std::move(media->bytes);
    part.relationshipId = "rId" + std::to_string(m_nextId++);
    m_byBytes[figure.bytes.get()] = m_parts.size();
    m_parts.push_back(std::move(part));
    return m_parts.back().relationshipId;
}

long long emuOf(double centimetres) { return std::llround(centimetres * 360000.0); }

void putDrawing(std::string& out, const Figure& figure, std::string_view relationshipId,
                int drawingId) {
    const FigureSizeCm size = shownSizeCm(figure);
    const std::string cx = std::to_string(emuOf(size.width));
    const std::string cy = std::to_string(emuOf(size.height));
    const std::string id = std::to_string(drawingId);
    out +=
        "<w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">"
        "<wp:extent cx=\"" +
        cx + "\" cy=\"" + cy +
        "\"/>"
        "<wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/>"
        "<wp:docPr id=\"" +
        id + "\" name=\"图片 " + id +
        "\"/>"
        "<wp:cNvGraphicFramePr><a:graphicFrameLocks "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" noChangeAspect=\"1\"/>"
        "</wp:cNvGraphicFramePr>"
        "<a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
        "<a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
        "<pic:pic xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
        "<pic:nvPicPr><pic:cNvPr id=\"" +
        id + "\" name=\"图片 " + id +
        "\"/><pic:cNvPicPr/>"
        "</pic:nvPicPr><pic:blipFill><a:blip r:embed=\"" +
        std::string(relationshipId) +
        "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
        "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" +
        cx + "\" cy=\"" + cy +
        "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr>"
        "</pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing>";
}

}  // namespace pennory::text::docx
