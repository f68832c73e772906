// Long paragraphs in the editor's document, and positions in it.
//
// QTextEdit lays out a paragraph whole and at once, but only the visible part of a document
// of many paragraphs. A paragraph longer than kLongParagraph is therefore kept as several
// blocks: each block after the first carries kSoftBreak, and its break is not part of the
// text. Positions count a paragraph break as two units of the text, a soft break as none.

#include "platform/qt/qt_soft_breaks.h"

#include <QTextBlock>
#include <algorithm>
#include <vector>

#include "platform/qt/qt_rich_text_document.h"

namespace pennory::platform::qt {

namespace {

// The blocks after a soft break, for documents the writer ever gave one; documents without
// one keep the plain arithmetic of positions.
//
// The index follows each change where it happened: the blocks the change touched are read
// again and the entries after them move by the change's length and block count, so that an
// edit costs the blocks it touched and the soft breaks after it, never the whole document.
// Should the document's counts ever disagree with what the changes told, it is read whole.
//
// It also keeps every edit from changing the kind of break before the block where the edit
// starts, which no edit means to: QTextDocument, removing a range from the start of a block
// into a later one, keeps the later block's format, so that removing from the start of a
// paragraph into its continuation would turn the paragraph break into a soft one.
class SoftBreakIndex : public QObject {
public:
    explicit SoftBreakIndex(QTextDocument* document) : QObject(document), m_document(document) {
        setObjectName(kName);
        connect(document, &QTextDocument::contentsChange, this,
                [this](int from, int removed, int added) { follow(from, removed, added); });
        // A change that came without its report (none should) shows in the counts.
        connect(document, &QTextDocument::contentsChanged, this, [this] {
            if (!m_repairing && !countsAgree()) m_valid = false;
        });
    }

    static SoftBreakIndex* of(const QTextDocument& document) {
        // Without a meta-object of its own, the index is found by name.
        return static_cast<SoftBreakIndex*>(
            document.findChild<QObject*>(kName, Qt::FindDirectChildrenOnly));
    }

    // Made before the first soft break goes in: until then, the document had none. Made in
    // the middle of an edit, it reads the document whole after the edit's report.
    static void attach(QTextDocument& document) {
        if (!of(document)) new SoftBreakIndex(&document);
    }

    // Block numbers, ascending. Asked before the index has followed a change (a listener
    // connected before it), it reads the document whole.
    const std::vector<int>& softBlocks() {
        if (!m_valid || !countsAgree()) rebuild();
        return m_numbers;
    }

private:
    struct Range {
        int start, end;  // document positions of the block, its separator included
    };

    bool countsAgree() const {
        return m_blocks == m_document->blockCount() && m_characters == m_document->characterCount();
    }

    void rebuild() {
        m_numbers.clear();
        m_ranges.clear();
        for (QTextBlock block = m_document->begin().next(); block.isValid(); block = block.next()) {
            if (block.blockFormat().boolProperty(kSoftBreak)) {
                m_numbers.push_back(block.blockNumber());
                m_ranges.push_back({block.position(), block.position() + block.length()});
            }
        }
        remember();
    }

    void remember() {
        m_blocks = m_document->blockCount();
        m_characters = m_document->characterCount();
        m_valid = true;
    }

    // m_ranges still describes the document before the change of [from, from + removed) into
    // [from, from + added).
    void follow(int from, int removed, int added) {
        if (m_repairing) return;
        keepBreakBefore(from);
        const bool fits = m_valid && m_attached && from >= 0 && removed >= 0 && added >= 0 &&
                          added - removed == m_document->characterCount() - m_characters;
        m_attached = true;
        if (!fits) {
            rebuild();
            return;
        }
        const QTextBlock first = m_document->findBlock(from);
        if (!first.isValid()) {
            rebuild();
            return;
        }
        // Entries of the blocks from the one holding from to the one starting at the end of
        // what went go; those after move.
        const int touchedFrom = first.position();
        const int touchedTo = from + removed;
        const int moved = added - removed;
        const int newBlocks = m_document->blockCount() - m_blocks;
        auto begin = std::lower_bound(m_ranges.begin(), m_ranges.end(), touchedFrom,
                                      [](const Range& r, int p) { return r.start < p; });
        auto end = std::upper_bound(begin, m_ranges.end(), touchedTo,
                                    [](int p, const Range& r) { return p < r.start; });
        const auto firstGone = begin - m_ranges.begin();
        const auto lastGone = end - m_ranges.begin();
        for (auto i = lastGone; i < static_cast<std::ptrdiff_t>(m_ranges.size()); ++i) {
            m_ranges[i].start += moved;
            m_ranges[i].end += moved;
            m_numbers[i] += newBlocks;
        }
        // The blocks the change touched, read afresh.
        std::vector<int> numbers;
        std::vector<Range> ranges;
        int number = first.blockNumber();
        for (QTextBlock block = first; block.isValid() && block.position() <= from + added;
             block = block.next(), ++number) {
            if (number > 0 && block.blockFormat().boolProperty(kSoftBreak)) {
                numbers.push_back(number);
                ranges.push_back({block.position(), block.position() + block.length()});
            }
        }
        m_ranges.erase(m_ranges.begin() + firstGone, m_ranges.begin() + lastGone);
        m_ranges.insert(m_ranges.begin() + firstGone, ranges.begin(), ranges.end());
        m_numbers.erase(m_numbers.begin() + firstGone, m_numbers.begin() + lastGone);
        m_numbers.insert(m_numbers.begin() + firstGone, numbers.begin(), numbers.end());
        remember();
    }

