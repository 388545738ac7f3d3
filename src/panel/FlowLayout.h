#pragma once

#include <QLayout>
#include <QList>

// Lays its items out left to right and wraps them into as many rows as the width needs.
// Used for the rows of page buttons of TPageControl.
class TFlowLayout : public QLayout {
public:
    explicit TFlowLayout(QWidget *parent = nullptr, int spacing = 0);
    ~TFlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

    // Number of rows the items take at the given width.
    int rowCount(int width) const;

private:
    int doLayout(const QRect &rect, bool testOnly) const;
    QList<QLayoutItem *> FItems;
};
