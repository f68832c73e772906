#pragma once
// Finding a pattern in the plain text of a rich-text box: literally or as an ICU regular
// expression, with or without telling case and width apart, optionally whole Latin words only.
//
// Positions count UTF-16 units of the text searched. Folding never changes a length: each unit
// folds to one unit (text::foldWidth, foldCase), so a match in the folded text is a match at the
// same place in the text itself.
//
// A match never holds the object character U+FFFC (a figure) and is never empty.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pennory::text {

struct SearchOptions {
    bool matchCase = false;   // 区分大小写
    bool matchWidth = false;  // 区分全角半角
    bool wholeWord = false;   // 全字匹配: the match neither begins nor ends inside a Latin word
    bool regex = false;       // 正则表达式

    bool operator==(const SearchOptions&) const = default;
};

struct Match {
    std::size_t start = 0;
    std::size_t length = 0;
    // Regular expressions: the span of each capture group from 1; a group that took no part
    // is nullopt.
    std::vector<std::optional<std::pair<std::size_t, std::size_t>>> groups;

    std::size_t end() const { return start + length; }
};

// The one-width form of a unit: full-width ASCII (U+FF01–FF5E) becomes ASCII, the ideographic
// space a space, 。 and the half-width ｡ a full stop, the half-width ､ ｢ ｣ their full-width
// 、「」, the full-width signs ￠￡￢￣￤￥￦ their narrow twins. Every other unit stays.
char16_t foldWidth(char16_t unit);
// The simple case folding of a unit; a unit that would fold outside the basic plane, and
// surrogates, stay.
char16_t foldCase(char16_t unit);
// A letter or digit of a Latin word: ASCII, full-width and Latin-1 to Latin Extended-B.
bool isLatinWordUnit(char16_t unit);

class TextSearch {
public:
    // The search, or a Chinese message saying why the pattern cannot be searched for (it is
    // empty, or not a valid regular expression).
    static std::variant<TextSearch, std::u16string> compile(std::u16string_view pattern,
                                                            const SearchOptions& options);
    ~TextSearch();
    TextSearch(TextSearch&&) noexcept;
    TextSearch& operator=(TextSearch&&) noexcept;

    const std::u16string& pattern() const { return m_pattern; }
    const SearchOptions& options() const { return m_options; }

    // The first match beginning at from or later.
    std::optional<Match> findFrom(std::u16string_view text, std::size_t from) const;
    // Every match, from the start, none overlapping the one before.
    std::vector<Match> findAll(std::u16string_view text) const;
    // The match beginning exactly at start, if the search finds one there.
    std::optional<Match> matchAt(std::u16string_view text, std::size_t start) const;

    // What a match gives way to. For a regular expression, $n stands for group n (nothing when
    // the group took no part or does not exist), \$ for $ and \\ for \; otherwise replacement
    // is taken as it is.
    std::u16string replacementFor(std::u16string_view text, const Match& match,
                                  std::u16string_view replacement) const;

private:
    struct Regex;
    TextSearch(std::u16string_view pattern, const SearchOptions& options);
    std::u16string folded(std::u16string_view text) const;
    bool acceptable(std::u16string_view text, const Match& match) const;
    // Scans from from; stopAtFirst ends after one match.
    std::vector<Match> scan(std::u16string_view text, std::size_t from, bool stopAtFirst) const;
    std::vector<Match> scanLiteral(std::u16string_view text, std::size_t from,
                                   bool stopAtFirst) const;

    std::u16string m_pattern;
    std::u16string m_foldedPattern;  // literal searches
    SearchOptions m_options;
    std::unique_ptr<Regex> m_regex;
};

// A match found going forwards from a place, continuing from the start when there is none
// after it.
struct FoundMatch {
    Match match;
    bool wrapped = false;
};
std::optional<FoundMatch> findNext(const TextSearch& search, std::u16string_view text,
                                   std::size_t from);

}  // namespace pennory::text
