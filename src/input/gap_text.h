#pragma once
// A text kept with a gap where it was last edited, so that typing in one place moves nothing
// but the gap's edge; an edit elsewhere moves the gap there first, by the distance between.

#include <cstddef>
#include <string>
#include <string_view>

namespace pennory::input {

class GapText {
public:
    void assign(std::u16string text);
    std::size_t size() const { return m_buffer.size() - gapLength(); }
    char16_t operator[](std::size_t at) const {
        return m_buffer[at < m_gapStart ? at : at + gapLength()];
    }
    // Replaces `removed` units at `start` (both within the text) by `inserted`.
    void replace(std::size_t start, std::size_t removed, std::u16string_view inserted);
    // The units [start, start + length): a view into the text when they lie on one side of
    // the gap, else a copy kept in `room`.
    std::u16string_view range(std::size_t start, std::size_t length, std::u16string& room) const;
    std::u16string text() const;

private:
    std::size_t gapLength() const { return m_gapEnd - m_gapStart; }
    void moveGapTo(std::size_t at);
    void widenGap(std::size_t atLeast);

    std::u16string m_buffer;  // the text, with the gap [m_gapStart, m_gapEnd) in it
    std::size_t m_gapStart = 0;
    std::size_t m_gapEnd = 0;
};

}  // namespace pennory::input
