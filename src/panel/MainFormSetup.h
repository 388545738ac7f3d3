#pragma once

#include "StartupKeys.h"
#include "VersionInfo.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// What a main window takes from its surroundings. The defaults are the real program's;
// tests replace the parts they must observe or control.
struct TMainFormSetup {
    TVersionInfo Version;
    QStringList Arguments;  // command-line arguments after the program name
    QString PortsDirectory; // empty: PULSEPANEL_PORTS, else the machine's serial devices
    QString LogDirectory;   // empty: the working directory
    // Null: TStartupKeys::Platform().
    std::shared_ptr<TStartupKeys> Keys;
    // Starts a new instance of the program; false, with the reason, when it did not start.
    // Null: the program's own executable, detached, without arguments, half a second after
    // this instance closed its port.
    std::function<bool(QString &reason)> StartNewInstance;
    // Ends the application's message loop; null: QCoreApplication::quit().
    std::function<void()> QuitApplication;
    // The run's start stamp (log file name); invalid: the time the connection step ends.
    QDateTime StartTime;
};
