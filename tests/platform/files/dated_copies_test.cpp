// Dated copies in the state folder: their names, and the removal of old ones at start.

#include "platform/files/dated_copies.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace pennory::files {
namespace {

using testing::putFile;
using testing::TempFolder;

std::time_t localTime(int year, int month, int day, int hour = 12, int minute = 0) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST(DatedCopies, NamesAndTheirDates) {
    EXPECT_EQ(datedName("recovery-", localTime(2024, 3, 9, 7, 5), 0, ".rtf"),
              "recovery-20240309-070500.rtf");
    EXPECT_EQ(datedName("recovery-", localTime(2024, 3, 9, 7, 5), 2, ".rtf"),
              "recovery-20240309-070500-3.rtf");
    struct Case {
        const char* name;
        bool dated;
    } cases[] = {
        {"recovery-20240309-070500.rtf", true},   {"recovery-20240309-070500-12.rtf", true},
        {"recovery-20240309-0705.rtf", false},    {"recovery-20240309070500.rtf", false},
        {"recovery-20241309-070500.rtf", false},  {"recovery-20240309-070500-.rtf", false},
        {"recovery-20240309-070500x.rtf", false}, {"recovery-1234.rtf", false},
        {"recovery-20240309-070500.txt", false},  {"x-recovery-20240309-070500.rtf", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto when = dateOfDatedName(c.name, "recovery-", ".rtf");
        EXPECT_EQ(when.has_value(), c.dated);
        if (when) {
            EXPECT_EQ(*when, localTime(2024, 3, 9, 7, 5));
        }
    }
}

TEST(DatedCopies, OlderThanThirtyDaysGoButTheFiveNewestStay) {
    TempFolder folder;
    const std::time_t now = localTime(2024, 6, 30);
    // Seven dated copies of 40 to 46 days ago, one of yesterday, and files of other names.
    for (int day = 14; day <= 20; ++day) {
        putFile(folder / ("recovery-202405" + std::to_string(day) + "-120000.rtf"), "old");
    }
    putFile(folder / "recovery-20240629-120000.rtf", "new");
    putFile(folder / "recovery-4711.rtf", "someone's unsaved work");
    putFile(folder / "recovery-4711.lock", "");
    putFile(folder / "recovery-20200101-000000.txt", "not a copy");
    putFile(folder / "notes-20200101-000000.rtf", "not a copy");
    removeOutdatedCopies(folder.path(), now);
    EXPECT_EQ(folder.listing(),
              "notes-20200101-000000.rtf recovery-20200101-000000.txt recovery-20240517-120000.rtf "
              "recovery-20240518-120000.rtf recovery-20240519-120000.rtf "
              "recovery-20240520-120000.rtf recovery-20240629-120000.rtf recovery-4711.lock "
              "recovery-4711.rtf ");
}

TEST(DatedCopies, YoungerThanThirtyDaysStayHoweverMany) {
    TempFolder folder;
    const std::time_t now = localTime(2024, 6, 30);
    for (int day = 1; day <= 9; ++day) {
        putFile(folder / ("recovery-2024060" + std::to_string(day) + "-120000.rtf"), "x");
    }
    removeOutdatedCopies(folder.path(), now);
    EXPECT_EQ(folder.listing().size(), 9 * std::string("recovery-20240601-120000.rtf ").size());
}

TEST(DatedCopies, AnOldOriginalGoesWithItsRecord) {
    TempFolder folder;
    for (int day = 10; day <= 15; ++day) {
        const std::string stem = "original-202401" + std::to_string(day) + "-120000";
        putFile(folder / (stem + ".old"), "old");
        putFile(folder / (stem + ".path"), "/a\n");
    }
    removeOutdatedCopies(folder.path(), localTime(2024, 6, 30));
    EXPECT_EQ(folder.listing(),
              "original-20240111-120000.old original-20240111-120000.path "
              "original-20240112-120000.old original-20240112-120000.path "
              "original-20240113-120000.old original-20240113-120000.path "
              "original-20240114-120000.old original-20240114-120000.path "
              "original-20240115-120000.old original-20240115-120000.path ");
}

}  // namespace
}  // namespace pennory::files
