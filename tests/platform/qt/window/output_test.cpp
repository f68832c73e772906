// 输出为PDF and 打印 in the real window: the items in the File menu, Ctrl+P, and a PDF whose
// text poppler reads back and whose fonts are all embedded.

#include <QFile>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "../when_shown.h"
#include "qt_form_fixture.h"

namespace pennory::testing {
namespace {

class OutputInWindow : public QtFormTest {
protected:
    QTemporaryDir dir;
};

// The output of a poppler tool, or a null string when it is not installed.
QString runPoppler(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return {};
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return QStringLiteral("(timed out)");
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(OutputInWindow, TheNewItemsStandBetweenSaveAsAndExitBehindLines) {
    QMenu* fileMenu = qt::QtFactory::menuOf(form().file());
    ASSERT_NE(fileMenu, nullptr);
    const QList<QAction*> actions = fileMenu->actions();
    ASSERT_EQ(actions.size(), 9);
    const int indexAt[] = {0, 1, 2, 3, -1, 5, 6, -1, 4};  // -1: a separator line
    for (int position = 0; position < 9; ++position) {
        SCOPED_TRACE(position);
        if (indexAt[position] < 0) {
            EXPECT_TRUE(actions[position]->isSeparator());
            continue;
        }
        EXPECT_EQ(actions[position],
                  qt::QtFactory::actionOf(form().mnufileitem(indexAt[position])));
    }
    EXPECT_EQ(actions[5]->text(), QStringLiteral("输出为PDF"));
    EXPECT_EQ(actions[6]->text(), QStringLiteral("打印"));
    EXPECT_EQ(actions[6]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    for (int position : {0, 1, 2, 5, 8}) {
        EXPECT_TRUE(actions[position]->shortcut().isEmpty()) << position;
    }
}

TEST_F(OutputInWindow, CtrlPOpensThePrintDialogAndCancelPrintsNothing) {
    editor()->setFocus();
    QString title, name;
    bool shown = false;
    whenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
        shown = true;
        title = dialog->windowTitle();
        name = dialog->accessibleName();
        dialog->reject();
    });
    QTest::keyClick(editor(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(shown);
    EXPECT_EQ(title, QStringLiteral("打印"));
    EXPECT_EQ(name, QStringLiteral("打印"));
    EXPECT_EQ(form().RichTextBox1().text(), u"");  // the key typed nothing
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(OutputInWindow, PdfHoldsTheSearchableTextInEmbeddedFonts) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty()) {
        GTEST_SKIP() << "poppler-utils is not installed";
    }
    ASSERT_TRUE(dir.isValid());
    text::StyledText manuscript;
    manuscript.append(u"第一章 电子文稿\r\n", text::CharFormat{u"黑体", 16.0f, true});
    manuscript.append(u"电阻R1的阻值为10kΩ，", text::CharFormat{u"宋体", 12.0f, false, true, true,
                                                                false, text::rgb(200, 0, 0)});
    manuscript.append(u"子文件已删除。",
                      text::CharFormat{u"宋体", 12.0f, false, false, false, true});
    manuscript.append(u"\r\nLatin text", text::CharFormat{u"DejaVu Serif", 11.0f});
    form().RichTextBox1().setContent(manuscript);
    const QString path = dir.filePath(QStringLiteral("稿子.pdf"));
    dialogs().nextFileName(qt::toU16(path));

    clickMenu({u"文件", u"输出为PDF"});

    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(messages().shown().empty());
    EXPECT_EQ(mainWindow()->windowTitle(), QStringLiteral("Pennory"));
    // Subsets: the Song face alone is some 20 MB.
    EXPECT_LT(QFileInfo(path).size(), 512 * 1024);
    QString text = runPoppler(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    text.remove(QLatin1Char(' '));
    EXPECT_TRUE(text.contains(QStringLiteral("第一章电子文稿\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("电阻R1的阻值为10kΩ，子文件已删除。\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Latintext"))) << text.toStdString();

    const QStringList fonts = runPoppler(QStringLiteral("pdffonts"), {path})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .mid(2);  // below the heading and its rule
    ASSERT_GE(fonts.size(), 2) << fonts.join(QLatin1Char('\n')).toStdString();
    for (const QString& font : fonts) {
        // name, type, encoding, then emb, sub and uni as yes or no
        const QStringList columns = font.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 6) << font.toStdString();
        EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes")) << font.toStdString();
    }
}

}  // namespace
}  // namespace pennory::testing
