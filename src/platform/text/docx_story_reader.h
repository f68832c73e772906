#pragma once
// Reads the text of a WordprocessingML story part (the main document, or the footnotes or
// endnotes part) as styled text, in one pass over the XML.
//
// Paragraphs and table rows are separated by CR LF, a row's cells by a tab, a cell's
// paragraphs by a space. w:br (any type) and w:cr are CR LF, w:tab and w:ptab U+0009,
// w:noBreakHyphen U+2011, w:softHyphen U+00AD, w:sym its character. Deleted and moved-away
// text, field instructions and ruby annotations are not text; a field keeps its result. A
// text box's paragraphs stand where the box is anchored, as paragraphs of their own; of an
// mc:AlternateContent only the first mc:Choice is read (the mc:Fallback only when there is
// none), so a box that Word writes twice is read once. A paragraph break takes the format of
// the text before it. Paragraphs outside tables take their paragraph format (see
// DocxStyles::paragraphFormat); a w:br inside one starts a paragraph with the same format.
// A picture (w:drawing, or VML w:pict) is a figure, U+FFFC, when the figure source gives one
// for its relationship; any other picture, or none given, is left out as Pictures.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/docx_story_tags.h"
#include "platform/text/docx_styles.h"
#include "platform/text/left_out.h"
#include "platform/text/styled_text.h"
#include "platform/text/xml_reader.h"

namespace pennory::text::docx {

struct NoteReference {
    bool endnote = false;
    std::string id;
    bool operator==(const NoteReference&) const = default;
};

class DocxStoryReader : public XmlHandler {
public:
    enum class Part { Document, Notes };
    DocxStoryReader(Part part, DocxStyles& styles, const CharFormat& plain, LeftOutKinds& leftOut);

    void startElement(std::string_view name, const std::vector<XmlAttribute>& attributes) override;
    void endElement(std::string_view name) override;
    void characters(std::string_view utf8) override;

    // The figure of the image relationship id, shown cx x cy EMU (0: no size given); a null
    // reference when it cannot be kept.
    using FigureSource =
        std::function<FigureRef(std::string_view relationshipId, long long cx, long long cy)>;
    void setFigureSource(FigureSource source) { m_figureSource = std::move(source); }

    // Part::Document: the text read.
    StyledText takeText();
    // Part::Document: the footnote and endnote references in the order they stand.
    const std::vector<NoteReference>& noteReferences() const { return m_references; }
    // Part::Notes: each note's text by its reference.
    std::map<std::pair<bool, std::string>, StyledText> takeNotes() { return std::move(m_notes); }

    using Tag = StoryTag;

private:
    struct Story {
        StyledText text;
        std::u16string leading;  // separators before the first text, which lend them its format
        CharFormat last;
        bool haveLast = false;
        bool anyBlock = false;
        bool breakBeforeText = false;
        std::size_t breaks = 0;  // CR LF separators so far, leading ones too
        struct Formatted {
            std::size_t first, last;  // paragraphs of text
            ParagraphFormat format;
        };
        std::vector<Formatted> formats;
    };
    struct OpenParagraph {
        ParagraphProperties direct;
        std::size_t first = 0;  // its paragraph in the story's text
        bool formatted = false;
    };
    struct Container {
        enum Kind { StoryRoot, Row, Cell } kind = StoryRoot;
        bool anyItem = false;
    };
    struct Run {
        RunProperties direct;
        std::string characterStyle;
        std::optional<ResolvedFormat> resolved;
    };

    bool suppressed() const { return m_fieldInstructions > 0; }
    void startBlock();
    void startStory();
    void emitSeparator(std::u16string_view chars);
    void emitText(std::u16string_view chars);
    void emitFigure(const FigureRef& figure);
    void notePictureDetail(std::string_view name, const std::vector<XmlAttribute>& attributes);
    void finishPicture();
    void emitSegment(std::u16string_view chars, const CharFormat& format);
    const ResolvedFormat& runFormat();
    void fieldChar(std::string_view type);
    void startTag(Tag tag, Tag parent, const std::vector<XmlAttribute>& attributes);
    StyledText finishStory(Story& story);

    Part m_part;
    DocxStyles& m_styles;
    const CharFormat& m_plain;
    LeftOutKinds& m_leftOut;

    Story m_story;
    bool m_inStory = false;  // in a note of a notes part; always in the main document
    std::pair<bool, std::string> m_noteKey;

    std::vector<Tag> m_path;
    std::size_t m_skipDepth = 0;  // inside an element whose content is no text
    std::vector<Container> m_containers;
    std::vector<std::string> m_paragraphStyles;
    std::vector<OpenParagraph> m_openParagraphs;
    std::vector<Run> m_runs;
    std::vector<bool> m_fields;  // per open complex field: still in its instruction
    std::size_t m_fieldInstructions = 0;
    std::vector<bool> m_alternateTaken;  // per open mc:AlternateContent
    std::size_t m_pictureDepth = 0;
    bool m_pictureHasText = false;
    std::string m_pictureRelationship;  // the first image the open picture refers to
    long long m_pictureCx = 0;
    long long m_pictureCy = 0;
    FigureSource m_figureSource;
    std::u16string m_decoded;
    std::vector<NoteReference> m_references;
    std::map<std::pair<bool, std::string>, StyledText> m_notes;
};

}  // namespace pennory::text::docx
