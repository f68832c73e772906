#pragma once
// Files that look like documents but that no format of the table reads, told by their bytes
// before the plain-text reader sees them, so that the writer learns what the file is rather
// than "not a text file":
// - an OLE compound file with a stream "EncryptedPackage" or "EncryptionInfo" (a DOCX or
//   other Office file with a password): "这个文档有密码保护，无法打开。";
// - an OLE compound file with a stream "WordDocument" (Word 97-2003):
//   "不能打开 Word 97-2003 格式的 .doc 文档，请先另存为 docx。";
// - any other or broken OLE compound file: "这不是文本文件，无法打开。";
// - a zip that opens but is no DOCX or ODT: "这个压缩文件不是 docx 或 odt 文档，无法打开。";
//   a zip that does not open and begins with an entry a DOCX or ODT begins with (a document
//   cut short): the package problem's message ("文件已损坏，无法打开。"); any other zip that
//   does not open: "这不是文本文件，无法打开。".

#include <optional>
#include <string>
#include <string_view>

namespace pennory::files {

// The refusal for bytes of such a file; nullopt for every other file. Called only for bytes
// that no format with a signature recognised.
std::optional<std::u16string> foreignDocumentRefusal(std::string_view bytes);

}  // namespace pennory::files
