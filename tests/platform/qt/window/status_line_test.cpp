// The live count in the real window: the status line under the client area follows typing,
// and the count stays equal to a full recount through the Qt editor's own edits.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QStatusBar>
#include <QTest>
#include <functional>
#include <random>

#include "app/window_design.h"
#include "input/word_count.h"
#include "event_count.h"
#include "qt_form_fixture.h"
#include "typing.h"

namespace pennory::testing {
namespace {

class QtStatusLineTest : public QtFormTest {
protected:
    QString shown() { return widgetOf<QLabel>(form().StatusLine())->text(); }
};

TEST_F(QtStatusLineTest, SitsBelowTheClientAreaWhichKeepsItsDesignSize) {
    QLabel* line = widgetOf<QLabel>(form().StatusLine());
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(clientArea()->height(), app::kClientHeight / 15);
    EXPECT_EQ(clientArea()->width(), app::kClientWidth / 15);
    const QPoint lineTop = line->mapTo(mainWindow(), QPoint(0, 0));
    const QPoint clientBottom =
        clientArea()->mapTo(mainWindow(), QPoint(0, clientArea()->height()));
    EXPECT_GE(lineTop.y(), clientBottom.y());
    // The layout rule works on the client area above the line.
    EXPECT_EQ(form().RichTextBox1().geometry().height, app::kClientHeight - 1200);
}

TEST_F(QtStatusLineTest, FollowsTypingAndTheSelection) {
    EXPECT_EQ(shown(), QStringLiteral("字数 0  字符 0（不计空格）"));
    click(editor());
    typeText(editor(), QStringLiteral("用CD4011做门电路，"));
    EXPECT_EQ(shown(), QStringLiteral("字数 7  字符 12（不计空格）"));
    typeText(editor(), QStringLiteral("\nok"));
    EXPECT_EQ(shown(), QStringLiteral("字数 8  字符 14（不计空格）"));
    QTest::keyClick(editor(), Qt::Key_Backspace);
    QTest::keyClick(editor(), Qt::Key_Backspace);
    QTest::keyClick(editor(), Qt::Key_Backspace);
    EXPECT_EQ(shown(), QStringLiteral("字数 7  字符 12（不计空格）"));

    clickMenu({u"编辑", u"全选"});
    EXPECT_EQ(shown(), QStringLiteral("选定 7 / 字数 7  字符 12（不计空格）"));
    clickKeypad(0);  // replaces the selection by "，"
    EXPECT_EQ(shown(), QStringLiteral("字数 1  字符 1（不计空格）"));
}

// Typing, Enter, Backspace, Delete, pasting, selections and loads of long paragraphs (kept
// in the editor as several blocks) in random order: the count equals a full recount.
TEST_F(QtStatusLineTest, EqualsAFullRecountThroughTheEditorsOwnEdits) {
    std::mt19937 random(7);
    const QString pieces[] = {QStringLiteral("电子"),   QStringLiteral("ab"), QStringLiteral(" "),
                              QStringLiteral("CD4011"), QStringLiteral("，"), QStringLiteral("\n"),
                              QStringLiteral("𠀀")};
    std::u16string longParagraph;
    for (int i = 0; i < 1500; ++i) longParagraph += i % 7 ? u"长段落" : u"word ";
    click(editor());
    for (int step = 0; step < 300; ++step) {
        QTextCursor cursor = editor()->textCursor();
        const int end = editor()->document()->characterCount() - 1;
        cursor.setPosition(static_cast<int>(random() % (end + 1)));
        if (random() % 4 == 0) {
            cursor.setPosition(static_cast<int>(random() % (end + 1)), QTextCursor::KeepAnchor);
        }
        editor()->setTextCursor(cursor);
        switch (random() % 6) {
            case 0:
                QTest::keyClick(editor(), Qt::Key_Backspace);
                break;
            case 1:
                QTest::keyClick(editor(), Qt::Key_Delete);
                break;
            case 2:
                QApplication::clipboard()->setText(pieces[random() % std::size(pieces)]);
                QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
                break;
            case 3:
                if (random() % 20 == 0) form().RichTextBox1().setText(longParagraph);
                break;
            default:
                typeText(editor(), pieces[random() % std::size(pieces)]);
                break;
        }
        const std::u16string text = form().RichTextBox1().text();
        ASSERT_EQ(form().manuscriptCount().text(), text) << "step " << step;
        ASSERT_EQ(form().manuscriptCount().total(), input::countText(text)) << "step " << step;
    }
}

// ---- What a screen reader reads

// Laying the window out again would repaint it around the line at every keystroke.
TEST_F(QtStatusLineTest, ANewCountRedrawsTheLineWithoutLayingTheWindowOut) {
    click(editor());
    QApplication::processEvents();
    EventCount requests(QEvent::LayoutRequest);
    mainWindow()->installEventFilter(&requests);
    mainWindow()->statusBar()->installEventFilter(&requests);
    typeText(editor(), QStringLiteral("用CD4011做门电路"));
    QApplication::processEvents();
    EXPECT_EQ(shown(), QStringLiteral("字数 6  字符 11（不计空格）"));
    EXPECT_EQ(requests.count, 0);
}

TEST_F(QtStatusLineTest, TheLineSpansTheBarAsTheWindowIsResized) {
    QLabel* line = widgetOf<QLabel>(form().StatusLine());
    const int before = line->width();
    ASSERT_GT(before, 0);
    mainWindow()->resize(mainWindow()->width() + 120, mainWindow()->height());
    QApplication::processEvents();
    EXPECT_EQ(line->width(), before + 120);
}

// The first interface of the given role below iface, depth first.
QAccessibleInterface* findRole(QAccessibleInterface* iface, QAccessible::Role role) {
    if (!iface) return nullptr;
    if (iface->role() == role) return iface;
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface* found = findRole(iface->child(i), role)) return found;
    }
    return nullptr;
}

TEST_F(QtStatusLineTest, ScreenReadersReadTheLiveCountFromTheStatusBar) {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(mainWindow());
    ASSERT_NE(window, nullptr);
    QAccessibleInterface* bar = findRole(window, QAccessible::StatusBar);
    ASSERT_NE(bar, nullptr);
    QAccessibleInterface* line = findRole(bar, QAccessible::StaticText);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->object(), widgetOf<QLabel>(form().StatusLine()));

    const struct {
        const char* after;
        std::function<void()> act;
        QString read;
    } rows[] = {
        {"start", [] {}, QStringLiteral("字数 0  字符 0（不计空格）")},
        {"typing",
         [this] {
             click(editor());
             typeText(editor(), QStringLiteral("用CD4011做门电路，"));
         },
         QStringLiteral("字数 7  字符 12（不计空格）")},
        {"select all",
         [this] {
             clickMenu({u"编辑", u"全选"});
         },
         QStringLiteral("选定 7 / 字数 7  字符 12（不计空格）")},
        {"shift+left", [this] { QTest::keyClick(editor(), Qt::Key_Left, Qt::ShiftModifier); },
         QStringLiteral("选定 6 / 字数 7  字符 12（不计空格）")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.after);
        row.act();
        EXPECT_EQ(line->text(QAccessible::Name).toStdString(), row.read.toStdString());
        EXPECT_EQ(line->text(QAccessible::Value).toStdString(), row.read.toStdString());
    }
}

}  // namespace
}  // namespace pennory::testing
