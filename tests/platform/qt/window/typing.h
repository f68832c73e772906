#pragma once
// Typing into a real widget as a writer does: Latin letters, digits and punctuation as key
// presses, everything else (Chinese above all) committed by an input method, a line break as
// the Enter key. QTest::keyClicks alone cannot type a character outside Latin-1.

#include <QInputMethodEvent>
#include <QString>
#include <QTest>
#include <QWidget>

namespace pennory::testing {

inline void typeText(QWidget* widget, const QString& text) {
    QString composed;
    auto commit = [&] {
        if (composed.isEmpty()) return;
        QInputMethodEvent event;
        event.setCommitString(composed);
        QCoreApplication::sendEvent(widget, &event);
        composed.clear();
    };
    for (const QChar c : text) {
        if (c == u'\n') {
            commit();
            QTest::keyClick(widget, Qt::Key_Return);
        } else if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            commit();
            QTest::keyClicks(widget, QString(c));
        } else {
            composed += c;
        }
    }
    commit();
}

}  // namespace pennory::testing
