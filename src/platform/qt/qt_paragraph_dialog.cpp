#include "platform/qt/qt_paragraph_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pennory::platform::qt {

namespace {

using Values = text::ParagraphDialogValues;

QComboBox* makeCombo(QWidget* parent, const QString& name, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(name);
    combo->addItems(items);
    return combo;
}

QDoubleSpinBox* makeSpin(QWidget* parent, const QString& name, double high, const QString& unit,
                         double step) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(name);
    spin->setAccessibleName(name);
    spin->setDecimals(1);
    spin->setRange(0, high);
    spin->setSingleStep(step);
    spin->setSuffix(QStringLiteral(" ") + unit);
    return spin;
}

QLabel* captionFor(QWidget* parent, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

ParagraphDialog::ParagraphDialog(QWidget* parent, const text::ParagraphFormat& initial)
    : QDialog(parent), m_initial(initial), m_shown(text::shownValues(initial)) {
    setWindowTitle(QStringLiteral("段落"));
    setAccessibleName(QStringLiteral("段落"));
    const QString chars = QStringLiteral("字符");
    const QString points = QStringLiteral("磅");

    m_alignment = makeCombo(this, QStringLiteral("对齐方式"),
                            {QStringLiteral("左对齐"), QStringLiteral("居中"),
                             QStringLiteral("右对齐"), QStringLiteral("两端对齐")});
    m_firstLine = makeSpin(this, QStringLiteral("首行缩进"), text::kMaxFirstLineChars, chars, 0.5);
    m_left = makeSpin(this, QStringLiteral("左缩进"), text::kMaxSideChars, chars, 0.5);
    m_right = makeSpin(this, QStringLiteral("右缩进"), text::kMaxSideChars, chars, 0.5);
    m_spacing = makeCombo(this, QStringLiteral("行距"),
                          {QStringLiteral("单倍"), QStringLiteral("1.5 倍"), QStringLiteral("2 倍"),
                           QStringLiteral("固定值")});
    m_fixed = makeSpin(this, QStringLiteral("设置值"), text::kMaxFixedPt, points, 1);
    m_fixed->setMinimum(text::kMinFixedPt);
    m_before = makeSpin(this, QStringLiteral("段前"), text::kMaxSpacePt, points, 0.5);
    m_after = makeSpin(this, QStringLiteral("段后"), text::kMaxSpacePt, points, 0.5);

    m_alignment->setCurrentIndex(static_cast<int>(m_shown.alignment));
    m_firstLine->setValue(m_shown.firstLineChars);
    m_left->setValue(m_shown.leftChars);
    m_right->setValue(m_shown.rightChars);
    m_spacing->setCurrentIndex(static_cast<int>(m_shown.spacing));
    m_fixed->setValue(m_shown.fixedPt);
    m_before->setValue(m_shown.beforePt);
    m_after->setValue(m_shown.afterPt);
    showFixedValue();
    connect(m_spacing, &QComboBox::currentIndexChanged, this, &ParagraphDialog::showFixedValue);

    auto* form = new QFormLayout;
    form->addRow(captionFor(this, QStringLiteral("对齐方式"), m_alignment), m_alignment);
    form->addRow(captionFor(this, QStringLiteral("首行缩进"), m_firstLine), m_firstLine);
    form->addRow(captionFor(this, QStringLiteral("左缩进"), m_left), m_left);
    form->addRow(captionFor(this, QStringLiteral("右缩进"), m_right), m_right);
    auto* spacingRow = new QHBoxLayout;
    spacingRow->addWidget(m_spacing);
    spacingRow->addWidget(m_fixed);
    form->addRow(captionFor(this, QStringLiteral("行距"), m_spacing), spacingRow);
    form->addRow(captionFor(this, QStringLiteral("段前"), m_before), m_before);
    form->addRow(captionFor(this, QStringLiteral("段后"), m_after), m_after);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    m_ok->setAccessibleName(QStringLiteral("确定"));
    m_cancel->setAccessibleName(QStringLiteral("取消"));
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void ParagraphDialog::showFixedValue() {
    m_fixed->setEnabled(m_spacing->currentIndex() == Values::Fixed);
}

text::ParagraphDialogValues ParagraphDialog::values() const {
    Values v;
    v.alignment = static_cast<text::Alignment>(m_alignment->currentIndex());
    v.firstLineChars = m_firstLine->value();
    v.leftChars = m_left->value();
    v.rightChars = m_right->value();
    v.spacing = static_cast<Values::Spacing>(m_spacing->currentIndex());
    v.fixedPt = m_fixed->value();
    v.beforePt = m_before->value();
    v.afterPt = m_after->value();
    return v;
}

text::ParagraphFormat ParagraphDialog::choice() const {
    return text::chosenFormat(m_initial, m_shown, values());
}

std::optional<text::ParagraphFormat> showParagraphDialog(QWidget* owner,
                                                         const text::ParagraphFormat& initial) {
    ParagraphDialog dialog(owner, initial);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

}  // namespace pennory::platform::qt
