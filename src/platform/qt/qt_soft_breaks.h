#pragma once
// Soft breaks: where the editor's document continues one long paragraph in another block.

#include <QTextCursor>
#include <QTextFormat>
#include <string_view>

namespace pennory::platform::qt {

// In a block's format: the block continues the previous paragraph.
inline constexpr int kSoftBreak = QTextFormat::UserProperty + 0x51;

// The length of the first piece of text, which holds more than room units: it ends after a
// space or punctuation near room if there is one, and never inside a surrogate pair.
std::size_t pieceLength(std::u16string_view text, std::size_t room);

// Makes the document's index of soft breaks now, before any other listener connects to its
// changes, so that the index has followed each change before a listener asks for positions.
void followSoftBreaks(QTextDocument& document);

// Starts a block that continues the cursor's paragraph.
void insertSoftBreak(QTextCursor& cursor, const QTextCharFormat& format);

}  // namespace pennory::platform::qt
