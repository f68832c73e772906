#include "platform/text/styled_text.h"

#include <algorithm>

namespace pennory::text {

namespace {

// Line breaks completed in text when the text before it ended in a CR (or not).
std::size_t breaksIn(std::u16string_view text, bool afterCr) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i > 0 ? text[i - 1] == u'\r' : afterCr)) ++n;
    }
    return n;
}

}  // namespace

StyledText::StyledText(std::u16string plain, CharFormat format,
                       const ParagraphFormat& paragraph) {
    m_paragraphs.front() = paragraph;
    append(plain, format);
}

void StyledText::appendRun(std::u16string_view text, const CharFormat& format) {
    if (!m_runs.empty() && m_runs.back().format == format) {
        m_runs.back().text.append(text);
    } else {
        m_runs.push_back({std::u16string(text), format});
    }
}

void StyledText::append(std::u16string_view text, const CharFormat& format) {
    if (text.empty()) return;
    const bool afterCr = !m_runs.empty() && m_runs.back().text.back() == u'\r';
    const std::size_t breaks = breaksIn(text, afterCr);
    const ParagraphFormat last = m_paragraphs.back();
    m_paragraphs.insert(m_paragraphs.end(), breaks, last);
    appendRun(text, format);
}

void StyledText::append(const StyledText& other) {
    if (other.m_runs.empty()) return;
    const bool afterCr = !m_runs.empty() && m_runs.back().text.back() == u'\r';
    // A CR ending this text and an LF opening the other make one more break, in the format
    // of the paragraph it ends.
    if (afterCr && other.m_runs.front().text.front() == u'\n') {
        m_paragraphs.push_back(m_paragraphs.back());
    }
    m_paragraphs.insert(m_paragraphs.end(), other.m_paragraphs.begin() + 1,
                        other.m_paragraphs.end());
    for (const auto& run : other.m_runs) appendRun(run.text, run.format);
}

void StyledText::setParagraphFormat(std::size_t paragraph, const ParagraphFormat& format) {
    if (paragraph < m_paragraphs.size()) m_paragraphs[paragraph] = format;
}

std::size_t StyledText::paragraphAt(std::size_t position) const {
    std::size_t pos = 0;
    std::size_t breaks = 0;
    bool afterCr = false;
    for (const auto& run : m_runs) {
        if (pos >= position) break;
        const std::size_t take = std::min(run.text.size(), position - pos);
        const std::u16string_view part = std::u16string_view(run.text).substr(0, take);
        breaks += breaksIn(part, afterCr);
        afterCr = part.back() == u'\r';
        pos += take;
    }
    return breaks;
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
            out.appendRun(std::u16string_view(run.text).substr(from, to - from), run.format);
        }
        pos = runEnd;
        if (pos >= end) break;
    }
    const std::size_t first = paragraphAt(start);
    const std::size_t breaks = breaksIn(out.plainText(), false);
    out.m_paragraphs.assign(m_paragraphs.begin() + static_cast<std::ptrdiff_t>(first),
                            m_paragraphs.begin() + static_cast<std::ptrdiff_t>(first + breaks + 1));
    return out;
}

}  // namespace pennory::text
