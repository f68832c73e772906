#include "platform/text/figure_forms.h"

#include <algorithm>

#include "platform/text/figure_media.h"
#include "platform/text/rtf_picture_writer.h"

namespace pennory::text {

bool figureWritable(const Figure& figure, FigureTarget target) {
    switch (target) {
        case FigureTarget::Rtf:
            return rtfFigureForm(figure) != RtfFigureForm::None;
        case FigureTarget::Docx:
        case FigureTarget::Odt:
            return packageMediaOf(figure).has_value();
    }
    return false;
}

std::size_t figuresLost(const StyledText& content, FigureTarget target) {
    std::size_t lost = 0;
    const Figure* last = nullptr;  // runs of one figure share it: asked once
    bool lastWritable = true;
    for (const StyledRun& run : content.runs()) {
        if (!run.format.figure) continue;
        const Figure& figure = *run.format.figure;
        if (&figure != last) {
            last = &figure;
            lastWritable = figureWritable(figure, target);
        }
        if (!lastWritable)
            lost += static_cast<std::size_t>(
                std::count(run.text.begin(), run.text.end(), kObjectCharacter));
    }
    return lost;
}

}  // namespace pennory::text
