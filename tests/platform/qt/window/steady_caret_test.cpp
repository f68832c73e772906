// The caret in the real window holds still while the writer types, so that no repaint follows
// a key a moment later, and blinks again once typing pauses.

#include <QApplication>
#include <QStyleHints>
#include <QTest>
#include <QTextEdit>

#include "event_count.h"
#include "qt_form_fixture.h"
#include "typing.h"

namespace pennory::testing {
namespace {

TEST_F(QtFormTest, TheCaretHoldsStillWhileTheWriterTypesAndBlinksAgainAfterAPause) {
    const int desktop = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(200);  // a blink every 100 ms
    click(editor());
    EventCount painted(QEvent::Paint);
    auto* edit = qobject_cast<QTextEdit*>(editor());
    ASSERT_NE(edit, nullptr);
    edit->viewport()->installEventFilter(&painted);
    for (const char* letter : {"a", "b", "c"}) {
        typeText(editor(), QString::fromLatin1(letter));
        QApplication::processEvents();
        painted.count = 0;
        QTest::qWait(150);
        EXPECT_EQ(painted.count, 0) << "after " << letter;
    }
    QTest::qWait(800);
    EXPECT_GT(painted.count, 0);
    EXPECT_EQ(QApplication::cursorFlashTime(), 200);
    edit->viewport()->removeEventFilter(&painted);
    QApplication::setCursorFlashTime(desktop);
}

}  // namespace
}  // namespace pennory::testing
