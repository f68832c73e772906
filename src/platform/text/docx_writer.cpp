// writeDocx of office_documents.h: the smallest package Word, WPS, LibreOffice, pandoc and
// python-docx all read with the same text and formats. Every run carries its whole format, so
// nothing depends on how a reader resolves styles; the document defaults and the Normal style
// name the first run's font and size (the editor's default where the text is empty) for
// readers that show them.

#include <cmath>
#include <set>

#include "platform/text/docx_figures.h"
#include "platform/text/docx_fonts.h"
#include "platform/text/docx_paragraph_properties.h"
#include "platform/text/office_documents.h"
#include "platform/text/paragraph_sizes.h"
#include "platform/text/xml_text.h"

namespace pennory::text {
namespace {

using namespace docx;

constexpr std::string_view kXmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view kWordNs =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
constexpr std::string_view kDrawingNs =
    " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
// styles, settings and fontTable take the first relationship ids of the main document.
constexpr int kFirstFigureRelationship = 4;
constexpr std::string_view kRelTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::string contentTypes(const FigureParts& figures) {
    std::string out(kXmlHead);
    out +=
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    std::set<std::string> extensions;
    for (const MediaPart& part : figures.parts()) {
        if (!extensions.insert(part.extension).second) continue;
        out += "<Default Extension=\"" + part.extension + "\" ContentType=\"" +
               part.contentType + "\"/>";
    }
    out +=
        "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
        "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
        "<Override PartName=\"/word/settings.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
        "<Override PartName=\"/word/fontTable.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.fontTable+xml\"/>"
        "<Override PartName=\"/docProps/core.xml\" "
        "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
        "<Override PartName=\"/docProps/app.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
        "</Types>";
    return out;
}

// type: the last segment of an officeDocument relationship type, or a whole type URI.
// figures: their image relationships follow the targets, whose ids count from rId1.
std::string relationships(
    std::initializer_list<std::pair<std::string_view, std::string_view>> targets,
    const FigureParts* figures = nullptr) {
    std::string out(kXmlHead);
    out += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    int id = 1;
    for (const auto& [type, target] : targets) {
        out += "<Relationship Id=\"rId" + std::to_string(id++) + "\" Type=\"";
        out += type.starts_with("http") ? std::string(type)
                                        : std::string(kRelTypes) + std::string(type);
        out += "\" Target=\"" + std::string(target) + "\"/>";
    }
    if (figures) {
        for (const MediaPart& part : figures->parts()) {
            out += "<Relationship Id=\"" + part.relationshipId + "\" Type=\"" +
                   std::string(kRelTypes) + "image\" Target=\"" +
                   part.name.substr(std::string_view("word/").size()) + "\"/>";
        }
    }
    out += "</Relationships>";
    return out;
}

std::string halfPoints(float sizePt) {
    const long half = std::lround(static_cast<double>(sizePt) * 2.0);
    return std::to_string(half < 1 ? 1 : half);
}

std::string colourValue(Colour c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const unsigned bytes[] = {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF};  // R, G, B
    std::string out;
    for (unsigned b : bytes) {
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
    return out;
}

void putFonts(std::string& out, const std::u16string& name, bool hint) {
    const std::string font = xmlEscaped(name);
    out += "<w:rFonts w:ascii=\"" + font + "\" w:hAnsi=\"" + font + "\" w:eastAsia=\"" + font +
           "\" w:cs=\"" + font + "\"";
    if (hint) out += " w:hint=\"eastAsia\"";
    out += "/>";
}

void putRunProperties(std::string& out, const CharFormat& f, bool hint) {
    out += "<w:rPr>";
    putFonts(out, f.fontName, hint);
    if (f.bold) out += "<w:b/><w:bCs/>";
    if (f.italic) out += "<w:i/><w:iCs/>";
    if (f.strikethrough) out += "<w:strike/>";
    out += "<w:color w:val=\"" + colourValue(f.colour) + "\"/>";
    const std::string size = halfPoints(f.sizePt);
    out += "<w:sz w:val=\"" + size + "\"/><w:szCs w:val=\"" + size + "\"/>";
    if (f.underline) out += "<w:u w:val=\"single\"/>";
    out += "</w:rPr>";
}

// One figure run per object character of a run holding a figure.
void putFigures(std::string& out, std::size_t count, const CharFormat& f, FigureParts& figures,
                int& drawings) {
    const std::string id = figures.relationshipFor(*f.figure);
    if (id.empty()) return;  // a picture of unknown form: nothing a reader could show
    CharFormat plain = f;
    plain.figure = {};
    for (std::size_t i = 0; i < count; ++i) {
        out += "<w:r>";
        putRunProperties(out, plain, false);
        putDrawing(out, *f.figure, id, ++drawings);
        out += "</w:r>";
    }
}

// One run's piece of one paragraph: text and tabs, or figures.
void putRun(std::string& out, std::u16string_view text, const CharFormat& f,
            FigureParts& figures, int& drawings) {
    if (text.empty()) return;
    if (f.figure) {
        CharFormat plain = f;
        plain.figure = {};
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find(kObjectCharacter, start);
            if (end == std::u16string_view::npos) end = text.size();
            putRun(out, text.substr(start, end - start), plain, figures, drawings);
            std::size_t objects = end;
            while (objects < text.size() && text[objects] == kObjectCharacter) ++objects;
            if (objects > end) putFigures(out, objects - end, f, figures, drawings);
            start = objects;
        }
        return;
    }
    const bool hint = isChineseFont(f.fontName) && hasAmbiguous(text);
    out += "<w:r>";
    putRunProperties(out, f, hint);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t tab = text.find(u'\t', start);
        const std::size_t end = tab == std::u16string_view::npos ? text.size() : tab;
        if (end > start) {
            out += "<w:t xml:space=\"preserve\">";
            out += xmlEscaped(text.substr(start, end - start));
            out += "</w:t>";
        }
        if (end < text.size()) out += "<w:tab/>";
        start = end + 1;
    }
    out += "</w:r>";
}

std::string document(const StyledText& content, FigureParts& figures) {
    int drawings = 0;
    std::string out(kXmlHead);
    out += "<w:document ";
    out += kWordNs;
    out += kDrawingNs;
    out += "><w:body>";
    const auto& paragraphs = content.paragraphs();
    const std::vector<float> sizes = paragraphStartSizes(content);
    std::size_t paragraph = 0;
    auto openParagraph = [&] {
        out += "<w:p>";
        if (paragraph < paragraphs.size())
            putParagraphProperties(out, paragraphs[paragraph], sizes[paragraph]);
        ++paragraph;
    };
    openParagraph();
    for (const auto& run : content.runs()) {
        const std::u16string_view text = run.text;
        std::size_t start = 0;
        while (true) {
            const std::size_t brk = text.find(u"\r\n", start);
            if (brk == std::u16string_view::npos) {
                putRun(out, text.substr(start), run.format, figures, drawings);
                break;
            }
            putRun(out, text.substr(start, brk - start), run.format, figures, drawings);
            out += "</w:p>";
            openParagraph();
            start = brk + 2;
        }
    }
    out +=
        "</w:p><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" "
        "w:right=\"1800\" w:bottom=\"1440\" w:left=\"1800\" w:header=\"851\" w:footer=\"992\" "
        "w:gutter=\"0\"/></w:sectPr></w:body></w:document>";
    return out;
}

std::string styles(const CharFormat& base) {
    std::string out(kXmlHead);
    out += "<w:styles ";
    out += kWordNs;
    out += "><w:docDefaults><w:rPrDefault><w:rPr>";
    putFonts(out, base.fontName, false);
    const std::string size = halfPoints(base.sizePt);
    out += "<w:sz w:val=\"" + size + "\"/><w:szCs w:val=\"" + size + "\"/>";
    out +=
        "<w:lang w:val=\"en-US\" w:eastAsia=\"zh-CN\" w:bidi=\"ar-SA\"/></w:rPr></w:rPrDefault>"
        "<w:pPrDefault/></w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
        "w:val=\"Normal\"/>"
        "<w:qFormat/></w:style>"
        "<w:style w:type=\"character\" w:default=\"1\" w:styleId=\"DefaultParagraphFont\">"
        "<w:name w:val=\"Default Paragraph Font\"/><w:uiPriority w:val=\"1\"/><w:semiHidden/>"
        "<w:unhideWhenUsed/></w:style></w:styles>";
    return out;
}

std::string fontTable(const StyledText& content, const CharFormat& base) {
    std::set<std::u16string> names = {base.fontName};
    for (const auto& run : content.runs()) names.insert(run.format.fontName);
    std::string out(kXmlHead);
    out += "<w:fonts ";
    out += kWordNs;
    out += ">";
    for (const auto& name : names) {
        out += "<w:font w:name=\"" + xmlEscaped(name) + "\">";
        if (const auto english = englishNameOf(name); !english.empty())
            out += "<w:altName w:val=\"" + xmlEscaped(english) + "\"/>";
        if (isChineseFont(name)) {
            out +=
                "<w:charset w:val=\"86\"/><w:family w:val=\"auto\"/><w:pitch w:val=\"variable\"/>";
        } else {
            out +=
                "<w:charset w:val=\"00\"/><w:family w:val=\"auto\"/><w:pitch w:val=\"variable\"/>";
        }
        out += "</w:font>";
    }
    out += "</w:fonts>";
    return out;
}

std::string settings() {
    std::string out(kXmlHead);
    out += "<w:settings ";
    out += kWordNs;
    out +=
        "><w:defaultTabStop w:val=\"420\"/><w:characterSpacingControl "
        "w:val=\"compressPunctuation\"/>"
        "<w:compat><w:compatSetting w:name=\"compatibilityMode\" "
        "w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/></w:compat>"
        "<w:themeFontLang w:val=\"en-US\" w:eastAsia=\"zh-CN\"/></w:settings>";
    return out;
}

std::string coreProperties() {
    std::string out(kXmlHead);
    out +=
        "<cp:coreProperties "
        "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><dc:title></dc:title>"
        "</cp:coreProperties>";
    return out;
}

std::string appProperties() {
    std::string out(kXmlHead);
    out +=
        "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "extended-properties\"><Application>Pennory</Application></Properties>";
    return out;
}

}  // namespace

