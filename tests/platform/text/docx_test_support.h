#pragma once
// Hand-written WordprocessingML packages for the DOCX tests.

#include <string>

#include "platform/text/zip_package.h"

namespace pennory::text::testing {

inline constexpr const char* kWordNamespace =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:v=\"urn:schemas-microsoft-com:vml\"";

// A package of a main part holding body (the content of w:body), with styles, theme and
// footnotes parts where given.
inline std::string docxPackage(const std::string& body, const std::string& stylesBody = "",
                               const std::string& theme = "", const std::string& footnotes = "") {
    ZipWriter zip;
    zip.add("[Content_Types].xml",
            "<?xml version=\"1.0\"?><Types "
            "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
            "<Override PartName=\"/word/main.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>");
    zip.add("_rels/.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"r1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
            "relationships/officeDocument\" Target=\"/word/main.xml\"/></Relationships>");
    std::string rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"r1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/styles\" Target=\"styles.xml\"/>"
        "<Relationship Id=\"r2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/theme\" Target=\"theme/theme1.xml\"/>"
        "<Relationship Id=\"r3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/footnotes\" Target=\"notes.xml\"/></Relationships>";
    zip.add("word/_rels/main.xml.rels", rels);
    zip.add("word/main.xml", std::string("<w:document ") + kWordNamespace + "><w:body>" + body +
                                 "</w:body></w:document>");
    if (!stylesBody.empty())
        zip.add("word/styles.xml",
                std::string("<w:styles ") + kWordNamespace + ">" + stylesBody + "</w:styles>");
    if (!theme.empty())
        zip.add("word/theme/theme1.xml", std::string("<a:theme ") + kWordNamespace +
                                             "><a:themeElements><a:fontScheme>" + theme +
                                             "</a:fontScheme></a:themeElements></a:theme>");
    if (!footnotes.empty())
        zip.add("word/notes.xml",
                std::string("<w:footnotes ") + kWordNamespace + ">" + footnotes + "</w:footnotes>");
    return zip.finish();
}

}  // namespace pennory::text::testing
