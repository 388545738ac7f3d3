#pragma once

#include "MainForm.h"
#include "PortPicker.h"
#include "ScriptedPrompts.h"
#include "SimProcess.h"
#include "StartupKeys.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// Readable QString output in test failures.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

// Start-up keys a test holds down.
class TFakeStartupKeys : public TStartupKeys {
public:
    bool Space = false;
    bool LeftShift = false;
    bool SpacePressed() override { return Space; }
    bool LeftShiftPressed() override { return LeftShift; }
};

// The port-choice dialog answered by the test.
class TScriptedPortPicker : public TPortPicker {
public:
    QString Answer; // an item's text, e.g. "COM2"; empty: cancelled
    QStringList ItemsShown;
    bool Choose(const QStringList &items, int selected, QString &chosen) override;
};

// A main window wired to pulsesim processes: each simulator is linked as COM n in a
// temporary port-map directory that only this window sees. The window gets scripted
// prompts, fake start-up keys, a recording restart seam and a log directory of its own.
//
//   TSimPanel p;
//   p.AddSim();                 // COM1, 6180-12 at 115200
//   p.Preset(0, {"*CFG 1 ..."}); // optional: instrument state before the program connects
//   ASSERT_TRUE(p.StartAndLaunch());
//   p.Form->ChDelayAdj[1]->Value(); p.Received(0); p.Dump(0)["state"];
class TSimPanel {
public:
    TSimPanel();
    ~TSimPanel();

    // Starts a simulator; PortsDir is set here, Com defaults to the next free number.
    TSimProcess &AddSim(TSimLaunch launch = TSimLaunch());
    TSimProcess &Sim(int index = 0) { return *FSims.at(size_t(index)); }
    // Sends setting lines to simulator `index` before the window connects; each must be
    // accepted with "ok". Lines sent here are left out of Received().
    bool Preset(int index, const QStringList &lines);
    // Every line simulator `index` received from the window, in order.
    QStringList Received(int index = 0) const;

    // Builds the window (once).
    TMainForm &Create();
    // Create + FormCreate; false when the window decided to end.
    bool Start();
    // The launch read-back, run at once instead of 500 ms later.
    void Launch();
    bool StartAndLaunch();
    // What a restart starts: a second window on the same port map, connected and read back
    // (the first one must have let go of the port).
    std::unique_ptr<TMainForm> StartAgain();

    QString PortsDir() const { return FPorts.path(); }
    QString LogDir() const { return FLogs.path(); }

    TScriptedPrompts Prompts;
    std::shared_ptr<TFakeStartupKeys> Keys = std::make_shared<TFakeStartupKeys>();
    std::shared_ptr<TStartupKeys> KeySource; // when set, used instead of Keys
    TScriptedPortPicker Picker;
    QStringList Arguments;
    int Restarts = 0; // new instances the window asked for
    // When set, a new instance does not start, for this reason.
    QString RestartFailure;
    int Quits = 0; // times it ended the message loop
    std::function<void()> OnRestart;
    std::unique_ptr<TMainForm> Form;

private:
    TMainFormSetup Setup();

    QTemporaryDir FPorts;
    QTemporaryDir FLogs;
    std::vector<std::unique_ptr<TSimProcess>> FSims;
    std::vector<TSimLaunch> FLaunches;
    std::vector<int> FPresetLines;
};
