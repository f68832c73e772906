// Zip packages in memory: what is written reads back, and hostile or broken packages stop
// with a clear problem before they cost memory.

#include "platform/text/zip_package.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace pennory::text {
namespace {

std::string package(std::initializer_list<std::pair<std::string, std::string>> entries,
                    bool compress = true) {
    ZipWriter writer;
    for (const auto& [name, bytes] : entries) writer.add(name, bytes, compress);
    return writer.finish();
}

std::uint32_t get32(const std::string& bytes, std::size_t at) {
    return std::uint32_t(std::uint8_t(bytes[at])) |
           std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}
void set32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
// The offset of the first central directory record.
std::size_t centralRecord(const std::string& bytes) {
    return bytes.find(std::string("PK\x01\x02", 4));
}

TEST(ZipPackage, WhatIsWrittenReadsBackInOrder) {
    std::string text(5000, 'x');
    std::string zip = package({{"mimetype", "application/vnd.oasis.opendocument.text"},
                               {"content.xml", "<a>汉字</a>"},
                               {"big.txt", text},
                               {"empty", ""}});
    PackageProblem problem{};
    auto reader = ZipReader::open(zip, problem);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->names(),
              (std::vector<std::string>{"mimetype", "content.xml", "big.txt", "empty"}));
    EXPECT_TRUE(reader->has("content.xml"));
    EXPECT_FALSE(reader->has("content"));
    EXPECT_EQ(reader->read("content.xml", problem), "<a>汉字</a>");
    EXPECT_EQ(reader->read("big.txt", problem), text);
    EXPECT_EQ(reader->read("empty", problem), "");
    EXPECT_EQ(reader->read("mimetype", problem), "application/vnd.oasis.opendocument.text");
    EXPECT_FALSE(reader->read("styles.xml", problem));
    EXPECT_EQ(problem, PackageProblem::MissingPart);
}

