// A file written as it is made, piece by piece, has every safety of a file written whole: the
// old file stays whole whatever step fails, no temporary file is left, and the writer learns
// why in Chinese.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <stdexcept>

#include "platform/files/file_io.h"
#include "platform/files/rewrite_backup.h"
#include "platform/files/write_faults.h"
#include "failed_writes.h"
#include "temp_folder.h"

namespace pennory::files {
namespace {

using testing::contentsOf;
using testing::modeOf;
using testing::putFile;
using testing::TempFolder;

// Bytes of a file made in pieces of 1, 2, 3 ... 1000 bytes and then again, 3 MB in all.
std::string madeBytes() {
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < 3 * 1024 * 1024; ++i)
        bytes.push_back(static_cast<char>(i * 131 % 251));
    return bytes;
}

// Gives bytes to the sink in pieces of growing size; stops at the first refusal.
ByteProducer inPieces(const std::string& bytes) {
    return [&bytes](const text::ByteSink& sink) {
        std::size_t size = 1;
        for (std::size_t at = 0; at < bytes.size(); at += size, size = size % 1000 + 1) {
            if (!sink(std::string_view(bytes).substr(at, size))) return false;
        }
        return true;
    };
}

TEST(StreamedFile, PiecesMakeTheFileExactly) {
    TempFolder folder;
    const std::string bytes = madeBytes();
    ASSERT_TRUE(writeFileAtomically(folder / "a.rtf", inPieces(bytes)).ok);
    EXPECT_EQ(contentsOf(folder / "a.rtf"), bytes);
    const std::string none;
    ASSERT_TRUE(writeFileAtomically(folder / "a.rtf", inPieces(none)).ok);
    EXPECT_EQ(contentsOf(folder / "a.rtf"), "");
    EXPECT_EQ(folder.listing(), "a.rtf ");
}

TEST(StreamedFile, KeepsPermissionsAndWritesThroughALink) {
    TempFolder folder;
    putFile(folder / "real.rtf", "old");
    ::chmod((folder / "real.rtf").c_str(), 0640);
    std::filesystem::create_symlink(folder / "real.rtf", folder / "link.rtf");
    const std::string bytes = "new";
    ASSERT_TRUE(writeFileAtomically(folder / "link.rtf", inPieces(bytes)).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.rtf"));
    EXPECT_EQ(contentsOf(folder / "real.rtf"), "new");
    EXPECT_EQ(modeOf(folder / "real.rtf"), 0640u);
    ASSERT_TRUE(writeFileAtomically(folder / "secret.rtf", inPieces(bytes), true).ok);
    EXPECT_EQ(modeOf(folder / "secret.rtf"), 0600u);
}

TEST(StreamedFile, AFailedWriteLeavesTheOldFileWhole) {
    const std::string bytes = madeBytes();
    testing::expectFailedWritesLeaveTheOldFile(
        {
            {WriteStep::Create, EACCES, 0, u"没有访问权限。"},
            {WriteStep::Write, ENOSPC, 0, u"磁盘空间不足。"},
            // Some megabytes in, in the middle of a piece.
            {WriteStep::Write, ENOSPC, 2'500'001, u"磁盘空间不足。"},
            {WriteStep::Write, EIO, 3 * 1024 * 1024, u"磁盘读写出错。"},
            {WriteStep::Sync, EIO, 0, u"磁盘读写出错。"},
            {WriteStep::Rename, EXDEV, 0, u"文件读写失败（错误代码 18）。"},
        },
        [&](const std::filesystem::path& path) {
            return writeFileAtomically(path, inPieces(bytes));
        });
}

// Once a piece was refused, a producer that goes on offering pieces writes none of them.
TEST(StreamedFile, NothingIsWrittenAfterARefusedPiece) {
    TempFolder folder;
    int taken = 0;
    FileResult result;
    {
        ScopedWriteFault fault(WriteStep::Write, ENOSPC, 10);
        result = writeFileAtomically(folder / "new.rtf", [&](const text::ByteSink& sink) {
            for (int i = 0; i < 5; ++i) taken += sink("abcdef") ? 1 : 0;
            return true;
        });
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, u"磁盘空间不足。");
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(folder.listing(), "");
}

// A producer that cannot make the file, by an answer or an exception, leaves the old one.
TEST(StreamedFile, AProducerThatFailsLeavesTheOldFile) {
    TempFolder folder;
    putFile(folder / "doc.rtf", "old");
    const FileResult result =
        writeFileAtomically(folder / "doc.rtf", [](const text::ByteSink& sink) {
            sink("half a file");
            return false;
        });
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, u"磁盘读写出错。");
    EXPECT_THROW(writeFileAtomically(folder / "doc.rtf",
                                     [](const text::ByteSink& sink) -> bool {
                                         sink("half a file");
                                         throw std::bad_alloc();
                                     }),
                 std::bad_alloc);
    EXPECT_EQ(contentsOf(folder / "doc.rtf"), "old");
    EXPECT_EQ(folder.listing(), "doc.rtf ");
}

// Where no temporary file can be made the file is rewritten in place from the pieces, after a
// copy of the old bytes was kept, and a failure half-way puts the old content back.
TEST(StreamedFile, InPlaceWhenNoTemporaryFileCanBeMade) {
    const std::string bytes = madeBytes();
    struct Case {
        std::size_t failAfter;
        bool ok;
        std::u16string message;
    } cases[] = {
        {SIZE_MAX, true, u""},
        {1'000'003, false, u"磁盘空间不足。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failAfter);
        TempFolder folder, state;
        setRewriteBackupFolder(state.path());
        putFile(folder / "doc.rtf", "the old content");
        FileResult result;
        {
            ScopedWriteFault fault(WriteStep::InPlace, ENOSPC, c.failAfter);
            result = writeFileAtomically(folder / "doc.rtf", inPieces(bytes));
        }
        setRewriteBackupFolder({});
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.message, c.message);
        EXPECT_TRUE(contentsOf(folder / "doc.rtf") == (c.ok ? bytes : "the old content"));
        EXPECT_EQ(folder.listing(), "doc.rtf ");
        EXPECT_EQ(state.listing(), "");
    }
}

}  // namespace
}  // namespace pennory::files
