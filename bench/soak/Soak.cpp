// The soak: the whole window against pulsesim for a given time, as a user who keeps
// changing things: random control changes on every page and channel, refreshes, bin saves
// and recalls, the status poll on all three system pages, and now and then a reply the
// instrument never sends (answered Ignore). Reports resident memory at the start and the
// end (and every --every seconds), the commands the controls queued and how many reached
// the instrument, and whether panel and instrument agree at the end.
//
// Exit status 1 when a command was lost, a box other than the lost-reply question came,
// the program decided to end, or panel and instrument disagree at the end.
//
//   soak [--seconds 1800] [--seed 1] [--model 6180-12] [--every 60] [--clear-terminal]
//
// The command terminal keeps every line it shows, so memory grows with the commands sent;
// --clear-terminal empties it after every action to show what everything else uses.
#include "MainForm.h"
#include "PanelAgreement.h"
#include "Prompts.h"
#include "SimProcess.h"
#include "TestApplication.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <memory>

#include "PageControl.h"
#include "PlusSpinEdit.h"

namespace {

const QString LostReply = "Communications lost. Restart?";

// Every question answered as a user who wants to go on: Ignore to a lost reply. Anything
// else is unexpected and kept for the report.
class TSoakPrompts : public TPrompts {
public:
    TButton Message(const QString &text, TButtons buttons, TIcon, const QString &) override {
        if (text == LostReply) {
            ++LostReplies;
            return mbIgnore;
        }
        Unexpected << text;
        return (buttons & mbOK) ? mbOK : mbNo;
    }
    bool InputBox(const QString &, const QString &, QString &) override { return false; }
    QString OpenFileName(const QString &, const QString &, const QString &,
                         const QString &) override {
        return QString();
    }
    QString SaveFileName(const QString &, const QString &, const QString &,
                         const QString &) override {
        return QString();
    }
    int LostReplies = 0;
    QStringList Unexpected;
};

class TNoKeysHeld : public TStartupKeys {
public:
    bool SpacePressed() override { return false; }
    bool LeftShiftPressed() override { return false; }
};

qint64 ResidentKiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

struct TOptions {
    int Seconds = 1800;
    quint32 Seed = 1;
    QString Model = "6180-12";
    int Every = 60;
    bool ClearTerminal = false;
};

TOptions ParseOptions(const QStringList &args) {
    TOptions o;
    for (int i = 1; i < args.size(); ++i) {
        const QString &name = args[i];
        if (name == "--clear-terminal") {
            o.ClearTerminal = true;
            continue;
        }
        const QString value = args.value(++i);
        if (name == "--seconds")
            o.Seconds = value.toInt();
        else if (name == "--seed")
            o.Seed = value.toUInt();
        else if (name == "--model")
            o.Model = value;
        else if (name == "--every")
            o.Every = qMax(1, value.toInt());
    }
    return o;
}

// One user, acting at random on the controls, the menus and (for the faults) the
// instrument's cable.
class TSoakUser {
public:
    TSoakUser(TMainForm &form, TSimProcess &sim, quint32 seed) : F(form), Sim(sim), Rng(seed) {}

    void Act() {
        const TAppState &s = F.Session().State;
        // The message window says "Initializing" meanwhile: a user waits for it, and for
        // the refresh or recall asked for to have run.
        if (s.ReadBackActive > 0)
            ReadBackSeen = true;
        if (s.Ending || s.ReadBackActive > 0 || s.Link.CommandsDisabled)
            return;
        if (AwaitingReadBack && !ReadBackSeen)
            return;
        AwaitingReadBack = false;
        const qsizetype before = s.PendingCommands.size();
        Do(int(Rng.bounded(100)));
        Queued += s.PendingCommands.size() - before;
        ++Actions;
    }

