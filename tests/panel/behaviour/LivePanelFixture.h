#pragma once

#include "AppState.h"
#include "MainForm.h"
#include "ScriptedPrompts.h"
#include "SimProcess.h"
#include "StartupKeys.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable failure output for lists of wire lines.
inline void PrintTo(const QStringList &lines, std::ostream *os) {
    *os << "{";
    for (const QString &line : lines)
        *os << "\n  \"" << line.toStdString() << "\"";
    *os << " }";
}

// A main window connected to a pulsesim instrument through a port-map directory, created
// and read back as at program start (FormCreate, then the launch read-back).
class LivePanelTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the simulator and the panel; false (with a test failure) when either fails.
    bool StartPanel(TSimLaunch launch = TSimLaunch());

    // Instrument lines received so far (transcript "RX" entries).
    QStringList Received() const { return Sim->ReceivedLines(); }
    int Mark() const { return static_cast<int>(Received().size()); }
    // Lines received since mark, without the status poll's queries.
    QStringList SentSince(int mark) const;
    // Waits (processing events) until `count` lines have arrived since mark, then lets
    // a few more ticks pass so that any extra line would show too.
    QStringList WaitForSent(int mark, int count, int timeoutMs = 10000);
    // Waits until no pass is busy and the queue is empty.
    bool WaitIdle(int timeoutMs = 10000);
    // The user picks item `index` of a selector (activated, as a real choice).
    static void Choose(class QComboBox *box, int index);

    QTemporaryDir PortsDir;
    std::unique_ptr<TSimProcess> Sim;
    TScriptedPrompts Prompts;
    std::unique_ptr<TMainForm> Form;
    int Restarts = 0;
    int Quits = 0;
};
