#pragma once
// Writes a figure as the RTF picture group word processors read: a PNG or JPEG figure as
// {\*\shppict{\pict ... \pngblip|\jpegblip hex}}, its file's bytes unchanged; a BMP one as
// \dibitmap0 (the file without its 14-byte header); a picture read from RTF that Pennory
// cannot show (origin "rtf:pict") as the group it came in. RTF has no form for GIF: a GIF
// figure's bytes go in a {\*\pennorygif hex} group inside the \pict group, which Pennory reads
// back and other readers skip.
//
// A picture from a package that Pennory cannot show (origin "docx:" or "odt:" and its media
// type): an EMF as {\*\shppict{\pict ... \emfblip hex}}, the whole file; a WMF as
// {\pict\wmetafile8 ... hex}, the records without the 22-byte placeable header, which is kept
// beside them in a {\*\pennorywmfheader hex} group so that the package gets the same file
// back; any other type in a {\*\pennorymedia type hex} group inside the \pict group, the way
// GIF goes. A metafile's \picw and \pich are in 0.01 mm. No \nonshppict copy is written: every
// reader of \shppict reads PNG and JPEG, and the copy would double the file for readers that show
// metafiles only.
//
// The size: \picw \pich in pixels, \picwgoal \pichgoal the natural size in twips (the goal
// the file gave, else the pixels at 96 a inch); a width set in centimetres or in percent of
// the text width (16.5 cm: an A4 page, 21 cm, less margins of 2.25 cm) is \picscalex and
// \picscaley in percent of the natural size.

#include <string>

#include "platform/text/byte_sink.h"
#include "platform/text/figure.h"

namespace pennory::text {

// The text width a percent width means, in twips (16.5 cm).
inline constexpr int kFigureTextWidthTwips = 9355;
inline constexpr int kTwipsPerCentimetre = 567;

// The figure's natural width and height in twips.
std::pair<int, int> naturalTwips(const Figure& figure);

// The form a figure is written in; None: it has no RTF form and is not written (a BMP cut
// short, an Other figure whose origin names no media type).
enum class RtfFigureForm { None, Png, Jpeg, Dib, Gif, AsRead, Emf, Wmf, Media };
RtfFigureForm rtfFigureForm(const Figure& figure);

// Gives the picture group of figure to sink, its data in pieces of some 128 KiB of hex;
// nothing when its form is None. False when the sink refused a piece (no further piece is
// offered).
bool writeRtfPicture(const Figure& figure, const ByteSink& sink);
// The same group appended to out.
void writeRtfPicture(std::string& out, const Figure& figure);

}  // namespace pennory::text
