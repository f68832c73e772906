#include "platform/files/file_errors.h"

#include <cerrno>
#include <string>

namespace pennory::files {

std::u16string messageForError(int error, FileAction action) {
    switch (error) {
        case ENOENT:
            // Reading names a file that is not there; writing creates one, so its folder is.
            return action == FileAction::Read ? u"找不到文件。" : u"文件夹不存在。";
        case ENOTDIR:
            return u"文件夹不存在。";
        case EACCES:
        case EPERM:
            return u"没有访问权限。";
        case ENOSPC:
        case EDQUOT:
            return u"磁盘空间不足。";
        case EROFS:
            return u"磁盘是只读的，无法写入。";
        case EISDIR:
            return kMessageIsFolder;
        case EFBIG:
            return kMessageTooLarge;
        case ENAMETOOLONG:
            return u"文件名太长。";
        case EMFILE:
        case ENFILE:
            return u"打开的文件太多。";
        case EIO:
            return u"磁盘读写出错。";
        default: {
            std::u16string message = u"文件读写失败（错误代码 ";
            for (char c : std::to_string(error)) message.push_back(static_cast<char16_t>(c));
            message += u"）。";
            return message;
        }
    }
}

std::u16string_view messageForPackageProblem(text::PackageProblem problem) {
    switch (problem) {
        case text::PackageProblem::NotAZip:  // it began like a zip, so it is a broken one
        case text::PackageProblem::Damaged:
            return kMessageDamagedPackage;
        case text::PackageProblem::TooLarge:
            return kMessageUnpackedTooLarge;
        case text::PackageProblem::Encrypted:
            return kMessageEncryptedEntries;
        case text::PackageProblem::MissingPart:
            return kMessageMissingMainPart;
        case text::PackageProblem::BadXml:
            return kMessageBadXml;
        case text::PackageProblem::NotADocument:
            return kMessageZipNotADocument;
    }
    return kMessageDamagedPackage;
}

}  // namespace pennory::files
