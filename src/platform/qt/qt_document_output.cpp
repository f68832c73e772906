#include "platform/qt/qt_document_output.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QScreen>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <utility>
#include <vector>

#include "platform/qt/qt_conversions.h"
#include "platform/qt/qt_figures.h"
#include "platform/qt/qt_paragraph_format.h"
#include "platform/qt/qt_rich_text_document.h"

namespace pennory::platform::qt {

namespace {

const QStringList& songFaces() {
    static const QStringList faces = {QStringLiteral("AR PL UMing CN"),
                                      QStringLiteral("AR PL SungtiL GB"),
                                      QStringLiteral("Noto Serif CJK SC")};
    return faces;
}

const QStringList& heiFaces() {
    static const QStringList faces = {QStringLiteral("WenQuanYi Zen Hei"),
                                      QStringLiteral("WenQuanYi Micro Hei"),
                                      QStringLiteral("Noto Sans CJK SC")};
    return faces;
}

// The faces to draw a run in, first found first. Any other font keeps its own face first, with
// the Song faces for the Chinese characters it lacks.
QStringList printFaces(const QString& requested) {
    static const QStringList song = {QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                     QStringLiteral("仿宋"), QStringLiteral("FangSong")};
    static const QStringList hei = {QStringLiteral("黑体"), QStringLiteral("SimHei")};
    static const QStringList kai = {QStringLiteral("楷体"), QStringLiteral("KaiTi")};
    if (song.contains(requested, Qt::CaseInsensitive)) return songFaces();
    if (hei.contains(requested, Qt::CaseInsensitive)) return heiFaces();
    if (kai.contains(requested, Qt::CaseInsensitive)) {
        return QStringList{QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL KaitiM GB")} +
               songFaces();
    }
    return QStringList{requested} + songFaces();
}

QString requestedFamily(const QTextCharFormat& format) {
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? format.fontFamily() : families.first();
}

void usePrintFaces(QTextDocument& document) {
    struct Range {
        int from, to;
        QString family;
    };
    std::vector<Range> ranges;  // gathered first: a merged format may join fragments
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            ranges.push_back({fragment.position(), fragment.position() + fragment.length(),
                              requestedFamily(fragment.charFormat())});
        }
    }
    QTextCursor cursor(&document);
    for (const Range& range : ranges) {
        cursor.setPosition(range.from);
        cursor.setPosition(range.to, QTextCursor::KeepAnchor);
        QTextCharFormat faces;
        faces.setFontFamilies(printFaces(range.family));
        cursor.mergeCharFormat(faces);
    }
}

// QTextDocument::print scales a block's space above and below to the printer's resolution but
// not its indents, which would come out a few device pixels wide.
void scaleIndents(QTextDocument& document, double factor) {
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.textIndent() == 0 && format.leftMargin() == 0 && format.rightMargin() == 0) {
            continue;
        }
        format.setTextIndent(format.textIndent() * factor);
        format.setLeftMargin(format.leftMargin() * factor);
        format.setRightMargin(format.rightMargin() * factor);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

}  // namespace

std::unique_ptr<QTextDocument> layOutForPaper(const text::StyledText& content, int deviceDpi) {
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    // The page numbers are drawn in the default font.
    QFont pageNumbers;
    pageNumbers.setFamilies(songFaces());
    pageNumbers.setPointSizeF(9);
    document->setDefaultFont(pageNumbers);
    // Figures fit the A4 text, inside the margins QTextDocument::print keeps, their copies at
    // print resolution but no finer than 200 dpi, so that thirty photos stay within memory.
    FigureImages& figures = FigureImages::of(*document);
    figures.setTextWidth((210.0 - 2 * 20.0) / 25.4 * 96.0);
    figures.setDeviceScale(200.0 / 96.0);
    QTextCursor cursor(document.get());
    StyledTextWriter writer;
    writer.insert(cursor, content);
    usePrintFaces(*document);
    if (deviceDpi > 0) scaleIndents(*document, deviceDpi / (pixelsPerPoint() * 72.0));
    return document;
}

std::optional<std::string> QtDocumentOutput::pdfBytes(const text::StyledText& content) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
        QPdfWriter writer(&buffer);
        const auto document = layOutForPaper(content, writer.resolution());
        writer.setPageSize(QPageSize(QPageSize::A4));
        // QTextDocument::print keeps a margin of its own around the text.
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Pennory"));
        document->print(&writer);
    }  // the writer finishes the file when it goes
    if (!bytes.startsWith("%PDF")) return std::nullopt;
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

PrintOutcome QtDocumentOutput::print(const text::StyledText& content, std::u16string_view title) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(toQString(title));
    // Its print button asks for the printer in the system's print dialog and prints there.
    QPrintPreviewDialog preview(&printer, m_owner);
    preview.setWindowTitle(QStringLiteral("打印"));
    preview.setAccessibleName(QStringLiteral("打印"));
    // Large enough that its tool bar shows every tool, the print button among them.
    const QRect screen = (m_owner ? m_owner->screen() : QGuiApplication::primaryScreen())
                             ->availableGeometry();
    preview.resize(QSize(960, 720).boundedTo(screen.size()));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&content](QPrinter* target) {
                         layOutForPaper(content, target->resolution())->print(target);
                     });
    if (preview.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;
    return printer.printerState() == QPrinter::Error ? PrintOutcome::Failed : PrintOutcome::Printed;
}

}  // namespace pennory::platform::qt
