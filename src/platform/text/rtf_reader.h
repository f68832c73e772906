#pragma once
// Reads RTF as real programs write it into styled text. Never recurses on group nesting,
// bounds depth and allocations, and gives best-effort text for damaged input.

#include <string_view>

#include "platform/text/byte_window.h"
#include "platform/text/left_out.h"
#include "platform/text/rtf_picture_reader.h"
#include "platform/text/styled_text.h"

namespace pennory::text {

// Paragraph and line breaks (\par, \line, \sect, \page, \row) become CR LF, except one \par
// that ends the document with nothing after it but closing braces: a rich-edit control writes
// that one after the last line, and writeRtf() does the same. Text outside any formatting takes
// the RTF defaults (the document's default font, 12 pt, black). Bytes (\'hh or raw) are decoded
// in the code page of the current font (\cpg, else \fcharset, else \ansicpg, else 1252).
// Chinese characters take the font given by \dbch\af or \dbch\f where one is given; with
// \dbch in effect, \afs, \ab and \ai set the size, bold and italic, as LibreOffice writes
// them. \- is kept as U+00AD, \~ as U+00A0, \_ as U+2011; \tab and \cell give U+0009. Fields
// give their result; pictures, headers, footers, footnotes, the style sheet and the
// information group give nothing. Group nesting beyond 10000 levels shares the state of the
// deepest level kept; text after the document's last brace is still read.
StyledText readRtf(std::string_view bytes);

// Pictures (\pict, in a \shppict in preference to its \nonshppict copy) become figures: PNG,
// JPEG and \dibitmap ones that check accepts (without a checker, all) as they are, any
// other as an Other figure holding its group's bytes (origin "rtf:pict").
// As above, and sets leftOut to what the document had outside the text read: pictures
// it cannot show (UnshownPictures), floating shapes without a picture (\shp:
// a text box, a drawing; Pictures), objects (\object), footnotes,
// headers and footers, comments
// (\annotation), and tables' structure (\cell, \row). Only what stands in the document's
// text counts, not, say, a picture inside a header already left out.
StyledText readRtf(std::string_view bytes, LeftOutKinds& leftOut, const PictureChecker& check = {});

// As above, reading input as it is extended and giving back what it no longer needs: the
// bytes behind the last group opened, or behind the picture group being read. The result is
// that of the input read whole, up to where input ended (its end, or a failed read: the
// caller asks input which).
StyledText readRtf(ByteWindow& input, LeftOutKinds& leftOut, const PictureChecker& check = {});

// True when the bytes start with "{\rtf" (how the rich-text control tells RTF from text).
bool looksLikeRtf(std::string_view bytes);

}  // namespace pennory::text
