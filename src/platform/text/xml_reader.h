#pragma once
// A bounded, non-validating XML reader over one part of a package (expat). Namespace
// prefixes are resolved: names arrive as "URI|local" ("http://…/main|p"). A document type
// declaration or any entity declaration is refused (no entity expansion, no external
// entities), nesting is bounded, and text arrives as UTF-8 in pieces the handler joins.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pennory::text {

inline constexpr std::size_t kMaxXmlDepth = 1000;

struct XmlAttribute {
    std::string_view name;  // "URI|local", or "local" without a namespace
    std::string_view value;
};

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void startElement(std::string_view name, const std::vector<XmlAttribute>& attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    virtual void characters(std::string_view utf8) = 0;
};

// Reads the whole document into handler. False when it is not well-formed XML 1.0 in UTF-8
// (or UTF-16 with its mark), has a DTD, or nests deeper than maxDepth; the handler may have
// seen a part of it then.
bool readXml(std::string_view bytes, XmlHandler& handler, std::size_t maxDepth = kMaxXmlDepth);

// The value of the attribute named "URI|local" (or "local"); empty when absent.
std::string_view attribute(const std::vector<XmlAttribute>& attributes, std::string_view name);

}  // namespace pennory::text
