#include "platform/text/text_replacements.h"

#include <algorithm>

namespace pennory::text {

bool orderReplacements(std::vector<Replacement>& replacements, std::size_t textLength) {
    std::stable_sort(replacements.begin(), replacements.end(),
                     [](const Replacement& a, const Replacement& b) {
                         if (a.start != b.start) return a.start < b.start;
                         return a.length == 0 && b.length != 0;
                     });
    std::size_t end = 0;
    for (const Replacement& r : replacements) {
        if (r.start < end || r.start > textLength || r.length > textLength - r.start) {
            return false;
        }
        end = r.start + r.length;
    }
    return true;
}

std::optional<std::size_t> formatSource(const Replacement& replacement, std::size_t textLength) {
    if (textLength == 0) return std::nullopt;
    if (replacement.length > 0 || replacement.start == 0) return replacement.start;
    return replacement.start - 1;
}

StyledText applyReplacements(const StyledText& span, std::size_t spanStart,
                             std::span<const Replacement> ordered) {
    // Seeded with the text before the first replacement, so that the paragraph it starts in
    // keeps its format.
    std::size_t kept = ordered.empty() ? span.length() : ordered.front().start - spanStart;
    StyledText out = span.slice(0, kept);
    for (const Replacement& r : ordered) {
        const std::size_t at = r.start - spanStart;
        out.append(span.slice(kept, at - kept));
        out.append(r.text, r.format.value_or(CharFormat{}));
        kept = at + r.length;
    }
    out.append(span.slice(kept, SIZE_MAX));
    return out;
}

std::size_t positionAfter(std::size_t position, std::span<const Replacement> ordered) {
    long long shift = 0;
    for (const Replacement& r : ordered) {
        if (position <= r.start) break;
        if (position < r.start + r.length) {
            return static_cast<std::size_t>(static_cast<long long>(r.start) + shift) +
                   r.text.size();
        }
        shift += static_cast<long long>(r.text.size()) - static_cast<long long>(r.length);
    }
    return static_cast<std::size_t>(static_cast<long long>(position) + shift);
}

}  // namespace pennory::text
