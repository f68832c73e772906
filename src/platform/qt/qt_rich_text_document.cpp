#include "platform/qt/qt_rich_text_document.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextFragment>
#include <algorithm>
#include <unordered_map>
#include <vector>

namespace pennory::platform::qt {

namespace {

// The original character of a stand-in, in the stand-in's format.
constexpr int kOriginalCharacter = QTextFormat::UserProperty + 0x50;
// In a block's format: the block continues the previous paragraph.
constexpr int kSoftBreak = QTextFormat::UserProperty + 0x51;

// The blocks after a soft break, for documents the writer ever gave one; documents without
// one keep the plain arithmetic of positions.
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
                [this](int from, int, int) { keepBreakBefore(from); });
        connect(document, &QTextDocument::contentsChanged, this, [this] { m_valid = false; });
    }

    static SoftBreakIndex* of(const QTextDocument& document) {
        // Without a meta-object of its own, the index is found by name.
        return static_cast<SoftBreakIndex*>(
            document.findChild<QObject*>(kName, Qt::FindDirectChildrenOnly));
    }

    // Made before the first soft break goes in: until then, the document had none.
    static void attach(QTextDocument& document) {
        if (!of(document)) new SoftBreakIndex(&document);
    }

    // Block numbers, ascending.
    const std::vector<int>& softBlocks() {
        if (!m_valid) rebuild();
        return m_numbers;
    }

private:
    struct Range {
        int start, end;  // document positions of the block, its separator included
    };

    void rebuild() {
        m_numbers.clear();
        m_ranges.clear();
        for (QTextBlock block = m_document->begin().next(); block.isValid(); block = block.next()) {
            if (block.blockFormat().boolProperty(kSoftBreak)) {
                m_numbers.push_back(block.blockNumber());
                m_ranges.push_back({block.position(), block.position() + block.length()});
            }
        }
        m_valid = true;
    }

    // m_ranges still describes the document before the change.
    void keepBreakBefore(int from) {
        if (m_repairing) return;
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
        rebuild();
    }

    static inline const QString kName = QStringLiteral("pennory-soft-breaks");
    QTextDocument* m_document;
    bool m_valid = true;
    bool m_repairing = false;
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

// The length of the first piece of text, which holds more than room units.
std::size_t pieceLength(std::u16string_view text, std::size_t room) {
    constexpr std::size_t kLookBack = 128;
    for (std::size_t end = room; end > 0 && end + kLookBack > room; --end) {
        if (goodBreakAfter(text[end - 1])) return end;
    }
    return isHighSurrogate(text[room - 1]) ? room - 1 : room;
}

void insertSoftBreak(QTextCursor& cursor, const QTextCharFormat& format) {
    SoftBreakIndex::attach(*cursor.document());
    QTextBlockFormat soft;
    soft.setProperty(kSoftBreak, true);
    cursor.insertBlock(soft, format);
}

// QTextCursor::insertText makes paragraphs of CR, LF, U+2029 and the frame marks, and the
// layout takes U+FFFC for an embedded object.
bool needsStandIn(char16_t c) {
    return c == u'\r' || c == u'\n' || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC;
}

// What the writer sees in place of the character: the control pictures for CR and LF, a
// pilcrow for the paragraph separator, the replacement character for the rest.
char16_t standInFor(char16_t original) {
    switch (original) {
        case u'\r':
            return 0x240D;
        case u'\n':
            return 0x240A;
        case 0x2029:
            return 0x00B6;
        default:
            return 0xFFFD;
    }
}

bool mayBeStandIn(char16_t c) { return c == 0x240D || c == 0x240A || c == 0x00B6 || c == 0xFFFD; }