    qint64 Queued = 0;
    qint64 Actions = 0;
    int Faults = 0;

private:
    int Channel() { return 1 + int(Rng.bounded(quint32(qMax(1, F.Session().State.ChannelCount)))); }
    void Choose(QComboBox *box) {
        const int index = int(Rng.bounded(quint32(box->count())));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // A value the entry can take: whole steps of its increment within its limits.
    void Step(TPlusSpinEdit *spin, int maxSteps) {
        const double steps = double(Rng.bounded(quint32(maxSteps)));
        spin->setValue(spin->MinValue() + steps * spin->Increment());
    }

    // A refresh or recall once the changes made so far have gone out: changes still queued
    // would reach the instrument after the re-read, and the panel shows them only at the
    // next refresh.
    void ReadBack(const std::function<void()> &request) {
        if (!F.Session().State.PendingCommands.isEmpty() || F.Session().State.TaskBusy)
            return;
        request();
        AwaitingReadBack = true;
        ReadBackSeen = false;
    }

    void Do(int roll) {
        const int n = Channel();
        if (roll < 12)
            Choose(F.ChModeSel[n]);
        else if (roll < 20)
            F.ChEnablebox[n]->click();
        else if (roll < 32)
            Step(F.ChDelayAdj[n], 5000);
        else if (roll < 44)
            Step(F.ChWidthAdj[n], 5000);
        else if (roll < 50)
            Choose(F.ChPolaritySel[n]);
        else if (roll < 56)
            F.ChBurstAdj[n]->setValue(1 + Rng.bounded(100u));
        else if (roll < 62)
            Step(F.PeriodAdj, 1000);
        else if (roll < 67)
            Choose(F.SystemModeSel);
        else if (roll < 71)
            Choose(F.TrigModeSel1);
        else if (roll < 75)
            F.GateThresholdAdj1->setValue(0.01 * Rng.bounded(500u));
        else if (roll < 78)
            F.AutoStartEnbl->click();
        else if (roll < 81)
            F.ShotCountEnbl->click();
        else if (roll < 88)
            F.SystemPageControl->setCurrentIndex(int(Rng.bounded(3u)));
        else if (roll < 91)
            ReadBack([&] { F.Up1->trigger(); });
        else if (roll < 94)
            F.BinSave[n]->trigger();
        else if (roll < 97)
            ReadBack([&] { F.BinRestore[int(Rng.bounded(quint32(n + 1)))]->trigger(); });
        else if (Sim.InjectFault(roll < 99 ? "drop 1 :PULS" : "drop 1 =:PULS0:STAT?"))
            ++Faults;
    }

    TMainForm &F;
    TSimProcess &Sim;
    QRandomGenerator Rng;
    bool AwaitingReadBack = false;
    bool ReadBackSeen = false;
};

} // namespace

int main(int argc, char **argv) {
    TTestApplication app(argc, argv);
    const TOptions options = ParseOptions(QApplication::arguments());

    QTemporaryDir ports, logs;
    TSimLaunch launch;
    launch.Model = options.Model;
    launch.PortsDir = ports.path();
    TSimProcess sim(launch);
    QString error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "soak: pulsesim did not start: %s\n", qPrintable(error));
        return 1;
    }

    TSoakPrompts prompts;
    bool ended = false;
    TMainFormSetup setup;
    setup.PortsDirectory = ports.path();
    setup.LogDirectory = logs.path();
    setup.Keys = std::make_shared<TNoKeysHeld>();
    setup.StartNewInstance = [](QString &reason) {
        reason = "the soak starts no new instance";
        return false;
    };
    setup.QuitApplication = [&ended] { ended = true; };
    auto form = std::make_unique<TMainForm>(prompts, setup);
    form->FormCreate();
    if (form->Session().State.Ending ||
        !QTest::qWaitFor([&] { return form->Session().StatusTimer.isActive(); }, 30000)) {
        std::fprintf(stderr, "soak: no instrument found or no read-back\n");
        return 1;
    }

    malloc_trim(0); // memory freed so far goes back, so the start is what is in use
    const qint64 rssStart = ResidentKiB();
    std::printf("soak: %s, %d s, seed %u; resident memory at start %lld KiB\n",
                qPrintable(options.Model), options.Seconds, options.Seed, rssStart);
    TSoakUser user(*form, sim, options.Seed);
    QElapsedTimer clock;
    clock.start();
    QTimer act, report;
    QObject::connect(&act, &QTimer::timeout, [&] {
        user.Act();
        if (options.ClearTerminal)
            form->ResponseList->clear();
    });
    QObject::connect(&report, &QTimer::timeout, [&] {
        std::printf("  %6lld s  %8lld KiB  %7lld actions  %7lld commands queued  %3d lost replies"
                    "  %6d terminal lines\n",
                    clock.elapsed() / 1000, ResidentKiB(), user.Actions, user.Queued,
                    prompts.LostReplies, form->ResponseList->blockCount());
        std::fflush(stdout);
    });
    act.start(250);
    report.start(options.Every * 1000);
    (void)QTest::qWaitFor(
        [&] { return ended || clock.elapsed() >= qint64(options.Seconds) * 1000; },
        options.Seconds * 1000 + 60000);
    act.stop();
    report.stop();
    sim.Control("clear-faults");

    // Everything queued goes out; a reply still held back by a fault is waited for.
    const bool drained = QTest::qWaitFor(
        [&] {
            const TAppState &s = form->Session().State;
            return ended || (s.PendingCommands.isEmpty() && !s.TaskBusy && !s.StatusBusy &&
                             s.ReadBackActive == 0 && !form->Session().ComPort.InUse());
        },
        60000);
    const qint64 rssEnd = ResidentKiB();
    qint64 sent = 0;
    for (const QString &line : sim.ReceivedLines())
        if (!line.endsWith('?') && !line.startsWith("*RCL"))
            ++sent; // every setting command on the wire; recalls are not queued
    const qint64 lost = user.Queued - sent;
    const QStringList disagreements = PanelDisagreements(*form, sim.Dump());

    std::printf("resident memory: start %lld KiB, end %lld KiB (%+lld KiB)\n", rssStart, rssEnd,
                rssEnd - rssStart);
    std::printf("terminal lines %d%s\n", form->ResponseList->blockCount(),
                options.ClearTerminal ? " (emptied after every action)" : "");
    std::printf("actions %lld, commands queued %lld, reached the instrument %lld, lost %lld\n",
                user.Actions, user.Queued, sent, lost);
    std::printf("replies dropped on purpose %d, lost-reply questions answered Ignore %d\n",
                user.Faults, prompts.LostReplies);
    for (const QString &text : prompts.Unexpected)
        std::printf("unexpected box: %s\n", qPrintable(text));
    if (disagreements.isEmpty())
        std::printf("panel and instrument agree\n");
    for (const QString &d : disagreements)
        std::printf("disagreement: %s\n", qPrintable(d));
    if (!drained || ended)
        std::printf("the program %s\n", ended ? "decided to end" : "did not drain its queue");

    form->Session().TaskTimer.stop();
    form->Session().StatusTimer.stop();
    form.reset();
    sim.Stop();
    return lost == 0 && drained && !ended && prompts.Unexpected.isEmpty() && disagreements.isEmpty()
               ? 0
               : 1;
}
