#include "platform/text/docx_story_reader.h"

#include <charconv>

#include "platform/text/docx_names.h"
#include "platform/text/docx_story_tags.h"
#include "platform/text/utf8.h"

namespace pennory::text::docx {
namespace {

constexpr std::string_view kRelationshipsNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kWordDrawingNs =
    "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
constexpr std::string_view kVmlNs = "urn:schemas-microsoft-com:vml";

long long numberOf(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && value > 0 ? value : 0;
}

// A VML length ("72pt", "1.5in", "2cm", "10mm", "96px") in EMU; 0 when unreadable.
long long vmlLengthEmu(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !(value > 0)) return 0;
    const std::string_view unit = text.substr(static_cast<std::size_t>(end - text.data()));
    double perUnit = 12700.0;  // points, VML's default here
    if (unit == "in") perUnit = 914400.0;
    if (unit == "cm") perUnit = 360000.0;
    if (unit == "mm") perUnit = 36000.0;
    if (unit == "px") perUnit = 9525.0;
    return static_cast<long long>(value * perUnit + 0.5);
}

// The value of one property of a VML style ("width:72pt;height:36pt").
std::string_view styleValue(std::string_view style, std::string_view property) {
    std::size_t start = 0;
    while (start < style.size()) {
        std::size_t end = style.find(';', start);
        if (end == std::string_view::npos) end = style.size();
        std::string_view item = style.substr(start, end - start);
        const std::size_t colon = item.find(':');
        if (colon != std::string_view::npos) {
            std::string_view key = item.substr(0, colon);
            while (!key.empty() && key.front() == ' ') key.remove_prefix(1);
            while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
            std::string_view value = item.substr(colon + 1);
            while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
            while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
            if (key == property) return value;
        }
        start = end + 1;
    }
    return {};
}

}  // namespace

DocxStoryReader::DocxStoryReader(Part part, DocxStyles& styles, const CharFormat& plain,
                                 LeftOutKinds& leftOut)
    : m_part(part), m_styles(styles), m_plain(plain), m_leftOut(leftOut) {
    m_containers.assign(1, Container{});
    if (part == Part::Document) startStory();
}

void DocxStoryReader::startStory() {
    m_story = Story{};
    m_inStory = true;
    m_containers.assign(1, Container{});
}

void DocxStoryReader::startElement(std::string_view name,
                                   const std::vector<XmlAttribute>& attributes) {
    if (m_skipDepth > 0) {
        ++m_skipDepth;
        return;
    }
    Tag tag = storyTagOf(name);
    const Tag parent = m_path.empty() ? Tag::Other : m_path.back();
    // Paragraph-mark properties, tab stops and the like are not run content.
    if (tag == Tag::RunProps && parent != Tag::Run) tag = Tag::Skip;
    if ((tag == Tag::Choice || tag == Tag::Fallback) && parent == Tag::Alternate) {
        if (m_alternateTaken.back()) tag = Tag::Skip;
        m_alternateTaken.back() = true;
    }
    if (tag == Tag::Skip) {
        m_skipDepth = 1;
        return;
    }
    m_path.push_back(tag);
    if (m_pictureDepth > 0) notePictureDetail(name, attributes);
    if (parent == Tag::RunProps && !m_runs.empty()) {
        readRunProperty(wordLocal(name), attributes, m_runs.back().direct);
    } else if (parent == Tag::ParagraphProps && !m_openParagraphs.empty()) {
        readParagraphProperty(wordLocal(name), attributes, m_openParagraphs.back().direct);
    } else if (tag == Tag::Note && m_part == Part::Notes && m_path.size() == 2) {
        startStory();
        m_noteKey = {wordLocal(name) == "endnote", std::string(wordAttribute(attributes, "id"))};
    }
    startTag(tag, parent, attributes);
}

