// Reading ODT: styles.xml, then content.xml, streamed through one handler that collects the
// styles and then writes the body's text, resolving each run's formats from the styles. A
// draw:frame in a paragraph is a figure: the first of its draw:images Pennory can show, else
// the first it keeps to write back; its svg:width the figure's width.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <memory>

#include "platform/text/cjk_characters.h"
#include "platform/text/figure_header.h"
#include "platform/text/odt_names.h"
#include "platform/text/odt_styles.h"
#include "platform/text/office_documents.h"
#include "platform/text/utf8.h"
#include "platform/text/xml_reader.h"

namespace pennory::text {

namespace {

using namespace odt;

constexpr std::u16string_view kBreak = u"\r\n";
constexpr std::size_t kMaxSpacesPerElement = 1024;

// An ODF length ("5.2cm", "30mm", "2in", "72pt", "96px") in centimetres; 0 when unreadable.
double lengthCm(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !(value > 0) || !std::isfinite(value)) return 0;
    const std::string_view unit = text.substr(static_cast<std::size_t>(end - text.data()));
    if (unit == "cm") return value;
    if (unit == "mm") return value / 10;
    if (unit == "in") return value * 2.54;
    if (unit == "pt") return value * 2.54 / 72;
    if (unit == "pc") return value * 2.54 / 6;
    if (unit == "px") return value * 2.54 / 96;
    return 0;
}

// The figure of a picture entry shown widthCm x heightCm (0: no size given); null when it
// cannot be kept.
using FigureSource = std::function<FigureRef(std::string_view href, double widthCm,
                                             double heightCm)>;

// The text of one flow: the body, or a note's or a text box's own paragraphs, which follow
// the paragraph (or table row) they stand in.
struct Flow {
    struct Table {
        std::size_t cellsInRow = 0;
        std::size_t paragraphsInCell = 0;
    };
    StyledText text;
    bool pendingBreak = false;
    CharFormat breakFormat;
    std::vector<StyledText> deferred;
    std::vector<Table> tables;
    int paragraphDepth = 0;
    bool lastWasSpace = true;

    void breakIfPending() {
        if (pendingBreak) text.append(kBreak, breakFormat);
        pendingBreak = false;
    }
    void endBlock(const CharFormat& format) {
        pendingBreak = true;
        breakFormat = format;
        for (const StyledText& block : deferred) {
            if (block.empty()) continue;
            breakIfPending();
            text.append(block);
            pendingBreak = true;
            breakFormat = block.runs().back().format;
        }
        deferred.clear();
    }
};

class OdtHandler : public XmlHandler {
public:
    OdtHandler(const CharFormat& plain, LeftOutKinds& leftOut, std::size_t spaceAllowance)
        : m_plain{plain, plain}, m_leftOut(leftOut), m_spaceAllowance(spaceAllowance) {
        m_flows.emplace_back();
    }
    void readingStylesPart(bool styles) { m_stylesPart = styles; }
    void setFigureSource(FigureSource source) { m_figureSource = std::move(source); }

    StyledText finish() {
        while (m_flows.size() > 1) popFlow();
        Flow& flow = m_flows.back();
        if (!flow.deferred.empty()) flow.endBlock(flow.breakFormat);
        return std::move(flow.text);
    }

    void startElement(std::string_view name, const std::vector<XmlAttribute>& at) override {
        if (m_skipDepth > 0) {
            ++m_skipDepth;
            return;
        }
        if (!m_inBody) {
            collectStyle(name, at);
            if (name == kOfficeText && !m_stylesPart) {
                m_inBody = true;
                m_bodyDepth = 0;
            }
            return;
        }
        ++m_bodyDepth;
        bodyStart(name, at);
    }

    void endElement(std::string_view name) override {
        if (m_skipDepth > 0) {
            --m_skipDepth;
            return;
        }
        if (!m_inBody) {
            collectStyleEnd(name);
            return;
        }
        if (m_bodyDepth == 0) {
            m_inBody = false;
            return;
        }
        --m_bodyDepth;
        bodyEnd();
    }

