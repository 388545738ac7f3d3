#pragma once

#include <QStringList>

// Seam between TVKComPort::Pick and the port-choice dialog, so that the port itself needs no
// widgets. The GUI installs a picker that shows the dialog; tests may install their own.
class TPortPicker {
public:
    virtual ~TPortPicker() = default;
    // Shows the choice modally. items are "COM<n> <device>" texts, selected the item to
    // preselect (-1: none). Returns true when the user confirmed an item with OK; the
    // confirmed item's text is then in chosen.
    virtual bool Choose(const QStringList &items, int selected, QString &chosen) = 0;
};
