#pragma once
// The Chinese sentences for system errors of file operations.

#include <string>
#include <string_view>

#include "platform/text/zip_package.h"

namespace pennory::files {

enum class FileAction { Read, Write };

// The message for an errno value of a failed read or write.
std::u16string messageForError(int error, FileAction action);

inline constexpr char16_t kMessageNotText[] = u"这不是文本文件，无法打开。";
inline constexpr char16_t kMessageTooLarge[] = u"文件太大，无法打开。";
inline constexpr char16_t kMessageIsFolder[] = u"这是一个文件夹，不是文件。";
// The file became shorter while it was read: another program changed it.
inline constexpr char16_t kMessageChangedWhileRead[] =
    u"文件在读取时被其他程序改动了，无法打开。请稍后再试。";

// Office documents that cannot be opened.
inline constexpr char16_t kMessageDamagedPackage[] = u"文件已损坏，无法打开。";
inline constexpr char16_t kMessageUnpackedTooLarge[] = u"文件解压后太大，无法打开。";
inline constexpr char16_t kMessageEncryptedEntries[] = u"文档中有加密的部分，无法打开。";
inline constexpr char16_t kMessageMissingMainPart[] = u"文档缺少正文部分，无法打开。";
inline constexpr char16_t kMessageBadXml[] = u"文档内容的格式有误，无法打开。";
inline constexpr char16_t kMessageZipNotADocument[] =
    u"这个压缩文件不是 docx 或 odt 文档，无法打开。";
inline constexpr char16_t kMessagePasswordProtected[] = u"这个文档有密码保护，无法打开。";
inline constexpr char16_t kMessageWord97Document[] =
    u"不能打开 Word 97-2003 格式的 .doc 文档，请先另存为 docx。";

// Office documents that cannot be written: the manuscript holds characters XML cannot carry,
// control characters as the cipher writes them, or others (U+FFFE, U+FFFF, a lone surrogate).
inline constexpr char16_t kMessageCipherTextNotXml[] =
    u"加密后的文稿含有 docx/odt 无法保存的字符，请先解密，或另存为 rtf文档。";
inline constexpr char16_t kMessageTextNotXml[] =
    u"文稿含有 docx/odt 无法保存的字符，请另存为 rtf文档。";

// The refusal for a package that could not be read.
std::u16string_view messageForPackageProblem(text::PackageProblem problem);

}  // namespace pennory::files
