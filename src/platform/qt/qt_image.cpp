#include "platform/qt/qt_image.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include "platform/picture_probe.h"

namespace pennory::platform::qt {

namespace {

// Room for the largest picture the probe lets through, at four bytes a pixel.
constexpr int kAllocationLimitMb = static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)) + 1;

}  // namespace

QtImage::QtImage(QWidget* parent) : QtControl(new QLabel(parent)) {
    m_widget->setScaledContents(false);
    m_widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

PictureResult QtImage::loadPicture(const std::filesystem::path& path) {
    PictureResult probed = probePicture(path);
    if (!probed.result.ok) {
        clearPicture();
        return probed;
    }
    QImageReader::setAllocationLimit(kAllocationLimitMb);
    QImageReader reader(toQString(path.u16string()));
    reader.setAutoTransform(false);  // the picture as stored, as wide as the probe found it
    const QImage image = reader.read();
    if (image.isNull()) {
        clearPicture();
        return {files::FileResult::failure(u"图片文件已损坏或无法解码"), 0, 0};
    }
    m_widget->setPixmap(QPixmap::fromImage(image));
    setPictureSize(image.width(), image.height());
    return {files::FileResult::success(), image.width(), image.height()};
}

void QtImage::clearPicture() {
    m_widget->clear();
    setPictureSize(0, 0);
}

bool QtImage::hasPicture() const { return !m_widget->pixmap().isNull(); }

void QtImage::setPictureSize(int widthPx, int heightPx) {
    Geometry place = geometry();
    place.width = pixelsToTwips(widthPx);
    place.height = pixelsToTwips(heightPx);
    setGeometry(place);
}

}  // namespace pennory::platform::qt
