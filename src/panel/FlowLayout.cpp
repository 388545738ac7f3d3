#include "FlowLayout.h"

#include <QWidget>

TFlowLayout::TFlowLayout(QWidget *parent, int spacing) : QLayout(parent) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(spacing);
}

TFlowLayout::~TFlowLayout() {
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void TFlowLayout::addItem(QLayoutItem *item) {
    FItems.append(item);
}
int TFlowLayout::count() const {
    return FItems.size();
}
QLayoutItem *TFlowLayout::itemAt(int index) const {
    return FItems.value(index);
}

QLayoutItem *TFlowLayout::takeAt(int index) {
    return index >= 0 && index < FItems.size() ? FItems.takeAt(index) : nullptr;
}

Qt::Orientations TFlowLayout::expandingDirections() const {
    return {};
}
bool TFlowLayout::hasHeightForWidth() const {
    return true;
}

int TFlowLayout::heightForWidth(int width) const {
    return doLayout(QRect(0, 0, width, 0), true);
}

QSize TFlowLayout::minimumSize() const {
    QSize size;
    for (const QLayoutItem *item : FItems)
        size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize TFlowLayout::sizeHint() const {
    // Ask for no more width than the widest item: the rest of the window decides the
    // width, and heightForWidth the number of rows.
    return minimumSize();
}

void TFlowLayout::setGeometry(const QRect &rect) {
    QLayout::setGeometry(rect);
    doLayout(rect, false);
}

int TFlowLayout::rowCount(int width) const {
    if (FItems.isEmpty())
        return 0;
    int rows = 1;
    int x = 0;
    for (const QLayoutItem *item : FItems) {
        const int w = item->sizeHint().width();
        if (x > 0 && x + w > width) {
            ++rows;
            x = 0;
        }
        x += w + spacing();
    }
    return rows;
}

int TFlowLayout::doLayout(const QRect &rect, bool testOnly) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (QLayoutItem *item : FItems) {
        const QSize hint = item->sizeHint();
        if (x > area.x() && x + hint.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight + spacing();
            rowHeight = 0;
        }
        if (!testOnly)
            item->setGeometry(QRect(QPoint(x, y), hint));
        x += hint.width() + spacing();
        rowHeight = qMax(rowHeight, hint.height());
    }
    const QMargins m = contentsMargins();
    return y + rowHeight - rect.y() + m.bottom();
}
