#include "protection/password_file.h"

#include <system_error>
#include <vector>

#include "platform/files/text_lines.h"

namespace pennory::protection {
namespace fs = std::filesystem;
namespace {

// The folders between the nearest existing ancestor and the file's folder, outermost first.
// A folder that already exists is never touched, so its permissions stay the owner's choice.
std::vector<fs::path> missingFolders(const fs::path& folder) {
    std::vector<fs::path> missing;
    std::error_code error;
    for (fs::path p = folder; !p.empty(); p = p.parent_path()) {
        if (fs::status(p, error).type() != fs::file_type::not_found) break;
        missing.insert(missing.begin(), p);
        if (p == p.parent_path()) break;
    }
    return missing;
}

void removeFolders(const std::vector<fs::path>& created) {
    std::error_code ignored;
    for (auto it = created.rbegin(); it != created.rend(); ++it) fs::remove(*it, ignored);
}

// Creates each folder and narrows it to owner-only before the next one or the file goes
// into it, so the password never lies in a folder others can list.
files::FileResult createFolders(const std::vector<fs::path>& folders,
                                std::vector<fs::path>& created) {
    for (const auto& folder : folders) {
        std::error_code error;
        if (!fs::create_directory(folder, error) || error) {
            return files::FileResult::failure(u"无法创建文件夹。");
        }
        created.push_back(folder);
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
        if (error) return files::FileResult::failure(u"无法设置文件夹的访问权限。");
    }
    return files::FileResult::success();
}

}  // namespace

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
    std::vector<fs::path> created;
    files::FileResult result = createFolders(missingFolders(file.parent_path()), created);
    if (result.ok) result = files::writeTextLines(file, {std::u16string(password)}, true);
    if (!result.ok) removeFolders(created);
    return result;
}

}  // namespace pennory::protection
