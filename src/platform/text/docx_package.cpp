#include "platform/text/docx_package.h"

#include <array>

#include "platform/text/xml_reader.h"

namespace pennory::text::docx {
namespace {

constexpr std::array<std::string_view, 4> kMainContentTypes = {
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml",
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml",
    "application/vnd.ms-word.document.macroEnabled.main+xml",
    "application/vnd.ms-word.template.macroEnabledTemplate.main+xml",
};

std::string_view localOf(std::string_view name) {
    const std::size_t bar = name.rfind('|');
    return bar == std::string_view::npos ? name : name.substr(bar + 1);
}

class ContentTypesHandler : public XmlHandler {
public:
    void startElement(std::string_view name, const std::vector<XmlAttribute>& attributes) override {
        if (!m_mainPart.empty() || localOf(name) != "Override") return;
        const std::string_view type = attribute(attributes, "ContentType");
        for (const auto main : kMainContentTypes) {
            if (type == main) m_mainPart = attribute(attributes, "PartName");
        }
        if (!m_mainPart.empty() && m_mainPart.front() == '/') m_mainPart.erase(0, 1);
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}

    std::string m_mainPart;
};

// "word/" + "../media/a.png" as "media/a.png"; an absolute target starts from the root.
std::string resolved(std::string_view source, std::string_view target) {
    std::string base;
    if (!target.empty() && target.front() == '/') {
        target.remove_prefix(1);
    } else {
        const std::size_t slash = source.rfind('/');
        if (slash != std::string_view::npos) base = source.substr(0, slash + 1);
    }
    std::vector<std::string> segments;
    std::string path = base + std::string(target);
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string out;
    for (const auto& segment : segments) {
        if (!out.empty()) out += '/';
        out += segment;
    }
    return out;
}

class RelationshipsHandler : public XmlHandler {
public:
    RelationshipsHandler(std::string_view source, std::vector<Relationship>& out)
        : m_source(source), m_out(out) {}

    void startElement(std::string_view name, const std::vector<XmlAttribute>& attributes) override {
        if (localOf(name) != "Relationship" || attribute(attributes, "TargetMode") == "External")
            return;
        const std::string_view type = attribute(attributes, "Type");
        const std::size_t slash = type.rfind('/');
        m_out.push_back(
            {std::string(slash == std::string_view::npos ? type : type.substr(slash + 1)),
             resolved(m_source, attribute(attributes, "Target")),
             std::string(attribute(attributes, "Id"))});
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}

private:
    std::string_view m_source;
    std::vector<Relationship>& m_out;
};

}  // namespace

std::string mainPartFromContentTypes(std::string_view contentTypesXml) {
    ContentTypesHandler handler;
    readXml(contentTypesXml, handler);
    return handler.m_mainPart;
}

bool namesMainDocument(std::string_view contentTypesXml) {
    return !mainPartFromContentTypes(contentTypesXml).empty();
}

std::vector<Relationship> readRelationships(std::string_view relsXml, std::string_view source) {
    std::vector<Relationship> out;
    RelationshipsHandler handler(source, out);
    if (!readXml(relsXml, handler)) out.clear();
    return out;
}

std::string relationshipsPartOf(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view{} : part.substr(0, slash + 1);
    const std::string_view file = slash == std::string_view::npos ? part : part.substr(slash + 1);
    return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

const Relationship* relationshipById(const std::vector<Relationship>& relationships,
                                     std::string_view id) {
    for (const auto& r : relationships) {
        if (r.id == id) return &r;
    }
    return nullptr;
}

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

class PartTypeHandler : public XmlHandler {
public:
    PartTypeHandler(std::string_view part) : m_part(part) {
        const std::size_t dot = part.rfind('.');
        if (dot != std::string_view::npos) m_extension = lowered(part.substr(dot + 1));
    }
    void startElement(std::string_view name, const std::vector<XmlAttribute>& attributes) override {
        const std::string_view local = localOf(name);
        if (local == "Override") {
            std::string_view partName = attribute(attributes, "PartName");
            if (!partName.empty() && partName.front() == '/') partName.remove_prefix(1);
            if (lowered(partName) == lowered(m_part))
                m_override = attribute(attributes, "ContentType");
        } else if (local == "Default" && m_default.empty() && !m_extension.empty() &&
                   lowered(attribute(attributes, "Extension")) == m_extension) {
            m_default = attribute(attributes, "ContentType");
        }
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}

    std::string_view m_part;
    std::string m_extension;
    std::string m_override;
    std::string m_default;
};

}  // namespace

std::string contentTypeOf(std::string_view contentTypesXml, std::string_view part) {
    PartTypeHandler handler(part);
    if (!readXml(contentTypesXml, handler)) return {};
    return handler.m_override.empty() ? handler.m_default : handler.m_override;
}

std::string targetOf(const std::vector<Relationship>& relationships, std::string_view type) {
    for (const auto& r : relationships) {
        if (r.type == type) return r.target;
    }
    return {};
}

}  // namespace pennory::text::docx
