#include "platform/text/xml_reader.h"

#include <expat.h>

#include <algorithm>
#include <cstring>

namespace pennory::text {

namespace {

struct Session {
    XML_Parser parser;
    XmlHandler& handler;
    std::size_t maxDepth;
    std::size_t depth = 0;
    bool refused = false;  // a DTD, an entity or too deep: stopped on purpose
    std::vector<XmlAttribute> attributes;

    void refuse() {
        refused = true;
        XML_StopParser(parser, XML_FALSE);
    }
};

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* session = static_cast<Session*>(data);
    if (session->refused) return;
    if (++session->depth > session->maxDepth) {
        session->refuse();
        return;
    }
    session->attributes.clear();
    for (const XML_Char** at = attributes; *at != nullptr; at += 2)
        session->attributes.push_back({at[0], at[1]});
    session->handler.startElement(name, session->attributes);
}

void XMLCALL onEnd(void* data, const XML_Char* name) {
    auto* session = static_cast<Session*>(data);
    if (session->refused) return;
    --session->depth;
    session->handler.endElement(name);
}

void XMLCALL onCharacters(void* data, const XML_Char* text, int length) {
    auto* session = static_cast<Session*>(data);
    if (session->refused) return;
    session->handler.characters(std::string_view(text, static_cast<std::size_t>(length)));
}

void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<Session*>(data)->refuse();
}

void XMLCALL onEntity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                      const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<Session*>(data)->refuse();
}

}  // namespace

bool readXml(std::string_view bytes, XmlHandler& handler, std::size_t maxDepth) {
    XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
    if (parser == nullptr) return false;
    Session session{parser, handler, maxDepth};
    XML_SetUserData(parser, &session);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onCharacters);
    XML_SetStartDoctypeDeclHandler(parser, onDoctype);
    XML_SetEntityDeclHandler(parser, onEntity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);

    bool ok = true;
    // Expat copies what it is given into a buffer of its own; small pieces keep that buffer
    // small instead of a second copy of the whole part.
    constexpr std::size_t kChunk = std::size_t(64) << 10;
    std::size_t offset = 0;
    do {
        std::size_t length = std::min(kChunk, bytes.size() - offset);
        bool last = offset + length == bytes.size();
        if (XML_Parse(parser, bytes.data() + offset, static_cast<int>(length), last) !=
            XML_STATUS_OK) {
            ok = false;
            break;
        }
        offset += length;
    } while (offset < bytes.size());
    ok = ok && !session.refused;
    XML_ParserFree(parser);
    return ok;
}

std::string_view attribute(const std::vector<XmlAttribute>& attributes, std::string_view name) {
    for (const XmlAttribute& at : attributes)
        if (at.name == name) return at.value;
    return {};
}

}  // namespace pennory::text
