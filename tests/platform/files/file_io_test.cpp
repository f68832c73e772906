#include "platform/files/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "platform/files/rewrite_backup.h"
#include "failed_writes.h"
#include "platform/files/write_faults.h"
#include "support/privileges.h"
#include "temp_folder.h"

namespace pennory::files {
namespace {

using testing::contentsOf;
using testing::modeOf;
using testing::putFile;
using testing::TempFolder;

TEST(FileIo, WritesAndReadsBytesExactly) {
    TempFolder folder;
    std::string bytes;
    for (int i = 0; i < 3 * 1024 * 1024; ++i) bytes.push_back(static_cast<char>(i * 7));
    for (const std::string& content : {std::string(), std::string("\0\r\n\xFF", 4), bytes}) {
        ASSERT_TRUE(writeFileAtomically(folder / "a.rtf", content).ok);
        std::string read;
        ASSERT_TRUE(readFile(folder / "a.rtf", read).ok);
        EXPECT_EQ(read, content);
    }
    EXPECT_EQ(folder.listing(), "a.rtf ");
}

TEST(FileIo, ChineseFileNames) {
    TempFolder folder;
    ASSERT_TRUE(writeFileAtomically(folder / "文稿 一.txt", "x").ok);
    EXPECT_EQ(contentsOf(folder / "文稿 一.txt"), "x");
}

TEST(FileIo, KeepsThePermissionsOfAnExistingFile) {
    TempFolder folder;
    putFile(folder / "a.txt", "old");
    ::chmod((folder / "a.txt").c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(folder / "a.txt", "new").ok);
    EXPECT_EQ(modeOf(folder / "a.txt"), 0640u);
    EXPECT_EQ(contentsOf(folder / "a.txt"), "new");
}

TEST(FileIo, NewFilesFollowTheUmaskAndOwnerOnlyMeans0600) {
    TempFolder folder;
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeFileAtomically(folder / "plain.txt", "x").ok);
    EXPECT_EQ(modeOf(folder / "plain.txt"), 0644u);
    ASSERT_TRUE(writeFileAtomically(folder / "secret.txt", "x", true).ok);
    EXPECT_EQ(modeOf(folder / "secret.txt"), 0600u);
    // An existing file that others could read becomes owner-only too.
    ASSERT_TRUE(writeFileAtomically(folder / "plain.txt", "y", true).ok);
    EXPECT_EQ(modeOf(folder / "plain.txt"), 0600u);
    ::umask(mask);
}

TEST(FileIo, WritingThroughASymbolicLinkReplacesItsTarget) {
    TempFolder folder;
    putFile(folder / "real.txt", "old");
    std::filesystem::create_symlink(folder / "real.txt", folder / "link.txt");
    ASSERT_TRUE(writeFileAtomically(folder / "link.txt", "new").ok);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
    EXPECT_EQ(contentsOf(folder / "real.txt"), "new");
}

TEST(FileIo, AFailedWriteLeavesTheOldFileWhole) {
    const std::string replacement(200000, 'n');
    testing::expectFailedWritesLeaveTheOldFile(
        {
            {WriteStep::Create, EACCES, 0, u"没有访问权限。"},
            {WriteStep::Create, EROFS, 0, u"磁盘是只读的，无法写入。"},
            {WriteStep::Write, ENOSPC, 0, u"磁盘空间不足。"},
            {WriteStep::Write, ENOSPC, 5, u"磁盘空间不足。"},
            {WriteStep::Write, EIO, 100000, u"磁盘读写出错。"},
            {WriteStep::Sync, EIO, 0, u"磁盘读写出错。"},
            {WriteStep::Rename, EXDEV, 0, u"文件读写失败（错误代码 18）。"},
        },
        [&](const std::filesystem::path& path) { return writeFileAtomically(path, replacement); });
}

TEST(FileIo, AFailedWriteOfANewFileLeavesNothing) {
    TempFolder folder;
    {
        ScopedWriteFault fault(WriteStep::Write, ENOSPC, 3);
        EXPECT_FALSE(writeFileAtomically(folder / "new.txt", "abcdef").ok);
    }
    EXPECT_EQ(folder.listing(), "");
    // The fault ends with its scope.
    EXPECT_TRUE(writeFileAtomically(folder / "new.txt", "abcdef").ok);
}

TEST(FileIo, WriteErrorsFromTheSystem) {
    TempFolder folder;
    FileResult r = writeFileAtomically(folder / "no such folder" / "a.txt", "x");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, u"文件夹不存在。");

