#pragma once

#include <QWidget>

class QLabel;

// The small "Initializing" window shown while a long read-back runs. Created once at
// start, shown and hidden, never rebuilt. It takes no input.
class TMessageForm : public QWidget {
    Q_OBJECT
public:
    explicit TMessageForm(QWidget *parent = nullptr);

    QLabel *MessageLabel;

    // Shows without blocking and without taking the focus.
    void ShowMessage(const QString &text);

protected:
    bool event(QEvent *event) override;
};
