// The XML reader: namespaces resolved, text joined, and what could cost unbounded memory or
// time (entities, a DTD, deep nesting) refused, as is XML that is not well-formed.

#include "platform/text/xml_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/text/xml_text.h"

namespace pennory::text {
namespace {

// Writes what it sees as a compact trace: <name a=v>text</name>.
class Trace : public XmlHandler {
public:
    std::string trace;
    std::size_t elements = 0;
    void startElement(std::string_view name, const std::vector<XmlAttribute>& attributes) override {
        ++elements;
        trace += "<" + std::string(name);
        for (const XmlAttribute& at : attributes)
            trace += " " + std::string(at.name) + "=" + std::string(at.value);
        trace += ">";
    }
    void endElement(std::string_view name) override { trace += "</" + std::string(name) + ">"; }
    void characters(std::string_view utf8) override { trace += utf8; }
};

TEST(XmlReader, NamespacesAreResolvedToUriAndLocalName) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<w:document xmlns:w=\"urn:w\" xmlns=\"urn:d\"><w:p w:val=\"1\" plain=\"2\">"
        "<r>a&amp;b&#x6C49;字</r></w:p></w:document>";
    Trace trace;
    ASSERT_TRUE(readXml(xml, trace));
    EXPECT_EQ(trace.trace,
              "<urn:w|document><urn:w|p urn:w|val=1 plain=2><urn:d|r>a&b汉字</urn:d|r></urn:w|p>"
              "</urn:w|document>");
}

TEST(XmlReader, AttributeFindsByFullName) {
    struct Finder : Trace {
        std::string value, missing;
        void startElement(std::string_view, const std::vector<XmlAttribute>& at) override {
            value = attribute(at, "urn:s|name");
            missing = attribute(at, "name");
        }
    } finder;
    ASSERT_TRUE(readXml("<e xmlns:s=\"urn:s\" s:name=\"宋体\"/>", finder));
    EXPECT_EQ(finder.value, "宋体");
    EXPECT_EQ(finder.missing, "");
}

TEST(XmlReader, AnEntityBombIsRefusedUnexpanded) {
    std::string xml = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">";
    for (int i = 1; i < 10; ++i)
        xml += "<!ENTITY lol" + std::to_string(i) + " \"" + [&] {
            std::string refs;
            for (int j = 0; j < 10; ++j)
                refs += "&lol" + (i == 1 ? std::string() : std::to_string(i - 1)) + ";";
            return refs;
        }() + "\">";
    xml += "]><lolz>&lol9;</lolz>";
    Trace trace;
    EXPECT_FALSE(readXml(xml, trace));
    EXPECT_EQ(trace.trace.find("lol"), std::string::npos);
}

TEST(XmlReader, AnyDoctypeOrExternalEntityIsRefused) {
    for (std::string xml : {
             "<!DOCTYPE a><a/>",
             "<!DOCTYPE a SYSTEM \"file:///etc/passwd\"><a/>",
             "<!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><a>&x;</a>",
         }) {
        Trace trace;
        EXPECT_FALSE(readXml(xml, trace)) << xml;
        EXPECT_EQ(trace.elements, 0u) << xml;
    }
}

TEST(XmlReader, NestingIsBounded) {
    std::string deep;
    for (int i = 0; i < 100'000; ++i) deep += "<a>";
    for (int i = 0; i < 100'000; ++i) deep += "</a>";
    Trace trace;
    EXPECT_FALSE(readXml(deep, trace));
    EXPECT_LE(trace.elements, kMaxXmlDepth);

    std::string atLimit, pastLimit;
    for (int i = 0; i < 5; ++i) atLimit += "<a>";
    for (int i = 0; i < 5; ++i) atLimit += "</a>";
    pastLimit = "<b>" + atLimit + "</b>";
    Trace a, b;
    EXPECT_TRUE(readXml(atLimit, a, 5));
    EXPECT_FALSE(readXml(pastLimit, b, 5));
}

TEST(XmlReader, XmlThatIsNotWellFormedIsRefused) {
    for (std::string xml : {
             std::string(""),
             std::string("<a>"),
             std::string("<a></b>"),
             std::string("<a>\xC3</a>"),          // a cut UTF-8 sequence
             std::string("<a>\xC0\xAF</a>"),      // overlong
             std::string("<a>\xED\xA0\x80</a>"),  // an encoded surrogate
             std::string("<a>&undefined;</a>"),
             std::string("<a/><b/>"),
             std::string("<a>\x01</a>"),
         }) {
        Trace trace;
        EXPECT_FALSE(readXml(xml, trace)) << xml;
    }
}

TEST(XmlReader, Utf16WithItsMarkIsRead) {
    std::string xml("\xFF\xFE<\0a\0>\0\x49\x6C<\0/\0a\0>\0", 18);
    Trace trace;
    ASSERT_TRUE(readXml(xml, trace));
    EXPECT_EQ(trace.trace, "<a>汉</a>");
}

TEST(XmlText, WhatXml10CanHold) {
    struct Case {
        char32_t c;
        bool holds;
    } cases[] = {{0x09, true},     {0x0A, true},     {0x0D, true},    {0x00, false},
                 {0x01, false},    {0x1F, false},    {0x20, true},    {0x6C49, true},
                 {0xD7FF, true},   {0xD800, false},  {0xDFFF, false}, {0xE000, true},
                 {0xFFFD, true},   {0xFFFE, false},  {0xFFFF, false}, {0x10000, true},
                 {0x10FFFF, true}, {0x110000, false}};
    for (const Case& c : cases)
        EXPECT_EQ(xmlCanHold(c.c), c.holds) << std::hex << std::uint32_t(c.c);
}

TEST(XmlText, StyledTextWithALoneSurrogateOrAControlCannotBeHeld) {
    EXPECT_TRUE(xmlCanHold(StyledText(u"汉字\r\n\t𠀀")));
    EXPECT_FALSE(xmlCanHold(StyledText(u"a\u0001b")));
    EXPECT_FALSE(xmlCanHold(StyledText(std::u16string(u"a") + char16_t(0xD800) + u"b")));
    EXPECT_FALSE(xmlCanHold(StyledText(std::u16string(u"a") + char16_t(0xDC00))));
}

TEST(XmlText, EscapedTextReadsBackAsItWas) {
    std::u16string text = u"a<b>&\"c' 汉𠀀\t\r\nz";
    EXPECT_EQ(xmlEscaped(u"<&>\""), "&lt;&amp;&gt;&quot;");
    std::string xml = "<a v=\"" + xmlEscaped(text) + "\">" + xmlEscaped(text) + "</a>";
    Trace trace;
    ASSERT_TRUE(readXml(xml, trace));
    std::string utf8 = "a<b>&\"c' 汉𠀀\t\r\nz";
    EXPECT_EQ(trace.trace, "<a v=" + utf8 + ">" + utf8 + "</a>");
    EXPECT_EQ(xmlEscaped(u"a\u0001b\uFFFEc"), "abc");
}

}  // namespace
}  // namespace pennory::text