    std::filesystem::create_directory(folder / "dir");
    r = writeFileAtomically(folder / "dir", "x");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, u"这是一个文件夹，不是文件。");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "dir"));

    putFile(folder / "file", "x");
    r = writeFileAtomically(folder / "file" / "a.txt", "x");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, u"文件夹不存在。");
}

// A folder that cannot be written holding a file that can: the file is rewritten in place.
TEST(FileIo, WriteIntoAReadOnlyFolder) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << pennory::testing::kNeedsUnprivilegedUser << "root may write anywhere";
    }
    TempFolder folder;
    std::filesystem::create_directory(folder / "ro");
    putFile(folder / "ro" / "a.txt", "the old, longer content");
    putFile(folder / "ro" / "locked.txt", "old");
    ::chmod((folder / "ro" / "locked.txt").c_str(), 0444);
    ::chmod((folder / "ro").c_str(), 0555);
    TempFolder state;
    setRewriteBackupFolder(state.path());
    FileResult r = writeFileAtomically(folder / "ro" / "a.txt", "new");
    setRewriteBackupFolder({});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(state.listing(), "");
    EXPECT_EQ(contentsOf(folder / "ro" / "a.txt"), "new");
    r = writeFileAtomically(folder / "ro" / "locked.txt", "new");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, u"没有访问权限。");
    EXPECT_EQ(contentsOf(folder / "ro" / "locked.txt"), "old");
    r = writeFileAtomically(folder / "ro" / "b.txt", "new");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, u"没有访问权限。");
    ::chmod((folder / "ro").c_str(), 0755);
    EXPECT_EQ(folder.listing(), "ro ");
}

// The same through the fault seam, so that it runs for root as well.
TEST(FileIo, InPlaceWhenNoTemporaryFileCanBeMade) {
    struct Case {
        std::string old;
        std::string replacement;
        std::size_t failAfter;
        int error;
        bool ok;
        std::u16string message;
    } cases[] = {
        {"old", "a longer new content", SIZE_MAX, ENOSPC, true, u""},
        {"a longer old content", "new", SIZE_MAX, ENOSPC, true, u""},
        {"old", "", SIZE_MAX, ENOSPC, true, u""},
        // A failure half-way puts the old content back and says why.
        {"the old content", "replacement", 4, ENOSPC, false, u"磁盘空间不足。"},
        {"the old content", std::string(300000, 'n'), 150000, EIO, false, u"磁盘读写出错。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.replacement.size());
        TempFolder folder, state;
        setRewriteBackupFolder(state.path());
        putFile(folder / "doc.rtf", c.old);
        FileResult result;
        {
            ScopedWriteFault fault(WriteStep::InPlace, c.error, c.failAfter);
            result = writeFileAtomically(folder / "doc.rtf", c.replacement);
        }
        setRewriteBackupFolder({});
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.message, c.message);
        EXPECT_TRUE(contentsOf(folder / "doc.rtf") == (c.ok ? c.replacement : c.old));
        EXPECT_EQ(folder.listing(), "doc.rtf ");
        // The copy of the old bytes goes once the file is whole again, either way.
        EXPECT_EQ(state.listing(), "");
    }
}

TEST(FileIo, NoInPlaceForAFileThatIsNotThere) {
    TempFolder folder;
    FileResult result;
    {
        ScopedWriteFault fault(WriteStep::InPlace, EIO, SIZE_MAX);
        result = writeFileAtomically(folder / "new.txt", "abc");
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, u"没有访问权限。");
    EXPECT_EQ(folder.listing(), "");
}

TEST(FileIo, ReadErrors) {
    TempFolder folder;
    std::string bytes = "left over";
    FileResult r = readFile(folder / "missing.txt", bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, u"找不到文件。");
    EXPECT_TRUE(bytes.empty());

    r = readFile(folder.path(), bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, u"这是一个文件夹，不是文件。");

    putFile(folder / "big.txt", std::string(1000, 'x'));
    r = readFile(folder / "big.txt", bytes, 999);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, u"文件太大，无法打开。");
    EXPECT_TRUE(readFile(folder / "big.txt", bytes, 1000).ok);
    EXPECT_EQ(bytes.size(), 1000u);
}

}  // namespace
}  // namespace pennory::files
