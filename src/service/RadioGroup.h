#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A titled group of radio buttons, one column, none selected at first. itemSelected runs
// for every newly selected item, whether the user clicked it or code selected it, since
// the service window's read-back relies on its handlers (QButtonGroup::idClicked would
// miss a selection made in code). Selecting the selected item again runs nothing.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(QWidget *parent, const QString &name, const QString &title,
                const QStringList &items);

    // -1 while nothing is selected.
    int ItemIndex() const;
    // An index outside the items leaves the selection as it is.
    void setItemIndex(int index);
    int count() const;
    QRadioButton *button(int index) const;

signals:
    void itemSelected(int index);

private:
    QButtonGroup *FButtons;
};
