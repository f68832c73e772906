#include "platform/files/file_head.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/files/file_errors.h"
#include "support/privileges.h"
#include "temp_folder.h"

namespace pennory::files {
namespace {

using testing::putFile;
using testing::TempFolder;

// Bytes this process has read through system calls so far (Linux's own count).
long long bytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") return value;
    }
    return -1;
}

TEST(FileHead, ReadsASmallFileWhole) {
    TempFolder folder;
    putFile(folder / "print.txt", "pw\r\n");
    const FileHead head = readFileHead(folder / "print.txt", 16);
    EXPECT_TRUE(head.result.ok);
    EXPECT_FALSE(head.missing);
    EXPECT_EQ(head.bytes, "pw\r\n");
    EXPECT_TRUE(head.complete);
}

TEST(FileHead, StopsAtTheBound) {
    struct Row {
        std::size_t fileSize;
        std::size_t expectedBytes;
        bool complete;
    };
    const Row rows[] = {
        {0, 0, true}, {15, 15, true}, {16, 16, true}, {17, 16, false}, {100000, 16, false}};
    TempFolder folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fileSize);
        putFile(folder / "f", std::string(row.fileSize, 'x'));
        const FileHead head = readFileHead(folder / "f", 16);
        EXPECT_TRUE(head.result.ok);
        EXPECT_EQ(head.bytes, std::string(row.expectedBytes, 'x'));
        EXPECT_EQ(head.complete, row.complete);
    }
}

TEST(FileHead, AHugeFileCostsOnlyTheBound) {
    TempFolder folder;
    const auto path = folder / "print.txt";
    putFile(path, "pw\r\n");
    // 300 MB without using the disk: the rest of the file is a hole.
    ASSERT_EQ(::truncate(path.c_str(), 300LL << 20), 0);
    const long long before = bytesReadSoFar();
    ASSERT_GE(before, 0) << "no /proc/self/io";
    const FileHead head = readFileHead(path, 4096);
    const long long read = bytesReadSoFar() - before;
    EXPECT_TRUE(head.result.ok);
    EXPECT_FALSE(head.complete);
    EXPECT_EQ(head.bytes.size(), 4096u);
    EXPECT_EQ(head.bytes.substr(0, 4), "pw\r\n");
    EXPECT_LT(read, 64 << 10) << "read " << read << " bytes";
}

TEST(FileHead, MissingFileOrFolderIsFlagged) {
    TempFolder folder;
    for (const auto& path : {folder / "print.txt", folder / "no folder" / "print.txt"}) {
        SCOPED_TRACE(path);
        const FileHead head = readFileHead(path, 16);
        EXPECT_TRUE(head.missing);
        EXPECT_FALSE(head.result.ok);
        EXPECT_TRUE(head.bytes.empty());
    }
    putFile(folder / "plain", "x");
    EXPECT_TRUE(readFileHead(folder / "plain" / "print.txt", 16).missing);
}

// A FIFO with no writer would block an ordinary open for good; a device is never opened.
TEST(FileHead, AnythingButARegularFileIsRefusedWithoutBlocking) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(folder / "folder");
    std::filesystem::create_symlink(folder / "fifo", folder / "link to fifo");
    const struct {
        std::filesystem::path path;
        std::u16string message;
    } rows[] = {
        {folder / "fifo", kMessageNotRegularFile},
        {folder / "link to fifo", kMessageNotRegularFile},
        {"/dev/null", kMessageNotRegularFile},
        {folder / "folder", kMessageIsFolder},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const FileHead head = readFileHead(row.path, 16);
        EXPECT_FALSE(head.result.ok);
        EXPECT_FALSE(head.missing);
        EXPECT_TRUE(head.result.message == row.message);
        EXPECT_TRUE(head.bytes.empty());
    }
}

TEST(FileHead, AFileThatCannotBeOpenedIsAFailure) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << pennory::testing::kNeedsUnprivilegedUser << "root opens every file";
    }
    TempFolder folder;
    putFile(folder / "print.txt", "pw\r\n");
    ::chmod((folder / "print.txt").c_str(), 0);
    const FileHead head = readFileHead(folder / "print.txt", 16);
    EXPECT_FALSE(head.result.ok);
    EXPECT_FALSE(head.missing);
    EXPECT_TRUE(head.result.message == u"没有访问权限。");
}

}  // namespace
}  // namespace pennory::files
