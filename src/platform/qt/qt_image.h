#pragma once
// The picture display (the reference picture): a picture at its own size, never scaled. Its
// left and top come from the geometry; its size is the picture's.

#include <QImage>
#include <QSize>

#include "platform/qt/qt_control.h"
#include "platform/qt/qt_picture_view.h"

namespace pennory::platform::qt {

class QtImage : public QtControl<Image, PictureView> {
public:
    explicit QtImage(QWidget* parent);

    // The old picture is let go first. A picture too large to decode within
    // kMaxPictureBytes, or not a BMP, GIF, JPEG or PNG picture, is refused before it is
    // decoded; one that cannot be decoded is refused too. A refused picture leaves the
    // display empty and its size zero.
    PictureResult loadPicture(const std::filesystem::path& path) override;
    void clearPicture() override;
    bool hasPicture() const override;

private:
    void setPictureSize(int widthPx, int heightPx);
};

// Whether Qt's image readers refuse an image of this size and format under an allocation
// limit of limitMb megabytes; an unknown format counts as 4 bytes a pixel.
bool exceedsAllocationLimit(QSize size, QImage::Format format, int limitMb);

}  // namespace pennory::platform::qt
