#include "document/file_helpers.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace pennory::testing {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

namespace {

// Whether this process can create files in a folder without write permission.
bool permissionsIgnored(const fs::path& lockedFolder) {
    const fs::path probe = lockedFolder / "probe";
    std::ofstream out(probe);
    if (!out) return false;
    out.close();
    fs::remove(probe);
    return true;
}

}  // namespace

UnwritableTarget makeUnwritableTarget(const TempDir& dir) {
    const std::string oldBytes = "{\\rtf1\\ansi old manuscript\\par }";
    const fs::path folder = dir / "locked";
    fs::create_directories(folder);
    writeBytes(folder / "old.rtf", oldBytes);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (!permissionsIgnored(folder)) {
        // An existing file there would be rewritten in place, so the target is a new one.
        return {folder / "new.rtf", folder / "old.rtf", oldBytes, "read-only folder"};
    }
    fs::permissions(folder, fs::perms::owner_all);
    const fs::path target = dir / "taken.rtf";
    fs::create_directories(target);
    writeBytes(target / "inside.rtf", oldBytes);
    return {target, target / "inside.rtf", oldBytes, "a folder where the file should go"};
}

}  // namespace pennory::testing
