// Writing ODT: a paragraph per CR LF, each run a span with an automatic text style per
// distinct format. The paragraph's own style carries the format of the break that ends it, so
// the break reads back as it was written. Every run sets its Western and its Asian font, size,
// weight and posture alike, so that every reader shows the font the run has. A figure is a
// draw:frame anchored as a character, its picture's bytes stored as they are in Pictures/.

#include <charconv>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "platform/text/figure_header.h"
#include "platform/text/figure_media.h"
#include "platform/text/odt_names.h"
#include "platform/text/odt_paragraph_properties.h"
#include "platform/text/office_documents.h"
#include "platform/text/paragraph_sizes.h"
#include "platform/text/xml_text.h"

namespace pennory::text {

namespace {

constexpr std::string_view kNamespaces =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
    " xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\""
    " xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
    " xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\""
    " xmlns:xlink=\"http://www.w3.org/1999/xlink\""
    " office:version=\"1.2\"";

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
constexpr std::u16string_view kWesternDefault = u"Times New Roman";
constexpr std::size_t kMaxSpacesPerElement = 1024;

std::string number(float value) {
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}

std::string colourText(Colour colour) {
    static const char digits[] = "0123456789abcdef";
    int channels[3] = {int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)};
    std::string out = "#";
    for (int c : channels) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

// style:text-properties for one format, Western and Asian alike.
std::string textProperties(const CharFormat& f) {
    std::string face = xmlEscaped(f.fontName);
    std::string size = number(f.sizePt) + "pt";
    std::string weight = f.bold ? "bold" : "normal";
    std::string posture = f.italic ? "italic" : "normal";
    std::string out = "<style:text-properties";
    out += " style:font-name=\"" + face + "\" fo:font-size=\"" + size + "\" fo:font-weight=\"" +
           weight + "\" fo:font-style=\"" + posture + "\"";
    out += " style:font-name-asian=\"" + face + "\" style:font-size-asian=\"" + size +
           "\" style:font-weight-asian=\"" + weight + "\" style:font-style-asian=\"" + posture +
           "\"";
    out += f.underline ? " style:text-underline-style=\"solid\" style:text-underline-width=\"auto\""
                         " style:text-underline-color=\"font-color\""
                       : " style:text-underline-style=\"none\"";
    out += f.strikethrough
               ? " style:text-line-through-style=\"solid\" style:text-line-through-type=\"single\""
               : " style:text-line-through-style=\"none\"";
    out += " fo:color=\"" + colourText(f.colour) + "\"/>";
    return out;
}

std::string fontFaceDecls(const std::set<std::u16string>& fonts) {
    std::string out = "<office:font-face-decls>";
    for (const std::u16string& font : fonts) {
        std::string name = xmlEscaped(font);
        bool plain = font.find_first_of(u" ,'\"") == std::u16string::npos;
        // A family name with spaces is quoted, as in CSS.
        std::string family = plain ? name : "'" + name + "'";
        out += "<style:font-face style:name=\"" + name + "\" svg:font-family=\"" + family + "\"/>";
    }
    out += "</office:font-face-decls>";
    return out;
}

// The paragraphs of the content: each a list of runs; the format of the break after it; its
// style:paragraph-properties.
struct Paragraph {
    std::vector<StyledRun> runs;
    CharFormat format;
    std::string properties;
};

std::vector<Paragraph> paragraphsOf(const StyledText& content) {
    std::vector<Paragraph> paragraphs(1);
    for (const StyledRun& run : content.runs()) {
        std::size_t start = 0;
        const std::u16string& text = run.text;
        for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] == u'\r' && text[i + 1] == u'\n') {
                if (i > start)
                    paragraphs.back().runs.push_back({text.substr(start, i - start), run.format});
                paragraphs.back().format = run.format;
                paragraphs.emplace_back();
                start = i + 2;
                ++i;
            }
        }
        if (start < text.size()) paragraphs.back().runs.push_back({text.substr(start), run.format});
        paragraphs.back().format = run.format;
    }
    return paragraphs;
}