    void characters(std::string_view utf8Text) override {
        if (!m_inBody || m_skipDepth > 0 || m_kinds.empty()) return;
        Flow& flow = m_flows.back();
        if (flow.paragraphDepth == 0) return;
        m_buffer.clear();
        utf8::decode(utf8Text, m_buffer);
        // Runs of white space are one space, none at a paragraph's start.
        std::u16string collapsed;
        collapsed.reserve(m_buffer.size());
        for (char16_t c : m_buffer) {
            if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
                if (flow.lastWasSpace) continue;
                collapsed.push_back(u' ');
                flow.lastWasSpace = true;
            } else {
                collapsed.push_back(c);
                flow.lastWasSpace = false;
            }
        }
        emit(collapsed);
    }

private:
    enum class Kind { Other, Paragraph, Table, Row, Cell, Flow, Frame };

    struct Frame {
        double widthCm = 0;
        double heightCm = 0;
        bool anyImage = false;
        FigureRef figure;  // the one to keep so far
    };

    // ---- styles (styles.xml and content.xml's head) ----
    void collectStyle(std::string_view name, const std::vector<XmlAttribute>& at) {
        if (name == kFontFace) {
            std::string_view face = attribute(at, kStyleName);
            std::string_view family = attribute(at, kSvgFontFamily);
            if (!face.empty())
                m_styles.faces[std::string(face)] = odtFamilyName(family.empty() ? face : family);
        } else if (name == kAutomaticStyles) {
            m_inAutomaticStyles = true;
        } else if (name == kStyle || name == kDefaultStyle) {
            m_inStyle = true;
            m_isDefault = name == kDefaultStyle;
            m_styleName = attribute(at, kStyleName);
            m_styleFamily = attribute(at, kStyleFamily);
            m_styleParent = attribute(at, kParentStyleName);
            m_properties = {};
            m_paragraphProperties = {};
        } else if (name == kParagraphProperties && m_inStyle) {
            m_paragraphProperties.read(at);
        } else if (name == kTextProperties && m_inStyle) {
            m_properties.read(at, m_styles.faces);
            m_documentHasAsian = m_documentHasAsian || m_properties.setsAsian();
        } else if (name == kHeader || name == kFooter || name == kHeaderLeft ||
                   name == kFooterLeft) {
            m_leftOut.add(LeftOut::HeadersFooters);
        }
    }

    void collectStyleEnd(std::string_view name) {
        if (name == kAutomaticStyles) {
            m_inAutomaticStyles = false;
        } else if ((name == kStyle || name == kDefaultStyle) && m_inStyle) {
            m_inStyle = false;
            // The automatic styles of styles.xml serve its page styles and share names with
            // content.xml's.
            if (m_stylesPart && m_inAutomaticStyles) return;
            if (m_isDefault) {
                if (m_styleFamily == "paragraph") {
                    m_styles.defaultParagraph = m_properties;
                    m_styles.defaultParagraphProperties = m_paragraphProperties;
                }
            } else if (!m_styleName.empty()) {
                m_styles.add(m_styleFamily, m_styleName, m_styleParent, m_properties);
                if (m_styleFamily == "paragraph")
                    m_styles.addParagraph(m_styleName, m_styleParent, m_paragraphProperties);
            }
        }
    }

    // ---- the body ----
    const OdtFormats& formats() const { return m_formats.empty() ? m_plain : m_formats.back(); }

    void push(Kind kind, OdtFormats formats) {
        m_kinds.push_back(kind);
        m_formats.push_back(std::move(formats));
    }