TEST(ZipPackage, StoredEntriesAreTrulyStoredAndCompressedOnesShrink) {
    ZipWriter writer;
    writer.add("mimetype", "application/vnd.oasis.opendocument.text", false);
    writer.add("content.xml", std::string(100'000, 'a'));
    std::string zip = writer.finish();
    // Local header (30 bytes) and name, then the bytes themselves.
    EXPECT_EQ(zip.substr(30, 8 + 39), "mimetypeapplication/vnd.oasis.opendocument.text");
    EXPECT_LT(zip.size(), 2000u);
    PackageProblem problem{};
    auto reader = ZipReader::open(zip, problem);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(reader->isStored("mimetype"));
    EXPECT_FALSE(reader->isStored("content.xml"));
    EXPECT_EQ(reader->read("content.xml", problem), std::string(100'000, 'a'));
}

TEST(ZipPackage, TheWriterIsEmptyAfterFinishing) {
    ZipWriter writer;
    writer.add("a", "1");
    writer.finish();
    writer.add("b", "2");
    PackageProblem problem{};
    std::string zip = writer.finish();
    auto reader = ZipReader::open(zip, problem);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->names(), std::vector<std::string>{"b"});
}

TEST(ZipPackage, BytesThatAreNoZipAreRefused) {
    for (std::string bytes :
         {std::string(), std::string("hello"), std::string(1000, '\0'), std::string("{\\rtf1 }")}) {
        PackageProblem problem{};
        EXPECT_FALSE(ZipReader::open(bytes, problem)) << bytes;
        EXPECT_EQ(problem, PackageProblem::NotAZip);
    }
}

TEST(ZipPackage, ATruncatedPackageIsRefusedAtEveryLength) {
    std::string zip =
        package({{"content.xml", std::string(3000, 'q') + "end"}, {"styles.xml", "<s/>"}});
    for (std::size_t length = 0; length < zip.size(); length += 7) {
        std::string cut = zip.substr(0, length);
        PackageProblem problem{};
        auto reader = ZipReader::open(cut, problem);
        if (!reader) {
            EXPECT_TRUE(problem == PackageProblem::NotAZip || problem == PackageProblem::Damaged);
            continue;
        }
        EXPECT_FALSE(reader->read("content.xml", problem)) << length;
    }
}

TEST(ZipPackage, DamagedDataFailsItsChecksum) {
    std::string zip = package({{"content.xml", std::string(3000, 'q')}}, false);
    zip[30 + 11 + 100] = 'r';
    PackageProblem problem{};
    auto reader = ZipReader::open(zip, problem);
    ASSERT_TRUE(reader);
    EXPECT_FALSE(reader->read("content.xml", problem));
    EXPECT_EQ(problem, PackageProblem::Damaged);
}

TEST(ZipPackage, AnEntryPastTheBudgetIsNotInflated) {
    std::string zip = package({{"bomb.xml", std::string(10'000'000, '0')}});
    ASSERT_LT(zip.size(), 100'000u);
    PackageBudget budget;
    budget.maxEntryBytes = 1'000'000;
    PackageProblem problem{};
    auto reader = ZipReader::open(zip, problem, budget);
    ASSERT_TRUE(reader);
    EXPECT_FALSE(reader->read("bomb.xml", problem));
    EXPECT_EQ(problem, PackageProblem::TooLarge);
}

TEST(ZipPackage, AHeaderThatUnderstatesTheSizeIsCaughtWhileInflating) {
    std::string zip = package({{"bomb.xml", std::string(10'000'000, '0')}});
    // The local and the central header both claim 100 bytes.
    set32(zip, 22, 100);
    set32(zip, centralRecord(zip) + 24, 100);
    PackageBudget budget;
    budget.maxEntryBytes = 1'000'000;
    PackageProblem problem{};
    auto reader = ZipReader::open(zip, problem, budget);
    ASSERT_TRUE(reader);
    EXPECT_FALSE(reader->read("bomb.xml", problem));
    EXPECT_TRUE(problem == PackageProblem::TooLarge || problem == PackageProblem::Damaged);
}

TEST(ZipPackage, TheTotalBudgetCountsEveryEntryRead) {
    std::string zip = package({{"a", std::string(600'000, 'a')}, {"b", std::string(600'000, 'b')}});
    PackageBudget budget;
    budget.maxTotalBytes = 1'000'000;
    PackageProblem problem{};
    auto reader = ZipReader::open(zip, problem, budget);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(reader->read("a", problem));
    EXPECT_FALSE(reader->read("b", problem));
    EXPECT_EQ(problem, PackageProblem::TooLarge);
}

TEST(ZipPackage, TooManyEntriesAreRefusedAtOpening) {
    ZipWriter writer;
    for (int i = 0; i < 11; ++i) writer.add("e" + std::to_string(i), "x");
    std::string zip = writer.finish();
    PackageBudget budget;
    budget.maxEntries = 10;
    PackageProblem problem{};
    EXPECT_FALSE(ZipReader::open(zip, problem, budget));
    EXPECT_EQ(problem, PackageProblem::TooLarge);
    budget.maxEntries = 11;
    EXPECT_TRUE(ZipReader::open(zip, problem, budget));
}

TEST(ZipPackage, AnEncryptedEntryIsRefused) {
    std::string zip = package({{"content.xml", "<a/>"}});
    // General purpose flag bit 0: encrypted (traditional PKWARE).
    zip[6] = static_cast<char>(zip[6] | 1);
    std::size_t central = centralRecord(zip);
    zip[central + 8] = static_cast<char>(zip[central + 8] | 1);
    PackageProblem problem{};
    auto reader = ZipReader::open(zip, problem);
    ASSERT_TRUE(reader);
    EXPECT_FALSE(reader->read("content.xml", problem));
    EXPECT_EQ(problem, PackageProblem::Encrypted);
    EXPECT_EQ(get32(zip, 0), 0x04034b50u);
}

}  // namespace
}  // namespace pennory::text
