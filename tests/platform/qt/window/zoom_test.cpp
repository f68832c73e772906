// Zoom in the real window: the manuscript editor and the reference text box each zoom by
// themselves, the glyphs on screen grow with every format, and the document stays as it was.

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "platform/text/rtf_writer.h"
#include "qt_form_fixture.h"
#include "typing.h"

namespace pennory::testing {
namespace {

class QtZoomTest : public QtFormTest {
protected:
    QString shown() { return widgetOf<QLabel>(form().StatusLine())->text(); }

    // The rectangle of the dark pixels the viewport shows (the text; the caret is hidden by
    // moving the focus away first).
    static QRect ink(QTextEdit* box) {
        const QImage image = box->viewport()->grab().toImage();
        QRect found;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 128) found |= QRect(x, y, 1, 1);
            }
        }
        return found;
    }

    static QRect inkWithoutCaret(QTextEdit* box) {
        box->clearFocus();
        QApplication::processEvents();
        return ink(box);
    }

    static void ctrlWheel(QTextEdit* box, int delta) {
        const QPointF at(box->viewport()->width() / 2.0, box->viewport()->height() / 2.0);
        QWheelEvent event(at, box->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box->viewport(), &event);
    }
};

TEST_F(QtZoomTest, KeysZoomTheEditorOnlyAndLeaveTheDocumentAsItWas) {
    // A run with an explicit size beside the box's default, then an edit to undo.
    text::StyledText content;
    content.append(u"电阻", {u"宋体", 9.0f, false, false, false, false, 0});
    content.append(u"电容", {u"宋体", 20.0f, false, false, false, false, 0});
    form().RichTextBox1().setContent(content);
    const QRect unzoomed = inkWithoutCaret(editor());
    click(editor());
    QTest::keyClick(editor(), Qt::Key_End);
    typeText(editor(), QStringLiteral("甲"));
    const auto before = form().RichTextBox1().content();
    const std::string rtf = text::writeRtf(before);
    const QRect small = inkWithoutCaret(editor());
    ASSERT_FALSE(small.isEmpty());

    click(editor());
    for (int i = 0; i < 3; ++i) QTest::keyClick(editor(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(form().RichTextBox1().zoomPercent(), 130);
    EXPECT_TRUE(shown().endsWith(QStringLiteral("缩放 130%"))) << shown().toStdString();
    const QRect large = inkWithoutCaret(editor());
    // Both sizes grew alike: the whole line is about 1.3 times as wide and as tall.
    EXPECT_NEAR(double(large.width()) / small.width(), 1.3, 0.08);
    EXPECT_NEAR(double(large.height()) / small.height(), 1.3, 0.12);

    EXPECT_EQ(form().RichTextBox1().content(), before);
    EXPECT_EQ(text::writeRtf(form().RichTextBox1().content()), rtf);
    EXPECT_FALSE(editor()->document()->isRedoAvailable());

    // The line is 9 + 9 + 20 + 20 + 20 points wide ("甲" takes the size before it); a click
    // on the last quarter of the fourth character, at 53 of 78 points, puts the caret after it.
    click(editor(), QPoint(large.left() + large.width() * 53 / 78, large.center().y()));
    EXPECT_EQ(form().RichTextBox1().selStart(), 4u);

    // Ctrl+Z takes back the typing, not a zoom.
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form().RichTextBox1().text(), u"电阻电容");
    EXPECT_EQ(form().RichTextBox1().zoomPercent(), 130);

    // The wheel over the reference text box zooms that box alone.
    ctrlWheel(reference(), 120);
    EXPECT_EQ(form().RichTextBox2().zoomPercent(), 110);
    EXPECT_EQ(form().RichTextBox1().zoomPercent(), 130);
    EXPECT_TRUE(shown().endsWith(QStringLiteral("缩放 110%"))) << shown().toStdString();

    click(editor());
    QTest::keyClick(editor(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(form().RichTextBox1().zoomPercent(), 100);
    EXPECT_FALSE(shown().contains(QStringLiteral("缩放"))) << shown().toStdString();
    EXPECT_EQ(inkWithoutCaret(editor()), unzoomed);
}

TEST_F(QtZoomTest, EveryKeyOfTheZoomGestures) {
    click(editor());
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int percent;
    } rows[] = {
        {Qt::Key_Equal, Qt::ControlModifier, 110},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, 120},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 130},
        {Qt::Key_Minus, Qt::ControlModifier, 120},
        {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 110},
        {Qt::Key_0, Qt::ControlModifier, 100},
        {Qt::Key_Minus, Qt::ControlModifier, 90},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.percent);
        QTest::keyClick(editor(), row.key, row.modifiers);
        EXPECT_EQ(form().RichTextBox1().zoomPercent(), row.percent);
    }
    // Parts of a wheel notch add up.
    for (int i = 0; i < 4; ++i) ctrlWheel(editor(), -30);
    EXPECT_EQ(form().RichTextBox1().zoomPercent(), 80);
    EXPECT_EQ(form().RichTextBox1().text(), u"");
}

}  // namespace
}  // namespace pennory::testing
