#pragma once
// Whether a figure can be written in a document format: the one answer the writers follow
// and the save asks by, so that what the writer is told will be lost is what is lost.

#include <cstddef>

#include "platform/text/figure.h"
#include "platform/text/styled_text.h"

namespace pennory::text {

enum class FigureTarget { Rtf, Docx, Odt };

// RTF: the figure has an RTF picture form (rtfFigureForm); DOCX and ODT: it has a package
// form (packageMediaOf).
bool figureWritable(const Figure& figure, FigureTarget target);

// How many figures of content (object characters holding one) would not be written as target.
std::size_t figuresLost(const StyledText& content, FigureTarget target);

}  // namespace pennory::text
