#include "platform/qt/qt_picture_view.h"

#include <QPaintEvent>
#include <QPainter>

namespace pennory::platform::qt {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    // Every pixel it covers is the picture's; nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setImage(QImage image) {
    m_image = std::move(image);
    update();
}

void PictureView::paintEvent(QPaintEvent* event) {
    // Only the exposed part, read from the image in place.
    const QRect exposed = event->rect() & m_image.rect();
    if (exposed.isEmpty()) return;
    QPainter painter(this);
    painter.drawImage(exposed.topLeft(), m_image, exposed);
}

}  // namespace pennory::platform::qt
