// The memory a picture takes: the largest pictures the program accepts, decoded and painted,
// stay well under 256 MB, and what would take more is refused as too large.

#include <gtest/gtest.h>
#include <malloc.h>

#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include "platform/files/picture_probe.h"
#include "platform/qt/qt_factory.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_picture_view.h"
#include "support/picture_files.h"

namespace pennory::platform {
namespace {

namespace pic = testing::pictures;

constexpr long long kMiB = 1024 * 1024;
constexpr long long kMemoryBound = 256 * kMiB;

// A field of /proc/self/status in bytes, or -1.
long long statusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1)) * 1024;
    }
    return -1;
}

// Sets the peak resident size back to the present one.
bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    return !clear.fail();
}

class PictureMemory : public ::testing::Test {
public:
    std::filesystem::path save(const QImage& image, const char* name, bool progressive = false) {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        QImageWriter writer(path);
        writer.setProgressiveScanWrite(progressive);
        writer.setCompression(1);  // quick: the size of the file does not matter here
        EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
        return std::filesystem::path(path.toStdString());
    }
    std::filesystem::path write(const char* name, const std::string& bytes) {
        return pic::write(std::filesystem::path(m_dir.path().toStdString()) / name, bytes);
    }

    // Loads and paints the picture as the panel shows it; the rise of the peak resident size.
    long long peakRise(const std::filesystem::path& path, PictureResult& result) {
        malloc_trim(0);
        if (!resetPeak()) return -1;
        const long long before = statusBytes("VmRSS");
        result = m_image->loadPicture(path);
        QImage panel(300, 460, QImage::Format_ARGB32_Premultiplied);
        qt::QtFactory::widgetOf(*m_image)->render(&panel, {}, QRegion(0, 0, 300, 460));
        const long long rise = statusBytes("VmHWM") - before;
        m_image->clearPicture();
        return rise;
    }

    QTemporaryDir m_dir;
    qt::QtFactory m_factory;
    std::unique_ptr<Image> m_image = m_factory.createImage(nullptr);
};

struct Largest {
    const char* name;
    std::function<std::filesystem::path(PictureMemory&)> make;
};

TEST_F(PictureMemory, TheLargestAcceptedPicturesStayUnder256MB) {
    if (!resetPeak()) GTEST_SKIP() << "the peak resident size cannot be reset here";
    const Largest largest[] = {
        // 48 megapixels, 4 bytes each once decoded: exactly the limit.
        {"png 8192 x 6144",
         [](PictureMemory& t) {
             QImage image(8192, 6144, QImage::Format_ARGB32);
             image.fill(QColor(200, 120, 40, 255));
             return t.save(image, "big.png");
         }},
        // Decoded to 8 bytes a pixel.
        {"16-bit png 4096 x 6144",
         [](PictureMemory& t) {
             QImage image(4096, 6144, QImage::Format_RGBX64);
             image.fill(QColor(10, 20, 30));
             return t.save(image, "deep.png");
         }},
        // The decoder holds every coefficient besides the picture: 7 bytes a pixel.
        {"progressive jpeg 6144 x 4672",
         [](PictureMemory& t) {
             QImage image(6144, 4672, QImage::Format_RGB32);
             image.fill(QColor(90, 160, 220));
             return t.save(image, "big.jpg", true);
         }},
        {"run-length bmp 8192 x 6144 of 1080 bytes",
         [](PictureMemory& t) {
             std::string bmp = pic::bmp(1, 1).substr(0, 54);
             bmp.replace(18, 8, std::string("\x00\x20\0\0\x00\x18\0\0", 8));
             bmp.replace(28, 4, std::string("\x08\0\x01\0", 4));
             bmp.replace(10, 4, std::string("\x36\x04\0\0", 4));
             bmp += std::string(1024, '\x7F') + std::string("\0\1", 2);
             return t.write("rle.bmp", bmp);
         }},
    };
    long long worst = 0;
    for (const auto& picture : largest) {
        SCOPED_TRACE(picture.name);
        const auto path = picture.make(*this);
        ASSERT_TRUE(files::probePictureFile(path).ok()) << "no longer the largest accepted";
        PictureResult result;
        const long long rise = peakRise(path, result);
        EXPECT_TRUE(result.ok()) << static_cast<int>(result.problem);
        EXPECT_LT(rise, kMemoryBound);
        std::cout << "[ memory   ] " << picture.name << ": peak rise " << rise / kMiB << " MiB\n";
        worst = std::max(worst, rise);
    }
    RecordProperty("worst_picture_peak_mib", static_cast<int>(worst / kMiB));
}

TEST_F(PictureMemory, QtsAllocationLimitIsReportedAsTooLarge) {
    EXPECT_TRUE(qt::exceedsAllocationLimit({8192, 8192}, QImage::Format_RGB32, 193));
    EXPECT_FALSE(qt::exceedsAllocationLimit({8192, 6144}, QImage::Format_RGB32, 193));
    EXPECT_TRUE(qt::exceedsAllocationLimit({8192, 6144}, QImage::Format_RGBA64, 193));
    EXPECT_FALSE(qt::exceedsAllocationLimit({8192, 6144}, QImage::Format_Indexed8, 193));
    EXPECT_TRUE(qt::exceedsAllocationLimit({8192, 8192}, QImage::Format_Invalid, 193));
    EXPECT_FALSE(qt::exceedsAllocationLimit({}, QImage::Format_RGB32, 193));
}

}  // namespace
}  // namespace pennory::platform
