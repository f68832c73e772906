#pragma once
// The document formats the program reads and writes, one row each: its Save As caption, its
// labels and pattern in the file dialogs, how its files are recognised by their bytes, its
// reader and its writer. The file dialogs' filters, the Save As submenu, the format chosen on
// load and the writer chosen on save all come from this table. A new format is one row here
// and its codec in platform/text.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/byte_sink.h"
#include "platform/text/byte_window.h"
#include "platform/text/left_out.h"
#include "platform/text/styled_text.h"

namespace pennory::files {

// A format that can be written, by its index in the Save As submenu.
enum class SaveType { Rtf = 0, Text = 1, Docx = 2, Odt = 3 };

// What a reader made of bytes. Refused (accepted false): the bytes are not a document of
// this format, and refusal says why in a Chinese sentence.
struct ReadResult {
    bool accepted = true;
    std::u16string refusal;
    text::StyledText content;
    text::LeftOutKinds leftOut;  // what the document had that content does not keep
};

// What a writer made of styled text. Refused: the format cannot hold the content, refusal
// says why in a Chinese sentence, and nothing is to be written.
struct WriteResult {
    bool accepted = true;
    std::u16string refusal;
    std::string bytes;
};

struct DocumentFormat {
    SaveType type;                      // its Save As index
    std::u16string_view saveAsCaption;  // its item in the Save As submenu
    std::u16string_view openLabel;      // its entry in Open's list; empty: not offered
    std::u16string_view saveLabel;      // its entry in the save dialogs
    std::u16string_view pattern;        // the names its dialogs list, "*.rtf"
    int openRank;                       // its place in Open's list after "all files"
    // True when bytes are a file of this format by their signature; such a format is tried
    // before every other. nullptr: a file is of this format when its reader accepts it (plain
    // text: anything that is text), tried after the formats with a signature.
    bool (*recognises)(std::string_view bytes);
    // Bytes to styled text; plainFormat is the format of text that carries none. nullptr: an
    // output only, never read.
    ReadResult (*read)(std::string_view bytes, const text::CharFormat& plainFormat);
    // The same reader over a window of the file, so that a large file is never held whole:
    // what it gives is what read gives for the bytes the window gave. Only a format recognised
    // by its first bytes has one. nullptr: the format is read from the whole bytes.
    ReadResult (*readWindow)(text::ByteWindow& input,
                             const text::CharFormat& plainFormat) = nullptr;
    // Styled text to bytes; every format has one.
    WriteResult (*write)(const text::StyledText& content);
    // Why the format cannot hold content, in a Chinese sentence; empty when it can. Asked
    // before anything is written. nullptr: it holds everything (or write refuses by itself).
    std::u16string_view (*refuses)(const text::StyledText& content) = nullptr;
    // The same bytes as write, given to a sink as they are made, for content refuses accepts;
    // false when the sink refused a piece. nullptr: the file is made whole by write.
    bool (*stream)(const text::StyledText& content, const text::ByteSink& sink) = nullptr;
};

// Every row, in Save As order (row i has SaveType i).
std::span<const DocumentFormat> documentFormats();
const DocumentFormat& documentFormat(SaveType type);
// The row behind Save As item index; nullptr for an index with no item.
const DocumentFormat* saveAsFormat(int index);
// The Save As submenu's captions, item 0 first.
std::vector<std::u16string_view> saveAsCaptions();

// Open's filter: "所有文件(*.*)|*.*|", then each readable format's label and pattern in
// openRank order, each pair ending in "|".
std::u16string openFilter();

// A save dialog's filter of one entry: label "|" pattern, and a last "|" when asked (the
// File menu's Save has one, the toolbar's Save and Save As do not).
enum class FilterEnd { Bare, TrailingBar };
std::u16string saveFilter(SaveType type, FilterEnd end);

struct RecognisedDocument {
    const DocumentFormat* format = nullptr;  // nullptr: no format reads the bytes
    ReadResult read;
};

// Reads bytes in the first format that recognises them: the formats with a signature first,
// whose reader's answer is final; then the files no format reads but that are known by their
// bytes (foreignDocumentRefusal: an OLE compound file, a zip that is no DOCX or ODT), refused
// with their own message; then each reader of the others until one accepts. When no format
// reads them, format is nullptr and read is refused with "这不是文本文件，无法打开。".
RecognisedDocument readDocumentBytes(std::string_view bytes, const text::CharFormat& plainFormat);

// The bytes a file's head needs for windowFormat().
inline constexpr std::size_t kHeadBytes = 16;

// The format readDocumentBytes() would read a file in, when head (the file's first kHeadBytes
// bytes, or all of a shorter file) already shows it and that format has a window reader;
// nullptr when the file is to be read whole.
const DocumentFormat* windowFormat(std::string_view head);

}  // namespace pennory::files
