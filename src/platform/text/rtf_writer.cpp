#include "platform/text/rtf_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/text/cp936_tables.h"
#include "platform/text/paragraph_sizes.h"
#include "platform/text/rtf_picture_writer.h"

namespace pennory::text {
namespace {

constexpr char kHex[] = "0123456789abcdef";
// The most bytes one UTF-16 unit can become: \uc1\u-32768\'hh\'hh is twenty.
constexpr std::size_t kMaxBytesPerUnit = 20;

// Gathers the file in a buffer of about a megabyte, written on raw pointers, that goes to the
// sink whenever the next run (or block of a long run) does not fit: room is made per run, not
// per character. Once the sink has refused a piece nothing more is offered to it.
class Output {
public:
    explicit Output(const ByteSink& sink) : m_sink(sink) { m_buffer.resize(kPieceBytes); }
    void reserve(std::size_t extra) {
        if (m_buffer.size() - m_pos >= extra) return;
        flush();
        if (m_buffer.size() - m_pos < extra)
            m_buffer.resize(std::max(m_buffer.size() * 2, m_pos + extra));
    }
    void put(char c) {
        reserve(1);
        m_buffer[m_pos++] = c;
    }
    // For callers that reserved the room already.
    void putUnchecked(char c) { m_buffer[m_pos++] = c; }
    void put(std::string_view s) {
        reserve(s.size());
        m_buffer.replace(m_pos, s.size(), s);
        m_pos += s.size();
    }
    // For callers that reserved the room already.
    template <std::size_t N>
    void putRaw(const char (&s)[N]) {
        std::memcpy(m_buffer.data() + m_pos, s, N - 1);
        m_pos += N - 1;
    }
    // \uN for a UTF-16 unit written as a signed 16-bit number; the room is reserved already.
    void unicodeWord(std::int16_t n) {
        char* p = m_buffer.data() + m_pos;
        *p++ = '\\';
        *p++ = 'u';
        unsigned v = static_cast<unsigned>(n < 0 ? -static_cast<int>(n) : n);
        if (n < 0) *p++ = '-';
        char digits[8];
        int len = 0;
        do {
            digits[len++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        while (len > 0) *p++ = digits[--len];
        m_pos = static_cast<std::size_t>(p - m_buffer.data());
    }
    void hexByte(unsigned b) {
        char* p = m_buffer.data() + m_pos;
        p[0] = '\\';
        p[1] = '\'';
        p[2] = kHex[(b >> 4) & 0xF];
        p[3] = kHex[b & 0xF];
        m_pos += 4;
    }
    void number(long n) {
        char digits[24];
        int len = 0;
        const bool negative = n < 0;
        unsigned long v =
            negative ? 0UL - static_cast<unsigned long>(n) : static_cast<unsigned long>(n);
        do {
            digits[len++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        reserve(static_cast<std::size_t>(len) + 1);
        if (negative) putUnchecked('-');
        while (len > 0) putUnchecked(digits[--len]);
    }
    void word(std::string_view name, long value) {
        put(name);
        number(value);
    }
    // A figure's group, after what was gathered before it; its data goes in its own pieces.
    void picture(const Figure& figure) {
        flush();
        if (m_ok) m_ok = writeRtfPicture(figure, m_sink);
    }
    // Passes on what is left; false when the sink refused any piece.
    bool finish() {
        flush();
        return m_ok;
    }
    bool ok() const { return m_ok; }

private:
    static constexpr std::size_t kPieceBytes = std::size_t(1) << 20;

    void flush() {
        if (m_pos == 0) return;
        if (m_ok) m_ok = m_sink(std::string_view(m_buffer.data(), m_pos));
        m_pos = 0;
    }

    const ByteSink& m_sink;
    std::string m_buffer;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

// Characters: printable ASCII as itself, CR LF as \par, tab as \tab, other control characters
// as \'hh. Every other character is \uN followed by its code page 936 bytes as the fallback
// that readers ignoring \u show (or '?' where the code page has none); \ucN says how many
// fallback characters follow and is written only when that number changes. Readers that read
// \'hh as code page 1252 (ignoring \ansicpg) thus still get the characters right.
class CharWriter {
public:
    explicit CharWriter(Output& out) : m_out(out), m_tables(cp936::Tables::get()) {}

    void write(std::u16string_view text, bool inFontTable) {
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t end = std::min(text.size(), i + kBlockUnits);
            // Room for the block and one unit more: a CR LF across its end is written whole.
            m_out.reserve((end - i + 1) * kMaxBytesPerUnit + 16);
            for (; i < end; ++i) writeUnit(text, i, inFontTable);
        }
    }

private:
    static constexpr std::size_t kBlockUnits = 4096;

    // Writes text[i], and text[i + 1] too when the two are one CR LF (i then points at it).
    void writeUnit(std::u16string_view text, std::size_t& i, bool inFontTable) {
        const char16_t c = text[i];
        if (c >= 0x20 && c < 0x7F) {
            // A literal ';' would end a font name. AbiWord drops a blank that follows a
            // \uN? there, but reads it as \'20.
            const bool afterUnicode = i > 0 && text[i - 1] >= 0x80 &&
                                      m_tables.bytesOf(text[i - 1]) == cp936::Tables::kNoBytes;
            if (inFontTable &&
                (c == '\\' || c == '{' || c == '}' || c == ';' || (c == ' ' && afterUnicode))) {
                m_out.hexByte(c);
            } else if (c == '\\' || c == '{' || c == '}') {
                m_out.putUnchecked('\\');
                m_out.putUnchecked(static_cast<char>(c));
            } else {
                m_out.putUnchecked(static_cast<char>(c));
            }
            return;
        }
        if (c < 0x80) {
            if (c == u'\r' && !inFontTable && i + 1 < text.size() && text[i + 1] == u'\n') {
                m_out.putRaw("\\par\r\n");
                ++i;
            } else if (c == u'\t' && !inFontTable) {
                m_out.putRaw("\\tab ");
            } else {
                m_out.hexByte(c);
            }
            return;
        }
        if (inFontTable) {
            fontNameChar(c);
        } else {
            unicode(c);
        }
    }

    // Font names keep the plain rich-edit form, \'hh bytes where the code page has the
    // character and \uN? under the \uc1 in effect otherwise: AbiWord reads fallback bytes after
    // \u in the font table as part of the name, and then drops a blank in the text.
    void fontNameChar(char16_t c) {
        const std::uint16_t bytes = m_tables.bytesOf(c);
        if (bytes == cp936::Tables::kNoBytes) m_out.unicodeWord(static_cast<std::int16_t>(c));
        codePageBytes(bytes);
    }

    void unicode(char16_t c) {
        const std::uint16_t bytes = m_tables.bytesOf(c);
        const int skip = (bytes == cp936::Tables::kNoBytes || bytes < 0x100) ? 1 : 2;
        if (skip != m_skip) {
            m_out.putRaw(skip == 1 ? "\\uc1" : "\\uc2");
            m_skip = skip;
        }
        m_out.unicodeWord(static_cast<std::int16_t>(c));
        codePageBytes(bytes);
    }

    // A character's code page bytes as \'hh, or '?' where the code page has none.
    void codePageBytes(std::uint16_t bytes) {
        if (bytes == cp936::Tables::kNoBytes) {
            m_out.putUnchecked('?');
        } else if (bytes < 0x100) {
            m_out.hexByte(bytes);
        } else {
            m_out.hexByte(bytes >> 8);
            m_out.hexByte(bytes & 0xFF);
        }
    }

    Output& m_out;
    const cp936::Tables& m_tables;
    int m_skip = 1;
};

int halfPointsOf(float sizePt) {
    if (!std::isfinite(sizePt)) return 24;
    const long half = std::lround(static_cast<double>(sizePt) * 2.0);
    return static_cast<int>(std::clamp(half, 1L, 32767L));
}

// Selects font n for every kind of character: \f for Latin text and as the code page of the
// \'hh fallback, and as the associated font of Chinese (\dbch) text, which is where other word
// processors look for the font of Chinese characters.
void writeFontWords(Output& out, int n) {
    out.word("\\loch\\f", n);
    out.word("\\hich\\af", n);
    out.word("\\dbch\\af", n);
}

long twipsOf(float points) {
    if (!std::isfinite(points)) return 0;
    return std::lround(std::clamp(static_cast<double>(points) * 20.0, -1.0e6, 1.0e6));
}

// An indent as twips for text of sizePt and, when given in characters, also in hundredths of
// a character (\cufi, \culi, \curi), which Word and WPS read in preference to the twips.
void writeIndent(Output& out, std::string_view twipsWord, std::string_view charsWord,
                 const Indent& indent, float sizePt) {
    if (indent == Indent{}) return;
    out.word(twipsWord, twipsOf(indent.pointsFor(sizePt)));
    if (indent.isCharacters()) out.word(charsWord, indent.charsHundredths);
}

// The words after \pard that give format; nothing for the default format.
void writeParagraphWords(Output& out, const ParagraphFormat& f, float sizePt) {
    switch (f.alignment) {
        case Alignment::Left:
            break;
        case Alignment::Centre:
            out.put("\\qc");
            break;
        case Alignment::Right:
            out.put("\\qr");
            break;
        case Alignment::Justify:
            out.put("\\qj");
            break;
    }
    writeIndent(out, "\\fi", "\\cufi", f.firstLine, sizePt);
    writeIndent(out, "\\li", "\\culi", f.left, sizePt);
    writeIndent(out, "\\ri", "\\curi", f.right, sizePt);
    const LineSpacing& spacing = f.lineSpacing;
    if (!(spacing == LineSpacing{})) {
        switch (spacing.rule) {
            case LineSpacing::Rule::Multiple:
                out.word("\\sl", std::lround(std::clamp(spacing.value, 0.0f, 100.0f) * 240.0));
                out.put("\\slmult1");
                break;
            case LineSpacing::Rule::Exactly:
                // A negative \sl is an exact height; zero would mean single spacing.
                out.word("\\sl", -std::max(1L, std::labs(twipsOf(spacing.value))));
                out.put("\\slmult0");
                break;
            case LineSpacing::Rule::AtLeast:
                out.word("\\sl", std::max(1L, std::labs(twipsOf(spacing.value))));
                out.put("\\slmult0");
                break;
        }
    }
    if (f.spaceBeforePt != 0.0f) out.word("\\sb", twipsOf(f.spaceBeforePt));
    if (f.spaceAfterPt != 0.0f) out.word("\\sa", twipsOf(f.spaceAfterPt));
}

struct Tables {
    std::vector<std::u16string_view> fonts;
    std::vector<Colour> colours;  // index 0 is the automatic colour (black)
    std::vector<int> runFont;
    std::vector<int> runColour;
};

Tables collectTables(const StyledText& text) {
    Tables t;
    std::unordered_map<std::u16string_view, int> fontIndex;
    std::unordered_map<Colour, int> colourIndex;
    t.colours.push_back(0);
    for (const StyledRun& run : text.runs()) {
        const std::u16string_view name = run.format.fontName;
        auto [font, newFont] = fontIndex.try_emplace(name, static_cast<int>(t.fonts.size()));
        if (newFont) t.fonts.push_back(name);
        t.runFont.push_back(font->second);
        const Colour colour = run.format.colour & 0xFFFFFF;
        int index = 0;
        if (colour != 0) {
            auto [it, newColour] =
                colourIndex.try_emplace(colour, static_cast<int>(t.colours.size()));
            if (newColour) t.colours.push_back(colour);
            index = it->second;
        }
        t.runColour.push_back(index);
    }
    // The table holds views: the default name must outlive this function.
    static const std::u16string kDefaultFont = CharFormat{}.fontName;
    if (t.fonts.empty()) t.fonts.push_back(kDefaultFont);
    return t;
}

// The room the figures' hex takes: two digits a byte and a line break every 64 bytes.
std::size_t pictureRoom(const StyledText& text) {
    std::size_t room = 0;
    for (const StyledRun& run : text.runs()) {
        if (!run.format.figure || !run.format.figure->bytes) continue;
        const std::size_t each = run.format.figure->bytes->size() * 2 + run.format.figure->bytes->size() / 32 + 512;
        room += each * static_cast<std::size_t>(std::count(run.text.begin(), run.text.end(), kObjectCharacter));
    }
    return room;
}

}  // namespace

bool writeRtf(const StyledText& text, const ByteSink& sink) {
    const Tables tables = collectTables(text);
    Output out(sink);

    out.put("{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl");
    for (std::size_t i = 0; i < tables.fonts.size(); ++i) {
        out.put("{");
        out.word("\\f", static_cast<long>(i));
        out.put("\\fnil\\fcharset134 ");
        CharWriter(out).write(tables.fonts[i], true);
        out.put(";}");
    }
    out.put("}\r\n{\\colortbl ;");
    for (std::size_t i = 1; i < tables.colours.size(); ++i) {
        const Colour c = tables.colours[i];
        out.word("\\red", c & 0xFF);
        out.word("\\green", (c >> 8) & 0xFF);
        out.word("\\blue", (c >> 16) & 0xFF);
        out.put(";");
    }
    // LibreOffice reads a document that names no generator as Word's and turns two blanks in a
    // row into six-per-em spaces; naming one keeps the blanks as they are.
    out.put("}\r\n{\\*\\generator Pennory;}\\viewkind4\\uc1\\pard");

    // What a reader assumes after \pard: the default font, 12 pt, no emphasis, automatic colour.
    int font = 0;
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
    int colour = 0;
    bool first = true;
    CharWriter chars(out);
    const auto& runs = text.runs();
    // Paragraph formats go after each \par whose next paragraph is set otherwise; a text
    // without them is written as it always was.
    const bool withParagraphs = hasParagraphFormats(text);
    const auto& paragraphs = text.paragraphs();
    std::vector<float> sizes;
    std::size_t paragraph = 0;
    if (withParagraphs) {
        sizes = paragraphStartSizes(text);
        writeParagraphWords(out, paragraphs[0], sizes[0]);
    }
    auto writeText = [&](std::u16string_view runText) {
        if (!withParagraphs) {
            chars.write(runText, false);
            return;
        }
        std::size_t start = 0;
        for (std::size_t lf = runText.find(u"\r\n"); lf != std::u16string_view::npos;
             lf = runText.find(u"\r\n", start)) {
            chars.write(runText.substr(start, lf + 2 - start), false);
            start = lf + 2;
            const std::size_t next = paragraph + 1;
            if (next >= paragraphs.size()) continue;
            if (!(paragraphs[next] == paragraphs[paragraph])) {
                out.put("\\pard");
                writeParagraphWords(out, paragraphs[next], sizes[next]);
                out.put(' ');
            }
            paragraph = next;
        }
        chars.write(runText.substr(start), false);
    };
    // A break whose CR ends one run and whose LF starts the next is written with the first
    // run, as one \par: split, it would be two control characters and no paragraph.
    std::u16string joined;
    bool lfTaken = false;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        if (!out.ok()) return false;
        std::u16string_view runText = runs[r].text;
        if (lfTaken) {
            runText.remove_prefix(1);
            lfTaken = false;
            if (runText.empty()) continue;
        }
        if (runText.ends_with(u'\r') && r + 1 < runs.size() &&
            runs[r + 1].text.starts_with(u'\n')) {
            joined.assign(runText);
            joined += u'\n';
            runText = joined;
            lfTaken = true;
        }
        const CharFormat& f = runs[r].format;
        bool changed = false;
        auto change = [&](bool differs, std::string_view on, std::string_view off, bool value) {
            if (!differs) return;
            out.put(value ? on : off);
            changed = true;
        };
        if (first || tables.runFont[r] != font) {
            font = tables.runFont[r];
            writeFontWords(out, font);
            changed = true;
        }
        const int half = halfPointsOf(f.sizePt);
        if (first || half != halfPoints) {
            halfPoints = half;
            out.word("\\fs", half);
            changed = true;
        }
        change(f.bold != bold, "\\b", "\\b0", f.bold);
        change(f.italic != italic, "\\i", "\\i0", f.italic);
        change(f.underline != underline, "\\ul", "\\ulnone", f.underline);
        change(f.strikethrough != strike, "\\strike", "\\strike0", f.strikethrough);
        bold = f.bold;
        italic = f.italic;
        underline = f.underline;
        strike = f.strikethrough;
        if (tables.runColour[r] != colour) {
            colour = tables.runColour[r];
            out.word("\\cf", colour);
            changed = true;
        }
        if (changed) out.put(' ');
        first = false;
        if (f.figure) {
            // Each object character of the run is the figure; anything else is text.
            std::size_t start = 0;
            for (std::size_t at = runText.find(kObjectCharacter); at != std::u16string_view::npos;
                 at = runText.find(kObjectCharacter, start)) {
                writeText(runText.substr(start, at - start));
                out.picture(*f.figure);
                start = at + 1;
            }
            writeText(runText.substr(start));
            continue;
        }
        writeText(runText);
    }
    // A rich-edit control ends the document with one more \par, which readers drop.
    out.put("\\par\r\n}\r\n");
    return out.finish();
}

std::string writeRtf(const StyledText& text) {
    std::string rtf;
    // Reserved whole, so that a manuscript of photos is made without growing, and copying, it.
    rtf.reserve(text.length() * 4 + text.runs().size() * 64 + 512 + pictureRoom(text));
    writeRtf(text, stringSink(rtf));
    return rtf;
}

}  // namespace pennory::text
