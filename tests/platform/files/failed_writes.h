#pragma once
// Writes that fail at one step each, against a file holding an old manuscript: whatever step
// fails, the old file stays byte-for-byte, no temporary file is left beside it and the writer
// learns why in Chinese.

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/files/file_io.h"
#include "platform/files/write_faults.h"
#include "temp_folder.h"

namespace pennory::files::testing {

struct FailedWrite {
    WriteStep step;
    int error;
    std::size_t afterBytes;
    std::u16string message;
};

inline void expectFailedWritesLeaveTheOldFile(
    std::initializer_list<FailedWrite> cases,
    const std::function<FileResult(const std::filesystem::path&)>& write) {
    const std::string old = "{\\rtf1 the old manuscript}";
    for (const FailedWrite& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step));
        TempFolder folder;
        putFile(folder / "doc.rtf", old);
        FileResult result;
        {
            ScopedWriteFault fault(c.step, c.error, c.afterBytes);
            result = write(folder / "doc.rtf");
        }
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(contentsOf(folder / "doc.rtf"), old);
        EXPECT_EQ(folder.listing(), "doc.rtf ");
    }
}

}  // namespace pennory::files::testing
