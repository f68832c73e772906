#pragma once
// Styled text in a QTextDocument, and positions in it.
//
// A CR LF inside one run is a paragraph break: one document position, two units of the plain
// text. Characters that QTextDocument would turn into structure (CR, LF, U+2029, the frame
// marks U+FDD0 and U+FDD1, the object mark U+FFFC) are stored as a visible stand-in whose
// format carries the original character, so that every character comes back as it went in.
// Every other character, U+00A0 and U+2028 included, is stored as it is.

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

// Inserts styled text through a cursor, reusing one QTextCharFormat per distinct format.
class StyledTextWriter {
public:
    // At the cursor's position (its selection is not removed); the cursor ends after it.
    void insert(QTextCursor& cursor, const text::StyledText& content);
    void insert(QTextCursor& cursor, std::u16string_view text, const text::CharFormat& format);
    void forgetFormats() { m_formats.clear(); }

private:
    using Key = std::tuple<std::u16string, float, bool, bool, bool, bool, text::Colour>;
    const QTextCharFormat& qtFormat(const text::CharFormat& format);

    std::map<Key, QTextCharFormat> m_formats;
};

// The content of the document positions [from, to). Text the document holds without a
// format of its own takes fallback's properties.
text::StyledText readStyled(const QTextDocument& document, int from, int to,
                            const text::CharFormat& fallback);
// The characters of [from, to), each paragraph break as lineBreak.
std::u16string readPlain(const QTextDocument& document, int from, int to,
                         std::u16string_view lineBreak = u"\r\n");

// The format of the character at a document position; a paragraph break has the format of
// its separator. Empty at the end of the document.
QTextCharFormat formatOfCharAt(const QTextDocument& document, int position);
// A format without the stand-in's mark, for text inserted next to a stand-in.
QTextCharFormat withoutStandIn(QTextCharFormat format);
bool isStandInFormat(const QTextCharFormat& format);

// Positions: the plain text counts a paragraph break as two units, the document as one.
int documentEnd(const QTextDocument& document);  // the last position before the final mark
std::size_t textLength(const QTextDocument& document);
std::size_t toTextPosition(const QTextDocument& document, int position);
// A text position between the CR and the LF of a break goes before the break (Down) or
// after it (Up); positions past the end go to the end.
enum class Rounding { Down, Up };
int toDocumentPosition(const QTextDocument& document, std::size_t position, Rounding rounding);

}  // namespace pennory::platform::qt
