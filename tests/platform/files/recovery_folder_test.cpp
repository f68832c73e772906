#include "platform/files/recovery_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "temp_folder.h"

namespace pennory::files {
namespace {

using testing::contentsOf;
using testing::modeOf;
using testing::TempFolder;

void put(const std::filesystem::path& path, const std::string& bytes) {
    testing::putFile(path, bytes);
}

TEST(RecoveryFolder, ASlotNeverTakesTheNameOfACopyStillThere) {
    TempFolder dir;
    const std::string pid = std::to_string(::getpid());
    put(dir / ("recovery-" + pid + ".rtf"), "left by an earlier program with this pid");
    auto slot = RecoverySlot::claim(dir.path());
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->copyPath().filename(), "recovery-" + pid + ".2.rtf");
    ASSERT_TRUE(slot->write("mine").ok);
    EXPECT_EQ(contentsOf(dir / ("recovery-" + pid + ".rtf")),
              "left by an earlier program with this pid");
    EXPECT_EQ(modeOf(slot->copyPath()), 0600u);
    // Ending normally removes the copy and the lock file.
    const auto copy = slot->copyPath();
    slot.reset();
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_FALSE(std::filesystem::exists(dir / ("recovery-" + pid + ".2.lock")));
}

TEST(RecoveryFolder, OffersOnlyCopiesWhoseLockIsFreeAndCleansStaleLocks) {
    TempFolder dir;
    auto running = RecoverySlot::claim(dir.path());
    ASSERT_TRUE(running->write("running").ok);
    put(dir / "recovery-999999.rtf", "crashed");         // its lock file is gone
    put(dir / "recovery-999998.lock", "");               // a lock without a copy
    put(dir / "recovery-20261207-120000.rtf", "aside");  // set aside earlier
    put(dir / "notes.rtf", "not ours");

    const auto copies = abandonedCopies(dir.path());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].copy.filename(), "recovery-999999.rtf");
    EXPECT_FALSE(std::filesystem::exists(dir / "recovery-999998.lock"));
    // While this start decides, another start is not offered the same copy.
    EXPECT_TRUE(abandonedCopies(dir.path()).empty());
}

TEST(RecoveryFolder, SetAsideNeverReplacesAnEarlierDatedCopy) {
    TempFolder dir;
    put(dir / "recovery-11.rtf", "first");
    put(dir / "recovery-12.rtf", "second");
    std::filesystem::last_write_time(dir / "recovery-12.rtf",
                                     std::filesystem::last_write_time(dir / "recovery-11.rtf"));
    std::vector<std::string> kept;
    for (const auto& copy : abandonedCopies(dir.path()))
        kept.push_back(contentsOf(*setAside(copy)));
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(std::filesystem::exists(dir / "recovery-11.rtf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "recovery-11.lock"));
}

}  // namespace
}  // namespace pennory::files
