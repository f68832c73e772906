#include "platform/text/text_search.h"

#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdio>

namespace pennory::text {

namespace {

constexpr char16_t kObject = u'\uFFFC';
// Steps of ICU's matching engine (in the order of milliseconds) before a search that backtracks
// without end gives up.
constexpr int32_t kRegexStepLimit = 5000;

bool isFolded(char16_t unit) { return foldWidth(unit) != unit; }

// A pattern made for the width-folded text: every unit that folds becomes its folded twin
// spelled as \x{…}, so a full-width （ stays the literal it was typed as instead of opening a
// group. An escaped unit that folds (\（) is the same literal.
std::u16string foldRegexPattern(std::u16string_view pattern) {
    std::u16string out;
    auto literal = [&out](char16_t unit) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "\\x{%04X}", static_cast<unsigned>(unit));
        for (const char* p = buffer; *p; ++p) out.push_back(static_cast<char16_t>(*p));
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char16_t unit = pattern[i];
        if (unit == u'\\' && i + 1 < pattern.size()) {
            const char16_t next = pattern[i + 1];
            if (isFolded(next)) {
                literal(foldWidth(next));
            } else {
                out.push_back(unit);
                out.push_back(next);
            }
            ++i;
        } else if (isFolded(unit)) {
            literal(foldWidth(unit));
        } else {
            out.push_back(unit);
        }
    }
    return out;
}

}  // namespace

char16_t foldWidth(char16_t unit) {
    if (unit >= 0xFF01 && unit <= 0xFF5E) return static_cast<char16_t>(unit - 0xFF01 + 0x21);
    switch (unit) {
        case 0x3000:
            return u' ';
        case 0x3002:
            return u'.';  // 。
        case 0xFF61:
            return u'.';  // ｡
        case 0xFF62:
            return u'「';
        case 0xFF63:
            return u'」';
        case 0xFF64:
            return u'、';
        case 0xFFE0:
            return u'\u00A2';
        case 0xFFE1:
            return u'\u00A3';
        case 0xFFE2:
            return u'\u00AC';
        case 0xFFE3:
            return u'\u00AF';
        case 0xFFE4:
            return u'\u00A6';
        case 0xFFE5:
            return u'\u00A5';
        case 0xFFE6:
            return u'\u20A9';
        default:
            return unit;
    }
}

char16_t foldCase(char16_t unit) {
    if (unit < 0x80) return (unit >= u'A' && unit <= u'Z') ? unit + 0x20 : unit;
    if (unit >= 0xD800 && unit <= 0xDFFF) return unit;
    const UChar32 folded = u_foldCase(unit, U_FOLD_CASE_DEFAULT);
    return folded <= 0xFFFF ? static_cast<char16_t>(folded) : unit;
}

bool isLatinWordUnit(char16_t unit) {
    const char16_t narrow = (unit >= 0xFF01 && unit <= 0xFF5E) ? foldWidth(unit) : unit;
    if ((narrow >= u'0' && narrow <= u'9') || (narrow >= u'A' && narrow <= u'Z') ||
        (narrow >= u'a' && narrow <= u'z')) {
        return true;
    }
    // Latin-1 letters (not × and ÷) to Latin Extended-B.
    return narrow >= 0xC0 && narrow <= 0x24F && narrow != 0xD7 && narrow != 0xF7;
}

struct TextSearch::Regex {
    std::unique_ptr<icu::RegexPattern> pattern;
};

TextSearch::TextSearch(std::u16string_view pattern, const SearchOptions& options)
    : m_pattern(pattern), m_options(options) {}
TextSearch::~TextSearch() = default;
TextSearch::TextSearch(TextSearch&&) noexcept = default;
TextSearch& TextSearch::operator=(TextSearch&&) noexcept = default;

std::variant<TextSearch, std::u16string> TextSearch::compile(std::u16string_view pattern,
                                                             const SearchOptions& options) {
    if (pattern.empty()) return std::u16string(u"请输入要查找的内容。");
    TextSearch search(pattern, options);
    if (!options.regex) {
        search.m_foldedPattern = search.folded(pattern);
        return search;
    }
    const std::u16string source =
        options.matchWidth ? std::u16string(pattern) : foldRegexPattern(pattern);
    UErrorCode status = U_ZERO_ERROR;
    UParseError where{};
    const uint32_t flags = options.matchCase ? 0 : UREGEX_CASE_INSENSITIVE;
    auto compiled = std::unique_ptr<icu::RegexPattern>(icu::RegexPattern::compile(
        icu::UnicodeString(source.data(), static_cast<int32_t>(source.size())), flags, where,
        status));
    if (U_FAILURE(status) || !compiled) {
        return std::u16string(u"正则表达式“") + std::u16string(pattern) + u"”有误，无法查找。";
    }
    search.m_regex = std::make_unique<Regex>();
    search.m_regex->pattern = std::move(compiled);
    return search;
}

std::u16string TextSearch::folded(std::u16string_view text) const {
    std::u16string out(text);
    if (!m_options.matchWidth) {
        for (auto& unit : out) unit = foldWidth(unit);
    }
    // A regular expression folds case itself, group by group.
    if (!m_options.matchCase && !m_options.regex) {
        for (auto& unit : out) unit = foldCase(unit);
    }
    return out;
}

bool TextSearch::acceptable(std::u16string_view text, const Match& match) const {
    if (match.length == 0) return false;
    const auto span = text.substr(match.start, match.length);
    if (span.find(kObject) != std::u16string_view::npos) return false;
    if (m_options.wholeWord) {
        const bool startsInWord = match.start > 0 && isLatinWordUnit(text[match.start - 1]) &&
                                  isLatinWordUnit(text[match.start]);
        const bool endsInWord = match.end() < text.size() && isLatinWordUnit(text[match.end()]) &&
                                isLatinWordUnit(text[match.end() - 1]);
        if (startsInWord || endsInWord) return false;
    }
    return true;
}

