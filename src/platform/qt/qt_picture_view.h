#pragma once
// A widget that paints one picture at its own size from its top-left corner, straight from
// the decoded image: no second copy (a pixmap) of a picture that may be hundreds of
// megabytes.

#include <QImage>
#include <QWidget>

namespace pennory::platform::qt {

class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent);

    // Takes the image over; a null image shows nothing.
    void setImage(QImage image);
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

}  // namespace pennory::platform::qt
