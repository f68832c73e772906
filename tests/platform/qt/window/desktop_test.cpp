// The real window as a Linux desktop program: files dropped on it, its accessible name, the
// tab order, a dark theme, and the command line of the real executable.

#include <QAccessible>
#include <QApplication>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QUrl>
#include <fstream>

#include "document/document_commands.h"
#include "pennory_version.h"
#include "qt_form_fixture.h"
#include "support/design_literals.h"
#include "support/picture_files.h"
#include "window_pictures.h"

namespace pennory::testing {
namespace {

class QtDesktop : public QtFormTest {
protected:
    // A drop where a file manager would deliver it: on the widget in front at `at`, or the
    // nearest container of it that takes drops.
    void drop(QWidget* top, QMimeData& data, QPoint at = QPoint(-1, -1)) {
        if (at == QPoint(-1, -1)) at = top->rect().center();
        QWidget* target = top->childAt(at) ? top->childAt(at) : top;
        while (target && !target->acceptDrops()) target = target->parentWidget();
        ASSERT_NE(target, nullptr) << "nothing takes drops there";
        const QPoint local = target->mapFrom(top, at);
        QDragEnterEvent enter(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        QDropEvent dropped(QPointF(local), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);
    }
    void dropFile(QWidget* top, const std::filesystem::path& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
        drop(top, data);
    }
    std::filesystem::path textFile(const std::string& name, const std::string& bytes) {
        const auto path = m_dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    QTemporaryDir m_temp;
    std::filesystem::path m_dir = m_temp.path().toStdString();
};

TEST_F(QtDesktop, AFileDroppedOnTheEditorOpensThere) {
    const auto file = textFile("稿子.txt", "abc");
    dropFile(editor(), file);
    EXPECT_EQ(form().RichTextBox1().text(), u"abc");
    EXPECT_EQ(mainWindow()->windowTitle(),
              QStringLiteral("Pennory --") + QString::fromStdString(file));
    EXPECT_EQ(form().RichTextBox2().text(), u"");
}

TEST_F(QtDesktop, APictureFileDroppedOnTheEditorGoesInAsAFigureWhereItIsDropped) {
    const std::string png = drawnPng(120, 80);
    const auto file = textFile("电路.png", png);
    form().RichTextBox1().setText(u"电阻电容");
    form().RichTextBox1().setSelStart(0);
    // Between 电阻 and 电容, not at the caret.
    QTextCursor between(editor()->document());
    between.setPosition(2);
    const QPoint at = editor()->viewport()->mapTo(editor(), editor()->cursorRect(between).center());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    drop(editor(), data, at);

    EXPECT_EQ(form().RichTextBox1().text(), u"电阻\uFFFC电容");
    const auto figures = figuresIn(form().RichTextBox1());
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].kind, text::FigureKind::Png);
    EXPECT_EQ(*figures[0].bytes, png);
    EXPECT_EQ(figures[0].widthPx, 120);
    // Not opened as a document: the window still holds the unnamed manuscript.
    EXPECT_EQ(mainWindow()->windowTitle(), QStringLiteral("Pennory"));
    EXPECT_EQ(messages().shown().size(), 0u);
}

TEST_F(QtDesktop, DroppedTextIsStillInsertedAsText) {
    QMimeData data;
    data.setText(QStringLiteral("电阻"));
    drop(editor(), data);
    EXPECT_EQ(form().RichTextBox1().text(), u"电阻");
    EXPECT_EQ(mainWindow()->windowTitle(), QStringLiteral("Pennory"));
}

TEST_F(QtDesktop, AFileDroppedOnTheReferenceTextLoadsThere) {
    dropFile(reference(), textFile("参考.txt", "abc"));
    EXPECT_EQ(form().RichTextBox2().text(), u"abc");
    EXPECT_EQ(form().RichTextBox1().text(), u"");
    EXPECT_EQ(mainWindow()->windowTitle(), QStringLiteral("Pennory"));
    EXPECT_FALSE(form().openIntoReference);
}

TEST_F(QtDesktop, APictureDroppedOnThePanelShowsInThePictureView) {
    const auto picture = pictures::write(m_dir / "电路.bmp", pictures::bmp(300, 200));
    dialogs().nextFileName(std::nullopt);
    clickToolbar(u"image");
    ASSERT_FALSE(reference()->isVisible());
    dropFile(panel(), picture);  // lands on the empty picture, which passes it to the panel
    EXPECT_TRUE(form().Image1().hasPicture());
    EXPECT_EQ(image()->size(), QSize(300, 200));
    EXPECT_EQ(hScroll()->maximum(), 4500);
}

TEST_F(QtDesktop, AccessibleNameFollowsTheTitleAfterOpenAndNew) {
    const auto file = textFile("稿子.txt", "abc");
    dialogs().nextFileName(file.u16string());
    clickMenu({u"文件", u"打开"});
    const QString opened = QStringLiteral("Pennory --") + QString::fromStdString(file);
    EXPECT_EQ(mainWindow()->accessibleName(), opened);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(mainWindow())->text(QAccessible::Name), opened);