std::vector<Match> TextSearch::scanLiteral(std::u16string_view text, std::size_t from,
                                           bool stopAtFirst) const {
    // The text is folded a window at a time, so that a match near from is found without
    // folding the rest of a book. A window overlaps the next by the pattern's length less
    // one; a hit starting in the overlap is left to the next window.
    constexpr std::size_t kWindow = 1 << 16;
    const bool fold = !m_options.matchWidth || !m_options.matchCase;
    const std::size_t n = m_foldedPattern.size();
    std::vector<Match> found;
    std::u16string window;
    std::size_t at = from;
    while (at + n <= text.size()) {
        std::u16string_view haystack = text.substr(at, std::min(text.size() - at, kWindow + n - 1));
        if (fold) {
            window = folded(haystack);
            haystack = window;
        }
        std::size_t next = 0;  // in the window
        for (;;) {
            const std::size_t hit = haystack.find(m_foldedPattern, next);
            if (hit == std::u16string_view::npos || hit >= kWindow) break;
            Match match{at + hit, n, {}};
            if (acceptable(text, match)) {
                found.push_back(std::move(match));
                if (stopAtFirst) return found;
                next = hit + n;
            } else {
                next = hit + 1;
            }
        }
        at += std::max(next, kWindow);
    }
    return found;
}

std::vector<Match> TextSearch::scan(std::u16string_view text, std::size_t from,
                                    bool stopAtFirst) const {
    std::vector<Match> found;
    if (from >= text.size()) return found;
    if (!m_regex) return scanLiteral(text, from, stopAtFirst);
    // Folding a regular expression's text is needed only where widths are told apart, and the
    // whole text is folded, since the expression may look behind from.
    const bool fold = !m_options.matchWidth;
    const std::u16string foldedText = fold ? folded(text) : std::u16string();
    const std::u16string_view haystack = fold ? std::u16string_view(foldedText) : text;

    UErrorCode status = U_ZERO_ERROR;
    // A read-only alias: the text is not copied.
    const icu::UnicodeString input(false, haystack.data(), static_cast<int32_t>(haystack.size()));
    std::unique_ptr<icu::RegexMatcher> matcher(m_regex->pattern->matcher(input, status));
    if (U_FAILURE(status) || !matcher) return found;
    matcher->setTimeLimit(kRegexStepLimit, status);
    int64_t at = static_cast<int64_t>(from);
    while (at < static_cast<int64_t>(haystack.size())) {
        status = U_ZERO_ERROR;
        if (!matcher->find(at, status) || U_FAILURE(status)) break;
        const auto start = static_cast<std::size_t>(matcher->start(status));
        const auto end = static_cast<std::size_t>(matcher->end(status));
        Match match{start, end - start, {}};
        if (!acceptable(text, match)) {
            at = static_cast<int64_t>(start) + 1;
            continue;
        }
        for (int32_t g = 1; g <= matcher->groupCount(); ++g) {
            const int64_t gs = matcher->start64(g, status);
            if (gs < 0) {
                match.groups.push_back(std::nullopt);
            } else {
                match.groups.push_back(
                    std::pair{static_cast<std::size_t>(gs),
                              static_cast<std::size_t>(matcher->end64(g, status))});
            }
        }
        found.push_back(std::move(match));
        if (stopAtFirst) break;
        at = static_cast<int64_t>(end);
    }
    return found;
}

std::optional<Match> TextSearch::findFrom(std::u16string_view text, std::size_t from) const {
    auto found = scan(text, from, true);
    if (found.empty()) return std::nullopt;
    return std::move(found.front());
}

std::vector<Match> TextSearch::findAll(std::u16string_view text) const {
    return scan(text, 0, false);
}

std::optional<Match> TextSearch::matchAt(std::u16string_view text, std::size_t start) const {
    auto match = findFrom(text, start);
    if (!match || match->start != start) return std::nullopt;
    return match;
}

std::u16string TextSearch::replacementFor(std::u16string_view text, const Match& match,
                                          std::u16string_view replacement) const {
    if (!m_regex) return std::u16string(replacement);
    std::u16string out;
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        const char16_t unit = replacement[i];
        if (unit == u'\\' && i + 1 < replacement.size()) {
            out.push_back(replacement[++i]);
        } else if (unit == u'$' && i + 1 < replacement.size() && replacement[i + 1] >= u'0' &&
                   replacement[i + 1] <= u'9') {
            // As ICU reads it: the longest run of digits that still names a group.
            std::size_t group = replacement[++i] - u'0';
            while (i + 1 < replacement.size() && replacement[i + 1] >= u'0' &&
                   replacement[i + 1] <= u'9' &&
                   group * 10 + (replacement[i + 1] - u'0') <= match.groups.size()) {
                group = group * 10 + (replacement[++i] - u'0');
            }
            if (group == 0) {
                out.append(text.substr(match.start, match.length));
            } else if (group <= match.groups.size() && match.groups[group - 1]) {
                const auto [s, e] = *match.groups[group - 1];
                out.append(text.substr(s, e - s));
            }
        } else {
            out.push_back(unit);
        }
    }
    return out;
}

std::optional<FoundMatch> findNext(const TextSearch& search, std::u16string_view text,
                                   std::size_t from) {
    if (auto match = search.findFrom(text, from)) return FoundMatch{std::move(*match), false};
    if (from == 0) return std::nullopt;
    if (auto match = search.findFrom(text, 0)) return FoundMatch{std::move(*match), true};
    return std::nullopt;
}

}  // namespace pennory::text
