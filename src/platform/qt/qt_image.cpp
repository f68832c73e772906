#include "platform/qt/qt_image.h"

#include <QImageReader>

#include "platform/files/picture_probe.h"

namespace pennory::platform::qt {

namespace {

// Room for the largest picture the probe lets through.
constexpr int kAllocationLimitMb = static_cast<int>(files::kMaxPictureBytes / (1024 * 1024)) + 1;

}  // namespace

bool exceedsAllocationLimit(QSize size, QImage::Format format, int limitMb) {
    if (!size.isValid()) return false;
    const int bits =
        format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    const qint64 bytes = qint64(size.width()) * size.height() * bits / 8;
    return bytes > qint64(limitMb) * 1024 * 1024;
}

QtImage::QtImage(QWidget* parent) : QtControl(new PictureView(parent)) {}

PictureResult QtImage::loadPicture(const std::filesystem::path& path) {
    // The old picture goes before the new one is decoded, so the two are never held at once.
    clearPicture();
    PictureResult probed = files::probePictureFile(path);
    if (!probed.ok()) return probed;
    QImageReader::setAllocationLimit(kAllocationLimitMb);
    const QString name = toQString(path.u16string());
    QImageReader reader(name);
    reader.setAutoTransform(false);  // the picture as stored, as wide as the probe found it
    QImage image = reader.read();
    if (image.isNull()) {
        // A refusal of the reader's allocation limit is a size, not damage.
        QImageReader header(name);
        const bool tooLarge =
            exceedsAllocationLimit(header.size(), header.imageFormat(), kAllocationLimitMb);
        return {tooLarge ? PictureProblem::TooLarge : PictureProblem::Damaged, 0, 0};
    }
    const QSize size = image.size();
    m_widget->setImage(std::move(image));
    setPictureSize(size.width(), size.height());
    return {PictureProblem::None, size.width(), size.height()};
}

void QtImage::clearPicture() {
    m_widget->setImage(QImage());
    setPictureSize(0, 0);
}

bool QtImage::hasPicture() const { return !m_widget->image().isNull(); }

void QtImage::setPictureSize(int widthPx, int heightPx) {
    Geometry place = geometry();
    place.width = pixelsToTwips(widthPx);
    place.height = pixelsToTwips(heightPx);
    setGeometry(place);
}

}  // namespace pennory::platform::qt
