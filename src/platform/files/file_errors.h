#pragma once
// The Chinese sentences for system errors of file operations.

#include <string>

namespace pennory::files {

enum class FileAction { Read, Write };

// The message for an errno value of a failed read or write.
std::u16string messageForError(int error, FileAction action);

inline constexpr char16_t kMessageNotText[] = u"这不是文本文件，无法打开。";
inline constexpr char16_t kMessageTooLarge[] = u"文件太大，无法打开。";
inline constexpr char16_t kMessageIsFolder[] = u"这是一个文件夹，不是文件。";

}  // namespace pennory::files