void DocxStoryReader::startTag(Tag tag, Tag parent, const std::vector<XmlAttribute>& attributes) {
    const bool inRun = parent == Tag::Run && !m_runs.empty();
    switch (tag) {
        case Tag::Paragraph:
            if (m_inStory) startBlock();
            m_paragraphStyles.emplace_back();
            m_openParagraphs.push_back(
                {{},
                 m_story.breaks,
                 m_inStory && m_containers.back().kind == Container::StoryRoot});
            break;
        case Tag::ParagraphStyle:
            if (parent == Tag::ParagraphProps && !m_paragraphStyles.empty())
                m_paragraphStyles.back() = wordAttribute(attributes, "val");
            break;
        case Tag::Run:
            m_runs.emplace_back();
            break;
        case Tag::CharacterStyle:
            if (parent == Tag::RunProps && !m_runs.empty())
                m_runs.back().characterStyle = wordAttribute(attributes, "val");
            break;
        case Tag::Tab:
            if (inRun) emitText(u"\t");
            break;
        case Tag::Break:
            if (inRun && !suppressed()) {
                if (m_story.breakBeforeText) emitText(u"");
                emitSeparator(u"\r\n");
            }
            break;
        case Tag::Symbol:
            if (inRun) {
                if (const auto c = symbolOf(wordAttribute(attributes, "char"))) {
                    const char16_t text[] = {*c};
                    emitText(std::u16string_view(text, 1));
                }
            }
            break;
        case Tag::NoBreakHyphen:
            if (inRun) emitText(u"\u2011");
            break;
        case Tag::SoftHyphen:
            if (inRun) emitText(u"\u00AD");
            break;
        case Tag::FieldChar:
            fieldChar(wordAttribute(attributes, "fldCharType"));
            break;
        case Tag::Table:
            m_leftOut.add(LeftOut::Tables);
            break;
        case Tag::Row:
            if (m_inStory) startBlock();
            m_containers.push_back({Container::Row, false});
            break;
        case Tag::Cell:
            if (m_inStory && m_containers.back().kind == Container::Row) {
                if (m_containers.back().anyItem) emitSeparator(u"\t");
                m_containers.back().anyItem = true;
            }
            m_containers.push_back({Container::Cell, false});
            break;
        case Tag::TextBox:
            m_pictureHasText = true;
            m_containers.push_back({Container::StoryRoot, false});
            break;
        case Tag::FootnoteReference:
        case Tag::EndnoteReference:
            m_leftOut.add(LeftOut::Footnotes);
            m_references.push_back(
                {tag == Tag::EndnoteReference, std::string(wordAttribute(attributes, "id"))});
            break;
        case Tag::Picture:
            if (m_pictureDepth++ == 0) {
                m_pictureHasText = false;
                m_pictureRelationship.clear();
                m_pictureCx = m_pictureCy = 0;
            }
            break;
        case Tag::Image:
            if (m_pictureDepth == 0) {
                m_leftOut.add(LeftOut::Pictures);
            } else if (m_pictureRelationship.empty()) {
                std::string_view id = attribute(attributes, std::string(kRelationshipsNs) + "|embed");
                if (id.empty()) id = attribute(attributes, std::string(kRelationshipsNs) + "|id");
                m_pictureRelationship = id;
            }
            break;
        case Tag::Object:
            m_leftOut.add(LeftOut::Objects);
            break;
        case Tag::HeaderFooter:
            m_leftOut.add(LeftOut::HeadersFooters);
            break;
        case Tag::Comment:
            m_leftOut.add(LeftOut::Comments);
            break;
        case Tag::Alternate:
            m_alternateTaken.push_back(false);
            break;
        default:
            break;
    }
}

void DocxStoryReader::endElement(std::string_view) {
    if (m_skipDepth > 0) {
        --m_skipDepth;
        return;
    }
    const Tag tag = m_path.back();
    m_path.pop_back();
    switch (tag) {
        case Tag::Paragraph:
            if (!m_openParagraphs.empty()) {
                const OpenParagraph& open = m_openParagraphs.back();
                if (open.formatted && m_inStory) {
                    ParagraphFormat format =
                        m_styles.paragraphFormat(m_paragraphStyles.back(), open.direct);
                    if (!(format == ParagraphFormat{}))
                        m_story.formats.push_back({open.first, m_story.breaks, format});
                }
                m_openParagraphs.pop_back();
            }
            if (!m_paragraphStyles.empty()) m_paragraphStyles.pop_back();
            break;
        case Tag::Run:
            if (!m_runs.empty()) m_runs.pop_back();
            break;
        case Tag::Row:
        case Tag::Cell:
        case Tag::TextBox:
            if (m_containers.size() > 1) m_containers.pop_back();
            if (tag == Tag::TextBox) m_story.breakBeforeText = true;
            break;
        case Tag::Note:
            if (m_part == Part::Notes && m_inStory && m_path.size() == 1) {
                m_notes[m_noteKey] = finishStory(m_story);
                m_inStory = false;
            }
            break;
        case Tag::Picture:
            if (--m_pictureDepth == 0 && !m_pictureHasText) finishPicture();
            break;
        case Tag::Alternate:
            m_alternateTaken.pop_back();
            break;
        default:
            break;
    }
}

void DocxStoryReader::characters(std::string_view utf8) {
    if (m_skipDepth > 0 || m_path.empty() || m_path.back() != Tag::Text || m_runs.empty()) return;
    m_decoded.clear();
    utf8::decode(utf8, m_decoded);
    emitText(m_decoded);
}

void DocxStoryReader::notePictureDetail(std::string_view name,
                                        const std::vector<XmlAttribute>& attributes) {
    if (m_pictureCx > 0) return;  // the drawing's own extent comes first
    if (localIn(name, kWordDrawingNs) == "extent") {
        m_pictureCx = numberOf(attribute(attributes, "cx"));
        m_pictureCy = numberOf(attribute(attributes, "cy"));
    } else if (localIn(name, kVmlNs) == "shape") {
        const std::string_view style = attribute(attributes, "style");
        m_pictureCx = vmlLengthEmu(styleValue(style, "width"));
        m_pictureCy = vmlLengthEmu(styleValue(style, "height"));
    }
    if (m_pictureCx == 0 || m_pictureCy == 0) m_pictureCx = m_pictureCy = 0;
}

