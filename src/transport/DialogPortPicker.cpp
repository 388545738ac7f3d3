#include "DialogPortPicker.h"

#include "PickPortDialog.h"

#include <QComboBox>

bool TDialogPortPicker::Choose(const QStringList &items, int selected, QString &chosen) {
    // On the heap: a parent closed during exec() takes the dialog with it.
    FPickPortDlg = new TformPickPort(FParent);
    FPickPortDlg->listPorts->addItems(items);
    FPickPortDlg->listPorts->setCurrentIndex(selected < items.size() ? selected : -1);
    const bool accepted = FPickPortDlg->exec() == QDialog::Accepted;
    if (!FPickPortDlg)
        return false;
    const bool confirmed = accepted && FPickPortDlg->listPorts->currentIndex() >= 0;
    if (confirmed)
        chosen = FPickPortDlg->listPorts->currentText();
    delete FPickPortDlg.data();
    return confirmed;
}