bool writeDocx(const StyledText& content, const ByteSink& sink) {
    CharFormat base;
    if (!content.empty()) base = content.runs().front().format;
    FigureParts figures(kFirstFigureRelationship);
    std::string main = document(content, figures);
    ZipStreamWriter zip(sink);
    zip.add("[Content_Types].xml", contentTypes(figures));
    zip.add("_rels/.rels",
            relationships({{"officeDocument", "word/document.xml"},
                           {"http://schemas.openxmlformats.org/package/2006/relationships/"
                            "metadata/core-properties",
                            "docProps/core.xml"},
                           {"extended-properties", "docProps/app.xml"}}));
    zip.add("word/document.xml", std::move(main));
    zip.add("word/_rels/document.xml.rels",
            relationships({{"styles", "styles.xml"},
                           {"settings", "settings.xml"},
                           {"fontTable", "fontTable.xml"}},
                          &figures));
    zip.add("word/styles.xml", styles(base));
    zip.add("word/settings.xml", settings());
    zip.add("word/fontTable.xml", fontTable(content, base));
    zip.add("docProps/core.xml", coreProperties());
    zip.add("docProps/app.xml", appProperties());
    for (const MediaPart& part : figures.parts()) {
        // PNG and JPEG are compressed already; deflating them again only costs time.
        const bool compress = part.extension != "png" && part.extension != "jpeg";
        zip.add(part.name, *part.bytes, compress);
    }
    return zip.finish();
}

std::string writeDocx(const StyledText& content) {
    std::string package;
    writeDocx(content, stringSink(package));
    return package;
}

}  // namespace pennory::text
