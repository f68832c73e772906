#include "platform/qt/qt_find_panel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_conversions.h"

namespace pennory::platform::qt {

namespace {

template <typename W>
W* named(W* widget, const QString& caption) {
    widget->setAccessibleName(caption);
    return widget;
}

QPushButton* button(const QString& caption) {
    auto* made = named(new QPushButton(caption), caption);
    // Enter belongs to the fields (查找下一个), never to a default button as well.
    made->setAutoDefault(false);
    return made;
}

}  // namespace

QtFindPanel::~QtFindPanel() { delete m_dialog.data(); }

void QtFindPanel::show(bool withReplace, const FindFields& fields, FindActed acted) {
    if (!m_dialog) m_dialog = new QtFindDialog(m_owner);
    m_dialog->present(withReplace, fields, std::move(acted));
}

void QtFindPanel::hide() {
    if (m_dialog) m_dialog->hide();
}

bool QtFindPanel::shown() const { return m_dialog && m_dialog->isVisible(); }

QDialog* QtFindPanel::dialog() const { return m_dialog; }

QtFindDialog::QtFindDialog(QWidget* owner) : QDialog(owner) {
    setModal(false);
    auto* findLabel = new QLabel(QStringLiteral("查找内容"));
    m_findWhat = named(new QLineEdit, QStringLiteral("查找内容"));
    findLabel->setBuddy(m_findWhat);
    m_replaceLabel = new QLabel(QStringLiteral("替换为"));
    m_replaceWith = named(new QLineEdit, QStringLiteral("替换为"));
    m_replaceLabel->setBuddy(m_replaceWith);
    auto box = [](const QString& caption) { return named(new QCheckBox(caption), caption); };
    m_matchCase = box(QStringLiteral("区分大小写"));
    m_matchWidth = box(QStringLiteral("区分全角半角"));
    m_wholeWord = box(QStringLiteral("全字匹配"));
    m_regex = box(QStringLiteral("正则表达式"));
    m_findNext = button(QStringLiteral("查找下一个"));
    m_replace = button(QStringLiteral("替换"));
    m_replaceAll = button(QStringLiteral("全部替换"));
    m_fullWidth = button(QStringLiteral("统一为全角标点"));
    m_halfWidth = button(QStringLiteral("统一为半角字母数字"));
    m_close = button(QStringLiteral("关闭"));

    auto* grid = new QGridLayout;
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(m_findWhat, 0, 1);
    grid->addWidget(m_replaceLabel, 1, 0);
    grid->addWidget(m_replaceWith, 1, 1);
    auto* options = new QVBoxLayout;
    for (auto* check : {m_matchCase, m_matchWidth, m_wholeWord, m_regex}) options->addWidget(check);
    grid->addLayout(options, 2, 1);
    auto* buttons = new QVBoxLayout;
    for (auto* b : {m_findNext, m_replace, m_replaceAll, m_fullWidth, m_halfWidth, m_close}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);
    setLayout(grid);

    connect(m_findWhat, &QLineEdit::returnPressed, this, [this] { act(FindAction::FindNext); });
    connect(m_replaceWith, &QLineEdit::returnPressed, this, [this] { act(FindAction::FindNext); });
    const std::pair<QPushButton*, FindAction> clicks[] = {
        {m_findNext, FindAction::FindNext},
        {m_replace, FindAction::Replace},
        {m_replaceAll, FindAction::ReplaceAll},
        {m_fullWidth, FindAction::FullWidthPunctuation},
        {m_halfWidth, FindAction::HalfWidthLetters},
        {m_close, FindAction::Close},
    };
    for (const auto& [b, action] : clicks) {
        connect(b, &QPushButton::clicked, this, [this, a = action] { act(a); });
    }
}

void QtFindDialog::present(bool withReplace, const FindFields& fields, FindActed acted) {
    m_acted = std::move(acted);
    const QString title = withReplace ? QStringLiteral("替换") : QStringLiteral("查找");
    setWindowTitle(title);
    setAccessibleName(title);
    m_findWhat->setText(toQString(fields.findWhat));
    m_replaceWith->setText(toQString(fields.replaceWith));
    m_matchCase->setChecked(fields.options.matchCase);
    m_matchWidth->setChecked(fields.options.matchWidth);
    m_wholeWord->setChecked(fields.options.wholeWord);
    m_regex->setChecked(fields.options.regex);
    for (QWidget* w : std::initializer_list<QWidget*>{m_replaceLabel, m_replaceWith, m_replace,
                                                      m_replaceAll, m_fullWidth, m_halfWidth}) {
        w->setVisible(withReplace);
    }
    adjustSize();
    QDialog::show();
    raise();
    activateWindow();
    m_findWhat->setFocus();
    m_findWhat->selectAll();
}

FindFields QtFindDialog::fields() const {
    return {toU16(m_findWhat->text()),
            toU16(m_replaceWith->text()),
            {m_matchCase->isChecked(), m_matchWidth->isChecked(), m_wholeWord->isChecked(),
             m_regex->isChecked()}};
}

void QtFindDialog::act(FindAction action) {
    if (m_acted) m_acted(action, fields());
}

void QtFindDialog::reject() { act(FindAction::Close); }

void QtFindDialog::closeEvent(QCloseEvent* event) {
    event->ignore();  // the core hides the panel
    act(FindAction::Close);
}

}  // namespace pennory::platform::qt