    void keepBreakBefore(int from) {
        auto after = std::upper_bound(m_ranges.begin(), m_ranges.end(), from,
                                      [](int p, const Range& r) { return p < r.start; });
        const bool wasSoft = after != m_ranges.begin() && from < std::prev(after)->end;
        const QTextBlock block = m_document->findBlock(from);
        if (block.isValid() && block.previous().isValid() &&
            block.blockFormat().boolProperty(kSoftBreak) != wasSoft) {
            m_repairing = true;
            QTextCursor cursor(block);
            QTextBlockFormat format = block.blockFormat();
            if (wasSoft) {
                format.setProperty(kSoftBreak, true);
            } else {
                format.clearProperty(kSoftBreak);
            }
            cursor.joinPreviousEditBlock();
            cursor.setBlockFormat(format);
            cursor.endEditBlock();
            m_repairing = false;
        }
    }

    static inline const QString kName = QStringLiteral("pennory-soft-breaks");
    QTextDocument* m_document;
    bool m_valid = true;
    bool m_attached = false;  // the first report after attaching may begin before it
    bool m_repairing = false;
    int m_blocks = 0;  // the document's counts as the index last followed it
    int m_characters = 0;
    std::vector<int> m_numbers;
    std::vector<Range> m_ranges;
};

// The soft breaks before block number n and after the first block, the last one included.
class SoftBreakCount {
public:
    explicit SoftBreakCount(const QTextDocument& document) {
        if (SoftBreakIndex* index = SoftBreakIndex::of(document)) {
            m_soft = &index->softBlocks();
            if (m_soft->empty()) m_soft = nullptr;
        }
    }
    int upTo(int n) const {
        if (!m_soft) return 0;
        return static_cast<int>(std::upper_bound(m_soft->begin(), m_soft->end(), n) -
                                m_soft->begin());
    }
    int total() const { return m_soft ? static_cast<int>(m_soft->size()) : 0; }

private:
    const std::vector<int>* m_soft = nullptr;
};

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }

// Where a long paragraph may be continued in the next block: after these, or anywhere.
bool goodBreakAfter(char16_t c) {
    return c == u' ' || c == u'\t' || (c >= 0x3001 && c <= 0x3003) ||
           (c >= 0x3008 && c <= 0x3011) || c == 0xFF01 || c == 0xFF09 || c == 0xFF0C ||
           c == 0xFF1A || c == 0xFF1B || c == 0xFF1F || c == u',' || c == u'.';
}

}  // namespace

std::size_t pieceLength(std::u16string_view text, std::size_t room) {
    constexpr std::size_t kLookBack = 128;
    for (std::size_t end = room; end > 0 && end + kLookBack > room; --end) {
        if (goodBreakAfter(text[end - 1])) return end;
    }
    return isHighSurrogate(text[room - 1]) ? room - 1 : room;
}

void followSoftBreaks(QTextDocument& document) { SoftBreakIndex::attach(document); }

void insertSoftBreak(QTextCursor& cursor, const QTextCharFormat& format) {
    SoftBreakIndex::attach(*cursor.document());
    QTextBlockFormat soft;
    soft.setProperty(kSoftBreak, true);
    cursor.insertBlock(soft, format);
}

bool isSoftBreak(const QTextBlock& block) {
    return block.blockFormat().boolProperty(kSoftBreak) && block.previous().isValid();
}

// ---- Positions

int documentEnd(const QTextDocument& document) { return document.characterCount() - 1; }

std::size_t textLength(const QTextDocument& document) {
    const SoftBreakCount soft(document);
    return static_cast<std::size_t>(documentEnd(document) + document.blockCount() - 1 -
                                    2 * soft.total());
}

std::size_t toTextPosition(const QTextDocument& document, int position) {
    position = std::clamp(position, 0, documentEnd(document));
    const int block = document.findBlock(position).blockNumber();
    return static_cast<std::size_t>(position + block - 2 * SoftBreakCount(document).upTo(block));
}

int toDocumentPosition(const QTextDocument& document, std::size_t position, Rounding rounding) {
    // Block n starts in the text at its document position + n, less two for each soft break
    // up to it. Find the first block whose text reaches the position.
    const SoftBreakCount soft(document);
    const auto target = static_cast<long long>(std::min(position, textLength(document)));
    auto textStart = [&](const QTextBlock& block, int n) {
        return static_cast<long long>(block.position() + n - 2 * soft.upTo(n));
    };
    int low = 0;
    int high = document.blockCount() - 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const QTextBlock block = document.findBlockByNumber(middle);
        if (textStart(block, middle) + block.length() - 1 >= target) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    const QTextBlock block = document.findBlockByNumber(low);
    const long long offset = target - textStart(block, low);
    if (offset >= 0) return block.position() + static_cast<int>(offset);
    // Between the CR and the LF of the break before the block.
    return block.position() - (rounding == Rounding::Up ? 0 : 1);
}

}  // namespace pennory::platform::qt
