#pragma once
// Pictures for the window tests, made with QImage as a drawing program would save them, and
// the figures of the manuscript editor read back through its content.

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/text/figure.h"

namespace pennory::testing {

// A PNG file's bytes: a white sheet with a few dark lines, like a small circuit drawing.
inline std::string drawnPng(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::darkBlue, 2));
    painter.drawLine(4, height / 2, width - 4, height / 2);
    painter.drawEllipse(QPoint(width / 2, height / 2), width / 6, height / 4);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// The figures of the box's content, in order.
inline std::vector<text::Figure> figuresIn(const platform::RichTextBox& box) {
    std::vector<text::Figure> figures;
    const text::StyledText content = box.content();
    for (const auto& run : content.runs()) {
        if (!run.format.figure) continue;
        for (char16_t c : run.text) {
            if (c == text::kObjectCharacter) figures.push_back(*run.format.figure);
        }
    }
    return figures;
}

}  // namespace pennory::testing
