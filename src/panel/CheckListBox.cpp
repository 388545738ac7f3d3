#include "CheckListBox.h"

#include <QResizeEvent>

TCheckListBox::TCheckListBox(QWidget *parent) : QListWidget(parent) {
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QStringList TCheckListBox::Items() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

void TCheckListBox::setItems(const QStringList &items) {
    clear();
    for (const QString &text : items) {
        auto *it = new QListWidgetItem(text, this);
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        it->setCheckState(Qt::Unchecked);
    }
}

void TCheckListBox::setColumns(int columns) {
    FColumns = qMax(1, columns);
    updateGrid();
}

bool TCheckListBox::Checked(int index) const {
    const QListWidgetItem *it = item(index);
    return it && it->checkState() == Qt::Checked;
}

void TCheckListBox::setChecked(int index, bool checked) {
    if (QListWidgetItem *it = item(index))
        it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TCheckListBox::resizeEvent(QResizeEvent *event) {
    QListWidget::resizeEvent(event);
    updateGrid();
}

void TCheckListBox::updateGrid() {
    const int width = viewport()->width() / FColumns;
    const int height = fontMetrics().height() + 6;
    if (width > 0)
        setGridSize(QSize(width, height));
}
