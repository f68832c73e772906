#include "protection/password_file.h"

#include <system_error>
#include <vector>

#include "platform/files/private_folders.h"
#include "platform/files/text_lines.h"

namespace pennory::protection {
namespace fs = std::filesystem;

StoredPassword readPassword(const fs::path& file) {
    files::ReadLines read = files::readTextLines(file);
    StoredPassword stored;
    if (read.result.ok && !read.lines.empty()) {
        stored.status = StoredPassword::Status::Ok;
        stored.password = std::move(read.lines.front());
        return stored;
    }
    // A missing folder on the way counts as a missing file: writing the password creates it.
    if (read.missing) {
        stored.status = StoredPassword::Status::Missing;
        return stored;
    }
    stored.status = StoredPassword::Status::Unreadable;
    stored.why = read.result.ok ? u"文件是空的。" : read.result.message;
    return stored;
}

files::FileResult writePassword(const fs::path& file, std::u16string_view password) {
    // The folders are owner-only before the password goes in, so it never lies in a folder
    // others can list.
    std::vector<fs::path> created;
    files::FileResult result = files::createPrivateFolders(file.parent_path(), created);
    if (result.ok) result = files::writeTextLines(file, {std::u16string(password)}, true);
    if (!result.ok) files::removeFolders(created);
    return result;
}

}  // namespace pennory::protection
