// Figures reaching the manuscript through the real window: a picture on the real clipboard
// pasted with the toolbar's 粘贴, and 编辑 › 插入图片 with the real file dialog answered.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <functional>

#include "../when_shown.h"
#include "qt_form_fixture.h"
#include "window_pictures.h"

namespace pennory::testing {
namespace {

class QtFigurePaste : public QtFormTest {
protected:
    platform::RichTextBox& manuscript() { return form().RichTextBox1(); }
};

TEST_F(QtFigurePaste, ThePasteButtonPutsAClipboardPictureAtTheCaret) {
    const std::string png = drawnPng(90, 60);
    struct Case {
        const char* name;
        std::function<void()> offer;
        bool sameBytes;  // the offered file bytes are what the figure keeps
    };
    const Case cases[] = {
        {"an image, as a screenshot tool copies one",
         [] {
             QGuiApplication::clipboard()->setImage(
                 QImage::fromData(QByteArray::fromStdString(drawnPng(90, 60))));
         },
         false},
        {"PNG bytes, as a drawing program copies them",
         [&] {
             auto* data = new QMimeData;
             data->setData(QStringLiteral("image/png"), QByteArray::fromStdString(png));
             QGuiApplication::clipboard()->setMimeData(data);
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        manuscript().setText(u"前后");
        manuscript().setSelStart(1);
        c.offer();
        clickToolbar(u"palse");
        EXPECT_EQ(manuscript().text(), u"前\uFFFC后");
        EXPECT_EQ(manuscript().selStart(), 2u);
        const auto figures = figuresIn(manuscript());
        ASSERT_EQ(figures.size(), 1u);
        EXPECT_EQ(figures[0].kind, text::FigureKind::Png);
        EXPECT_EQ(figures[0].widthPx, 90);
        EXPECT_EQ(figures[0].heightPx, 60);
        if (c.sameBytes) {
            EXPECT_EQ(*figures[0].bytes, png);
        }
    }
}

class QtInsertFigureDialog : public QtFormTest {
protected:
    QtInsertFigureDialog() : QtFormTest(Dialogs::Real) {}
};

TEST_F(QtInsertFigureDialog, TheMenuItemAsksForAPictureFileAndPutsItAtTheCaret) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("电路图.png"));
    const std::string png = drawnPng(150, 100);
    std::ofstream(file.toStdString(), std::ios::binary) << png;
    form().RichTextBox1().setText(u"图一");
    form().RichTextBox1().setSelStart(2);

    QString title;
    QStringList filters;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        if (auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            for (int i = 0; i < combo->count(); ++i) filters << combo->itemText(i);
        }
        dialog->selectFile(file);
        static_cast<QDialog*>(dialog)->accept();
    });
    clickMenu({u"编辑", u"插入图片"});

    EXPECT_EQ(title, QStringLiteral("插入图片"));
    EXPECT_EQ(filters, (QStringList{QStringLiteral("图片文件(*.png;*.jpg;*.jpeg;*.gif;*.bmp)"),
                                    QStringLiteral("所有文件(*.*)")}));
    EXPECT_EQ(form().RichTextBox1().text(), u"图一\uFFFC");
    const auto figures = figuresIn(form().RichTextBox1());
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(*figures[0].bytes, png);
    EXPECT_EQ(mainWindow()->windowTitle(), QStringLiteral("Pennory"));
}

}  // namespace
}  // namespace pennory::testing
