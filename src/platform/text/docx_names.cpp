#include "platform/text/docx_names.h"

namespace pennory::text::docx {
namespace {

constexpr std::string_view kTransitional =
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr std::string_view kStrict = "http://purl.oclc.org/ooxml/wordprocessingml/main";

}  // namespace

std::string_view localIn(std::string_view name, std::string_view uri) {
    if (name.size() <= uri.size() + 1 || !name.starts_with(uri) || name[uri.size()] != '|')
        return {};
    return name.substr(uri.size() + 1);
}

std::string_view wordLocal(std::string_view name) {
    std::string_view local = localIn(name, kTransitional);
    return local.empty() ? localIn(name, kStrict) : local;
}

std::string_view wordAttribute(const std::vector<XmlAttribute>& attributes,
                               std::string_view local) {
    for (const auto& a : attributes) {
        if (wordLocal(a.name) == local) return a.value;
    }
    return {};
}

bool toggleOn(const std::vector<XmlAttribute>& attributes) {
    const std::string_view v = wordAttribute(attributes, "val");
    return !(v == "0" || v == "false" || v == "off");
}

}  // namespace pennory::text::docx
