#pragma once
// The kind and pixel size of a figure's picture from its file header, without decoding it, so
// that a reader keeps no picture its editor could not afford to show. The files layer has the
// full probe (files::probePicture); the codecs cannot link it, and need only this much.

#include <cstdint>
#include <string_view>

#include "platform/text/figure.h"

namespace pennory::text {

// The most pixels a figure's picture may have: the same budget as files::kMaxPicturePixels
// (192 MB at 4 bytes a pixel, 8192 x 6144).
inline constexpr std::uint64_t kMaxFigurePixels = (std::uint64_t(192) << 20) / 4;

struct FigureHeader {
    FigureKind kind = FigureKind::Other;  // Other: no PNG, JPEG, GIF or BMP header read
    int widthPx = 0;
    int heightPx = 0;
    bool tooLarge = false;  // a known kind past kMaxFigurePixels
};

// PNG, JPEG, GIF and BMP by their signatures and headers; anything else, or a header cut
// short or naming no size, is Other.
FigureHeader probeFigureHeader(std::string_view bytes);

// A figure's shown size in centimetres, the aspect kept: Natural is the goal size the file
// asked for, else its pixels at 96 an inch, never wider than kTextWidthCm; a percentage is of
// kTextWidthCm. A figure of no known size is shown 5 cm square.
struct FigureSizeCm {
    double width = 0;
    double height = 0;
};
FigureSizeCm shownSizeCm(const Figure& figure);
// The natural width in centimetres (capped at the text width), 0 when the size is unknown.
double naturalWidthCm(const Figure& figure);

}  // namespace pennory::text
