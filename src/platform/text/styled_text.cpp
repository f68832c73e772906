#include "platform/text/styled_text.h"

#include <algorithm>

namespace pennory::text {

StyledText::StyledText(std::u16string plain, CharFormat format) {
    if (!plain.empty()) m_runs.push_back({std::move(plain), std::move(format)});
}

void StyledText::append(std::u16string_view text, const CharFormat& format) {
    if (text.empty()) return;
    if (!m_runs.empty() && m_runs.back().format == format) {
        m_runs.back().text.append(text);
    } else {
        m_runs.push_back({std::u16string(text), format});
    }
}

void StyledText::append(const StyledText& other) {
    for (const auto& run : other.m_runs) append(run.text, run.format);
}

std::u16string StyledText::plainText() const {
    std::u16string out;
    out.reserve(length());
    for (const auto& run : m_runs) out += run.text;
    return out;
}

std::size_t StyledText::length() const {
    std::size_t n = 0;
    for (const auto& run : m_runs) n += run.text.size();
    return n;
}

StyledText StyledText::slice(std::size_t start, std::size_t count) const {
    StyledText out;
    std::size_t pos = 0;
    const std::size_t end = start + std::min(count, SIZE_MAX - start);
    for (const auto& run : m_runs) {
        const std::size_t runEnd = pos + run.text.size();
        if (runEnd > start && pos < end) {
            const std::size_t from = std::max(start, pos) - pos;
            const std::size_t to = std::min(end, runEnd) - pos;
            out.append(std::u16string_view(run.text).substr(from, to - from), run.format);
        }
        pos = runEnd;
        if (pos >= end) break;
    }
    return out;
}

}  // namespace pennory::text
