#pragma once
// Figures in a WordprocessingML package as the writer puts them: each picture file once as a
// word/media part with its bytes as they are, an image relationship from the main document,
// and in the text an inline w:drawing sized as the figure is shown.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/figure.h"
#include "platform/text/figure_media.h"

namespace pennory::text::docx {

struct MediaPart {
    std::string name;  // "word/media/image1.png"
    std::string extension;
    std::string contentType;
    std::shared_ptr<const std::string> bytes;
    std::string relationshipId;
};

class FigureParts {
public:
    // Relationship ids are numbered on from firstId ("rId4", ...).
    explicit FigureParts(int firstId) : m_nextId(firstId) {}
    // The relationship id of the figure's media part, added on first use; the same bytes are
    // stored once. Empty when the figure cannot be written.
    std::string relationshipFor(const Figure& figure);
    const std::vector<MediaPart>& parts() const { return m_parts; }

private:
    int m_nextId;
    std::vector<MediaPart> m_parts;
    std::map<const std::string*, std::size_t> m_byBytes;
};

// One figure as an inline w:drawing; drawingId numbers the drawings of the document from 1.
void putDrawing(std::string& out, const Figure& figure, std::string_view relationshipId,
                int drawingId);

// Centimetres as EMU (360 000 a centimetre).
long long emuOf(double centimetres);

}  // namespace pennory::text::docx
