#pragma once
// While the writer types, the caret stays lit: otherwise Qt's blink repaints it a moment
// after many a key, and a caret that goes out under the letter just typed is hard to follow.
// Once typing pauses for a blink's length, it blinks again at the desktop's rate.

#include <QObject>
#include <QTimer>

namespace pennory::platform::qt {

class SteadyCaret : public QObject {
public:
    // A key reached an editor; the one caret of the program holds still.
    static void typed();

private:
    explicit SteadyCaret(QObject* parent);
    void hold();

    QTimer m_pause;
    int m_desktopFlashTime = 0;
};

}  // namespace pennory::platform::qt
