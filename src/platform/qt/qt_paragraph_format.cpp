#include "platform/qt/qt_paragraph_format.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariantList>
#include <algorithm>
#include <optional>

#include "platform/qt/qt_rich_text_document.h"
#include "platform/qt/qt_soft_breaks.h"

namespace pennory::platform::qt {

namespace {

// The paragraph format as given, in the block format.
constexpr int kParagraphFormat = QTextFormat::UserProperty + 0x52;

QVariantList encode(const text::ParagraphFormat& f) {
    return {static_cast<int>(f.alignment),
            f.firstLine.charsHundredths,
            f.firstLine.points,
            f.left.charsHundredths,
            f.left.points,
            f.right.charsHundredths,
            f.right.points,
            static_cast<int>(f.lineSpacing.rule),
            f.lineSpacing.value,
            f.spaceBeforePt,
            f.spaceAfterPt};
}

std::optional<text::ParagraphFormat> decode(const QVariant& value) {
    const QVariantList v = value.toList();
    if (v.size() != 11) return std::nullopt;
    auto real = [&](int i) { return v[i].toFloat(); };
    text::ParagraphFormat f;
    f.alignment = static_cast<text::Alignment>(std::clamp(v[0].toInt(), 0, 3));
    f.firstLine = {v[1].toInt(), real(2)};
    f.left = {v[3].toInt(), real(4)};
    f.right = {v[5].toInt(), real(6)};
    f.lineSpacing = {static_cast<text::LineSpacing::Rule>(std::clamp(v[7].toInt(), 0, 2)), real(8)};
    f.spaceBeforePt = real(9);
    f.spaceAfterPt = real(10);
    return f;
}

Qt::Alignment toQtAlignment(text::Alignment alignment) {
    // Absolute, so that a paragraph of right-to-left text keeps the side it was given.
    switch (alignment) {
        case text::Alignment::Centre:
            return Qt::AlignHCenter;
        case text::Alignment::Right:
            return Qt::AlignRight | Qt::AlignAbsolute;
        case text::Alignment::Justify:
            return Qt::AlignJustify;
        case text::Alignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignAbsolute;
}

text::Alignment fromQtAlignment(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter) return text::Alignment::Centre;
    if (alignment & Qt::AlignJustify) return text::Alignment::Justify;
    if (alignment & Qt::AlignRight) return text::Alignment::Right;
    return text::Alignment::Left;
}

float toPoints(qreal pixels) { return static_cast<float>(pixels / pixelsPerPoint()); }

}  // namespace

double pixelsPerPoint() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / 72.0;
}

QTextBlockFormat toQtBlockFormat(const text::ParagraphFormat& format, float sizePt, bool firstBlock,
                                 bool lastBlock) {
    QTextBlockFormat out;
    if (format == text::ParagraphFormat{}) return out;
    const double ppp = pixelsPerPoint();
    out.setProperty(kParagraphFormat, encode(format));
    out.setAlignment(toQtAlignment(format.alignment));
    out.setTextIndent(firstBlock ? format.firstLine.pointsFor(sizePt) * ppp : 0.0);
    out.setLeftMargin(format.left.pointsFor(sizePt) * ppp);
    out.setRightMargin(format.right.pointsFor(sizePt) * ppp);
    out.setTopMargin(firstBlock ? format.spaceBeforePt * ppp : 0.0);
    out.setBottomMargin(lastBlock ? format.spaceAfterPt * ppp : 0.0);
    const text::LineSpacing& spacing = format.lineSpacing;
    switch (spacing.rule) {
        case text::LineSpacing::Rule::Multiple:
            out.setLineHeight(spacing.value * 100.0, QTextBlockFormat::ProportionalHeight);
            break;
        case text::LineSpacing::Rule::Exactly:
            out.setLineHeight(spacing.value * ppp, QTextBlockFormat::FixedHeight);
            break;
        case text::LineSpacing::Rule::AtLeast:
            out.setLineHeight(spacing.value * ppp, QTextBlockFormat::MinimumHeight);
            break;
    }
    return out;
}

text::ParagraphFormat fromQtBlockFormat(const QTextBlockFormat& format) {
    if (format.hasProperty(kParagraphFormat)) {
        if (auto kept = decode(format.property(kParagraphFormat))) return *kept;
    }
    text::ParagraphFormat out;
    if (format.hasProperty(QTextFormat::BlockAlignment)) {
        out.alignment = fromQtAlignment(format.alignment());
    }
    out.firstLine.points = toPoints(format.textIndent());
    out.left.points = toPoints(format.leftMargin());
    out.right.points = toPoints(format.rightMargin());
    out.spaceBeforePt = toPoints(format.topMargin());
    out.spaceAfterPt = toPoints(format.bottomMargin());
    switch (format.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight:
            out.lineSpacing = {text::LineSpacing::Rule::Multiple,
                               static_cast<float>(format.lineHeight() / 100.0)};
            break;
        case QTextBlockFormat::FixedHeight:
            out.lineSpacing = {text::LineSpacing::Rule::Exactly, toPoints(format.lineHeight())};
            break;
        case QTextBlockFormat::MinimumHeight:
            out.lineSpacing = {text::LineSpacing::Rule::AtLeast, toPoints(format.lineHeight())};
            break;
        default:
            break;
    }
    return out;
}

QTextBlock paragraphHead(QTextBlock block) {
    while (block.isValid() && isSoftBreak(block)) block = block.previous();
    return block;
}

QTextBlock nextParagraph(QTextBlock head) {
    QTextBlock block = head.next();
    while (block.isValid() && isSoftBreak(block)) block = block.next();
    return block;
}

float firstCharacterSize(const QTextBlock& head) {
    const QTextCharFormat format = formatOfCharAt(*head.document(), head.position());
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        return static_cast<float>(format.fontPointSize());
    }
    return static_cast<float>(head.document()->defaultFont().pointSizeF());
}

QTextBlockFormat splitParagraphFormat(const QTextBlock& block) {
    const QTextBlock head = paragraphHead(block);
    const QTextBlockFormat format = head.blockFormat();
    if (format == QTextBlockFormat{}) return format;
    return toQtBlockFormat(fromQtBlockFormat(format), firstCharacterSize(head));
}

QTextBlock setParagraphBlocks(QTextCursor& cursor, const QTextBlock& head,
                              const text::ParagraphFormat& format, float sizePt) {
    QTextBlock block = head;
    bool first = true;
    while (block.isValid() && (first || isSoftBreak(block))) {
        const QTextBlock next = block.next();
        const bool last = !next.isValid() || !isSoftBreak(next);
        QTextBlockFormat wanted = toQtBlockFormat(format, sizePt, first, last);
        if (!first) wanted.setProperty(kSoftBreak, true);
        if (block.blockFormat() != wanted) {
            cursor.setPosition(block.position());
            cursor.setBlockFormat(wanted);
        }
        first = false;
        block = next;
    }
    return block;
}

}  // namespace pennory::platform::qt
