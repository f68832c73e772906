#pragma once
// What a reader could not keep of a document: the kinds of content it dropped while the rest
// was read. The caller tells the writer in words of its own.

#include <cstdint>
#include <vector>

namespace pennory::text {

// In the order a notice lists them.
enum class LeftOut : std::uint8_t {
    Pictures,         // pictures and drawings
    Objects,          // embedded objects
    Tables,           // a table's structure (the cells' text is kept, tab-separated)
    Footnotes,        // footnotes and endnotes
    HeadersFooters,   // page headers and footers
    Comments,         // the reviewers' comments
    PageLayout,       // page size, margins and orientation (DOCX sections, ODT page layouts)
    UnshownPictures,  // pictures kept as placeholders: a form Pennory cannot show, or too large
};

// A set of LeftOut kinds; empty when everything was kept.
class LeftOutKinds {
public:
    void add(LeftOut kind) { m_bits |= bit(kind); }
    bool has(LeftOut kind) const { return (m_bits & bit(kind)) != 0; }
    bool empty() const { return m_bits == 0; }
    // The kinds present, in the enum's order.
    std::vector<LeftOut> list() const;

    bool operator==(const LeftOutKinds&) const = default;

private:
    static constexpr std::uint32_t bit(LeftOut kind) {
        return std::uint32_t{1} << static_cast<unsigned>(kind);
    }
    std::uint32_t m_bits = 0;
};

}  // namespace pennory::text
