#include "input/gap_text.h"

#include <algorithm>

namespace pennory::input {

namespace {

// The least room a new gap gets, and its share of the text: a whole manuscript is copied
// once per that many typed units at most.
constexpr std::size_t kLeastGap = 4096;
constexpr std::size_t kGapShare = 32;

}  // namespace

void GapText::assign(std::u16string text) {
    m_buffer = std::move(text);
    m_gapStart = m_gapEnd = m_buffer.size();
}

void GapText::moveGapTo(std::size_t at) {
    char16_t* data = m_buffer.data();
    if (at < m_gapStart) {
        std::copy_backward(data + at, data + m_gapStart, data + m_gapEnd);
    } else if (at > m_gapStart) {
        std::copy(data + m_gapEnd, data + m_gapEnd + (at - m_gapStart), data + m_gapStart);
    }
    m_gapEnd = at + gapLength();
    m_gapStart = at;
}

void GapText::widenGap(std::size_t atLeast) {
    const std::size_t extra = std::max({atLeast, kLeastGap, size() / kGapShare});
    const std::size_t tail = m_buffer.size() - m_gapEnd;
    m_buffer.resize(m_buffer.size() + extra);
    char16_t* data = m_buffer.data();
    std::copy_backward(data + m_gapEnd, data + m_gapEnd + tail, data + m_buffer.size());
    m_gapEnd += extra;
}

void GapText::replace(std::size_t start, std::size_t removed, std::u16string_view inserted) {
    moveGapTo(start);
    m_gapEnd += removed;
    if (inserted.size() > gapLength()) widenGap(inserted.size());
    std::copy(inserted.begin(), inserted.end(), m_buffer.begin() + m_gapStart);
    m_gapStart += inserted.size();
}

std::u16string_view GapText::range(std::size_t start, std::size_t length,
                                   std::u16string& room) const {
    const std::u16string_view all = m_buffer;
    if (start + length <= m_gapStart) return all.substr(start, length);
    if (start >= m_gapStart) return all.substr(start + gapLength(), length);
    room.assign(all.substr(start, m_gapStart - start));
    room.append(all.substr(m_gapEnd, start + length - m_gapStart));
    return room;
}

std::u16string GapText::text() const {
    std::u16string whole;
    whole.reserve(size());
    whole.append(m_buffer, 0, m_gapStart);
    whole.append(m_buffer, m_gapEnd);
    return whole;
}

}  // namespace pennory::input
