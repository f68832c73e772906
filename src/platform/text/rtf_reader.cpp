#include "platform/text/rtf_reader.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/text/rtf_colour_table.h"
#include "platform/text/rtf_destinations.h"
#include "platform/text/rtf_font_table.h"
#include "platform/text/rtf_keywords.h"
#include "platform/text/rtf_picture_reader.h"
#include "platform/text/rtf_reader_state.h"
#include "platform/text/rtf_run_builder.h"
#include "platform/text/rtf_text_decoder.h"
#include "platform/text/rtf_tokenizer.h"

namespace pennory::text {
namespace {

// Deeper groups are still read, but share the state of the group at this depth.
constexpr std::size_t kMaxDepth = 10000;
constexpr int kMaxUnicodeSkip = 64;

// The words that stand for one character.
struct CharacterWord {
    RtfKeyword keyword;
    char16_t character;
};

constexpr std::array kCharacterWords{
    CharacterWord{RtfKeyword::Tab, u'\t'},
    CharacterWord{RtfKeyword::Cell, u'\t'},
    CharacterWord{RtfKeyword::EmDash, u'\u2014'},
    CharacterWord{RtfKeyword::EnDash, u'\u2013'},
    CharacterWord{RtfKeyword::EmSpace, u'\u2003'},
    CharacterWord{RtfKeyword::EnSpace, u'\u2002'},
    CharacterWord{RtfKeyword::QmSpace, u'\u2005'},
    CharacterWord{RtfKeyword::Bullet, u'\u2022'},
    CharacterWord{RtfKeyword::LeftQuote, u'\u2018'},
    CharacterWord{RtfKeyword::RightQuote, u'\u2019'},
    CharacterWord{RtfKeyword::LeftDoubleQuote, u'\u201C'},
    CharacterWord{RtfKeyword::RightDoubleQuote, u'\u201D'},
    CharacterWord{RtfKeyword::ZeroWidthJoiner, u'\u200D'},
    CharacterWord{RtfKeyword::ZeroWidthNonJoiner, u'\u200C'},
    CharacterWord{RtfKeyword::LeftToRightMark, u'\u200E'},
    CharacterWord{RtfKeyword::RightToLeftMark, u'\u200F'},
};

// Reads the tokens in order, keeping a stack of group states; the tables, the code pages and
// the runs are kept by the classes it hands them to.
class RtfReader {
public:
    template <typename Input>
    RtfReader(Input& input, PictureChecker check)
        : m_check(std::move(check)),
          m_tokenizer(input),
          m_fonts(m_text),
          m_runs(m_fonts, m_colours) {
        m_stack.reserve(64);
        m_stack.emplace_back();
    }

    StyledText read();
    const LeftOutKinds& leftOut() const { return m_leftOut; }

private:
    RtfGroupState& state() { return m_stack.back(); }

    void groupStart();
    // The picture words: true when keyword was one and is dealt with.
    bool pictureWord(RtfKeyword keyword, const RtfToken& token);
    void finishPicture();
    void groupEnd();
    void text(std::string_view bytes, bool literal = true);
    void controlSymbol(char symbol);
    void controlWord(const RtfToken& token);
    bool documentWord(RtfKeyword keyword, const RtfToken& token);
    void characterWord(RtfKeyword keyword);
    void unicodeChar(const RtfToken& token);
    void character(char16_t c);
    void paragraph();
    // Hands what is pending, bytes or \u characters, to the run builder.
    void flush();
    void flushBytes();
    void flushCharacters();
    void appendText(std::u16string_view chars);
    void lineBreak();
    // Gives each paragraph of text the properties in effect where it ended.
    void applyParagraphFormats(StyledText& text) const;

    PictureChecker m_check;
    RtfTokenizer m_tokenizer;
    std::size_t m_groupStart = 0;  // where the last group opened
    RtfPictureReader m_picture;
    std::size_t m_pictureDepth = 0;  // the stack's size in the \pict group
    // A \shppict gave a picture and no text came since: its \nonshppict copy is skipped.
    bool m_shapePictureRead = false;
    bool m_pictureHolder = false;  // the \pict being read stands in a \shppict
    std::size_t m_shapeDepth = 0;     // the stack's size in the \shp group; 0 outside one
    bool m_shapeGavePicture = false;  // a picture of the shape being read was read
    std::vector<RtfGroupState> m_stack;
    std::size_t m_overflowDepth = 0;  // groups opened beyond kMaxDepth
    bool m_afterEnd = false;          // the outermost group has closed
    int m_skipFallback = 0;           // fallback characters of \u still to skip
    // Characters from \u and character words, collected so that a run of them (every Chinese
    // character of a file this program writes) reaches the run builder in one piece. Never
    // pending together with undecoded bytes.
    std::u16string m_characters;
    LeftOutKinds m_leftOut;

