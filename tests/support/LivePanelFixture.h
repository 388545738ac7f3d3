#pragma once

#include "AppState.h"
#include "MainForm.h"
#include "SimPanel.h"

#include <QStringList>
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

// The status poll's two queries, which may go out whenever events are processed.
bool IsStatusPollQuery(const QString &line);
QStringList WithoutStatusPoll(const QStringList &received);

// A main window connected to one pulsesim instrument, created and read back as at
// program start (FormCreate, then the launch read-back), with the lines the instrument
// received from it.
class TLivePanel {
public:
    // Starts the simulator, sends it `preset` (left out of Received()) and starts the
    // panel; false (with a test failure) when any of it fails.
    bool Start(const TSimLaunch &launch = TSimLaunch(), const QStringList &preset = {});

    QStringList Received() const { return Panel.Received(0); }
    int Mark() const { return static_cast<int>(Received().size()); }
    // Lines received since mark, without the status poll's queries.
    QStringList SentSince(int mark) const { return WithoutStatusPoll(Received().mid(mark)); }

    TSimPanel Panel;
};

// The live panel as a fixture, with helpers to drive the window and wait for the wire.
class LivePanelTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the simulator and the panel; false (with a test failure) when either fails.
    bool StartPanel(TSimLaunch launch = TSimLaunch());

    QStringList Received() const { return Live.Received(); }
    int Mark() const { return Live.Mark(); }
    QStringList SentSince(int mark) const { return Live.SentSince(mark); }
    // Waits (processing events) until `count` lines have arrived since mark, then lets
    // a few more ticks pass so that any extra line would show too.
    QStringList WaitForSent(int mark, int count, int timeoutMs = 10000);
    // Waits until no pass is busy and the queue is empty.
    bool WaitIdle(int timeoutMs = 10000);
    // The user picks item `index` of a selector (activated, as a real choice).
    static void Choose(class QComboBox *box, int index);

    // Shows the window and waits until it is the active one.
    bool ShowActive();
    // Shows and activates the window, clicks `target` as the user's mouse would and
    // returns the widget that holds the focus afterwards.
    class QWidget *ClickForFocus(class QWidget *target);
    // Keys go where a keyboard's go: to QApplication::focusWidget().
    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void Type(const QString &text);

    int Restarts() const { return Panel.Restarts; }
    int Quits() const { return Panel.Quits; }

    TLivePanel Live;
    TSimPanel &Panel = Live.Panel;
    TScriptedPrompts &Prompts = Panel.Prompts;
    TSimProcess *Sim = nullptr;
    TMainForm *Form = nullptr;
};
