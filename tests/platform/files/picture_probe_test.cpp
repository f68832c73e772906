// Measuring picture files from their headers: the four formats, and every way a file is
// refused before a decoder would see it.

#include "platform/files/picture_probe.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "temp_folder.h"
#include "support/picture_files.h"
#include "support/privileges.h"

namespace pennory::testing {
namespace {

namespace pic = pictures;
using files::probePicture;
using files::probePictureFile;

using files::PictureProblem;
constexpr PictureProblem kUnknown = PictureProblem::UnknownFormat;
constexpr PictureProblem kDamaged = PictureProblem::Damaged;
constexpr PictureProblem kTooLarge = PictureProblem::TooLarge;

// A 40-byte-info BMP header only, declaring any size, with no pixel rows.
std::string bmpHeader(std::int32_t width, std::int32_t height, int bits = 24) {
    std::string out = "BM";
    pic::putLe32(out, 54);
    pic::putLe32(out, 0);
    pic::putLe32(out, 54);
    pic::putLe32(out, 40);
    pic::putLe32(out, static_cast<std::uint32_t>(width));
    pic::putLe32(out, static_cast<std::uint32_t>(height));
    pic::putLe16(out, 1);
    pic::putLe16(out, bits);
    pic::putLe32(out, 0);
    out += std::string(20, '\0');
    return out;
}

std::string gifHeader(int width, int height) {
    std::string out = "GIF87a";
    pic::putLe16(out, width);
    pic::putLe16(out, height);
    out += std::string(3, '\0');  // no colour table
    out += ';';
    return out;
}

std::string pngHeader(std::uint32_t width, std::uint32_t height) {
    return pic::kPngSignature + pic::pngHeaderChunk(width, height);
}

// The same with 16-bit RGB samples (depth 16, colour type 2).
std::string png16Header(std::uint32_t width, std::uint32_t height) {
    std::string chunk = pic::pngHeaderChunk(width, height);
    chunk[16] = 16;
    chunk[17] = 2;
    const std::uint32_t crc = pic::crc32(chunk.substr(4, 17));
    chunk.resize(chunk.size() - 4);
    pic::putBe32(chunk, crc);
    return pic::kPngSignature + chunk;
}

// A run-length (RLE8) BMP: a kilobyte or so of file for a picture of any declared size.
std::string rleBmp(std::int32_t width, std::int32_t height) {
    std::string out = bmpHeader(width, height, 8);
    out[30] = 1;                        // BI_RLE8
    out += std::string(256 * 4, '\0');  // the palette
    out.replace(10, 4, std::string("\x36\x04\0\0", 4));
    out += std::string("\0\1", 2);  // end of picture
    return out;
}

// A JPEG with its frame header and the start of its first scan, covering scanComponents of
// the frame's three (sampling 2x2, 1x1, 1x1).
std::string jpegWithScan(int width, int height, unsigned char frameMarker, int scanComponents) {
    std::string out = pic::jpegHeader(width, height, frameMarker);
    out.resize(out.size() - 2);  // no end marker yet
    out[out.size() - 8] = 0x22;
    out += "\xFF\xDA";
    pic::putBe16(out, 6 + 2 * scanComponents);
    out += char(scanComponents);
    for (int c = 1; c <= scanComponents; ++c) {
        out += char(c);
        out += '\0';
    }
    out += std::string("\0\x3F\0", 3);
    out += "\xFF\xD9";
    return out;
}

class PictureProbe : public ::testing::Test {
protected:
    std::filesystem::path file(const std::string& bytes) {
        return pic::write(m_dir / ("picture" + std::to_string(++m_count)), bytes);
    }

