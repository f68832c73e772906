#pragma once
// The find and replace panel on Qt: a modeless dialog over the main window. Every button, Enter
// in a field, Esc and the close box call back with the fields as they are; the core decides.

#include <QDialog>
#include <QPointer>

#include "platform/services.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pennory::platform::qt {

class QtFindDialog;

class QtFindPanel : public FindPanelService {
public:
    explicit QtFindPanel(QWidget* owner) : m_owner(owner) {}
    ~QtFindPanel() override;

    void show(bool withReplace, const FindFields& fields, FindActed acted) override;
    void hide() override;
    bool shown() const override;

    // The dialog once shown (tests).
    QDialog* dialog() const;

private:
    QPointer<QWidget> m_owner;
    QPointer<QtFindDialog> m_dialog;
};

class QtFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit QtFindDialog(QWidget* owner);
    void present(bool withReplace, const FindFields& fields, FindActed acted);
    FindFields fields() const;

protected:
    void reject() override;  // Esc
    void closeEvent(QCloseEvent* event) override;

private:
    void act(FindAction action);

    FindActed m_acted;
    QLineEdit* m_findWhat;
    QLineEdit* m_replaceWith;
    QLabel* m_replaceLabel;
    QCheckBox *m_matchCase, *m_matchWidth, *m_wholeWord, *m_regex;
    QPushButton *m_findNext, *m_replace, *m_replaceAll, *m_fullWidth, *m_halfWidth, *m_close;
};

}  // namespace pennory::platform::qt
