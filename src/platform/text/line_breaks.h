#pragma once
// The editor's line break is CR LF; text from elsewhere (a file, the clipboard) may end its
// lines with CR LF, LF or CR alone.

#include <string>
#include <string_view>

namespace pennory::text {

// What counts as a line break besides CR LF, LF and CR. A plain-text file keeps U+2029 as a
// character, so that what the editor saves reads back unchanged; text from the clipboard or a
// drop takes it for the paragraph break it stands for.
enum class ParagraphSeparator { Keep, IsLineBreak };

// The text with each of its line breaks as CR LF; every other character is kept.
std::u16string withCrLfLineBreaks(std::u16string_view text,
                                  ParagraphSeparator separator = ParagraphSeparator::Keep);

}  // namespace pennory::text
