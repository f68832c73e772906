#pragma once
// Pennory's 段落 dialog: 对齐方式, 首行缩进, 左缩进 and 右缩进 in 字符, 行距 (with its 固定值 in
// 磅), 段前 and 段后 in 磅, 确定 and 取消. What each control shows, and the format the answer
// makes, come from text::ParagraphDialogValues.

#include <QDialog>
#include <optional>

#include "platform/text/paragraph_dialog_values.h"

class QComboBox;
class QDoubleSpinBox;
class QPushButton;

namespace pennory::platform::qt {

// Every control's accessible name is its caption.
class ParagraphDialog : public QDialog {
    Q_OBJECT

public:
    ParagraphDialog(QWidget* parent, const text::ParagraphFormat& initial);

    text::ParagraphFormat choice() const;
    text::ParagraphDialogValues values() const;

private:
    void showFixedValue();

    text::ParagraphFormat m_initial;
    text::ParagraphDialogValues m_shown;
    QComboBox* m_alignment;
    QDoubleSpinBox* m_firstLine;
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_right;
    QComboBox* m_spacing;
    QDoubleSpinBox* m_fixed;
    QDoubleSpinBox* m_before;
    QDoubleSpinBox* m_after;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

// The confirmed format, or nullopt when cancelled.
std::optional<text::ParagraphFormat> showParagraphDialog(QWidget* owner,
                                                         const text::ParagraphFormat& initial);

}  // namespace pennory::platform::qt
