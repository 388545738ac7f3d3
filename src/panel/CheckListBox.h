#pragma once

#include <QListWidget>
#include <QStringList>

// A list of check boxes laid out in a fixed number of columns (the channel multiplexer).
// Item texts are the captions; check marks are the items' check states.
class TCheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TCheckListBox(QWidget *parent = nullptr);

    QStringList Items() const;
    void setItems(const QStringList &items); // every item unchecked
    int Columns() const { return FColumns; }
    void setColumns(int columns);
    bool Checked(int index) const;
    void setChecked(int index, bool checked);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateGrid();
    int FColumns = 1;
};