    void bodyStart(std::string_view name, const std::vector<XmlAttribute>& at) {
        Flow& flow = m_flows.back();
        if (name == kP || name == kH) {
            if (!flow.tables.empty() && flow.paragraphDepth == 0) {
                Flow::Table& table = flow.tables.back();
                if (table.paragraphsInCell++ > 0) flow.text.append(u" ", formats().western);
            } else if (flow.paragraphDepth == 0) {
                flow.breakIfPending();
                // The body's paragraphs keep their formats; notes and text boxes, which follow
                // as paragraphs of their own, take the default.
                // A break copies the format of the paragraph it ends: set it, default or not.
                if (m_flows.size() == 1)
                    flow.text.setParagraphFormat(
                        flow.text.paragraphs().size() - 1,
                        m_styles.paragraphFormat(attribute(at, kTextStyleName)));
            }
            ++flow.paragraphDepth;
            flow.lastWasSpace = true;
            push(Kind::Paragraph,
                 m_styles.resolve("paragraph", attribute(at, kTextStyleName), m_plain));
            return;
        }
        if (name == kSpan || name == kA) {
            push(Kind::Other, m_styles.resolve("text", attribute(at, kTextStyleName), formats()));
            return;
        }
        push(Kind::Other, formats());
        if (name == kS) {
            std::size_t count = 1;
            std::string_view c = attribute(at, kTextC);
            std::from_chars(c.data(), c.data() + c.size(), count);
            count =
                std::min({count, kMaxSpacesPerElement, std::max<std::size_t>(m_spaceAllowance, 1)});
            m_spaceAllowance -= std::min(m_spaceAllowance, count);
            emit(std::u16string(count, u' '));
            flow.lastWasSpace = false;
        } else if (name == kTab) {
            emit(u"\t");
            flow.lastWasSpace = false;
        } else if (name == kLineBreak) {
            emit(kBreak);
            flow.lastWasSpace = false;
        } else if (name == kTable) {
            m_leftOut.add(LeftOut::Tables);
            m_kinds.back() = Kind::Table;
            flow.tables.emplace_back();
        } else if (name == kTableRow && !flow.tables.empty()) {
            m_kinds.back() = Kind::Row;
            flow.breakIfPending();
            flow.tables.back().cellsInRow = 0;
        } else if ((name == kTableCell || name == kCoveredTableCell) && !flow.tables.empty()) {
            m_kinds.back() = Kind::Cell;
            Flow::Table& table = flow.tables.back();
            if (table.cellsInRow++ > 0) flow.text.append(u"\t", formats().western);
            table.paragraphsInCell = 0;
        } else if (name == kNote) {
            m_leftOut.add(LeftOut::Footnotes);
        } else if (name == kNoteBody || name == kTextBox) {
            m_kinds.back() = Kind::Flow;
            m_flows.emplace_back();
        } else if (name == kFrame) {
            m_kinds.back() = Kind::Frame;
            m_frames.push_back({lengthCm(attribute(at, kSvgWidth)),
                                lengthCm(attribute(at, kSvgHeight)), false, {}});
        } else if (name == kImage) {
            imageStart(at);
        } else if (name == kObject) {
            m_leftOut.add(LeftOut::Objects);
        } else if (name == kAnnotation) {
            m_leftOut.add(LeftOut::Comments);
            skip();
        } else if (name == kNoteCitation || name == kTrackedChanges || name == kRubyText ||
                   name == kIndexTitleTemplate || name == kSvgTitle || name == kSvgDesc ||
                   name == kSequenceDecls) {
            skip();
        }
    }

    void imageStart(const std::vector<XmlAttribute>& at) {
        if (m_frames.empty()) {
            m_leftOut.add(LeftOut::Pictures);
            return;
        }
        Frame& frame = m_frames.back();
        frame.anyImage = true;
        if (frame.figure && frame.figure->kind != FigureKind::Other) return;
        if (!m_figureSource) return;
        FigureRef figure = m_figureSource(attribute(at, kXlinkHref), frame.widthCm, frame.heightCm);
        if (figure && (!frame.figure || figure->kind != FigureKind::Other))
            frame.figure = std::move(figure);
    }

