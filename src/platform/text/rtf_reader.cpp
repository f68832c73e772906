#include "platform/text/rtf_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text/code_pages.h"
#include "platform/text/rtf_keywords.h"
#include "platform/text/rtf_tokenizer.h"

namespace pennory::text {
namespace {

// Deeper groups are still read, but share the state of the group at this depth.
constexpr std::size_t kMaxDepth = 10000;
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxColours = 4096;
constexpr std::size_t kMaxFontNameBytes = 1024;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 32767;
constexpr int kMaxUnicodeSkip = 64;

enum class Destination : std::uint8_t {
    Normal,
    Skip,
    FontTable,
    ColourTable,
    UprContainer,  // the \upr group: its own groups are skipped, except \ud
    UprChild,
};

// Which kind of characters follow (\loch, \hich, \dbch). With \dbch, the associated properties
// (\af, \afs, \ab, \ai) are those of the Chinese text, as LibreOffice writes them.
enum class RunKind : std::uint8_t { Low, High, Double };

struct GroupState {
    Destination destination = Destination::Normal;
    Destination uprOuter = Destination::Normal;
    bool starred = false;  // after \*: the next word decides whether the group is skipped
    RunKind runKind = RunKind::Low;
    bool rightToLeft = false;
    std::uint8_t unicodeSkip = 1;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::int32_t font = -1;           // -1: the document's default font
    std::int32_t eastAsianFont = -1;  // -1: Chinese text uses font too
    std::int32_t codePageFont = -1;   // the font whose code page decodes \'hh bytes
    std::int32_t halfPoints = kDefaultHalfPoints;
    std::int32_t colour = 0;

