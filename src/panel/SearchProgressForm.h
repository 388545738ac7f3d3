#pragma once

#include "SearchProgress.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The small window shown while the start-up search runs: the port and rate being tried,
// a bar over every pair of port and rate, and Cancel, which ends the search as finding
// no instrument would. Closing the window or Escape cancels too.
class TSearchProgressForm : public QWidget, public TSearchProgress {
    Q_OBJECT
public:
    explicit TSearchProgressForm(QWidget *parent = nullptr);

    QLabel *TryingLabel;
    QProgressBar *SearchBar;
    QPushButton *CancelBtn;

    // TSearchProgress: shown centred at Begin; Trying lets the window paint and take a
    // click before the next identifications; hidden at End.
    void Begin(int attempts) override;
    bool Trying(qint32 port, qint32 baud, int done) override;
    void End() override;
    bool Cancelled() const { return FCancelled; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool FCancelled = false;
};
