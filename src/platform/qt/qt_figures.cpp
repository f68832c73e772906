#include "platform/qt/qt_figures.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "platform/files/picture_probe.h"

namespace pennory::platform::qt {

namespace {

// The figure in an image's format.
constexpr int kFigure = QTextFormat::UserProperty + 0x51;

constexpr double kTwipsPerInch = 1440.0;
constexpr double kPixelsPerInch = 96.0;
constexpr double kCentimetresPerInch = 2.54;

// The size of a figure whose file gives none that Pennory can read.
constexpr QSizeF kPlaceholderSize{240.0, 120.0};

QSizeF naturalSize(const text::Figure& figure) {
    if (figure.goalWidthTwips > 0 && figure.goalHeightTwips > 0) {
        return {figure.goalWidthTwips * kPixelsPerInch / kTwipsPerInch,
                figure.goalHeightTwips * kPixelsPerInch / kTwipsPerInch};
    }
    if (figure.widthPx > 0 && figure.heightPx > 0) return {double(figure.widthPx), double(figure.heightPx)};
    return kPlaceholderSize;
}

QImage placeholder(int width, int height) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(QColor(0xD0, 0xD0, 0xD0));
    QPainter painter(&image);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
    QFont font = painter.font();
    font.setPixelSize(std::clamp(image.height() / 6, 8, 48));
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("无法显示的图片"));
    return image;
}

}  // namespace

text::FigureRef figureOf(const QTextFormat& format) {
    if (!format.hasProperty(kFigure)) return {};
    return format.property(kFigure).value<text::FigureRef>();
}

QTextCharFormat withoutFigure(QTextCharFormat format) {
    if (!format.hasProperty(kFigure) && !format.isImageFormat()) return format;
    format.clearProperty(kFigure);
    format.clearProperty(QTextFormat::ImageName);
    format.clearProperty(QTextFormat::ImageWidth);
    format.clearProperty(QTextFormat::ImageHeight);
    format.setObjectType(QTextFormat::NoObject);
    format.clearProperty(QTextFormat::ObjectType);
    return format;
}

QSizeF shownFigureSize(const text::Figure& figure, double textWidth) {
    const QSizeF natural = naturalSize(figure);
    const double aspect = natural.height() / natural.width();
    double width = natural.width();
    switch (figure.width.unit) {
        case text::FigureWidth::Unit::Natural:
            break;
        case text::FigureWidth::Unit::PercentOfText:
            width = textWidth * figure.width.value / 100.0;
            break;
        case text::FigureWidth::Unit::Centimetres:
            width = figure.width.value * kPixelsPerInch / kCentimetresPerInch;
            break;
    }
    // A width the writer cannot have meant falls back to the figure's own.
    if (!(width > 0) || !std::isfinite(width)) width = natural.width();
    if (textWidth > 0) width = std::min(width, textWidth);
    width = std::max(width, 1.0);
    return {width, std::max(width * aspect, 1.0)};
}

QImage decodeFigure(const text::Figure& figure, int maxWidth) {
    maxWidth = std::max(maxWidth, 1);
    const QSizeF natural = naturalSize(figure);
    const auto fallback = [&] {
        const int width = std::min(maxWidth, int(std::lround(natural.width())));
        return placeholder(width, int(std::lround(width * natural.height() / natural.width())));
    };
    if (figure.kind == text::FigureKind::Other || !figure.bytes) return fallback();
    const files::PictureResult probe = files::probePicture(*figure.bytes);
    if (!probe.ok() || probe.widthPx <= 0 || probe.heightPx <= 0) return fallback();
    QByteArray data = QByteArray::fromRawData(figure.bytes->data(), qsizetype(figure.bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    if (probe.widthPx > maxWidth) {
        // The reader decodes JPEG at a fraction of its size: the full pixels are never held.
        const int height = std::max(1, int(std::lround(double(probe.heightPx) * maxWidth / probe.widthPx)));
        reader.setScaledSize(QSize(maxWidth, height));
    }
    QImage image = reader.read();
    if (image.isNull()) return fallback();
    return image;
}

FigureImages::FigureImages(QTextDocument& document) : QObject(&document), m_document(document) {
    setObjectName(QStringLiteral("pennoryFigureImages"));
}

FigureImages& FigureImages::of(QTextDocument& document) {
    auto* found = document.findChild<FigureImages*>(QStringLiteral("pennoryFigureImages"),
                                                    Qt::FindDirectChildrenOnly);
    return found ? *found : *new FigureImages(document);
}

QTextImageFormat FigureImages::format(const text::FigureRef& figure, const QTextCharFormat& base) {
    const QSizeF shown = shownFigureSize(*figure, m_textWidth);
    // As many pixels as the widest it may be shown, the text's width, on this device.
    const int wanted = int(std::ceil(std::max(shown.width(), m_textWidth) * m_scale));
    const void* key = figure->bytes ? static_cast<const void*>(figure->bytes.get())
                                    : static_cast<const void*>(&*figure);
    auto found = m_resources.find(key);
    const int own = figure->widthPx > 0 ? figure->widthPx : wanted;
    if (found == m_resources.end() || found->second.width < std::min(wanted, own)) {
        if (found != m_resources.end()) m_undecoded.erase(found->second.name);
        const QString name = QStringLiteral("pennory-figure:%1").arg(++m_next);
        found = m_resources.insert_or_assign(key, Resource{name, wanted, figure->bytes, figure}).first;
        if (m_whenDrawn) {
            m_undecoded.emplace(name, key);
        } else {
            decode(found->second);
        }
    }
    QTextImageFormat out;
    out.merge(withoutFigure(base));
    out.setObjectType(QTextFormat::ImageObject);
    out.setName(found->second.name);
    out.setWidth(shown.width());
    out.setHeight(shown.height());
    out.setProperty(kFigure, QVariant::fromValue(figure));
    return out;
}

void FigureImages::decode(Resource& resource) {
    const QImage image = decodeFigure(*resource.figure, resource.width);
    m_document.addResource(QTextDocument::ImageResource, QUrl(resource.name), image);
    resource.width = image.width();
    resource.figure = {};
}

void FigureImages::ensureDecoded(const QString& name) {
    const auto waiting = m_undecoded.find(name);
    if (waiting == m_undecoded.end()) return;
    const auto found = m_resources.find(waiting->second);
    m_undecoded.erase(waiting);
    if (found != m_resources.end() && found->second.name == name) decode(found->second);
}

void FigureLayout::install(QTextDocument& document) {
    FigureImages::of(document).decodeWhenDrawn();
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    layout->registerHandler(QTextFormat::ImageObject, new FigureLayout(layout));
}

QSizeF FigureLayout::intrinsicSize(QTextDocument* document, int, const QTextFormat& format) {
    const QTextImageFormat image = format.toImageFormat();
    const text::FigureRef figure = figureOf(format);
    QPaintDevice* device = document->documentLayout()->paintDevice();
    const double scale = device ? device->logicalDpiX() / kPixelsPerInch : 1.0;
    if (!figure) return QSizeF(image.width(), image.height()) * scale;
    double width = document->textWidth();
    if (width <= 0) width = document->pageSize().width();
    width -= 2 * document->documentMargin();
    return shownFigureSize(*figure, std::max(width / scale, 1.0)) * scale;
}

void FigureLayout::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                              const QTextFormat& format) {
    const QString name = format.toImageFormat().name();
    FigureImages::of(*document).ensureDecoded(name);
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
    const QImage image = resource.value<QImage>();
    if (image.isNull()) return;
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(rect, image);
    painter->restore();
}

}  // namespace pennory::platform::qt
