#pragma once
// The manuscript's count kept up to date edit by edit. It holds a copy of the text and, for
// each edit, recounts only the stretch around it that a run of other characters could join:
// from the blank, line break or CJK character before the edit to the one after it. A
// keystroke thus costs the length of the word it touches, wherever it is in the book: the
// copy keeps a gap where it was last edited.

#include <string>
#include <string_view>

#include "input/gap_text.h"
#include "input/word_count.h"

namespace pennory::input {

class ManuscriptCount {
public:
    // Forgets everything and counts text afresh.
    void reset(std::u16string text);
    // Replaces removed units at start by inserted. Returns false, changing nothing, when the
    // edit does not fit the text; the caller then resets from the whole text.
    bool apply(std::size_t start, std::size_t removed, std::u16string_view inserted);

    const TextCount& total() const { return m_total; }
    // The count of the units [start, start + length) taken as a text of their own.
    TextCount countRange(std::size_t start, std::size_t length) const;
    std::size_t size() const { return m_text.size(); }
    std::u16string text() const { return m_text.text(); }

private:
    // Moves the edges outwards until each touches a character that ends any run.
    void widen(std::size_t& from, std::size_t& to) const;

    GapText m_text;
    TextCount m_total;
};

}  // namespace pennory::input
