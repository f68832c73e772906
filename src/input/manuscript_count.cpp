#include "input/manuscript_count.h"

#include <algorithm>

namespace pennory::input {

namespace {

bool isHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

void ManuscriptCount::reset(std::u16string text) {
    m_total = countText(text);
    m_text.assign(std::move(text));
}

bool ManuscriptCount::apply(std::size_t start, std::size_t removed, std::u16string_view inserted) {
    if (start > m_text.size() || removed > m_text.size() - start) return false;
    std::size_t from = start;
    std::size_t to = start + removed;
    widen(from, to);
    std::u16string room;
    m_total -= countText(m_text.range(from, to - from, room));
    m_text.replace(start, removed, inserted);
    const std::size_t newTo = to - removed + inserted.size();
    m_total += countText(m_text.range(from, newTo - from, room));
    return true;
}

TextCount ManuscriptCount::countRange(std::size_t start, std::size_t length) const {
    start = std::min(start, m_text.size());
    length = std::min(length, m_text.size() - start);
    std::u16string room;
    return countText(m_text.range(start, length, room));
}

void ManuscriptCount::widen(std::size_t& from, std::size_t& to) const {
    const GapText& text = m_text;
    // Leftwards: take the whole code point before the edge while it is an other character
    // or the edge splits it.
    while (from > 0) {
        std::size_t begin = from - 1;
        char32_t c = text[begin];
        if (isLow(text[begin]) && begin > 0 && isHigh(text[begin - 1])) {
            --begin;
            c = 0x10000 + ((char32_t(text[begin]) - 0xD800) << 10) + (text[begin + 1] - 0xDC00);
        }
        const bool splits = from < text.size() && isLow(text[from]) && isHigh(text[from - 1]);
        if (!splits && classify(c) != CharClass::Other) break;
        from = begin;
    }
    while (to < text.size()) {
        std::size_t end = to + 1;
        char32_t c = text[to];
        if (isHigh(text[to]) && end < text.size() && isLow(text[end])) {
            c = 0x10000 + ((char32_t(text[to]) - 0xD800) << 10) + (text[end] - 0xDC00);
            ++end;
        }
        const bool splits = to > 0 && isLow(text[to]) && isHigh(text[to - 1]);
        if (!splits && classify(c) != CharClass::Other) break;
        to = end;
    }
}

}  // namespace pennory::input
