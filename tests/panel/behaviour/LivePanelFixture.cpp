#include "LivePanelFixture.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

namespace {

bool IsPollQuery(const QString &line) {
    return line == ":PULS0:STAT?" || line == ":COUN:PULS?";
}

} // namespace

bool LivePanelTest::StartPanel(TSimLaunch launch) {
    launch.PortsDir = PortsDir.path();
    launch.Com = 1;
    Sim = std::make_unique<TSimProcess>(launch);
    QString error;
    if (!Sim->Start(&error)) {
        ADD_FAILURE() << "pulsesim: " << error.toStdString();
        return false;
    }
    TMainFormSetup setup;
    setup.Version = TVersionInfo("1.0.0.0", "Orvane Selkrin");
    setup.PortsDirectory = PortsDir.path();
    setup.LogDirectory = PortsDir.path();
    setup.Keys = std::make_shared<TNoStartupKeys>();
    setup.StartNewInstance = [this] { ++Restarts; };
    setup.QuitApplication = [this] { ++Quits; };
    Form = std::make_unique<TMainForm>(Prompts, setup);
    Form->FormCreate();
    if (Form->State.Ending) {
        ADD_FAILURE() << "no instrument found";
        return false;
    }
    Form->LaunchTimerTimer();
    return true;
}

void LivePanelTest::TearDown() {
    if (Form) {
        Form->TaskTimer.stop();
        Form->StatusTimer.stop();
    }
    Form.reset();
    if (Sim)
        Sim->Stop();
}

QStringList LivePanelTest::SentSince(int mark) const {
    QStringList out;
    const QStringList all = Received();
    for (int i = mark; i < all.size(); ++i)
        if (!IsPollQuery(all[i]))
            out << all[i];
    return out;
}

QStringList LivePanelTest::WaitForSent(int mark, int count, int timeoutMs) {
    (void)QTest::qWaitFor([&] { return SentSince(mark).size() >= count; }, timeoutMs);
    WaitIdle(timeoutMs);
    QTest::qWait(60);
    return SentSince(mark);
}

bool LivePanelTest::WaitIdle(int timeoutMs) {
    return QTest::qWaitFor(
        [&] {
            const TAppState &s = Form->State;
            return !s.TaskBusy && !s.CommandsPending && s.PendingCommands.isEmpty() &&
                   s.ReadBackActive == 0 && !Form->ComPort.InUse();
        },
        timeoutMs);
}

void LivePanelTest::Choose(QComboBox *box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}