    void resetCharacterFormat() {
        bold = italic = underline = strike = false;
        font = eastAsianFont = codePageFont = -1;
        halfPoints = kDefaultHalfPoints;
        colour = 0;
        runKind = RunKind::Low;
        rightToLeft = false;
    }
};

// What decides a run's CharFormat; cheap to compare per piece of text.
struct FormatKey {
    std::int32_t font = 0;
    std::int32_t halfPoints = 0;
    std::int32_t colour = 0;
    std::uint8_t flags = 0;
    bool operator==(const FormatKey&) const = default;
};

struct Font {
    std::u16string name;
    int codePage = 0;  // 0: the document's
};

struct Colour {
    text::Colour value = 0;
    bool automatic = true;
};

struct FontEntry {
    bool open = false;
    std::int32_t number = 0;
    int charset = -1;
    int codePage = 0;
    bool named = false;  // its ';' was seen; later text is not part of the name
    std::string bytes;
    std::u16string units;
};

bool isEastAsian(char16_t c) {
    return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0x2FDF) ||
           (c >= 0x2FF0 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xDFFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

class RtfReader {
public:
    explicit RtfReader(std::string_view bytes) : m_tokenizer(bytes) {
        m_stack.reserve(64);
        m_stack.emplace_back();
        m_pending.reserve(256);
        m_decoded.reserve(256);
    }

    StyledText read();

private:
    GroupState& state() { return m_stack.back(); }

    void groupStart();
    void groupEnd();
    void text(std::string_view bytes, bool literal = true);
    void controlSymbol(char symbol);
    void controlWord(const RtfToken& token);
    void formatWord(RtfKeyword keyword, const RtfToken& token);
    void unicodeChar(const RtfToken& token);
    void character(char16_t c);
    void paragraph();

    void flush();
    void appendText(std::u16string_view chars);
    void appendWithKey(std::u16string_view chars, const FormatKey& key);
    void commitRun();
    FormatKey keyOf(const GroupState& s, std::int32_t font) const;
    CharFormat formatOf(const FormatKey& key) const;
    const Font* findFont(std::int32_t number) const;
    std::int32_t resolveFont(std::int32_t number) const;
    int codePageOf(const GroupState& s) const;

    void fontText(std::string_view bytes, bool literal);
    void startFont(std::int32_t number);
    void finishFont();
    void decodeFontBytes();
    void colourText(std::string_view bytes);

    RtfTokenizer m_tokenizer;
    std::vector<GroupState> m_stack;
    std::size_t m_overflowDepth = 0;  // groups opened beyond kMaxDepth
    bool m_afterEnd = false;          // the outermost group has closed
    int m_skipFallback = 0;           // fallback characters of \u still to skip

    int m_documentCodePage = 1252;
    bool m_codePageGiven = false;
    std::int32_t m_defaultFont = 0;
    std::unordered_map<std::int32_t, Font> m_fonts;
    std::vector<Colour> m_colours;
    Colour m_colourEntry;
    FontEntry m_fontEntry;

    CodePageDecoder m_decoder;
    std::string m_pending;  // undecoded text bytes, all in the code page of the current state
    std::u16string m_decoded;

    StyledText m_out;
    std::u16string m_runText;
    FormatKey m_runKey;
    CharFormat m_runFormat;
    bool m_haveRun = false;
    std::size_t m_emitted = 0;              // units appended so far
    std::size_t m_emittedAtPar = SIZE_MAX;  // m_emitted just after the last \par
};

StyledText RtfReader::read() {
    for (;;) {
        const RtfToken token = m_tokenizer.next();
        switch (token.type) {
            case RtfToken::Type::End:
                flush();
                if (m_fontEntry.open) finishFont();
                // A rich-edit control ends every document with a \par that is no line of the
                // text; the writer adds one to match.
                if (m_emittedAtPar == m_emitted && m_runText.size() >= 2 &&
                    m_runText.ends_with(u"\r\n")) {
                    m_runText.resize(m_runText.size() - 2);
                }
                commitRun();
                return std::move(m_out);
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
                if (m_skipFallback > 0) --m_skipFallback;
                break;
        }
    }
}

void RtfReader::groupStart() {
    flush();
    m_skipFallback = 0;
    if (m_stack.size() >= kMaxDepth) {
        ++m_overflowDepth;
        return;
    }
    GroupState child = state();
    child.starred = false;
    if (child.destination == Destination::UprContainer) child.destination = Destination::UprChild;
    m_stack.push_back(child);
}

void RtfReader::groupEnd() {
    flush();
    m_skipFallback = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() <= 1) return;  // an unbalanced '}'
    if (state().destination == Destination::FontTable && m_fontEntry.open) finishFont();
    m_stack.pop_back();
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
        case Destination::Normal:
            if (m_afterEnd) {
                // Rich-edit controls append a NUL or a line end after the last brace.
                if (bytes.find_first_not_of(std::string_view(" \t\0", 3)) ==
                    std::string_view::npos) {
                    return;
                }
                m_afterEnd = false;
            }
            m_pending.append(bytes);
            break;
        case Destination::FontTable:
            fontText(bytes, literal);
            break;
        case Destination::ColourTable:
            if (literal) colourText(bytes);
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
            if (state().destination == Destination::Normal) paragraph();
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
    flush();
    const RtfKeyword keyword = lookupRtfKeyword(token.text);
    GroupState& s = state();
    if (s.starred) {
        s.starred = false;
        // After \* only words this reader knows as text destinations keep the group.
        if (keyword == RtfKeyword::Ud && s.destination == Destination::UprChild) {
            s.destination = s.uprOuter;
        } else {
            s.destination = Destination::Skip;
        }
        return;
    }
    if (s.destination == Destination::Skip) return;
    const std::int32_t p = token.parameter;
    switch (keyword) {
        case RtfKeyword::Unknown:
            return;
        case RtfKeyword::SkipDestination:
            s.destination = Destination::Skip;
            return;
        case RtfKeyword::FontTable:
            s.destination = Destination::FontTable;
            return;
        case RtfKeyword::ColourTable:
            s.destination = Destination::ColourTable;
            m_colourEntry = {};
            return;
        case RtfKeyword::Field:
        case RtfKeyword::FieldResult:
            return;
        case RtfKeyword::Upr:
            s.uprOuter = s.destination;
            s.destination = Destination::UprContainer;
            return;
        case RtfKeyword::Ud:
            if (s.destination == Destination::UprChild) s.destination = s.uprOuter;
            return;
        case RtfKeyword::Ansi:
            if (!m_codePageGiven) m_documentCodePage = 1252;
            return;
        case RtfKeyword::Mac:
            if (!m_codePageGiven) m_documentCodePage = 10000;
            return;
        case RtfKeyword::Pc:
            if (!m_codePageGiven) m_documentCodePage = 437;
            return;
        case RtfKeyword::Pca:
            if (!m_codePageGiven) m_documentCodePage = 850;
            return;
        case RtfKeyword::AnsiCodePage:
            if (token.hasParameter && p > 0 && p < 100000) {
                m_documentCodePage = p;
                m_codePageGiven = true;
            }
            return;
        case RtfKeyword::DefaultFont:
            if (token.hasParameter) m_defaultFont = p;
            return;
        case RtfKeyword::UnicodeSkip:
            if (token.hasParameter) {
                s.unicodeSkip = static_cast<std::uint8_t>(std::clamp(p, 0, kMaxUnicodeSkip));
            }
            return;
        case RtfKeyword::Unicode:
            unicodeChar(token);
            return;
        case RtfKeyword::Font:
            if (s.destination == Destination::FontTable) {
                startFont(p);
                return;
            }
            break;
        case RtfKeyword::FontCharset:
            if (s.destination == Destination::FontTable && m_fontEntry.open) {
                m_fontEntry.charset = p;
            }
            return;
        case RtfKeyword::FontCodePage:
            if (s.destination == Destination::FontTable && m_fontEntry.open && p > 0 &&
                p < 100000) {
                m_fontEntry.codePage = p;
            }
            return;
        case RtfKeyword::Red:
        case RtfKeyword::Green:
        case RtfKeyword::Blue:
            if (s.destination == Destination::ColourTable) {
                const int shift = keyword == RtfKeyword::Red     ? 0
                                  : keyword == RtfKeyword::Green ? 8
                                                                 : 16;
                const auto v = static_cast<text::Colour>(std::clamp(p, 0, 255));
                m_colourEntry.value = (m_colourEntry.value & ~(0xFFu << shift)) | (v << shift);
                m_colourEntry.automatic = false;
            }
            return;
        default:
            break;
    }
    if (s.destination != Destination::Normal) return;
    formatWord(keyword, token);
}

void RtfReader::formatWord(RtfKeyword keyword, const RtfToken& token) {
    GroupState& s = state();
    const std::int32_t p = token.parameter;
    const bool on = !token.hasParameter || p != 0;
    // Associated properties count for Chinese text when \dbch is in effect; otherwise they
    // belong to right-to-left scripts, which this editor does not format apart.
    const bool forDoubleByte = s.runKind == RunKind::Double && !s.rightToLeft;
    switch (keyword) {
        case RtfKeyword::Plain:
            s.resetCharacterFormat();
            return;
        case RtfKeyword::Font:
            if (!token.hasParameter) return;
            if (forDoubleByte) {
                s.eastAsianFont = p;
            } else {
                s.font = p;
            }
            s.codePageFont = p;
            return;
        case RtfKeyword::AssocFont:
            if (!token.hasParameter || s.rightToLeft) return;
            if (s.runKind == RunKind::Double) {
                s.eastAsianFont = p;
            } else {
                s.font = p;
            }
            return;
        case RtfKeyword::FontSize:
            if (token.hasParameter && p > 0) s.halfPoints = std::min(p, kMaxHalfPoints);
            return;
        case RtfKeyword::AssocFontSize:
            if (forDoubleByte && token.hasParameter && p > 0) {
                s.halfPoints = std::min(p, kMaxHalfPoints);
            }
            return;
        case RtfKeyword::Bold:
            s.bold = on;
            return;
        case RtfKeyword::AssocBold:
            if (forDoubleByte) s.bold = on;
            return;
        case RtfKeyword::Italic:
            s.italic = on;
            return;
        case RtfKeyword::AssocItalic:
            if (forDoubleByte) s.italic = on;
            return;
        case RtfKeyword::Underline:
            s.underline = on;
            return;
        case RtfKeyword::UnderlineNone:
            s.underline = false;
            return;
        case RtfKeyword::Strike:
            s.strike = on;
            return;
        case RtfKeyword::ColourIndex:
            s.colour = token.hasParameter ? p : 0;
            return;
        case RtfKeyword::LowAnsi:
            s.runKind = RunKind::Low;
            return;
        case RtfKeyword::HighAnsi:
            s.runKind = RunKind::High;
            return;
        case RtfKeyword::DoubleByte:
            s.runKind = RunKind::Double;
            return;
        case RtfKeyword::RightToLeftRun:
            s.rightToLeft = true;
            return;
        case RtfKeyword::LeftToRightRun:
            s.rightToLeft = false;
            return;
        case RtfKeyword::Par:
            paragraph();
            return;
        case RtfKeyword::Line:
        case RtfKeyword::Row:
            appendText(u"\r\n");
            return;
        case RtfKeyword::Tab:
        case RtfKeyword::Cell:
            character(u'\t');
            return;
        case RtfKeyword::EmDash:
            character(u'\u2014');
            return;
        case RtfKeyword::EnDash:
            character(u'\u2013');
            return;
        case RtfKeyword::EmSpace:
            character(u'\u2003');
            return;
        case RtfKeyword::EnSpace:
            character(u'\u2002');
            return;
        case RtfKeyword::QmSpace:
            character(u'\u2005');
            return;
        case RtfKeyword::Bullet:
            character(u'\u2022');
            return;
        case RtfKeyword::LeftQuote:
            character(u'\u2018');
            return;
        case RtfKeyword::RightQuote:
            character(u'\u2019');
            return;
        case RtfKeyword::LeftDoubleQuote:
            character(u'\u201C');
            return;
        case RtfKeyword::RightDoubleQuote:
            character(u'\u201D');
            return;
        case RtfKeyword::ZeroWidthJoiner:
            character(u'\u200D');
            return;
        case RtfKeyword::ZeroWidthNonJoiner:
            character(u'\u200C');
            return;
        case RtfKeyword::LeftToRightMark:
            character(u'\u200E');
            return;
        case RtfKeyword::RightToLeftMark:
            character(u'\u200F');
            return;
        default:
            return;
    }
}

void RtfReader::unicodeChar(const RtfToken& token) {
    GroupState& s = state();
    if (!token.hasParameter) return;
    std::int32_t v = token.parameter;
    if (v < 0) v += 65536;  // written as a signed 16-bit number
    const char16_t c = (v >= 0 && v <= 0xFFFF) ? static_cast<char16_t>(v) : u'\uFFFD';
    if (s.destination == Destination::Normal) {
        character(c);
    } else if (s.destination == Destination::FontTable && m_fontEntry.open && !m_fontEntry.named) {
        decodeFontBytes();
        if (m_fontEntry.units.size() < kMaxFontNameBytes) m_fontEntry.units.push_back(c);
    }
    m_skipFallback = s.unicodeSkip;
}

void RtfReader::character(char16_t c) {
    if (state().destination != Destination::Normal) return;
    flush();
    appendText(std::u16string_view(&c, 1));
}

void RtfReader::paragraph() {
    appendText(u"\r\n");
    m_emittedAtPar = m_emitted;
}

void RtfReader::flush() {
    if (m_pending.empty()) return;
    m_decoded.clear();
    m_decoder.decodeAppend(codePageOf(state()), m_pending, m_decoded);
    m_pending.clear();
    appendText(m_decoded);
}

void RtfReader::appendText(std::u16string_view chars) {
    if (chars.empty()) return;
    const GroupState& s = state();
    if (m_afterEnd) m_afterEnd = false;
    const FormatKey key = keyOf(s, resolveFont(s.font));
    if (s.eastAsianFont >= 0) {
        const std::int32_t eastAsian = resolveFont(s.eastAsianFont);
        const Font* a = findFont(eastAsian);
        const Font* b = findFont(key.font);
        if (a && (!b || a->name != b->name)) {
            FormatKey eastKey = key;
            eastKey.font = eastAsian;
            // Split into stretches of Chinese and other characters. In a \dbch run, quotation
            // marks and other non-ASCII punctuation belong to the Chinese text too.
            const bool doubleByte = s.runKind == RunKind::Double;
            auto east = [doubleByte](char16_t c) {
                return isEastAsian(c) || (doubleByte && c >= 0x80);
            };
            std::size_t start = 0;
            while (start < chars.size()) {
                const bool isEast = east(chars[start]);
                std::size_t end = start + 1;
                while (end < chars.size() && east(chars[end]) == isEast) ++end;
                appendWithKey(chars.substr(start, end - start), isEast ? eastKey : key);
                start = end;
            }
            return;
        }
    }
    appendWithKey(chars, key);
}

void RtfReader::appendWithKey(std::u16string_view chars, const FormatKey& key) {
    if (!m_haveRun || !(key == m_runKey)) {
        commitRun();
        m_runKey = key;
        m_runFormat = formatOf(key);
        m_haveRun = true;
    }
    m_runText.append(chars);
    m_emitted += chars.size();
}

void RtfReader::commitRun() {
    if (m_runText.empty()) return;
    m_out.append(m_runText, m_runFormat);
    m_runText.clear();
}

FormatKey RtfReader::keyOf(const GroupState& s, std::int32_t font) const {
    FormatKey key;
    key.font = font;
    key.halfPoints = s.halfPoints;
    key.colour = s.colour;
    key.flags = static_cast<std::uint8_t>((s.bold ? 1 : 0) | (s.italic ? 2 : 0) |
                                          (s.underline ? 4 : 0) | (s.strike ? 8 : 0));
    return key;
}

CharFormat RtfReader::formatOf(const FormatKey& key) const {
    CharFormat format;
    if (const Font* font = findFont(key.font)) format.fontName = font->name;
    format.sizePt = static_cast<float>(key.halfPoints) / 2.0f;
    format.bold = key.flags & 1;
    format.italic = key.flags & 2;
    format.underline = key.flags & 4;
    format.strikethrough = key.flags & 8;
    if (key.colour > 0 && static_cast<std::size_t>(key.colour) < m_colours.size() &&
        !m_colours[key.colour].automatic) {
        format.colour = m_colours[key.colour].value;
    }
    return format;
}

const Font* RtfReader::findFont(std::int32_t number) const {
    const auto it = m_fonts.find(number);
    return it == m_fonts.end() ? nullptr : &it->second;
}

// A font number the table does not define falls back to the default font.
std::int32_t RtfReader::resolveFont(std::int32_t number) const {
    if (number >= 0 && m_fonts.count(number)) return number;
    return m_defaultFont;
}

int RtfReader::codePageOf(const GroupState& s) const {
    const Font* font = findFont(resolveFont(s.codePageFont));
    if (font && font->codePage != 0) return font->codePage;
    return m_documentCodePage;
}

// The font table: "\f0\fcharset134 name;" entries, each in a group of its own or one after
// the other in the table's group.
void RtfReader::startFont(std::int32_t number) {
    if (m_fontEntry.open) finishFont();
    m_fontEntry = {};
    m_fontEntry.open = true;
    m_fontEntry.number = number;
}

void RtfReader::fontText(std::string_view bytes, bool literal) {
    if (!m_fontEntry.open || m_fontEntry.named) return;
    const std::size_t semicolon = literal ? bytes.find(';') : std::string_view::npos;
    const std::string_view name = bytes.substr(0, semicolon);
    const std::size_t room =
        kMaxFontNameBytes - std::min(kMaxFontNameBytes, m_fontEntry.bytes.size());
    m_fontEntry.bytes.append(name.substr(0, room));
    if (semicolon != std::string_view::npos) m_fontEntry.named = true;
}

void RtfReader::decodeFontBytes() {
    if (m_fontEntry.bytes.empty()) return;
    int codePage = m_fontEntry.codePage;
    if (codePage == 0) codePage = codePageOfCharset(m_fontEntry.charset);
    if (codePage == 0) codePage = m_documentCodePage;
    m_decoder.decodeAppend(codePage, m_fontEntry.bytes, m_fontEntry.units);
    m_fontEntry.bytes.clear();
}

void RtfReader::finishFont() {
    decodeFontBytes();
    m_fontEntry.open = false;
    if (m_fonts.size() >= kMaxFonts && !m_fonts.count(m_fontEntry.number)) return;
    Font& font = m_fonts[m_fontEntry.number];
    font.name = std::move(m_fontEntry.units);
    font.codePage = m_fontEntry.codePage;
    if (font.codePage == 0) font.codePage = codePageOfCharset(m_fontEntry.charset);
}

void RtfReader::colourText(std::string_view bytes) {
    for (const char c : bytes) {
        if (c != ';') continue;
        if (m_colours.size() < kMaxColours) m_colours.push_back(m_colourEntry);
        m_colourEntry = {};
    }
}

}  // namespace

StyledText readRtf(std::string_view bytes) { return RtfReader(bytes).read(); }

bool looksLikeRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

}  // namespace pennory::text
