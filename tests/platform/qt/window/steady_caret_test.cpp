// The caret in the real window holds still while the writer types, so that no repaint follows
// a key a moment later, and blinks again once typing pauses.

#include <QApplication>
#include <QPaintEvent>
#include <QStyleHints>
#include <QTest>
#include <QTextEdit>

#include "qt_form_fixture.h"
#include "typing.h"

namespace pennory::testing {
namespace {

class PaintCount : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

TEST_F(QtFormTest, TheCaretHoldsStillWhileTheWriterTypesAndBlinksAgainAfterAPause) {
    const int desktop = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(200);  // a blink every 100 ms
    click(editor());
    PaintCount painted;
    auto* edit = qobject_cast<QTextEdit*>(editor());
    ASSERT_NE(edit, nullptr);
    edit->viewport()->installEventFilter(&painted);
    for (const char* letter : {"a", "b", "c"}) {
        typeText(editor(), QString::fromLatin1(letter));
        QApplication::processEvents();
        painted.paints = 0;
        QTest::qWait(150);
        EXPECT_EQ(painted.paints, 0) << "after " << letter;
    }
    QTest::qWait(800);
    EXPECT_GT(painted.paints, 0);
    EXPECT_EQ(QApplication::cursorFlashTime(), 200);
    edit->viewport()->removeEventFilter(&painted);
    QApplication::setCursorFlashTime(desktop);
}

}  // namespace
}  // namespace pennory::testing
