#pragma once
// The file forms a figure's bytes are stored under in a package (DOCX word/media, ODT
// Pictures/): the extension and the media type.

#include <string>

#include "platform/text/figure.h"

namespace pennory::text {

// The file extension and media type a figure's bytes are stored under; false for a picture
// of unknown form (an Other whose origin names no media type), which cannot be written.
bool mediaTypeOf(const Figure& figure, std::string& extension, std::string& contentType);
// The media type an Other figure came with ("docx:image/x-emf" or "odt:image/x-emf" give
// "image/x-emf"; "rtf:emfblip" too); empty when its origin names none, or none a package may
// hold.
std::string originContentType(const Figure& figure);

}  // namespace pennory::text