void DocxStoryReader::finishPicture() {
    FigureRef figure;
    if (!m_pictureRelationship.empty() && m_figureSource && !m_runs.empty() && m_inStory &&
        !suppressed())
        figure = m_figureSource(m_pictureRelationship, m_pictureCx, m_pictureCy);
    if (figure) {
        emitFigure(figure);
    } else {
        m_leftOut.add(LeftOut::Pictures);
    }
}

void DocxStoryReader::emitFigure(const FigureRef& figure) {
    if (m_story.breakBeforeText) {
        m_story.breakBeforeText = false;
        emitSeparator(u"\r\n");
    }
    const ResolvedFormat& resolved = runFormat();
    CharFormat format = resolved.format;
    format.fontName = resolved.fontFor(FontSlot::Ascii);
    format.figure = figure;
    const char16_t object[] = {kObjectCharacter};
    emitSegment(std::u16string_view(object, 1), format);
    m_story.last.figure = {};  // a break after the figure is text
}

void DocxStoryReader::fieldChar(std::string_view type) {
    if (type == "begin") {
        m_fields.push_back(true);
        ++m_fieldInstructions;
    } else if (type == "separate") {
        if (!m_fields.empty() && m_fields.back()) {
            m_fields.back() = false;
            --m_fieldInstructions;
        }
    } else if (type == "end" && !m_fields.empty()) {
        if (m_fields.back()) --m_fieldInstructions;
        m_fields.pop_back();
    }
}

void DocxStoryReader::startBlock() {
    Container& container = m_containers.back();
    m_story.breakBeforeText = false;
    if (container.kind == Container::Cell) {
        if (container.anyItem) emitSeparator(u" ");
        container.anyItem = true;
        return;
    }
    if (m_story.anyBlock) emitSeparator(u"\r\n");
    m_story.anyBlock = true;
}

void DocxStoryReader::emitSeparator(std::u16string_view chars) {
    if (!m_inStory) return;
    if (chars == u"\r\n") ++m_story.breaks;
    if (m_story.haveLast) {
        m_story.text.append(chars, m_story.last);
    } else {
        m_story.leading += chars;
    }
}

const ResolvedFormat& DocxStoryReader::runFormat() {
    Run& run = m_runs.back();
    if (!run.resolved) {
        static const std::string kNone;
        RunProperties props = m_styles.styled(
            m_paragraphStyles.empty() ? kNone : m_paragraphStyles.back(), run.characterStyle);
        props.overlay(run.direct);
        run.resolved = m_styles.resolve(props, m_plain);
    }
    return *run.resolved;
}

void DocxStoryReader::emitSegment(std::u16string_view chars, const CharFormat& format) {
    if (!m_story.leading.empty()) {
        m_story.text.append(m_story.leading, format);
        m_story.leading.clear();
    }
    m_story.text.append(chars, format);
    if (!m_story.haveLast || !(m_story.last == format)) m_story.last = format;
    m_story.haveLast = true;
}

void DocxStoryReader::emitText(std::u16string_view chars) {
    if (!m_inStory || suppressed() || m_runs.empty()) return;
    if (m_story.breakBeforeText) {
        m_story.breakBeforeText = false;
        emitSeparator(u"\r\n");
    }
    if (chars.empty()) return;
    const ResolvedFormat& resolved = runFormat();
    CharFormat format = resolved.format;
    const auto& fonts = resolved.fonts;
    if (fonts[0] == fonts[1] && fonts[1] == fonts[2]) {
        format.fontName = fonts[0];
        emitSegment(chars, format);
        return;
    }
    std::size_t start = 0;
    while (start < chars.size()) {
        const FontSlot slot = slotOf(charClassOf(chars[start]), resolved.hintEastAsia);
        std::size_t end = start + 1;
        while (end < chars.size() && slotOf(charClassOf(chars[end]), resolved.hintEastAsia) == slot)
            ++end;
        format.fontName = resolved.fontFor(slot);
        emitSegment(chars.substr(start, end - start), format);
        start = end;
    }
}

StyledText DocxStoryReader::finishStory(Story& story) {
    if (!story.leading.empty()) {
        RunProperties props = m_styles.styled({}, {});
        ResolvedFormat resolved = m_styles.resolve(props, m_plain);
        CharFormat format = resolved.format;
        format.fontName = resolved.fontFor(FontSlot::Ascii);
        story.text.append(story.leading, format);
        story.leading.clear();
    }
    for (const Story::Formatted& formatted : story.formats) {
        for (std::size_t p = formatted.first; p <= formatted.last; ++p)
            story.text.setParagraphFormat(p, formatted.format);
    }
    return std::move(story.text);
}

StyledText DocxStoryReader::takeText() { return finishStory(m_story); }

}  // namespace pennory::text::docx
