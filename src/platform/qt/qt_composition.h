#pragma once
// An input method's open composition (pinyin typed, its characters not chosen yet) belongs to
// the box the writer is typing in. Before a command acts, the composition is committed there:
// the composed text lands where and in the order it was typed, and the input method does not
// go on composing over whatever the command shows next.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/controls.h"

namespace pennory::platform::qt {

class CompositionKeeper : public QObject {
public:
    explicit CompositionKeeper(QObject* parent) : QObject(parent) {}

    // Follows the compositions the input method shows in the box.
    void watch(QWidget* box);
    // Commits the open composition. The input method commits its own where it can; what it
    // leaves standing (an input method that cannot commit, or none) is committed into its box
    // as the input method would have done it.
    void commit();
    // The action, run after commit(); an empty action stays empty.
    Callback committingFirst(Callback action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_box;
    QString m_preedit;
};

}  // namespace pennory::platform::qt
