#include "input/punctuation.h"

#include <optional>

#include "platform/text/cjk_characters.h"

namespace pennory::input {

namespace {

std::optional<char16_t> fullWidthOf(char16_t unit) {
    switch (unit) {
        case u',':
            return u'，';
        case u'.':
            return u'。';
        case u';':
            return u'；';
        case u':':
            return u'：';
        case u'?':
            return u'？';
        case u'!':
            return u'！';
        case u'(':
            return u'（';
        case u')':
            return u'）';
        default:
            return std::nullopt;
    }
}

bool isSpace(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\u3000'; }
bool isLineEnd(char16_t unit) { return unit == u'\r' || unit == u'\n'; }
bool isSentenceMark(char16_t unit) { return unit != u'(' && unit != u')' && fullWidthOf(unit); }

// The code point whose units include position at, read whole across a surrogate pair.
char32_t codePointAt(std::u16string_view text, std::size_t at) {
    const char16_t unit = text[at];
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
        text[at + 1] <= 0xDFFF) {
        return 0x10000 + ((unit - 0xD800) << 10) + (text[at + 1] - 0xDC00);
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF && at > 0 && text[at - 1] >= 0xD800 &&
        text[at - 1] <= 0xDBFF) {
        return 0x10000 + ((text[at - 1] - 0xD800) << 10) + (unit - 0xDC00);
    }
    return unit;
}

bool isChinese(std::u16string_view text, std::size_t at) {
    return text::isEastAsianCharacter(codePointAt(text, at));
}

// The nearest non-space unit before at on its line; nullopt at the line's start.
std::optional<std::size_t> before(std::u16string_view text, std::size_t at) {
    while (at > 0) {
        const char16_t unit = text[--at];
        if (isLineEnd(unit)) return std::nullopt;
        if (!isSpace(unit)) return at;
    }
    return std::nullopt;
}

std::optional<std::size_t> after(std::u16string_view text, std::size_t at) {
    while (++at < text.size()) {
        const char16_t unit = text[at];
        if (isLineEnd(unit)) return std::nullopt;
        if (!isSpace(unit)) return at;
    }
    return std::nullopt;
}

}  // namespace

std::vector<text::Replacement> fullWidthPunctuation(std::u16string_view text) {
    std::vector<text::Replacement> out;
    std::optional<std::size_t> lastTurned;
    auto chineseOrTurned = [&](std::optional<std::size_t> at) {
        return at && (isChinese(text, *at) || lastTurned == at);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const auto twin = fullWidthOf(unit);
        if (!twin) continue;
        const auto prev = before(text, i);
        const auto next = after(text, i);
        bool turn = false;
        if (unit == u'(') {
            turn = next && isChinese(text, *next) && (!prev || isChinese(text, *prev));
        } else {
            const bool nextFits = !next || isChinese(text, *next) || isSentenceMark(text[*next]) ||
                                  text[*next] == u')';
            turn = chineseOrTurned(prev) && nextFits;
            if (unit == u'.' &&
                ((i > 0 && text[i - 1] == u'.') || (i + 1 < text.size() && text[i + 1] == u'.'))) {
                turn = false;
            }
        }
        if (turn) {
            out.push_back({i, 1, std::u16string(1, *twin), std::nullopt});
            lastTurned = i;
        }
    }
    return out;
}

std::vector<text::Replacement> halfWidthLettersAndDigits(std::u16string_view text) {
    std::vector<text::Replacement> out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if ((unit >= u'０' && unit <= u'９') || (unit >= u'Ａ' && unit <= u'Ｚ') ||
            (unit >= u'ａ' && unit <= u'ｚ')) {
            out.push_back(
                {i, 1, std::u16string(1, static_cast<char16_t>(unit - 0xFEE0)), std::nullopt});
        }
    }
    return out;
}

}  // namespace pennory::input
