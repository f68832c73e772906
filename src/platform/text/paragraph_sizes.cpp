#include "platform/text/paragraph_sizes.h"

#include <algorithm>

namespace pennory::text {

std::vector<float> paragraphStartSizes(const StyledText& text) {
    std::vector<float> sizes;
    sizes.reserve(text.paragraphs().size());
    bool atStart = true;
    bool afterCr = false;
    float last = CharFormat{}.sizePt;
    for (const StyledRun& run : text.runs()) {
        const float size = run.format.sizePt;
        for (const char16_t c : run.text) {
            if (atStart) {
                sizes.push_back(size);
                atStart = false;
            }
            if (c == u'\n' && afterCr) atStart = true;
            afterCr = c == u'\r';
        }
        last = size;
    }
    if (atStart) sizes.push_back(last);
    sizes.resize(text.paragraphs().size(), last);
    return sizes;
}

bool hasParagraphFormats(const StyledText& text) {
    const auto& paragraphs = text.paragraphs();
    return std::any_of(paragraphs.begin(), paragraphs.end(),
                       [](const ParagraphFormat& f) { return !(f == ParagraphFormat{}); });
}

}  // namespace pennory::text
