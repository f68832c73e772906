#include "platform/text/rtf_writer.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "platform/text/cp936_tables.h"

namespace pennory::text {
namespace {

constexpr char kHex[] = "0123456789abcdef";
// The most bytes one UTF-16 unit can become: \u-32768? is nine.
constexpr std::size_t kMaxBytesPerUnit = 9;

// Appends to a string through a raw pointer; room is made per run, not per character.
class Output {
public:
    void reserve(std::size_t extra) {
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
    std::string take() {
        m_buffer.resize(m_pos);
        return std::move(m_buffer);
    }

private:
    std::string m_buffer;
    std::size_t m_pos = 0;
};

// Characters: code page 936 ones as \'hh bytes, printable ASCII as itself, CR LF as \par,
// everything else as \uN? so that no character is lost or changed.
void writeChars(Output& out, std::u16string_view text, bool inFontTable) {
    const cp936::Tables& tables = cp936::Tables::get();
    // Enough for the whole text: every unit takes at most kMaxBytesPerUnit bytes.
    out.reserve(text.size() * kMaxBytesPerUnit + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0x20 && c < 0x7F) {
            if (inFontTable && (c == '\\' || c == '{' || c == '}' || c == ';')) {
                out.hexByte(c);  // a literal ';' would end the name
            } else if (c == '\\' || c == '{' || c == '}') {
                out.putUnchecked('\\');
                out.putUnchecked(static_cast<char>(c));
            } else {
                out.putUnchecked(static_cast<char>(c));
            }
            continue;
        }
        if (c == u'\r' && !inFontTable && i + 1 < text.size() && text[i + 1] == u'\n') {
            out.put("\\par\r\n");
            ++i;
            continue;
        }
        if (c == u'\t' && !inFontTable) {
            out.put("\\tab ");
            continue;
        }
        const std::uint16_t bytes = tables.bytesOf(c);
        if (bytes == cp936::Tables::kNoBytes) {
            out.put("\\u");
            out.number(static_cast<std::int16_t>(c));
            out.put('?');
        } else if (bytes < 0x100) {
            out.hexByte(bytes);
        } else {
            out.hexByte(bytes >> 8);
            out.hexByte(bytes & 0xFF);
        }
    }
}

int halfPointsOf(float sizePt) {
    if (!std::isfinite(sizePt)) return 24;
    const long half = std::lround(static_cast<double>(sizePt) * 2.0);
    return static_cast<int>(std::clamp(half, 1L, 32767L));
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

}  // namespace

std::string writeRtf(const StyledText& text) {
    const Tables tables = collectTables(text);
    Output out;
    out.reserve(text.length() * 4 + tables.fonts.size() * 64 + tables.colours.size() * 32 + 256);

    out.put("{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl");
    for (std::size_t i = 0; i < tables.fonts.size(); ++i) {
        out.put("{");
        out.word("\\f", static_cast<long>(i));
        out.put("\\fnil\\fcharset134 ");
        writeChars(out, tables.fonts[i], true);
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
    out.put("}\r\n\\viewkind4\\uc1\\pard");

    // What a reader assumes after \pard: the default font, 12 pt, no emphasis, automatic colour.
    int font = 0;
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
    int colour = 0;
    bool first = true;
    const auto& runs = text.runs();
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const CharFormat& f = runs[r].format;
        bool changed = false;
        auto change = [&](bool differs, std::string_view on, std::string_view off, bool value) {
            if (!differs) return;
            out.put(value ? on : off);
            changed = true;
        };
        if (first || tables.runFont[r] != font) {
            font = tables.runFont[r];
            out.word("\\f", font);
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
        writeChars(out, runs[r].text, false);
    }
    // A rich-edit control ends the document with one more \par, which readers drop.
    out.put("\\par\r\n}\r\n");
    return out.take();
}

}  // namespace pennory::text
