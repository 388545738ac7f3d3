#pragma once

#include <QString>

// Who holds a serial device. Qt's serial port takes an advisory lock file (LCK..<name>) in
// the first usable lock folder while it has the device open, so the panel and pulsectl
// keep each other off a port; this names the holder when an open is refused for it.
class TPortLock {
public:
    // The start of every held-port reason, for callers that tell it from other failures.
    static constexpr const char *InUse = "in use by another program";

    // "in use by another program (pulsectl, process 4242)" when a live lock file names the
    // device's holder; "in use by another program" when the device is held but the lock
    // says no more; empty when the device is not locked.
    static QString HeldReason(const QString &device);

private:
    static QString LockFilePath(const QString &device);
};
