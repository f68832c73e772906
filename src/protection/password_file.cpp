#include "protection/password_file.h"


#include <optional>
#include <system_error>
#include <vector>

#include "platform/files/file_head.h"
#include "platform/files/private_folders.h"
#include "platform/files/text_lines.h"
#include "platform/text/plain_text.h"

namespace pennory::protection {
namespace fs = std::filesystem;
namespace {

constexpr char16_t kNoHomeFolder[] = u"找不到用户的主文件夹。";

// The first line of the file's head, without its line end; nullopt when the head ends before
// the line does.
std::optional<std::u16string> firstLine(std::string_view head, bool complete) {
    std::u16string text = text::decodeGb18030Text(head);
    const std::size_t end = text.find_first_of(u"\r\n");
    if (end == std::u16string::npos && !complete) return std::nullopt;
    if (end != std::u16string::npos) text.resize(end);
    return text;
}

}  // namespace

StoredPassword readPassword(const fs::path& file) {
    StoredPassword stored;
    stored.status = StoredPassword::Status::Unreadable;
    if (file.empty()) {
        stored.why = kNoHomeFolder;
        return stored;
    }
    files::FileHead head = files::readFileHead(file, kPasswordFileReadLimit);
    // A missing folder on the way counts as a missing file: writing the password creates it.
    if (head.missing) {
        stored.status = StoredPassword::Status::Missing;
        return stored;
    }
    if (!head.result.ok) {
        stored.why = std::move(head.result.message);
        return stored;
    }
    if (head.bytes.empty()) {
        stored.why = u"文件是空的。";
        return stored;
    }
    std::optional<std::u16string> line = firstLine(head.bytes, head.complete);
    if (!line) {
        stored.why = u"文件的第一行太长。";
        return stored;
    }
    stored.status = StoredPassword::Status::Ok;
    stored.password = std::move(*line);
    return stored;
}

std::u16string_view passwordRefusal(std::u16string_view password) {
    if (password.find_first_of(u"\r\n") != std::u16string_view::npos) {
        return u"密码中不能有换行，请重新输入！";
    }
    // Exactly the bytes writePassword() puts in the file.
    const std::string bytes = text::encodePlainText(std::u16string(password) + u"\r\n");
    if (bytes.size() > kPasswordFileReadLimit) return u"密码太长，请重新输入！";
    if (firstLine(bytes, true) != password) return u"密码中有无法保存的字符，请重新输入！";
    return {};
}

files::FileResult writePassword(const fs::path& file, std::u16string_view password) {
    if (file.empty()) return files::FileResult::failure(kNoHomeFolder);
    // The folders are owner-only before the password goes in, so it never lies in a folder
    // others can list.
    std::vector<fs::path> created;
    files::FileResult result = files::createPrivateFolders(file.parent_path(), created);
    if (result.ok) result = files::writeTextLines(file, {std::u16string(password)}, true);
    if (!result.ok) files::removeFolders(created);
    return result;
}

}  // namespace pennory::protection