    void frameEnd() {
        if (m_frames.empty()) return;
        Frame frame = std::move(m_frames.back());
        m_frames.pop_back();
        if (!frame.anyImage) return;
        Flow& flow = m_flows.back();
        if (!frame.figure || flow.paragraphDepth == 0) {
            m_leftOut.add(LeftOut::Pictures);
            return;
        }
        if (frame.figure->kind == FigureKind::Other) m_leftOut.add(LeftOut::UnshownPictures);
        CharFormat format = formats().western;
        format.figure = std::move(frame.figure);
        const char16_t object[] = {kObjectCharacter};
        flow.text.append(std::u16string_view(object, 1), format);
        flow.lastWasSpace = false;
    }

    void skip() {
        m_kinds.pop_back();
        m_formats.pop_back();
        --m_bodyDepth;
        m_skipDepth = 1;
    }

    void bodyEnd() {
        if (m_kinds.empty()) return;
        Kind kind = m_kinds.back();
        OdtFormats ended = std::move(m_formats.back());
        m_kinds.pop_back();
        m_formats.pop_back();
        Flow& flow = m_flows.back();
        switch (kind) {
            case Kind::Paragraph:
                if (--flow.paragraphDepth == 0 && flow.tables.empty()) flow.endBlock(ended.western);
                break;
            case Kind::Table:
                if (!flow.tables.empty()) flow.tables.pop_back();
                break;
            case Kind::Row:
                flow.endBlock(ended.western);
                break;
            case Kind::Flow:
                popFlow();
                break;
            case Kind::Frame:
                frameEnd();
                break;
            case Kind::Cell:
            case Kind::Other:
                break;
        }
    }

    void popFlow() {
        Flow& inner = m_flows.back();
        if (!inner.deferred.empty()) inner.endBlock(inner.breakFormat);
        StyledText text = std::move(inner.text);
        m_flows.pop_back();
        m_flows.back().deferred.push_back(std::move(text));
    }

    // Appends text in the current formats, East Asian characters in the Asian one. A
    // document that never sets an Asian property (AbiWord writes none) means its one font
    // for all text, as its writer saw it.
    void emit(std::u16string_view text) {
        const OdtFormats& resolved = formats();
        const OdtFormats f{resolved.western,
                           m_documentHasAsian ? resolved.asian : resolved.western};
        StyledText& out = m_flows.back().text;
        std::size_t start = 0;
        bool startAsian = false;
        for (std::size_t i = 0; i < text.size();) {
            char32_t c = text[i];
            std::size_t width = 1;
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                width = 2;
            }
            bool asian = isEastAsianCharacter(c);
            if (i == 0) {
                startAsian = asian;
            } else if (asian != startAsian) {
                out.append(text.substr(start, i - start), startAsian ? f.asian : f.western);
                start = i;
                startAsian = asian;
            }
            i += width;
        }
        if (start < text.size()) out.append(text.substr(start), startAsian ? f.asian : f.western);
    }

    OdtFormats m_plain;
    bool m_documentHasAsian = false;
    LeftOutKinds& m_leftOut;
    std::size_t m_spaceAllowance;
    OdtStyles m_styles;
    bool m_stylesPart = false;
    bool m_inAutomaticStyles = false;
    bool m_inStyle = false;
    bool m_isDefault = false;
    std::string m_styleName, m_styleFamily, m_styleParent;
    OdtParagraphProperties m_paragraphProperties;
    OdtTextProperties m_properties;

    bool m_inBody = false;
    std::size_t m_bodyDepth = 0;
    std::size_t m_skipDepth = 0;
    std::vector<Kind> m_kinds;
    std::vector<OdtFormats> m_formats;
    std::vector<Flow> m_flows;
    std::vector<Frame> m_frames;
    FigureSource m_figureSource;
    std::u16string m_buffer;
};

// The media types the manifest gives its entries.
class ManifestHandler : public XmlHandler {
public:
    void startElement(std::string_view name, const std::vector<XmlAttribute>& at) override {
        if (name == kManifestEntry)
            types[std::string(attribute(at, kManifestPath))] =
                std::string(attribute(at, kManifestMediaType));
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}

    std::map<std::string, std::string> types;
};

// Figures from the package's picture entries: each entry read and checked once, the figures
// of one entry sharing its bytes.
class OdtFigures {
public:
    OdtFigures(ZipReader& zip, std::map<std::string, std::string> types)
        : m_entries(zip), m_types(std::move(types)) {}

