#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QPushButton;

// The small modal port-choice dialog: a drop-down of the ports that opened, OK and Cancel.
class TformPickPort : public QDialog {
    Q_OBJECT
public:
    explicit TformPickPort(QWidget *parent = nullptr);

    QGroupBox *GroupBox1;
    QComboBox *listPorts;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;

protected:
    void showEvent(QShowEvent *event) override;
};
