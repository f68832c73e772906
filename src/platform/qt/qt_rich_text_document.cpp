#include "platform/qt/qt_rich_text_document.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextFragment>
#include <algorithm>
#include <unordered_map>

#include "platform/qt/qt_figures.h"
#include "platform/qt/qt_paragraph_format.h"
#include "platform/qt/qt_soft_breaks.h"

namespace pennory::platform::qt {

namespace {

// The original character of a stand-in, in the stand-in's format.
constexpr int kOriginalCharacter = QTextFormat::UserProperty + 0x50;

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
    out.setForeground(QBrush(toQColor(format.colour)));
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
        out.colour = fromQColor(format.foreground().color());
    }
    out.figure = figureOf(format);
    return out;
}

QTextCharFormat withoutStandIn(QTextCharFormat format) {
    format.clearProperty(kOriginalCharacter);
    return format;
}

bool isStandInFormat(const QTextCharFormat& format) {
    return format.hasProperty(kOriginalCharacter);
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
    QTextDocument& document = *cursor.document();
    const int firstBlock = paragraphHead(cursor.block()).blockNumber();
    for (const auto& run : content.runs()) insert(cursor, run.text, run.format);
    // The paragraphs take their formats once their text is in, as indents in characters
    // follow the size of a paragraph's first character.
    const int lastBlock = cursor.blockNumber();
    QTextCursor formatter(&document);
    QTextBlock head = document.findBlockByNumber(firstBlock);
    for (const text::ParagraphFormat& format : content.paragraphs()) {
        if (!head.isValid() || head.blockNumber() > lastBlock) break;
        head = format == text::ParagraphFormat{} && head.blockFormat() == QTextBlockFormat{}
                   ? nextParagraph(head)
                   : setParagraphBlocks(formatter, head, format, firstCharacterSize(head));
    }
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
            // A typed break starts a paragraph in the format of the one it splits.
            cursor.insertBlock(splitParagraphFormat(cursor.block()), qtFormat);
            ++i;
        } else {
            if (cursor.positionInBlock() >= kLongParagraph) insertSoftBreak(cursor, qtFormat);
            if (c == text::kObjectCharacter && format.figure) {
                cursor.insertImage(FigureImages::of(*cursor.document()).format(format.figure, qtFormat));
                start = i + 1;
                continue;
            }
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

    std::unordered_map<int, text::ParagraphFormat> paragraphs;  // by block format index
    auto paragraphOf = [&](const QTextBlock& head) -> const text::ParagraphFormat& {
        auto found = paragraphs.find(head.blockFormatIndex());
        if (found == paragraphs.end()) {
            found = paragraphs.emplace(head.blockFormatIndex(), fromQtBlockFormat(head.blockFormat()))
                        .first;
        }
        return found->second;
    };
    out.setParagraphFormat(0, paragraphOf(paragraphHead(document.findBlock(from))));

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
            out.setParagraphFormat(out.paragraphs().size() - 1, paragraphOf(next));
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

}  // namespace pennory::platform::qt
