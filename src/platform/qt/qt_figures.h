#pragma once
// Figures in a QTextDocument. A figure is an image (QTextImageFormat) whose format keeps the
// text::FigureRef, so that the text read back holds exactly the figure that went in, and whose
// name is a resource of the document: a copy decoded and scaled for the device it is shown
// on, never the file's full pixels when fewer are shown. Shown sizes are in pixels at 96 dpi,
// as QTextDocument scales images for its paint device.

#include <QImage>
#include <QMetaType>
#include <QObject>
#include <QSizeF>
#include <QTextCharFormat>
#include <QTextImageFormat>
#include <QTextObjectInterface>
#include <map>
#include <memory>
#include <string>
#include <optional>

#include "platform/text/figure.h"

Q_DECLARE_METATYPE(pennory::text::FigureRef)

class QTextDocument;

namespace pennory::platform::qt {

// The figure a format holds; none for text and for a writer's own U+FFFC.
text::FigureRef figureOf(const QTextFormat& format);
// The format without its figure and image properties, for text typed next to a figure.
QTextCharFormat withoutFigure(QTextCharFormat format);

// The size a figure is shown at in a text textWidth wide (both at 96 dpi): its own size or
// the one its file asks for, a percent of the text or centimetres, never wider than the text,
// its aspect kept.
QSizeF shownFigureSize(const text::Figure& figure, double textWidth);

// The figure's picture decoded at most maxWidth pixels wide, its aspect kept; checked against
// the picture budget before any pixel is decoded. A figure that cannot be shown (Other, too
// large, damaged) gives a grey box with "无法显示的图片", maxWidth wide at most.
QImage decodeFigure(const text::Figure& figure, int maxWidth);

// The figures' resources of one document; a child of the document, made on first use.
class FigureImages : public QObject {
public:
    static FigureImages& of(QTextDocument& document);

    // The width of the text at 96 dpi, and how many device pixels the resources take for one
    // of those pixels (the screen's device pixel ratio, or the printer's dots for a 96th inch).
    void setTextWidth(double width) { m_textWidth = width; }
    double textWidth() const { return m_textWidth; }
    void setDeviceScale(double scale) { m_scale = scale; }

    // The image format showing figure, its other properties from base.
    QTextImageFormat format(const text::FigureRef& figure, const QTextCharFormat& base);

    // An editor's figures are decoded when first drawn rather than when they are put in, so
    // that opening a manuscript of many photos decodes only those the writer scrolls to.
    void decodeWhenDrawn() { m_whenDrawn = true; }
    // Decodes the resource named so, if it is one of these figures and not yet decoded.
    void ensureDecoded(const QString& name);

private:
    explicit FigureImages(QTextDocument& document);
    QTextDocument& m_document;
    double m_textWidth = 600;
    double m_scale = 1;
    struct Resource {
        QString name;
        int width;  // of the decoded copy, or the one to decode
        std::shared_ptr<const std::string> bytes;  // kept, so that no other file takes its address
        text::FigureRef figure;                    // until it is decoded
    };
    void decode(Resource& resource);
    // By the bytes the figures share, so a copied figure is decoded once.
    std::map<const void*, Resource> m_resources;
    // The resources still to decode, by name.
    std::map<QString, const void*> m_undecoded;
    int m_next = 0;
    bool m_whenDrawn = false;
};

// Lays figures out for the document's text width as it is now, so that a box made narrower
// shows them narrower without an edit; draws the resource scaled into the figure's place.
// Registered on the layout of an editor's document.
class FigureLayout : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit FigureLayout(QObject* parent) : QObject(parent) {}
    static void install(QTextDocument& document);

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;
};

}  // namespace pennory::platform::qt
