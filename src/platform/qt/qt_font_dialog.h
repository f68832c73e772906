#pragma once
// Pennory's font dialog: the Chinese faces under the names a Chinese writer knows (宋体, 黑体,
// 楷体, 仿宋), each drawn with the installed face that stands for it, then the other installed
// families; 粗体 and 斜体; sizes as 字号 or in points, fractional ones typed; the effects group
// (删除线, 下划线) when asked for.

#include <QDialog>
#include <optional>

#include "platform/services.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace pennory::platform::qt {

// Children carry object names for finding them: "family", "familyList", "size", "sizeList",
// "bold", "italic", "effects", "strikethrough", "underline", "sample".
class FontDialog : public QDialog {
    Q_OBJECT

public:
    // Shows initial: its family and size typed in the boxes and, where listed, selected.
    FontDialog(QWidget* parent, const text::Font& initial, bool effects);

    // The font as the boxes hold it. Without effects, underline and strikethrough are the
    // initial ones. Meaningful while okButton() is enabled: a family is named and the size
    // box holds a size.
    text::Font choice() const;
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void buildFamilies();
    void buildSizes();
    void familyTyped(const QString& text);
    void sizeTyped(const QString& text);
    void refresh();

    text::Font m_initial;
    bool m_effects;
    QLineEdit* m_family;
    QListWidget* m_familyList;
    QLineEdit* m_size;
    QListWidget* m_sizeList;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QGroupBox* m_effectsGroup;
    QCheckBox* m_strikethrough;
    QCheckBox* m_underline;
    QLabel* m_sample;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

// The chosen font, or nullopt when cancelled. flags as the common dialog's: without
// kFontEffects the effects group is hidden and the choice keeps the initial underline and
// strikethrough.
std::optional<text::Font> showFontDialog(QWidget* owner, const text::Font& initial, int flags);

}  // namespace pennory::platform::qt
