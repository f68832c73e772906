// The copy of a file's old bytes kept while it is rewritten in place: a kill half-way leaves it
// with its record, an ordinary failure or success removes it, and without a place to keep it
// the rewrite does not happen.

#include "platform/files/rewrite_backup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>

#include "platform/files/file_io.h"
#include "platform/files/write_faults.h"
#include "temp_folder.h"

namespace pennory::files {
namespace {

using testing::contentsOf;
using testing::modeOf;
using testing::putFile;
using testing::TempFolder;

// The state folder for the rewrites of one test.
class ScopedBackupFolder {
public:
    explicit ScopedBackupFolder(const std::filesystem::path& folder) {
        setRewriteBackupFolder(folder);
    }
    ~ScopedBackupFolder() { setRewriteBackupFolder({}); }
};

// Rewrites doc in place and is "killed" after a few bytes of the new content.
FileResult killedRewrite(const std::filesystem::path& doc, const std::string& replacement) {
    ScopedWriteFault fault(WriteStep::KilledInPlace, EIO, 3);
    return writeFileAtomically(doc, replacement);
}

TEST(RewriteBackup, AKillHalfWayLeavesTheOldBytesAndTheirPathInTheStateFolder) {
    TempFolder folder, state;
    ScopedBackupFolder scoped(state / "pennory");
    putFile(folder / "文稿.rtf", "the old content");
    EXPECT_FALSE(killedRewrite(folder / "文稿.rtf", "new words").ok);
    EXPECT_EQ(contentsOf(folder / "文稿.rtf"), "new old content");  // half-written
    EXPECT_EQ(folder.listing(), "文稿.rtf ");  // nothing beside the writer's file

    EXPECT_EQ(modeOf(state / "pennory"), 0700u);
    const auto left = leftOriginals(state / "pennory");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].original, folder / "文稿.rtf");
    EXPECT_EQ(contentsOf(left[0].copy), "the old content");
    EXPECT_EQ(modeOf(left[0].copy), 0600u);
    EXPECT_EQ(contentsOf(left[0].record), (folder / "文稿.rtf").string() + "\n");
    EXPECT_EQ(left[0].copy.filename().string().substr(0, 8), "rewrite-");

    EXPECT_TRUE(restoreOriginal(left[0]).ok);
    EXPECT_EQ(contentsOf(folder / "文稿.rtf"), "the old content");
    EXPECT_EQ(TempFolder::listingOf(state / "pennory"), "");
}

TEST(RewriteBackup, NotOfferedWhileItsRewriteIsStillGoing) {
    TempFolder folder, state;
    FileResult failure;
    auto backup = RewriteBackup::make(state.path(), folder / "doc.txt", "old", failure);
    ASSERT_TRUE(backup);
    EXPECT_TRUE(leftOriginals(state.path()).empty()) << "offered while its program works";
    backup.reset();  // the program dies: the lock goes, the copy stays
    EXPECT_EQ(leftOriginals(state.path()).size(), 1u);
}

TEST(RewriteBackup, WithoutAPlaceForTheCopyTheFileIsNotRewritten) {
    TempFolder folder, state;
    putFile(state / "a file", "x");
    struct Case {
        const char* name;
        std::filesystem::path backupFolder;
        bool backupFault;
        std::u16string reason;
    } cases[] = {
        {"no state folder", {}, false, u"不知道程序的状态文件夹在哪里。"},
        {"state folder cannot be made", state / "a file" / "pennory", false, u"无法创建文件夹。"},
        {"copy cannot be written", state / "pennory", true, u"磁盘空间不足。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        putFile(folder / "doc.rtf", "old");
        ScopedBackupFolder scoped(c.backupFolder);
        FileResult result;
        {
            ScopedWriteFault fault(c.backupFault ? WriteStep::Backup : WriteStep::InPlace, ENOSPC,
                                   SIZE_MAX);
            result = writeFileAtomically(folder / "doc.rtf", "new");
        }
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find(c.reason), std::u16string::npos);
        EXPECT_NE(result.message.find(u"请另存到别的文件夹。"), std::u16string::npos);
        EXPECT_EQ(contentsOf(folder / "doc.rtf"), "old");
        EXPECT_EQ(state.listing(), c.backupFault ? "a file pennory " : "a file ");
        if (c.backupFault) {
            EXPECT_EQ(TempFolder::listingOf(state / "pennory"), "");
        }
    }
}

TEST(RewriteBackup, ARecordIsUsedAsAPathOnlyWhenItIsOneAbsolutePath) {
    struct Case {
        const char* name;
        std::string record;
        std::filesystem::path original;
    } cases[] = {
        {"sound", "/home/writer/稿.rtf\n", "/home/writer/稿.rtf"},
        {"relative", "writer/稿.rtf\n", ""},
        {"cut short", "/home/writer/稿.rtf", ""},
        {"two lines", "/a\n/b\n", ""},
        {"a NUL inside", std::string("/a\0b\n", 5), ""},
        {"not UTF-8", "/home/\xff\xfe.rtf\n", ""},
        {"a folder", "/home/writer/\n", ""},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder state;
        putFile(state / "rewrite-abc123.old", "old bytes");
        putFile(state / "rewrite-abc123.path", c.record);
        const auto left = leftOriginals(state.path());
        ASSERT_EQ(left.size(), 1u);
        EXPECT_EQ(left[0].original, c.original);
        if (c.original.empty()) {
            EXPECT_FALSE(restoreOriginal(left[0]).ok);
            EXPECT_EQ(state.listing(), "rewrite-abc123.old rewrite-abc123.path ");
        }
    }
}

TEST(RewriteBackup, OnlyCompleteCopiesWithTheirOwnNamesAreFound) {
    TempFolder state;
    putFile(state / "rewrite-abc.old", "no record: the rewrite never began");
    putFile(state / "rewrite-abd.path", "/no/copy\n");
    putFile(state / "rewrite-x_y.path", "/bad/name\n");
    putFile(state / "rewrite-x_y.old", "bad");
    putFile(state / "recovery-123.rtf", "{\\rtf1}");
    EXPECT_TRUE(leftOriginals(state.path()).empty());
}

TEST(RewriteBackup, SetAsideUnderADatedNameWithItsRecord) {
    TempFolder state;
    putFile(state / "rewrite-abc.old", "old bytes");
    putFile(state / "rewrite-abc.path", "/home/w/a.txt\n");
    const auto left = leftOriginals(state.path());
    ASSERT_EQ(left.size(), 1u);
    const auto aside = setAsideOriginal(left[0]);
    ASSERT_TRUE(aside);
    const std::string name = aside->filename().string();
    EXPECT_EQ(name.substr(0, 9), "original-");
    EXPECT_EQ(name.size(), std::string("original-20250101-120000.old").size());
    EXPECT_EQ(contentsOf(*aside), "old bytes");
    auto record = *aside;
    EXPECT_EQ(contentsOf(record.replace_extension(".path")), "/home/w/a.txt\n");
    EXPECT_EQ(state.listing(), name + " " + record.filename().string() + " ");
    EXPECT_TRUE(leftOriginals(state.path()).empty()) << "a dated copy is never offered again";
}

}  // namespace
}  // namespace pennory::files
