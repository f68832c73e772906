#pragma once
// The file forms a figure's bytes are stored under in a package (DOCX word/media, ODT
// Pictures/): the media type, the extension and the bytes.

#include <memory>
#include <optional>
#include <string>

#include "platform/text/figure.h"

namespace pennory::text {

struct PackageMedia {
    std::string contentType;  // "image/x-emf"
    std::string extension;    // "emf"
    std::shared_ptr<const std::string> bytes;
};

// How the figure is stored in a package; none when it has no package form, and so cannot be
// written as DOCX or ODT. PNG, JPEG, GIF, BMP and Other figures from a package are their bytes
// as they are. An Other figure read from RTF gives the file its group holds: \emfblip data as
// image/x-emf unchanged; \wmetafile records as image/x-wmf behind a placeable header (the one
// it came with, when Pennory kept it beside, else one built from the goal size: 1440 units an
// inch, the box in twips); \macpict data as image/x-pict behind the 512-byte zero header of a
// PICT file; Pennory's media group as its type. Other RTF pictures (\wbitmap, \pmmetafile,
// data the editor refused) have none.
std::optional<PackageMedia> packageMediaOf(const Figure& figure);

// The media type an Other figure came with ("docx:image/x-emf" or "odt:image/x-emf" give
// "image/x-emf"; "rtf:emfblip" too); empty when its origin names none, or none a package may
// hold.
std::string originContentType(const Figure& figure);

}  // namespace pennory::text
