#include "platform/qt/qt_toolbar_rows.h"

#include <QWidget>
#include <algorithm>
#include <vector>

namespace pennory::platform::qt {

ToolbarRows::~ToolbarRows() {
    while (!m_items.isEmpty()) delete m_items.takeFirst();
}

QLayoutItem* ToolbarRows::takeAt(int index) {
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

QSize ToolbarRows::sizeHint() const {
    QSize size;
    for (const QLayoutItem* item : m_items) {
        if (item->isEmpty()) continue;
        const QSize hint = item->sizeHint();
        size = QSize(size.width() + hint.width(), std::max(size.height(), hint.height()));
    }
    const QMargins margins = contentsMargins();
    return size.grownBy(margins);
}

QSize ToolbarRows::minimumSize() const {
    QSize size;
    for (const QLayoutItem* item : m_items) {
        if (!item->isEmpty()) size = size.expandedTo(item->sizeHint());
    }
    return size.grownBy(contentsMargins());
}

void ToolbarRows::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const QRect area = rect.marginsRemoved(contentsMargins());

    // Row of each shown item: a row takes items while their widths fit the band; an item
    // wider than the band stands in a row of its own.
    std::vector<QLayoutItem*> shown;
    std::vector<int> rowOf;
    int row = 0;
    int used = 0;
    for (QLayoutItem* item : m_items) {
        if (item->isEmpty()) continue;
        const int width = item->sizeHint().width();
        if (used > 0 && used + width > area.width()) {
            ++row;
            used = 0;
        }
        used += width;
        shown.push_back(item);
        rowOf.push_back(row);
    }
    const int rows = row + 1;

    int x = area.left();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i > 0 && rowOf[i] != rowOf[i - 1]) x = area.left();
        // Rows share the height; the last one takes what the division leaves.
        const int top = area.top() + area.height() * rowOf[i] / rows;
        const int bottom = area.top() + area.height() * (rowOf[i] + 1) / rows;
        const int width = shown[i]->sizeHint().width();
        shown[i]->setGeometry(QRect(x, top, width, bottom - top));
        x += width;
    }
}

}  // namespace pennory::platform::qt