    files::testing::TempFolder m_dir;
    int m_count = 0;
};

struct Measured {
    const char* name;
    std::string bytes;
    int width;
    int height;
};

TEST_F(PictureProbe, MeasuresEachFormatFromItsHeader) {
    std::string bmpTopDown = pic::bmp(7, 5);
    bmpTopDown.replace(22, 4, "\xFB\xFF\xFF\xFF");  // height -5: rows stored top-down
    std::string bmpCore = "BM";
    pic::putLe32(bmpCore, 26 + 12 * 2);
    pic::putLe32(bmpCore, 0);
    pic::putLe32(bmpCore, 26);
    pic::putLe32(bmpCore, 12);
    pic::putLe16(bmpCore, 5);
    pic::putLe16(bmpCore, 2);
    pic::putLe16(bmpCore, 1);
    pic::putLe16(bmpCore, 24);
    bmpCore += std::string(2 * 16, '\x7F');
    // Fill bytes before a marker and tables before the frame header are allowed.
    std::string jpegWithTables = pic::jpegHeader(640, 480);
    jpegWithTables.insert(20, std::string("\xFF\xFF\xFF\xDB\x00\x05\x00\x01\x02", 9));

    const Measured cases[] = {
        {"bmp", pic::bmp(300, 200), 300, 200},
        {"bmp top-down", bmpTopDown, 7, 5},
        {"bmp core header", bmpCore, 5, 2},
        {"gif", pic::gif(120, 45), 120, 45},
        {"png", pic::png(33, 17), 33, 17},
        {"jpeg baseline", pic::jpegHeader(1024, 768), 1024, 768},
        {"jpeg progressive", pic::jpegHeader(10, 20, 0xC2), 10, 20},
        {"jpeg with tables", jpegWithTables, 640, 480},
        {"png at the limit", pngHeader(8192, 6144), 8192, 6144},
        {"16-bit png at the limit", png16Header(4096, 6144), 4096, 6144},
        {"gif at the limit", gifHeader(4096, 6144), 4096, 6144},
        {"rle bmp at the limit", rleBmp(8192, 6144), 8192, 6144},
        {"baseline jpeg at the limit", jpegWithScan(8192, 6144, 0xC0, 3), 8192, 6144},
        {"progressive jpeg within", jpegWithScan(4096, 4096, 0xC2, 3), 4096, 4096},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto probed = probePicture(c.bytes);
        ASSERT_TRUE(probed.ok()) << static_cast<int>(probed.problem);
        EXPECT_EQ(probed.widthPx, c.width);
        EXPECT_EQ(probed.heightPx, c.height);
    }
}

struct Refused {
    const char* name;
    std::string bytes;
    PictureProblem reason;
};

TEST_F(PictureProbe, RefusesWhatCannotBeShownWithAReason) {
    std::string bmpCut = pic::bmp(30, 20);
    bmpCut.resize(bmpCut.size() - 100);
    std::string bmpBadPlanes = pic::bmp(4, 4);
    bmpBadPlanes[26] = 3;
    std::string pngBadCrc = pic::png(4, 4);
    pngBadCrc[20] ^= 0x01;  // a height byte changed after the checksum was taken
    std::string jpegScanFirst = "\xFF\xD8\xFF\xDA";
    pic::putBe16(jpegScanFirst, 8);
    jpegScanFirst += std::string(6, '\0');
    std::string jpegCutSegment = pic::jpegHeader(10, 10).substr(0, 25);
    std::string jpegNoHeight = pic::jpegHeader(10, 0);

    const Refused cases[] = {
        {"text", "Dies ist kein Bild, nur ein wenig Text.\n", kUnknown},
        {"one byte", "B", kUnknown},
        {"tiff", std::string("II*\0\x08\0\0\0", 8), kUnknown},
        {"bmp cut in its header", pic::bmp(30, 20).substr(0, 20), kDamaged},
        {"bmp cut in its rows", bmpCut, kDamaged},
        {"bmp with 3 planes", bmpBadPlanes, kDamaged},
        {"bmp of width 0", bmpHeader(0, 10), kDamaged},
        {"bmp of 5 bits", bmpHeader(1, 1, 5), kDamaged},
        {"gif cut in its header", pic::gif(10, 10).substr(0, 10), kDamaged},
        {"gif of height 0", gifHeader(10, 0), kDamaged},
        {"png cut in its header", pic::png(4, 4).substr(0, 30), kDamaged},
        {"png with a bad checksum", pngBadCrc, kDamaged},
        {"png signature only", pic::kPngSignature, kDamaged},
        {"jpeg start only", "\xFF\xD8\xFF", kDamaged},
        {"jpeg scan before frame", jpegScanFirst, kDamaged},
        {"jpeg cut in a segment", jpegCutSegment, kDamaged},
        {"jpeg of height 0", jpegNoHeight, kDamaged},
        {"png bomb 100000 x 100000", pngHeader(100000, 100000), kTooLarge},
        {"png one column over the limit", pngHeader(8193, 6144), kTooLarge},
        {"png of 64 megapixels", pngHeader(8192, 8192), kTooLarge},
        {"16-bit png of 8 bytes a pixel", png16Header(8192, 6144), kTooLarge},
        {"gif of 8 bytes a pixel", gifHeader(8192, 6144), kTooLarge},
        {"rle bmp bomb of a kilobyte", rleBmp(9000, 9000), kTooLarge},
        {"progressive jpeg holding its coefficients", jpegWithScan(8192, 6144, 0xC2, 3), kTooLarge},
        {"jpeg whose first scan is one component", jpegWithScan(8192, 6144, 0xC0, 1), kTooLarge},
        {"png 2^31-1 wide", pngHeader(0x7FFFFFFF, 1), kTooLarge},
        {"gif 65535 x 65535", gifHeader(65535, 65535), kTooLarge},
        {"jpeg 65535 x 65535", pic::jpegHeader(65535, 65535), kTooLarge},
        {"bmp bomb", bmpHeader(100000, -100000), kTooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto probed = probePicture(c.bytes);
        EXPECT_FALSE(probed.ok());
        EXPECT_EQ(probed.problem, c.reason);
        EXPECT_EQ(probed.widthPx, 0);
        EXPECT_EQ(probed.heightPx, 0);
    }
}

TEST_F(PictureProbe, NamesMissingEmptyAndFolderPaths) {
    EXPECT_EQ(probePictureFile(m_dir / "nowhere.bmp").problem, PictureProblem::NotFound);
    EXPECT_EQ(probePictureFile(file("")).problem, PictureProblem::Empty);
    EXPECT_EQ(probePictureFile(m_dir.path()).problem, PictureProblem::NotAFile);
}

TEST_F(PictureProbe, ReportsAnUnreadableFile) {
    const auto path = file(pic::bmp(2, 2));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (std::ifstream(path).good()) {
        GTEST_SKIP() << kNeedsUnprivilegedUser << "running with permission to read anything";
    }
    const auto probed = probePictureFile(path);
    EXPECT_FALSE(probed.ok());
    EXPECT_EQ(probed.problem, PictureProblem::Unreadable);
}

TEST_F(PictureProbe, RefusesAPipeWithoutWaitingForIt) {
    // Nobody writes into the pipe: reading it would block for ever.
    const auto path = m_dir / "pipe.bmp";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const auto probed = probePictureFile(path);
    EXPECT_FALSE(probed.ok());
    EXPECT_EQ(probed.problem, PictureProblem::Unreadable);
}

TEST_F(PictureProbe, JudgesAHugeFileByItsHeaderAlone) {
    // A sparse file of 3 GiB: reading it whole would take gigabytes of memory.
    const auto path = file(pngHeader(640, 480));
    std::filesystem::resize_file(path, std::uintmax_t(3) << 30);
    const auto probed = probePictureFile(path);
    ASSERT_TRUE(probed.ok());
    EXPECT_EQ(probed.widthPx, 640);
    EXPECT_EQ(probed.heightPx, 480);
}

}  // namespace
}  // namespace pennory::testing
