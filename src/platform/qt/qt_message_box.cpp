#include <QKeyEvent>
#include <QMessageBox>

#include "platform/qt/qt_conversions.h"
#include "platform/qt/qt_messages.h"

namespace pennory::platform::qt {

namespace {

// A message box that, when told so, cannot be dismissed without choosing a button.
class MessageBox : public QMessageBox {
public:
    MessageBox(QWidget* parent, bool mustChoose) : QMessageBox(parent), m_mustChoose(mustChoose) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (m_mustChoose && event->matches(QKeySequence::Cancel)) return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        // A button's own close never arrives here (QDialog::done filters it).
        if (m_mustChoose) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_mustChoose;
};

}  // namespace

int QtMessages::msgBox(std::u16string_view prompt, int style, std::u16string_view title) {
    const int buttons = msgButtons(style);
    const bool noIsDefault = (style & vbDefaultButton2) != 0;
    MessageBox box(m_owner, buttons == vbYesNo && !noIsDefault);
    box.setWindowTitle(title.empty() ? QStringLiteral("Pennory") : toQString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(prompt));
    box.setIcon(QMessageBox::NoIcon);
    switch (buttons) {
        case vbYesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(noIsDefault ? QMessageBox::No : QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case vbYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(noIsDefault ? QMessageBox::No : QMessageBox::Yes);
            if (noIsDefault) box.setEscapeButton(QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes:
            return vbYes;
        case QMessageBox::No:
            return vbNo;
        case QMessageBox::Ok:
            return vbOK;
        default:
            return buttons == vbYesNoCancel || buttons == vbYesNo ? vbCancel : vbOK;
    }
}

}  // namespace pennory::platform::qt