    // Paragraph properties at each \par, with the number of line breaks read up to and
    // including it: \line breaks too start paragraphs here, which take the properties of the
    // \par that ends them.
    struct ParagraphEnd {
        std::size_t breaks;
        RtfParagraphState properties;
    };
    std::vector<ParagraphEnd> m_paragraphEnds;
    std::size_t m_breaks = 0;
    // The properties where text or a paragraph word last came: those of a last paragraph that
    // no \par ends, whose group has closed by the end of the file.
    RtfParagraphState m_lastProperties;

    RtfTextDecoder m_text;
    RtfFontTable m_fonts;
    RtfColourTable m_colours;
    RtfRunBuilder m_runs;
};

StyledText RtfReader::read() {
    for (;;) {
        const RtfToken token = m_tokenizer.next();
        switch (token.type) {
            case RtfToken::Type::End:
                flush();
                m_fonts.finishEntry();
                {
                    StyledText text = m_runs.finish();
                    applyParagraphFormats(text);
                    return text;
                }
            case RtfToken::Type::GroupStart:
                groupStart();
                break;
            case RtfToken::Type::GroupEnd:
                groupEnd();
                break;
            case RtfToken::Type::Text:
                text(token.text);
                break;
            case RtfToken::Type::HexByte:
                text(std::string_view(reinterpret_cast<const char*>(&token.byte), 1), false);
                break;
            case RtfToken::Type::ControlSymbol:
                controlSymbol(token.symbol);
                break;
            case RtfToken::Type::ControlWord:
                controlWord(token);
                break;
            case RtfToken::Type::Binary:
                if (state().destination == RtfDestination::Picture) m_picture.binary(token.text);
                if (m_skipFallback > 0) --m_skipFallback;
                break;
        }
    }
}

void RtfReader::groupStart() {
    flush();
    m_skipFallback = 0;
    m_groupStart = m_tokenizer.position() - 1;
    // A group may still turn out to be a picture, whose bytes an Other figure keeps from its
    // opening brace; an open picture's group is kept whole.
    if (!m_picture.active()) m_tokenizer.keepFrom(m_groupStart);
    if (m_stack.size() >= kMaxDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(openGroup(state()));
}

void RtfReader::groupEnd() {
    flush();
    m_skipFallback = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() <= 1) return;  // an unbalanced '}'
    if (state().destination == RtfDestination::FontTable) m_fonts.finishEntry();
    const bool pictureEnds = m_picture.active() && m_stack.size() == m_pictureDepth;
    if (m_shapeDepth > 0 && m_stack.size() == m_shapeDepth) {
        if (!m_shapeGavePicture) m_leftOut.add(LeftOut::Pictures);
        m_shapeDepth = 0;
    }
    m_stack.pop_back();
    if (pictureEnds) finishPicture();
    if (m_stack.size() == 1) m_afterEnd = true;
}

// literal: bytes as they stand in the file; false for an escaped byte (\'hh, \{), which never
// ends a font name or colour entry.
void RtfReader::text(std::string_view bytes, bool literal) {
    if (m_skipFallback > 0) {
        const std::size_t n = std::min<std::size_t>(m_skipFallback, bytes.size());
        bytes.remove_prefix(n);
        m_skipFallback -= static_cast<int>(n);
        if (bytes.empty()) return;
    }
    switch (state().destination) {
        case RtfDestination::Normal:
            flushCharacters();
            if (m_afterEnd) {
                // Rich-edit controls append a NUL or a line end after the last brace.
                if (bytes.find_first_not_of(std::string_view(" \t\0", 3)) ==
                    std::string_view::npos) {
                    return;
                }
                m_afterEnd = false;
            }
            m_text.addBytes(bytes);
            break;
        case RtfDestination::FontTable:
            m_fonts.entryText(bytes, literal);
            break;
        case RtfDestination::ColourTable:
            if (literal) m_colours.tableText(bytes);
            break;
        case RtfDestination::Picture:
        case RtfDestination::PictureGif:
            if (literal) m_picture.hexText(bytes);
            break;
        case RtfDestination::PictureMedia:
            if (literal) m_picture.mediaText(bytes);
            break;
        case RtfDestination::PictureWmfHeader:
            if (literal) m_picture.wmfHeaderText(bytes);
            break;
        default:
            break;
    }
}

void RtfReader::controlSymbol(char symbol) {
    if (m_skipFallback > 0) {
        --m_skipFallback;
        return;
    }
    switch (symbol) {
        case '\\':
        case '{':
        case '}':
            text(std::string_view(&symbol, 1), false);
            return;
        case '*':
            state().starred = true;
            return;
        case '~':
            character(u'\u00A0');
            return;
        case '-':
            // The optional hyphen is kept as U+00AD so that the characters stay as written.
            character(u'\u00AD');
            return;
        case '_':
            character(u'\u2011');
            return;
        case '\r':
        case '\n':
            flush();
            if (state().destination == RtfDestination::Normal) paragraph();
            return;
        default:
            return;
    }
}

void RtfReader::controlWord(const RtfToken& token) {
    if (m_skipFallback > 0) {
        --m_skipFallback;
        return;
    }
    const RtfKeyword keyword = lookupRtfKeyword(token.text);
    RtfGroupState& s = state();
    if (keyword == RtfKeyword::Unicode && !s.starred && s.destination != RtfDestination::Skip) {
        unicodeChar(token);  // keeps collecting characters
        return;
    }
    flush();
    // Before the word changes the destination: what it skips is lost only to the document.
    if (s.destination == RtfDestination::Normal) {
        if (const auto lost = leftOutBy(keyword)) m_leftOut.add(*lost);
    }
    if (pictureWord(keyword, token)) return;
    if (s.starred) {
        applyStarredWord(s, keyword);
        return;
    }
    if (s.destination == RtfDestination::Skip || keyword == RtfKeyword::Unknown) return;
    if (applyDestinationWord(s, keyword)) {
        if (keyword == RtfKeyword::ColourTable) m_colours.startTable();
        return;
    }
    if (documentWord(keyword, token)) return;
    if (s.destination != RtfDestination::Normal) return;
    if (applyFormatWord(s, keyword, token)) return;
    if (applyParagraphWord(s.paragraph, keyword, token)) {
        m_lastProperties = s.paragraph;
        return;
    }
    characterWord(keyword);
}

bool RtfReader::pictureWord(RtfKeyword keyword, const RtfToken& token) {
    RtfGroupState& s = state();
    if (s.destination == RtfDestination::Skip) return false;
    switch (keyword) {
        // A floating shape's picture (Word's "pib" property) is read as a figure where the
        // shape is anchored; the copy in its result is then skipped. A shape with no picture
        // (a text box, a drawing) is left out, as before.
        case RtfKeyword::Shape:
            if (s.destination != RtfDestination::Normal || m_shapeDepth > 0) {
                s.destination = RtfDestination::Skip;
                return true;
            }
            s.destination = RtfDestination::PictureHolder;
            m_shapeDepth = m_stack.size();
            m_shapeGavePicture = false;
            return true;
        case RtfKeyword::ShapeInstance:
        case RtfKeyword::ShapeResult:
            if (m_shapeDepth == 0 || s.destination != RtfDestination::PictureHolder) return false;
            s.starred = false;
            if (keyword == RtfKeyword::ShapeResult && m_shapeGavePicture) {
                s.destination = RtfDestination::Skip;
            }
            return true;
        case RtfKeyword::ShapePicture:
            s.starred = false;
            s.destination = RtfDestination::PictureHolder;
            return true;
        case RtfKeyword::NonShapePicture:
            s.starred = false;
            s.destination =
                m_shapePictureRead ? RtfDestination::Skip : RtfDestination::PictureHolder;
            return true;
        case RtfKeyword::Picture:
            if (s.destination != RtfDestination::Normal &&
                s.destination != RtfDestination::PictureHolder) {
                s.destination = RtfDestination::Skip;
                return true;
            }
            m_pictureHolder = s.destination == RtfDestination::PictureHolder;
            s.starred = false;
            s.destination = RtfDestination::Picture;
            m_picture.start(m_groupStart);
            m_pictureDepth = m_stack.size();
            return true;
        case RtfKeyword::PennoryGif:
            if (s.destination != RtfDestination::Picture || !s.starred) return false;
            s.starred = false;
            s.destination = RtfDestination::PictureGif;
            m_picture.startGif();
            return true;
        case RtfKeyword::PennoryMedia:
        case RtfKeyword::PennoryWmfHeader:
            if (s.destination != RtfDestination::Picture || !s.starred) return false;
            s.starred = false;
            s.destination = keyword == RtfKeyword::PennoryMedia ? RtfDestination::PictureMedia
                                                                : RtfDestination::PictureWmfHeader;
            return true;
        default:
            if (s.destination != RtfDestination::Picture) return false;
            return m_picture.word(keyword, token.hasParameter, token.parameter);
    }
}

void RtfReader::finishPicture() {
    auto figure = m_picture.finish(m_tokenizer.bytes(), m_tokenizer.position(), m_check);
    if (!figure) return;
    if (figure->kind == FigureKind::Other) m_leftOut.add(LeftOut::UnshownPictures);
    m_afterEnd = false;
    m_lastProperties = state().paragraph;
    m_runs.appendFigure(FigureRef(std::move(*figure)), state());
    m_shapePictureRead = m_pictureHolder;
    if (m_shapeDepth > 0) m_shapeGavePicture = true;
}

// The words that count in every destination read: the document's code page and default
// font, the entries of the font and colour tables, and Unicode characters. False for others.
bool RtfReader::documentWord(RtfKeyword keyword, const RtfToken& token) {
    if (m_text.applyDocumentWord(keyword, token)) return true;
    const RtfDestination destination = state().destination;
    const std::int32_t p = token.parameter;
    switch (keyword) {
        case RtfKeyword::DefaultFont:
            if (token.hasParameter) m_fonts.setDefaultFont(p);
            return true;
        case RtfKeyword::UnicodeSkip:
            if (token.hasParameter) {
                state().unicodeSkip = static_cast<std::uint8_t>(std::clamp(p, 0, kMaxUnicodeSkip));
            }
            return true;
        case RtfKeyword::Unicode:
            unicodeChar(token);
            return true;
        case RtfKeyword::Font:
            // Outside the font table, \f selects a font.
            if (destination != RtfDestination::FontTable) return false;
            m_fonts.startEntry(p);
            return true;
        case RtfKeyword::FontCharset:
            if (destination == RtfDestination::FontTable) m_fonts.setEntryCharset(p);
            return true;
        case RtfKeyword::FontCodePage:
            if (destination == RtfDestination::FontTable) m_fonts.setEntryCodePage(p);
            return true;
        case RtfKeyword::Red:
        case RtfKeyword::Green:
        case RtfKeyword::Blue:
            if (destination == RtfDestination::ColourTable) m_colours.setComponent(keyword, p);
            return true;
        default:
            return false;
    }
}

void RtfReader::characterWord(RtfKeyword keyword) {
    switch (keyword) {
        case RtfKeyword::Par:
            paragraph();
            return;
        case RtfKeyword::Line:
        case RtfKeyword::Row:
            lineBreak();
            return;
        default:
            break;
    }
    for (const CharacterWord& word : kCharacterWords) {
        if (word.keyword == keyword) {
            character(word.character);
            return;
        }
    }
}

void RtfReader::unicodeChar(const RtfToken& token) {
    const RtfGroupState& s = state();
    if (!token.hasParameter) return;
    std::int32_t v = token.parameter;
    if (v < 0) v += 65536;  // written as a signed 16-bit number
    const char16_t c = (v >= 0 && v <= 0xFFFF) ? static_cast<char16_t>(v) : u'\uFFFD';
    if (s.destination == RtfDestination::Normal) {
        character(c);
    } else if (s.destination == RtfDestination::FontTable) {
        m_fonts.entryCharacter(c);
    }
    m_skipFallback = s.unicodeSkip;
}

void RtfReader::character(char16_t c) {
    if (state().destination != RtfDestination::Normal) return;
    flushBytes();
    m_characters.push_back(c);
}

void RtfReader::paragraph() {
    lineBreak();
    m_runs.markParagraphEnd();
    m_paragraphEnds.push_back({m_breaks, state().paragraph});
}

void RtfReader::lineBreak() {
    appendText(u"\r\n");
    ++m_breaks;
}

void RtfReader::applyParagraphFormats(StyledText& text) const {
    const std::size_t count = text.paragraphs().size();
    std::size_t end = 0;
    const RtfParagraphState defaults;
    for (std::size_t p = 0; p < count; ++p) {
        while (end < m_paragraphEnds.size() && m_paragraphEnds[end].breaks <= p) ++end;
        const RtfParagraphState& properties =
            end < m_paragraphEnds.size() ? m_paragraphEnds[end].properties : m_lastProperties;
        if (!(properties == defaults)) text.setParagraphFormat(p, properties.format());
    }
}

void RtfReader::flush() {
    flushBytes();
    flushCharacters();
}

void RtfReader::flushBytes() {
    if (!m_text.hasPending()) return;
    appendText(m_text.decodePending(m_fonts.codePageOf(state().codePageFont)));
}

void RtfReader::flushCharacters() {
    if (m_characters.empty()) return;
    appendText(m_characters);
    m_characters.clear();
}

void RtfReader::appendText(std::u16string_view chars) {
    if (chars.empty()) return;
    m_afterEnd = false;
    m_shapePictureRead = false;
    m_lastProperties = state().paragraph;
    m_runs.append(chars, state());
}

}  // namespace

StyledText readRtf(std::string_view bytes) { return RtfReader(bytes, {}).read(); }

StyledText readRtf(std::string_view bytes, LeftOutKinds& leftOut, const PictureChecker& check) {
    RtfReader reader(bytes, check);
    StyledText text = reader.read();
    leftOut = reader.leftOut();
    return text;
}

StyledText readRtf(ByteWindow& input, LeftOutKinds& leftOut, const PictureChecker& check) {
    RtfReader reader(input, check);
    StyledText text = reader.read();
    leftOut = reader.leftOut();
    return text;
}

bool looksLikeRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

}  // namespace pennory::text