QColor toColor(text::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

char16_t originalOf(const QTextCharFormat& format) {
    return static_cast<char16_t>(format.intProperty(kOriginalCharacter));
}

// Puts the originals back in out[at, at + (to - from)), which holds the document
// positions [from, to) of block.
void restoreStandIns(const QTextBlock& block, std::u16string& out, std::size_t at, int from,
                     int to) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int start = std::max(from, fragment.position());
        const int end = std::min(to, fragment.position() + fragment.length());
        if (start >= end) continue;
        const QTextCharFormat format = fragment.charFormat();
        if (!isStandInFormat(format)) continue;
        const char16_t original = originalOf(format);
        const char16_t standIn = standInFor(original);
        for (int pos = start; pos < end; ++pos) {
            char16_t& c = out[at + static_cast<std::size_t>(pos - from)];
            if (c == standIn) c = original;
        }
    }
}

}  // namespace

QTextCharFormat toQtFormat(const text::CharFormat& format) {
    QTextCharFormat out;
    out.setFontFamilies(QStringList{toQString(format.fontName)});
    out.setFontPointSize(format.sizePt);
    out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(format.italic);
    out.setFontUnderline(format.underline);
    out.setFontStrikeOut(format.strikethrough);
    out.setForeground(QBrush(toColor(format.colour)));
    return out;
}

text::CharFormat fromQtFormat(const QTextCharFormat& format, const text::CharFormat& fallback) {
    text::CharFormat out = fallback;
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty()) out.fontName = toU16(families.first());
    } else if (format.hasProperty(QTextFormat::FontFamily)) {
        out.fontName = toU16(format.property(QTextFormat::FontFamily).toString());
    }
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        out.sizePt = static_cast<float>(format.fontPointSize());
    }
    if (format.hasProperty(QTextFormat::FontWeight)) {
        out.bold = format.fontWeight() >= QFont::DemiBold;
    }
    if (format.hasProperty(QTextFormat::FontItalic)) out.italic = format.fontItalic();
    if (format.hasProperty(QTextFormat::TextUnderlineStyle) ||
        format.hasProperty(QTextFormat::FontUnderline)) {
        out.underline = format.fontUnderline();
    }
    if (format.hasProperty(QTextFormat::FontStrikeOut)) out.strikethrough = format.fontStrikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor c = format.foreground().color();
        out.colour = text::rgb(c.red(), c.green(), c.blue());
    }
    return out;
}

QTextCharFormat withoutStandIn(QTextCharFormat format) {
    format.clearProperty(kOriginalCharacter);
    return format;
}

bool isStandInFormat(const QTextCharFormat& format) {
    return format.hasProperty(kOriginalCharacter);
}

bool isSoftBreak(const QTextBlock& block) {
    return block.blockFormat().boolProperty(kSoftBreak) && block.previous().isValid();
}

// ---- Writing

const QTextCharFormat& StyledTextWriter::qtFormat(const text::CharFormat& format) {
    Key key{format.fontName,  format.sizePt,        format.bold,  format.italic,
            format.underline, format.strikethrough, format.colour};
    auto found = m_formats.find(key);
    if (found == m_formats.end()) {
        found = m_formats.emplace(std::move(key), toQtFormat(format)).first;
    }
    return found->second;
}

void StyledTextWriter::insert(QTextCursor& cursor, const text::StyledText& content) {
    for (const auto& run : content.runs()) insert(cursor, run.text, run.format);
}

void StyledTextWriter::insert(QTextCursor& cursor, std::u16string_view text,
                              const text::CharFormat& format) {
    const QTextCharFormat& qtFormat = this->qtFormat(format);
    std::size_t start = 0;
    // Plain stretches go in whole; only breaks, stand-ins and long paragraphs interrupt them.
    auto flush = [&](std::size_t end) {
        if (end > start) insertPlain(cursor, text.substr(start, end - start), qtFormat);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!needsStandIn(c)) continue;
        flush(i);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            cursor.insertBlock(QTextBlockFormat(), qtFormat);
            ++i;
        } else {
            if (cursor.positionInBlock() >= kLongParagraph) insertSoftBreak(cursor, qtFormat);
            QTextCharFormat standInFormat = qtFormat;
            standInFormat.setProperty(kOriginalCharacter, static_cast<int>(c));
            cursor.insertText(QString(QChar(standInFor(c))), standInFormat);
        }
        start = i + 1;
    }
    flush(text.size());
}

