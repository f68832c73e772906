#pragma once
// The picture display (the reference picture): a picture at its own size, never scaled. Its
// left and top come from the geometry; its size is the picture's.

#include <QLabel>

#include "platform/qt/qt_control.h"

namespace pennory::platform::qt {

class QtImage : public QtControl<Image, QLabel> {
public:
    explicit QtImage(QWidget* parent);

    // A picture that is too large, or not a BMP, GIF, JPEG or PNG picture, is refused before
    // it is decoded; one that cannot be decoded is refused too. A refused picture leaves the
    // display empty and its size zero.
    PictureResult loadPicture(const std::filesystem::path& path) override;
    void clearPicture() override;
    bool hasPicture() const override;

private:
    void setPictureSize(int widthPx, int heightPx);
};

}  // namespace pennory::platform::qt
