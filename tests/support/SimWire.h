#pragma once

#include <QString>
#include <QStringList>

// A plain serial client for preparing a simulator before the program under test connects:
// opens a device at a baud rate, writes lines and reads one reply line to each.
class TSimWire {
public:
    TSimWire() = default;
    ~TSimWire() { Close(); }
    TSimWire(const TSimWire &) = delete;
    TSimWire &operator=(const TSimWire &) = delete;

    bool Open(const QString &device, int baud);
    void Close();
    // The reply without its line end; empty after timeoutMs without a complete line.
    QString Ask(const QString &line, int timeoutMs = 3000);

    // Opens, asks every line, closes; the replies in order.
    static QStringList AskAll(const QString &device, int baud, const QStringList &lines);

private:
    int FFd = -1;
};