void StyledTextWriter::insertPlain(QTextCursor& cursor, std::u16string_view text,
                                   const QTextCharFormat& format) {
    while (!text.empty()) {
        const int used = cursor.positionInBlock();
        if (used >= kLongParagraph) {
            insertSoftBreak(cursor, format);
            continue;
        }
        const auto room = static_cast<std::size_t>(kLongParagraph - used);
        if (text.size() <= room) {
            cursor.insertText(toQString(text), format);
            return;
        }
        const std::size_t length = pieceLength(text, room);
        if (length > 0) cursor.insertText(toQString(text.substr(0, length)), format);
        insertSoftBreak(cursor, format);
        text.remove_prefix(length);
    }
}

// ---- Reading

text::StyledText readStyled(const QTextDocument& document, int from, int to,
                            const text::CharFormat& fallback) {
    text::StyledText out;
    struct Decoded {
        text::CharFormat format;
        char16_t original = 0;  // non-zero for a stand-in
    };
    std::unordered_map<int, Decoded> decoded;
    auto decode = [&](int index, auto formatOf) -> const Decoded& {
        auto found = decoded.find(index);
        if (found == decoded.end()) {
            const QTextCharFormat format = formatOf();
            Decoded d{fromQtFormat(format, fallback),
                      isStandInFormat(format) ? originalOf(format) : char16_t(0)};
            found = decoded.emplace(index, std::move(d)).first;
        }
        return found->second;
    };

    std::u16string piece;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start >= end) continue;
            const Decoded& d =
                decode(fragment.charFormatIndex(), [&] { return fragment.charFormat(); });
            const QString text = fragment.text();
            piece.assign(
                reinterpret_cast<const char16_t*>(text.utf16()) + (start - fragment.position()),
                static_cast<std::size_t>(end - start));
            if (d.original) {
                std::replace(piece.begin(), piece.end(), standInFor(d.original), d.original);
            }
            out.append(piece, d.format);
        }
        const int separator = block.position() + block.length() - 1;
        const QTextBlock next = block.next();
        if (next.isValid() && separator >= from && separator < to && !isSoftBreak(next)) {
            out.append(u"\r\n",
                       decode(next.charFormatIndex(), [&] { return next.charFormat(); }).format);
        }
    }
    return out;
}

std::u16string readPlain(const QTextDocument& document, int from, int to,
                         std::u16string_view lineBreak) {
    std::u16string out;
    if (to > from) out.reserve(static_cast<std::size_t>(to - from) + 1024);
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const int blockStart = block.position();
        const int textEnd = blockStart + block.length() - 1;
        const int start = std::max(from, blockStart);
        const int end = std::min(to, textEnd);
        if (start < end) {
            const QString text = block.text();
            const std::size_t at = out.size();
            out.append(reinterpret_cast<const char16_t*>(text.utf16()) + (start - blockStart),
                       static_cast<std::size_t>(end - start));
            if (std::any_of(out.begin() + static_cast<std::ptrdiff_t>(at), out.end(),
                            mayBeStandIn)) {
                restoreStandIns(block, out, at, start, end);
            }
        }
        const QTextBlock next = block.next();
        if (next.isValid() && textEnd >= from && textEnd < to && !isSoftBreak(next)) {
            out += lineBreak;
        }
    }
    return out;
}

QTextCharFormat formatOfCharAt(const QTextDocument& document, int position) {
    QTextBlock block = document.findBlock(position);
    if (!block.isValid()) return {};
    while (position >= block.position() + block.length() - 1) {
        const QTextBlock next = block.next();
        if (!next.isValid() || !isSoftBreak(next)) {
            return next.isValid() ? next.charFormat() : QTextCharFormat();
        }
        block = next;
        position = block.position();
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().contains(position)) return it.fragment().charFormat();
    }
    return {};
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
