#pragma once
// DOCX (WordprocessingML) and ODT (OpenDocument text) as styled text.
//
// Readers: the package's text in reading order (paragraphs as CR LF, line breaks as CR LF,
// tabs as U+0009; fields' last results; tables, footnotes and text boxes keep their text),
// each run with its resolved format (font: the East Asian font for CJK text and the Western
// one for the rest, as the format's hints say; size; bold; italic; underline; strikethrough;
// colour), following each format's style inheritance. What could not be kept is added to
// leftOut. Text carrying no format of its own takes plainFormat's values where the document
// has no defaults.
//
// Writers: complete, valid packages that Word, WPS, LibreOffice, pandoc and python-docx /
// odfpy read with the same text and formats. The content must pass xmlCanHold() first: the
// caller refuses the rest.

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/byte_sink.h"
#include "platform/text/left_out.h"
#include "platform/text/styled_text.h"
#include "platform/text/zip_package.h"

namespace pennory::text {

struct OfficeReading {
    std::optional<PackageProblem> problem;  // set: nothing was read
    StyledText content;
    LeftOutKinds leftOut;
};

// A zip package whose content types name a WordprocessingML main document.
bool looksLikeDocx(std::string_view bytes);
OfficeReading readDocx(std::string_view bytes, const CharFormat& plainFormat);
// Gives the package to sink as it is made, entry by entry; false when the sink refused a
// piece (the writer then stops). The second form makes it whole.
bool writeDocx(const StyledText& content, const ByteSink& sink);
std::string writeDocx(const StyledText& content);

// A zip package whose first entry "mimetype" says application/vnd.oasis.opendocument.text.
bool looksLikeOdt(std::string_view bytes);
OfficeReading readOdt(std::string_view bytes, const CharFormat& plainFormat);
// As writeDocx.
bool writeOdt(const StyledText& content, const ByteSink& sink);
std::string writeOdt(const StyledText& content);

}  // namespace pennory::text
