#pragma once
// The toolbar band's layout: the buttons from left to right in the order they were added,
// each as wide as its caption asks, in as few rows as keep every caption whole. While all of
// them fit the band's width they stand in one row of the band's full height; a narrower band
// gets two (or more) rows that share its height.

#include <QLayout>
#include <QList>

namespace pennory::platform::qt {

class ToolbarRows : public QLayout {
public:
    explicit ToolbarRows(QWidget* band) : QLayout(band) {}
    ~ToolbarRows() override;

    void addItem(QLayoutItem* item) override { m_items.append(item); }
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    QList<QLayoutItem*> m_items;
};

}  // namespace pennory::platform::qt
