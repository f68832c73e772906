// The directory of OLE compound files: names over one and several sectors, both sector sizes,
// and broken files that must give nullopt, never a read outside the bytes or an endless loop.

#include "platform/text/ole_container.h"

#include <gtest/gtest.h>

#include "platform/text/ole_builder.h"

namespace pennory::text {
namespace {

using testing::oleFile;
using testing::putLittleEndian;
using Names = std::vector<std::u16string>;

TEST(OleContainer, RecognisesTheSignatureOnly) {
    EXPECT_TRUE(looksLikeOleContainer("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
    EXPECT_FALSE(looksLikeOleContainer("\xD0\xCF\x11\xE0\xA1\xB1\x1A"));
    EXPECT_FALSE(looksLikeOleContainer("PK\x03\x04"));
}

TEST(OleContainer, ListsTheDirectory) {
    struct Case {
        const char* name;
        Names streams;
        std::uint16_t shift;
    };
    const Case cases[] = {
        {"word 97", {u"WordDocument", u"1Table", u"\x05SummaryInformation"}, 9},
        {"encrypted package", {u"EncryptionInfo", u"EncryptedPackage"}, 9},
        {"directory over three sectors",
         {u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"WordDocument"},
         9},
        {"4096-byte sectors", {u"WordDocument", u"Data"}, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Names expected{u"Root Entry"};
        expected.insert(expected.end(), c.streams.begin(), c.streams.end());
        EXPECT_EQ(oleEntryNames(oleFile(c.streams, c.shift)), expected);
    }
}

TEST(OleContainer, BrokenFilesGiveNothing) {
    const std::string good = oleFile({u"WordDocument"});
    struct Case {
        const char* name;
        std::size_t at;
        std::uint32_t value;
        std::size_t width;
    };
    const Case cases[] = {
        {"unknown sector size", 0x1E, 10, 2},
        {"directory outside the file", 0x30, 5000, 4},
        {"directory chain that loops", 512 + 4, 1, 4},  // sector 1 follows itself
        {"FAT sector outside the file", 0x4C, 0x00FFFFFF, 4},
        {"chain into a free sector", 512 + 4, 7, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string broken = good;
        putLittleEndian(broken, c.at, c.value, c.width);
        EXPECT_EQ(oleEntryNames(broken), std::nullopt);
    }
    EXPECT_EQ(oleEntryNames(good.substr(0, 600)), std::nullopt);  // truncated
    EXPECT_EQ(oleEntryNames(good.substr(0, 8)), std::nullopt);
}

TEST(OleContainer, AFatBeyondTheHeaderIsFoundThroughItsChain) {
    // The directory's FAT entry lies in FAT sector 109, named by the first DIFAT sector.
    std::string bytes = oleFile({u"EncryptedPackage"});
    const std::size_t sector = 512;
    const std::uint32_t dirSector = 109 * 128;  // its FAT entry is in FAT sector 109
    bytes.resize(sector * (dirSector + 4), '\0');
    // Sector dirSector + 1: the DIFAT; dirSector + 2: FAT sector 109.
    const std::size_t difat = (std::size_t{dirSector} + 2) * sector;
    for (std::size_t k = 0; k < 128; ++k) putLittleEndian(bytes, difat + k * 4, 0xFFFFFFFF, 4);
    putLittleEndian(bytes, difat, dirSector + 2, 4);
    putLittleEndian(bytes, difat + 127 * 4, 0xFFFFFFFE, 4);
    const std::size_t fat109 = (std::size_t{dirSector} + 3) * sector;
    for (std::size_t k = 0; k < 128; ++k) putLittleEndian(bytes, fat109 + k * 4, 0xFFFFFFFF, 4);
    putLittleEndian(bytes, fat109, 0xFFFFFFFE, 4);  // the directory has one sector
    bytes.replace((std::size_t{dirSector} + 1) * sector, sector, bytes, 2 * sector, sector);
    putLittleEndian(bytes, 0x30, dirSector, 4);
    putLittleEndian(bytes, 0x44, dirSector + 1, 4);
    putLittleEndian(bytes, 0x48, 1, 4);

    EXPECT_EQ(oleEntryNames(bytes), (Names{u"Root Entry", u"EncryptedPackage"}));
}

}  // namespace
}  // namespace pennory::text