    messages().nextAnswer(platform::vbNo);
    clickMenu({u"文件", u"新建"});
    EXPECT_EQ(mainWindow()->accessibleName(), QStringLiteral("Pennory --新建空白文档"));
}

TEST_F(QtDesktop, TabRunsFromTheEditorThroughTheWindowInReadingOrder) {
    ASSERT_EQ(focusWidget(), editor());
    // Forward: the keypad row from left to right, then the toolbar from the left.
    std::vector<QWidget*> expected;
    for (int index :
         {0, 1, 2, 3, 4, 5, 6, 23, 7, 8, 9, 10, 11, 12, 13, 14, 15, 21, 16, 20, 17, 22, 18, 19}) {
        expected.push_back(keypadButton(index));
    }
    expected.push_back(toolbarButton(u"open"));
    expected.push_back(toolbarButton(u"save"));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QTest::keyClick(focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(focusWidget(), expected[i])
            << "step " << i << ": " << focusWidget()->objectName().toStdString();
    }

    // Backward from the editor: the side panel on its left, not the toolbar's last button.
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_Backtab);
    EXPECT_EQ(focusWidget(), reference());
    QTest::keyClick(reference(), Qt::Key_Tab);
    EXPECT_EQ(focusWidget(), editor());
}

TEST_F(QtDesktop, InALightThemeThePanelIsWhiteAsDesigned) {
    EXPECT_EQ(panel()->palette().color(panel()->backgroundRole()), QColor(Qt::white));
    EXPECT_EQ(wordBankLabel(0)->palette().color(wordBankLabel(0)->foregroundRole()),
              QColor(Qt::black));
}

// The desktop's theme is in place before the window is made, as at a program start.
class DarkPalette {
protected:
    DarkPalette() : m_saved(QApplication::palette()) {
        m_dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        m_dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
        m_dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
        m_dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
        m_dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
        m_dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
        QApplication::setPalette(m_dark);
    }
    ~DarkPalette() { QApplication::setPalette(m_saved); }

    QPalette m_saved;
    QPalette m_dark;
};

class QtDarkDesktop : public DarkPalette, public QtFormTest {};

TEST_F(QtDarkDesktop, TheWritersTextStaysOnPaperAndTheRestFollowsTheTheme) {
    const QWidget* paper[] = {editor(), reference(), phraseBox(0), phraseBox(50)};
    for (const QWidget* box : paper) {
        SCOPED_TRACE(box->objectName().toStdString());
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(box->palette().color(QPalette::Text), QColor(Qt::black));
    }
    // The panel and the word bank on it: the theme's page and text colours.
    const QWidget* themed[] = {panel(), wordBankLabel(0)};
    for (const QWidget* widget : themed) {
        SCOPED_TRACE(widget->objectName().toStdString());
        EXPECT_EQ(widget->palette().color(widget->backgroundRole()), m_dark.color(QPalette::Base));
    }
    EXPECT_EQ(wordBankLabel(0)->palette().color(wordBankLabel(0)->foregroundRole()),
              m_dark.color(QPalette::Text));
    EXPECT_EQ(clientArea()->palette().color(QPalette::Window), m_dark.color(QPalette::Window));
}

// ---- The real executable

QProcess* runProgram(const QStringList& arguments) {
    auto* process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No display at all: printing the help or the version must not need one.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(PENNORY_EXECUTABLE), arguments);
    process->waitForFinished(20000);
    return process;
}

TEST(CommandLine, VersionAndHelpPrintWithoutAWindow) {
    struct Case {
        QStringList arguments;
        QString expected;
    };
    const Case cases[] = {
        {{QStringLiteral("--version")}, QStringLiteral("pennory " PENNORY_VERSION)},
        {{QStringLiteral("-v")}, QStringLiteral("pennory " PENNORY_VERSION)},
        {{QStringLiteral("--help")}, QStringLiteral("[文件]")},
        {{QStringLiteral("-h")}, QStringLiteral("--version")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        std::unique_ptr<QProcess> process(runProgram(c.arguments));
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process->exitCode(), 0);
        EXPECT_TRUE(QString::fromUtf8(process->readAllStandardOutput()).contains(c.expected));
    }
}

TEST(CommandLine, AnUnknownOptionOrTwoFilesAreRefused) {
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--colour")},
          QStringList{QStringLiteral("a.rtf"), QStringLiteral("b.rtf")}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        std::unique_ptr<QProcess> process(runProgram(arguments));
        EXPECT_EQ(process->exitCode(), 1);
        EXPECT_FALSE(process->readAllStandardError().isEmpty());
    }
}

}  // namespace
}  // namespace pennory::testing