    FigureRef figureFor(std::string_view href, double widthCm, double heightCm) {
        while (href.starts_with("./")) href.remove_prefix(2);
        if (href.empty() || href.find(':') != std::string_view::npos || href.front() == '/')
            return {};  // a linked picture outside the package
        const std::string path(href);
        const std::shared_ptr<const std::string> bytes = m_entries.bytes(path);
        if (!bytes) return {};
        const FigureHeader header = probeFigureHeader(*bytes);
        if (header.tooLarge) return {};
        Figure figure;
        figure.kind = header.kind;
        figure.bytes = bytes;
        figure.widthPx = header.widthPx;
        figure.heightPx = header.heightPx;
        if (header.kind == FigureKind::Other) {
            const auto type = m_types.find(path);
            if (type != m_types.end() && !type->second.empty()) figure.origin = "odt:" + type->second;
            figure.goalWidthTwips = static_cast<int>(std::lround(widthCm / 2.54 * 1440));
            figure.goalHeightTwips = static_cast<int>(std::lround(heightCm / 2.54 * 1440));
        } else if (widthCm > 0 && std::abs(widthCm - naturalWidthCm(figure)) >= 0.01) {
            figure.width = {FigureWidth::Unit::Centimetres, static_cast<float>(widthCm)};
        }
        return FigureRef(std::move(figure));
    }

private:
    SharedEntries m_entries;
    std::map<std::string, std::string> m_types;
};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.remove_suffix(1);
    return s;
}

}  // namespace

bool looksLikeOdt(std::string_view bytes) {
    PackageProblem problem{};
    auto reader = ZipReader::open(bytes, problem);
    if (!reader || reader->names().empty() || reader->names().front() != "mimetype") return false;
    auto mimetype = reader->read("mimetype", problem);
    return mimetype && trimmed(*mimetype) == kMimeType;
}

OfficeReading readOdt(std::string_view bytes, const CharFormat& plainFormat) {
    OfficeReading reading;
    auto fail = [&](PackageProblem problem) {
        reading.problem = problem;
        reading.content = {};
        reading.leftOut = {};
        return reading;
    };
    PackageProblem problem{};
    auto reader = ZipReader::open(bytes, problem);
    if (!reader) return fail(problem);
    if (reader->has("mimetype")) {
        auto mimetype = reader->read("mimetype", problem);
        if (!mimetype) return fail(problem);
        if (trimmed(*mimetype) != kMimeType) return fail(PackageProblem::NotADocument);
    }
    // A password-protected document keeps its parts encrypted inside a plain zip; the
    // manifest says so.
    ManifestHandler manifestTypes;
    if (reader->has("META-INF/manifest.xml")) {
        auto manifest = reader->read("META-INF/manifest.xml", problem);
        if (!manifest) return fail(problem);
        if (manifest->find("encryption-data") != std::string::npos)
            return fail(PackageProblem::Encrypted);
        readXml(*manifest, manifestTypes);  // a broken manifest only loses the media types
    }
    if (!reader->has("content.xml")) return fail(PackageProblem::MissingPart);
    auto content = reader->read("content.xml", problem);
    if (!content) return fail(problem);

    OdtHandler handler(plainFormat, reading.leftOut, content->size() + 65536);
    OdtFigures figures(*reader, std::move(manifestTypes.types));
    handler.setFigureSource([&figures](std::string_view href, double width, double height) {
        return figures.figureFor(href, width, height);
    });
    if (reader->has("styles.xml")) {
        auto styles = reader->read("styles.xml", problem);
        if (!styles) return fail(problem);
        handler.readingStylesPart(true);
        if (!readXml(*styles, handler)) return fail(PackageProblem::BadXml);
    }
    handler.readingStylesPart(false);
    if (!readXml(*content, handler)) return fail(PackageProblem::BadXml);
    reading.content = handler.finish();
    return reading;
}

}  // namespace pennory::text