// A run's text as ODT: tabs, breaks and runs of spaces as their elements, the first space
// after a character kept as it is.
void writeRunText(std::u16string_view text, std::string& out) {
    std::size_t i = 0;
    while (i < text.size()) {
        char16_t c = text[i];
        if (c == u' ') {
            std::size_t end = text.find_first_not_of(u' ', i);
            if (end == std::u16string_view::npos) end = text.size();
            std::size_t count = end - i;
            if (i > 0 && text[i - 1] != u'\t' && text[i - 1] != u'\r' && text[i - 1] != u'\n') {
                out += ' ';
                --count;
            }
            while (count > 0) {
                std::size_t n = std::min(count, kMaxSpacesPerElement);
                out += n == 1 ? "<text:s/>" : "<text:s text:c=\"" + std::to_string(n) + "\"/>";
                count -= n;
            }
            i = end;
        } else if (c == u'\t') {
            out += "<text:tab/>";
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            // A lone CR or LF (CR LF pairs end paragraphs) is a line break.
            out += "<text:line-break/>";
            ++i;
        } else {
            std::size_t end = text.find_first_of(u" \t\r\n", i);
            if (end == std::u16string_view::npos) end = text.size();
            out += xmlEscaped(text.substr(i, end - i));
            i = end;
        }
    }
}

// The pictures of the figures, each stored once under Pictures/.
struct PictureEntry {
    std::string path;  // "Pictures/1.png"
    std::string mediaType;
    std::shared_ptr<const std::string> bytes;
};

class Pictures {
public:
    // The entry's path, added on first use; empty when the figure cannot be written.
    std::string pathFor(const Figure& figure) {
        if (!figure.bytes) return {};
        if (const auto it = m_byBytes.find(figure.bytes.get()); it != m_byBytes.end())
            return m_entries[it->second].path;
        auto media = packageMediaOf(figure);
        if (!media) return {};
        m_byBytes[figure.bytes.get()] = m_entries.size();
        m_entries.push_back(
            {"Pictures/" + std::to_string(m_entries.size() + 1) + "." + media->extension,
             std::move(media->contentType), std::move(media->bytes)});
        return m_entries.back().path;
    }
    const std::vector<PictureEntry>& entries() const { return m_entries; }

private:
    std::vector<PictureEntry> m_entries;
    std::map<const std::string*, std::size_t> m_byBytes;
};

std::string centimetres(double value) { return number(static_cast<float>(value)) + "cm"; }

void writeFrame(const Figure& figure, const std::string& path, int frameNumber, std::string& out) {
    const FigureSizeCm size = shownSizeCm(figure);
    out += "<draw:frame draw:name=\"图片" + std::to_string(frameNumber) +
           "\" text:anchor-type=\"as-char\" svg:width=\"" + centimetres(size.width) +
           "\" svg:height=\"" + centimetres(size.height) +
           "\" draw:z-index=\"0\"><draw:image xlink:href=\"" + path +
           "\" xlink:type=\"simple\" xlink:show=\"embed\" xlink:actuate=\"onLoad\"/>"
           "</draw:frame>";
}

// A run's text with its figures as frames.
void writeRun(const StyledRun& run, Pictures& pictures, int& frames, std::string& out) {
    if (!run.format.figure) {
        writeRunText(run.text, out);
        return;
    }
    const std::u16string_view text = run.text;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(kObjectCharacter, start);
        if (end == std::u16string_view::npos) end = text.size();
        writeRunText(text.substr(start, end - start), out);
        if (end < text.size()) {
            const std::string path = pictures.pathFor(*run.format.figure);
            if (!path.empty()) writeFrame(*run.format.figure, path, ++frames, out);
        }
        start = end + 1;
    }
}

struct FormatLess {
    bool operator()(const CharFormat& a, const CharFormat& b) const {
        return std::tie(a.fontName, a.sizePt, a.bold, a.italic, a.underline, a.strikethrough,
                        a.colour) < std::tie(b.fontName, b.sizePt, b.bold, b.italic, b.underline,
                                             b.strikethrough, b.colour);
    }
};

// A paragraph style: the break's format and the paragraph properties.
using ParagraphKey = std::pair<CharFormat, std::string>;
struct ParagraphKeyLess {
    bool operator()(const ParagraphKey& a, const ParagraphKey& b) const {
        if (FormatLess{}(a.first, b.first)) return true;
        if (FormatLess{}(b.first, a.first)) return false;
        return a.second < b.second;
    }
};

std::string manifest(const Pictures& pictures) {
    std::string entries;
    for (const PictureEntry& entry : pictures.entries())
        entries += "<manifest:file-entry manifest:full-path=\"" + entry.path +
                   "\" manifest:media-type=\"" + entry.mediaType + "\"/>";
    return std::string(kDeclaration) +
           "<manifest:manifest "
           "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
           " manifest:version=\"1.2\">"
           "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\""
           " manifest:media-type=\"application/vnd.oasis.opendocument.text\"/>"
           "<manifest:file-entry manifest:full-path=\"content.xml\" "
           "manifest:media-type=\"text/xml\"/>"
           "<manifest:file-entry manifest:full-path=\"styles.xml\" "
           "manifest:media-type=\"text/xml\"/>"
           "<manifest:file-entry manifest:full-path=\"meta.xml\" "
           "manifest:media-type=\"text/xml\"/>" +
           entries + "</manifest:manifest>";
}

