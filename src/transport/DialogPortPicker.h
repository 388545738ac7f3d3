#pragma once

#include "PortPicker.h"

#include <QPointer>

class QWidget;
class TformPickPort;

// Shows TformPickPort for TVKComPort::Pick. The dialog exists only while Choose runs.
class TDialogPortPicker : public TPortPicker {
public:
    explicit TDialogPortPicker(QWidget *parent = nullptr) : FParent(parent) {}
    bool Choose(const QStringList &items, int selected, QString &chosen) override;
    // The dialog while it is shown, else null.
    TformPickPort *PickPortDlg() const { return FPickPortDlg; }

private:
    QPointer<QWidget> FParent;
    QPointer<TformPickPort> FPickPortDlg;
};
