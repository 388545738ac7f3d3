#pragma once

#include <QObject>

class QComboBox;
class QPushButton;
class TSession;

// The command terminal's input: SendEdit's typed text goes to the command queue as it is
// and into the edit's history (duplicates kept, never sorted). Enter sends; Ctrl+Backspace
// deletes the selected history entry. The echo of commands and replies in ResponseList is
// written by the exchange.
class TCommandTerminal : public QObject {
    Q_OBJECT
public:
    TCommandTerminal(TSession &session, QComboBox *sendEdit, QPushButton *sendBtn, QObject *parent);

    void SendBtnClick();
    // One typed character; returns true when it was swallowed (Enter).
    bool SendEditKeyPress(QChar key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int SelectedHistoryEntry() const;

    TSession &FSession;
    QComboBox *FSendEdit;
};
