#pragma once
// WordprocessingML names as the XML reader gives them ("URI|local"): the transitional and the
// strict namespaces of the same vocabulary are one to the reader.

#include <string_view>
#include <vector>

#include "platform/text/xml_reader.h"

namespace pennory::text::docx {

// The local name when name is in the WordprocessingML namespace; empty otherwise.
std::string_view wordLocal(std::string_view name);
// The local name when name is in the namespace uri; empty otherwise.
std::string_view localIn(std::string_view name, std::string_view uri);
// The value of the WordprocessingML attribute local (w:local); empty when absent.
std::string_view wordAttribute(const std::vector<XmlAttribute>& attributes, std::string_view local);
// w:val="0", "false" or "off" turn a toggle off; anything else, or no value, turns it on.
bool toggleOn(const std::vector<XmlAttribute>& attributes);

inline constexpr std::string_view kMarkupCompatibility =
    "http://schemas.openxmlformats.org/markup-compatibility/2006";
inline constexpr std::string_view kDrawingMain =
    "http://schemas.openxmlformats.org/drawingml/2006/main";

}  // namespace pennory::text::docx