std::string meta() {
    return std::string(kDeclaration) + "<office:document-meta" + std::string(kNamespaces) +
           "><office:meta><meta:generator>Pennory</meta:generator></office:meta>"
           "</office:document-meta>";
}

std::string styles(const std::set<std::u16string>& fonts) {
    CharFormat asian;  // the editor's default font
    return std::string(kDeclaration) + "<office:document-styles" + std::string(kNamespaces) + ">" +
           fontFaceDecls(fonts) +
           "<office:styles><style:default-style style:family=\"paragraph\">"
           "<style:text-properties style:font-name=\"" +
           xmlEscaped(kWesternDefault) + "\" fo:font-size=\"" + number(asian.sizePt) +
           "pt\" fo:language=\"zh\" fo:country=\"CN\""
           " style:font-name-asian=\"" +
           xmlEscaped(asian.fontName) + "\" style:font-size-asian=\"" + number(asian.sizePt) +
           "pt\" style:language-asian=\"zh\" style:country-asian=\"CN\"/>"
           "</style:default-style>"
           "<style:style style:name=\"Standard\" style:family=\"paragraph\" style:class=\"text\"/>"
           "</office:styles></office:document-styles>";
}

}  // namespace

bool writeOdt(const StyledText& content, const ByteSink& sink) {
    std::vector<Paragraph> paragraphs = paragraphsOf(content);
    const std::vector<float> sizes = paragraphStartSizes(content);
    for (std::size_t i = 0; i < paragraphs.size() && i < content.paragraphs().size(); ++i)
        paragraphs[i].properties = odtParagraphProperties(content.paragraphs()[i], sizes[i]);
    std::map<CharFormat, int, FormatLess> textStyles;
    std::map<ParagraphKey, int, ParagraphKeyLess> paragraphStyles;
    std::set<std::u16string> fonts{std::u16string(kWesternDefault), CharFormat{}.fontName};
    for (const Paragraph& p : paragraphs) {
        paragraphStyles.emplace(ParagraphKey{p.format, p.properties},
                                int(paragraphStyles.size()) + 1);
        fonts.insert(p.format.fontName);
        for (const StyledRun& run : p.runs) {
            textStyles.emplace(run.format, int(textStyles.size()) + 1);
            fonts.insert(run.format.fontName);
        }
    }

    std::string body;
    body.reserve(content.length() * 2 + 1024);
    body += kDeclaration;
    body += "<office:document-content" + std::string(kNamespaces) + ">";
    body += fontFaceDecls(fonts);
    body += "<office:automatic-styles>";
    for (const auto& [format, index] : paragraphStyles)
        body += "<style:style style:name=\"P" + std::to_string(index) +
                "\" style:family=\"paragraph\" style:parent-style-name=\"Standard\">" +
                format.second + textProperties(format.first) + "</style:style>";
    for (const auto& [format, index] : textStyles)
        body += "<style:style style:name=\"T" + std::to_string(index) +
                "\" style:family=\"text\">" + textProperties(format) + "</style:style>";
    body += "</office:automatic-styles><office:body><office:text>";
    Pictures pictures;
    int frames = 0;
    for (const Paragraph& p : paragraphs) {
        body += "<text:p text:style-name=\"P" +
                std::to_string(paragraphStyles[{p.format, p.properties}]) + "\">";
        for (const StyledRun& run : p.runs) {
            body +=
                "<text:span text:style-name=\"T" + std::to_string(textStyles[run.format]) + "\">";
            writeRun(run, pictures, frames, body);
            body += "</text:span>";
        }
        body += "</text:p>";
    }
    body += "</office:text></office:body></office:document-content>";

    ZipStreamWriter zip(sink);
    zip.add("mimetype", std::string(odt::kMimeType), false);
    zip.add("META-INF/manifest.xml", manifest(pictures));
    zip.add("content.xml", std::move(body));
    zip.add("styles.xml", styles(fonts));
    zip.add("meta.xml", meta());
    for (const PictureEntry& entry : pictures.entries()) {
        // PNG and JPEG are compressed already; deflating them again only costs time.
        const bool compress = entry.mediaType != "image/png" && entry.mediaType != "image/jpeg";
        zip.add(entry.path, *entry.bytes, compress);
    }
    return zip.finish();
}

std::string writeOdt(const StyledText& content) {
    std::string package;
    writeOdt(content, stringSink(package));
    return package;
}

}  // namespace pennory::text
