#include "platform/files/private_folders.h"

#include <sys/stat.h>

#include <system_error>

namespace pennory::files {
namespace fs = std::filesystem;

namespace {

// The folders between the nearest existing ancestor and folder, outermost first.
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

}  // namespace

FileResult createPrivateFolders(const fs::path& folder, std::vector<fs::path>& created) {
    for (const auto& missing : missingFolders(folder)) {
        // Owner-only from the moment it exists, never wider for an instant.
        if (::mkdir(missing.c_str(), S_IRWXU) != 0) return FileResult::failure(u"无法创建文件夹。");
        created.push_back(missing);
    }
    return FileResult::success();
}

void removeFolders(const std::vector<fs::path>& created) {
    std::error_code ignored;
    for (auto it = created.rbegin(); it != created.rend(); ++it) fs::remove(*it, ignored);
}

}  // namespace pennory::files
