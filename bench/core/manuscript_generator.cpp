#include "manuscript_generator.h"

#include <random>
#include <string_view>
#include <vector>

#include "platform/text/code_page_936.h"
#include "platform/text/plain_text.h"
#include "platform/text/rtf_writer.h"
#include "platform/text/utf8.h"

namespace pennory::bench {
namespace {

using text::CharFormat;
using text::StyledText;

constexpr std::u16string_view kPunctuation = u"，，，，。。、；：？！“”（）";
constexpr std::u16string_view kLatin[] = {u"LED", u"5V",      u"4.7kΩ", u"NE555",
                                          u"PCB", u"100μF",   u"IC",    u"MOSFET",
                                          u"12V", u"Arduino", u"0.1mm"};

// The characters of GB2312 level one (B0A1..D7F9), the common ones of written Chinese.
std::vector<char16_t> commonCharacters() {
    std::vector<char16_t> chars;
    for (int lead = 0xB0; lead <= 0xD7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const char16_t c =
                text::cp936::charOfCode(static_cast<std::int16_t>(lead * 256 + trail - 65536));
            if (c != u'\uFFFD' && c >= 0x4E00) chars.push_back(c);
        }
    }
    return chars;
}

class Writer {
public:
    explicit Writer(unsigned seed) : m_random(seed), m_chars(commonCharacters()) {}

    // About `chars` characters of text.
    StyledText manuscript(std::size_t chars) {
        StyledText out;
        CharFormat body;
        body.fontName = u"宋体";
        body.sizePt = 10.5f;
        std::size_t written = 0;
        int section = 1;
        while (written < chars) {
            CharFormat heading = body;
            heading.fontName = u"黑体";
            heading.sizePt = 14.0f;
            heading.bold = true;
            std::u16string title =
                u"第" + std::u16string(1, m_chars[section % m_chars.size()]) + u"节　";
            title += sentence(6, false);
            title += u"\r\n";
            out.append(title, heading);
            written += title.size();
            ++section;
            const int paragraphs = 3 + below(6);
            for (int p = 0; p < paragraphs && written < chars; ++p) {
                written += paragraph(out, body);
            }
        }
        return out;
    }

private:
    int below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    std::u16string sentence(int length, bool withLatin) {
        std::u16string s;
        for (int i = 0; i < length; ++i) {
            if (withLatin && below(40) == 0) {
                s += kLatin[below(static_cast<int>(std::size(kLatin)))];
            } else {
                s.push_back(
                    m_chars[static_cast<std::size_t>(below(static_cast<int>(m_chars.size())))]);
            }
        }
        return s;
    }

    // One paragraph in runs of a few dozen characters, some of them bold, coloured or larger.
    std::size_t paragraph(StyledText& out, const CharFormat& body) {
        std::size_t written = 0;
        const int runs = 2 + below(6);
        for (int r = 0; r < runs; ++r) {
            CharFormat f = body;
            switch (below(8)) {
                case 0:
                    f.bold = true;
                    break;
                case 1:
                    f.colour = text::rgb(255, 0, 0);
                    break;
                case 2:
                    f.sizePt = 12.0f;
                    break;
                case 3:
                    f.fontName = u"楷体";
                    break;
                case 4:
                    f.underline = true;
                    break;
                default:
                    break;
            }
            std::u16string run;
            const int sentences = 1 + below(3);
            for (int s = 0; s < sentences; ++s) {
                run += sentence(8 + below(30), true);
                run.push_back(kPunctuation[static_cast<std::size_t>(
                    below(static_cast<int>(kPunctuation.size())))]);
            }
            if (r + 1 == runs) run += u"\r\n";
            out.append(run, f);
            written += run.size();
        }
        return written;
    }

    std::mt19937 m_random;
    std::vector<char16_t> m_chars;
};

}  // namespace

// A Chinese character takes eight bytes of RTF (two \'hh); markup adds little.
text::StyledText generateManuscript(std::size_t rtfBytes, unsigned seed) {
    return Writer(seed).manuscript(rtfBytes / 8);
}

std::string manuscriptRtf(std::size_t rtfBytes, unsigned seed) {
    return text::writeRtf(generateManuscript(rtfBytes, seed));
}

std::string manuscriptGbk(std::size_t bytes, unsigned seed) {
    return text::encodePlainText(Writer(seed).manuscript(bytes / 2).plainText());
}

std::string manuscriptUtf8(std::size_t bytes, unsigned seed) {
    const std::u16string text = Writer(seed).manuscript(bytes / 3).plainText();
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        text::utf8::append(c, out);
    }
    return out;
}

}  // namespace pennory::bench
