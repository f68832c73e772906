#pragma once
// Styled text in a QTextDocument, and positions in it. Paragraph formats are kept as
// qt_paragraph_format.h says.
//
// A CR LF inside one run is a paragraph break: one document position, two units of the plain
// text. Characters that QTextDocument would turn into structure (CR, LF, U+2029, the frame
// marks U+FDD0 and U+FDD1, the object mark U+FFFC) are stored as a visible stand-in whose
// format carries the original character, so that every character comes back as it went in.
// Every other character, U+00A0 and U+2028 included, is stored as it is.
//
// QTextDocument lays out a paragraph whole and at once, so the writer stores a very long
// paragraph as several blocks: each block after the first is marked as continuing the
// previous one, and the break before it (a soft break) is no part of the text. A soft break
// is one document position and no unit of the plain text. Whatever edits the document
// afterwards keeps the kind of break before the block where the edit starts.

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/qt/qt_conversions.h"
#include "platform/text/styled_text.h"

namespace pennory::platform::qt {

// Every character property set explicitly; the font name kept as given, whatever face Qt
// shows for it.
QTextCharFormat toQtFormat(const text::CharFormat& format);
// A property the Qt format lacks is taken from fallback.
text::CharFormat fromQtFormat(const QTextCharFormat& format, const text::CharFormat& fallback);

// Whether the block continues the paragraph of the block before it. Never the first block.
bool isSoftBreak(const QTextBlock& block);

// Inserts styled text through a cursor, reusing one QTextCharFormat per distinct format.
// A block longer than kLongParagraph units is continued after a soft break, never inside a
// surrogate pair, preferably after a punctuation mark or a space.
class StyledTextWriter {
public:
    // At the cursor's position (its selection is not removed); the cursor ends after it. The
    // paragraph at the cursor takes the content's first paragraph format, each new one its
    // own.
    void insert(QTextCursor& cursor, const text::StyledText& content);
    // Line breaks in text start paragraphs in the format of the one at the cursor.
    void insert(QTextCursor& cursor, std::u16string_view text, const text::CharFormat& format);
    void forgetFormats() { m_formats.clear(); }

    static constexpr int kLongParagraph = 2048;

private:
    using Key = std::tuple<std::u16string, float, bool, bool, bool, bool, text::Colour>;
    const QTextCharFormat& qtFormat(const text::CharFormat& format);
    void insertPlain(QTextCursor& cursor, std::u16string_view text, const QTextCharFormat& format);

    std::map<Key, QTextCharFormat> m_formats;
};

// The content of the document positions [from, to). Text the document holds without a
// format of its own takes fallback's properties.
text::StyledText readStyled(const QTextDocument& document, int from, int to,
                            const text::CharFormat& fallback);
// The characters of [from, to), each paragraph break as lineBreak and soft breaks left out.
std::u16string readPlain(const QTextDocument& document, int from, int to,
                         std::u16string_view lineBreak = u"\r\n");

// The format of the character at a document position; a paragraph break has the format of
// its separator, a soft break that of the character after it. Empty at the end of the
// document.
QTextCharFormat formatOfCharAt(const QTextDocument& document, int position);
// A format without the stand-in's mark, for text inserted next to a stand-in.
QTextCharFormat withoutStandIn(QTextCharFormat format);
bool isStandInFormat(const QTextCharFormat& format);

// Positions: the plain text counts a paragraph break as two units, a soft break as none, the
// document either as one. Both sides of a soft break are the same text position; a text
// position maps to the side before it.
int documentEnd(const QTextDocument& document);  // the last position before the final mark
std::size_t textLength(const QTextDocument& document);
std::size_t toTextPosition(const QTextDocument& document, int position);
// A text position between the CR and the LF of a break goes before the break (Down) or
// after it (Up); positions past the end go to the end.
enum class Rounding { Down, Up };
int toDocumentPosition(const QTextDocument& document, std::size_t position, Rounding rounding);

}  // namespace pennory::platform::qt
