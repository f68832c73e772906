#include "platform/qt/qt_font_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/services.h"
#include "platform/text/font_families.h"
#include "platform/text/font_sizes.h"
#include "platform/qt/qt_conversions.h"

namespace pennory::platform::qt {

namespace {

constexpr int kListFontPoints = 11;
// The sample shows larger sizes at this size, so that the dialog keeps its own size.
constexpr float kLargestSamplePoints = 36;

QListWidget* makeList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QLineEdit* makeBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QCheckBox* makeCheck(QWidget* parent, const QString& caption, const char* name, bool checked) {
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QLatin1String(name));
    check->setChecked(checked);
    return check;
}

// The row whose text is exactly text, or the first starting with it when prefix is set.
QListWidgetItem* findRow(QListWidget* list, const QString& text, bool prefix) {
    if (text.isEmpty()) return nullptr;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        if (item->text() == text) return item;
    }
    if (!prefix) return nullptr;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        if (item->text().startsWith(text, Qt::CaseInsensitive)) return item;
    }
    return nullptr;
}

// Selects item (or nothing) without the list writing its text back into the box.
void showRow(QListWidget* list, QListWidgetItem* item) {
    const QSignalBlocker quiet(list);
    list->setCurrentItem(item);
    if (!item) list->clearSelection();
    if (item) list->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

}  // namespace

FontDialog::FontDialog(QWidget* parent, const text::Font& initial, bool effects)
    : QDialog(parent), m_initial(initial), m_effects(effects) {
    setWindowTitle(QStringLiteral("字体"));

    m_family = makeBox(this, "family");
    m_familyList = makeList(this, "familyList");
    m_size = makeBox(this, "size");
    m_sizeList = makeList(this, "sizeList");
    m_bold = makeCheck(this, QStringLiteral("粗体(&B)"), "bold", initial.bold);
    m_italic = makeCheck(this, QStringLiteral("斜体(&I)"), "italic", initial.italic);

    m_effectsGroup = new QGroupBox(QStringLiteral("效果"), this);
    m_effectsGroup->setObjectName(QStringLiteral("effects"));
    m_strikethrough = makeCheck(m_effectsGroup, QStringLiteral("删除线(&K)"), "strikethrough",
                                initial.strikethrough);
    m_underline =
        makeCheck(m_effectsGroup, QStringLiteral("下划线(&U)"), "underline", initial.underline);
    auto* effectsLayout = new QVBoxLayout(m_effectsGroup);
    effectsLayout->addWidget(m_strikethrough);
    effectsLayout->addWidget(m_underline);
    m_effectsGroup->setVisible(effects);

    auto* sampleGroup = new QGroupBox(QStringLiteral("示例"), this);
    m_sample = new QLabel(QStringLiteral("中文字体 AaBbYyZz"), sampleGroup);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFixedHeight(72);
    auto* sampleLayout = new QVBoxLayout(sampleGroup);
    sampleLayout->addWidget(m_sample);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* familyLabel = new QLabel(QStringLiteral("字体(&F)："), this);
    familyLabel->setBuddy(m_family);
    auto* sizeLabel = new QLabel(QStringLiteral("大小(&S)："), this);
    sizeLabel->setBuddy(m_size);
    auto* styleGroup = new QGroupBox(QStringLiteral("字形"), this);
    auto* styleLayout = new QVBoxLayout(styleGroup);
    styleLayout->addWidget(m_bold);
    styleLayout->addWidget(m_italic);
    styleLayout->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(familyLabel, 0, 0);
    grid->addWidget(m_family, 1, 0);
    grid->addWidget(m_familyList, 2, 0, 2, 1);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(m_size, 1, 1);
    grid->addWidget(m_sizeList, 2, 1, 2, 1);
    grid->addWidget(styleGroup, 1, 2, 2, 1);
    grid->addWidget(m_effectsGroup, 3, 2);
    grid->addWidget(sampleGroup, 4, 0, 1, 3);
    grid->addWidget(buttons, 5, 0, 1, 3);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);

    buildFamilies();
    buildSizes();
    m_family->setText(toQString(initial.fontName));
    showRow(m_familyList, findRow(m_familyList, m_family->text(), false));
    if (initial.sizePt > 0) m_size->setText(toQString(text::fontSizeText(initial.sizePt)));
    showRow(m_sizeList, findRow(m_sizeList, m_size->text(), false));

    connect(m_familyList, &QListWidget::currentTextChanged, m_family, &QLineEdit::setText);
    connect(m_sizeList, &QListWidget::currentTextChanged, m_size, &QLineEdit::setText);
    connect(m_family, &QLineEdit::textEdited, this, &FontDialog::familyTyped);
    connect(m_size, &QLineEdit::textEdited, this, &FontDialog::sizeTyped);
    for (QLineEdit* box : {m_family, m_size}) {
        connect(box, &QLineEdit::textChanged, this, &FontDialog::refresh);
    }
    for (QCheckBox* check : {m_bold, m_italic, m_strikethrough, m_underline}) {
        connect(check, &QCheckBox::toggled, this, &FontDialog::refresh);
    }
    refresh();
    m_family->setFocus();
}

void FontDialog::buildFamilies() {
    std::vector<std::u16string> installed;
    for (const QString& family : QFontDatabase::families()) installed.push_back(toU16(family));
    for (const auto& family : text::fontFamilyList(installed)) {
        auto* item = new QListWidgetItem(toQString(family), m_familyList);
        // Each name in the face it stands for, the Chinese names through the substitutions
        // of qt_fonts; a symbol face would not show its own name, so that stays plain.
        const QString name = toQString(family);
        if (!QFontDatabase::writingSystems(name).contains(QFontDatabase::Symbol)) {
            item->setFont(QFont(name, kListFontPoints));
        }
    }
}

void FontDialog::buildSizes() {
    for (const auto& size : text::fontSizeList()) m_sizeList->addItem(toQString(size));
}

void FontDialog::familyTyped(const QString& text) {
    showRow(m_familyList, findRow(m_familyList, text.trimmed(), true));
}

void FontDialog::sizeTyped(const QString& text) {
    showRow(m_sizeList, findRow(m_sizeList, text.trimmed(), false));
}

void FontDialog::refresh() {
    const bool named = !m_family->text().trimmed().isEmpty();
    const auto size = text::parseFontSize(toU16(m_size->text()));
    m_ok->setEnabled(named && size.has_value());
    if (!named || !size) return;
    const text::Font font = choice();
    QFont sample(toQString(font.fontName));
    sample.setPointSizeF(std::min(font.sizePt, kLargestSamplePoints));
    sample.setBold(font.bold);
    sample.setItalic(font.italic);
    sample.setUnderline(font.underline);
    sample.setStrikeOut(font.strikethrough);
    m_sample->setFont(sample);
}

text::Font FontDialog::choice() const {
    text::Font out = m_initial;
    out.fontName = toU16(m_family->text().trimmed());
    out.sizePt = text::parseFontSize(toU16(m_size->text())).value_or(m_initial.sizePt);
    out.bold = m_bold->isChecked();
    out.italic = m_italic->isChecked();
    if (m_effects) {
        out.strikethrough = m_strikethrough->isChecked();
        out.underline = m_underline->isChecked();
    }
    return out;
}

std::optional<text::Font> showFontDialog(QWidget* owner, const text::Font& initial, int flags) {
    FontDialog dialog(owner, initial, (flags & kFontEffects) != 0);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

}  // namespace pennory::platform::qt
