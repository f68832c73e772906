#pragma once
// Paragraph formats in a QTextDocument.
//
// A paragraph's block format holds what Qt lays out (alignment, indents and margins in
// pixels, line height) and, in a user property, the paragraph format as it was given, so
// that reading back gives exactly what was set: an indent in characters stays in characters.
// A paragraph stored as several blocks (see qt_soft_breaks.h) has its format on each block:
// the continuation blocks without the first-line indent and the space before, and only the
// last block with the space after. The paragraph's format is read from its first block.
//
// Pixels are those of the document's layout: points at the screen's logical resolution, as
// Qt turns font sizes in points into pixels.

#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>

#include "platform/text/paragraph_format.h"

namespace pennory::platform::qt {

double pixelsPerPoint();

// The block format of one block of a paragraph whose text begins in sizePt. The default
// paragraph format gives an empty block format, so that plain documents carry none.
QTextBlockFormat toQtBlockFormat(const text::ParagraphFormat& format, float sizePt,
                                 bool firstBlock = true, bool lastBlock = true);
// The format kept in the block, or, for a block without one, as near as Qt's properties say
// (indents in points).
text::ParagraphFormat fromQtBlockFormat(const QTextBlockFormat& format);

// The first block of the paragraph that holds block.
QTextBlock paragraphHead(QTextBlock block);
// The block after the paragraph's last one (invalid at the end of the document).
QTextBlock nextParagraph(QTextBlock head);

// The size of the first character of the paragraph that begins at head, which its indents in
// characters follow; the document's default size for an empty paragraph without a format.
float firstCharacterSize(const QTextBlock& head);

// The block format of a paragraph that a break typed in block's paragraph starts: the same
// paragraph format, whole, as pressing Enter copies it.
QTextBlockFormat splitParagraphFormat(const QTextBlock& block);

// Sets the format of every block of the paragraph that begins at head, keeping each block's
// kind of break; sizePt as for toQtBlockFormat. Returns the first block of the next paragraph.
QTextBlock setParagraphBlocks(QTextCursor& cursor, const QTextBlock& head,
                              const text::ParagraphFormat& format, float sizePt);

}  // namespace pennory::platform::qt
