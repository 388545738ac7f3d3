#include "SimPanel.h"

#include "PtyClient.h"

bool TScriptedPortPicker::Choose(const QStringList &items, int, QString &chosen) {
    ItemsShown = items;
    if (Answer.isEmpty())
        return false;
    for (const QString &item : items) {
        if (item == Answer || item.startsWith(Answer + ' ')) {
            chosen = item;
            return true;
        }
    }
    return false;
}

TSimPanel::TSimPanel() = default;

TSimPanel::~TSimPanel() {
    Form.reset(); // closes the port before the simulators go
    for (auto &sim : FSims)
        sim->Stop();
}

TSimProcess &TSimPanel::AddSim(TSimLaunch launch) {
    launch.PortsDir = FPorts.path();
    if (launch.Com <= 0 || launch.Com == TSimLaunch().Com)
        launch.Com = int(FSims.size()) + 1;
    FSims.push_back(std::make_unique<TSimProcess>(launch));
    FLaunches.push_back(launch);
    FPresetLines.push_back(0);
    QString error;
    if (!FSims.back()->Start(&error))
        qWarning("pulsesim did not start: %s", qPrintable(error));
    return *FSims.back();
}

bool TSimPanel::Preset(int index, const QStringList &lines) {
    TSimProcess &sim = Sim(index);
    bool ok = true;
    {
        TPtyClient wire;
        ok = wire.Open(sim.LinkPath().toStdString(), FLaunches.at(size_t(index)).Baud) ||
             lines.isEmpty();
        for (const QString &line : lines) {
            const std::string reply = ok ? wire.Ask(line.toStdString(), 3000) : "";
            if (ok && reply != "ok") {
                qWarning("preset line refused: %s -> %s", qPrintable(line), reply.c_str());
                ok = false;
            }
        }
    }
    FPresetLines[size_t(index)] = int(sim.ReceivedLines().size());
    return ok;
}

QStringList TSimPanel::Received(int index) const {
    return FSims.at(size_t(index))->ReceivedLines().mid(FPresetLines.at(size_t(index)));
}

TMainFormSetup TSimPanel::Setup() {
    TMainFormSetup setup;
    setup.Version = TVersionInfo("1.0.0.0", "Orvane Selkrin");
    setup.Arguments = Arguments;
    setup.PortsDirectory = FPorts.path();
    setup.LogDirectory = FLogs.path();
    setup.Keys = KeySource ? KeySource : std::shared_ptr<TStartupKeys>(Keys);
    setup.StartNewInstance = [this](QString &reason) {
        ++Restarts;
        if (OnRestart)
            OnRestart();
        reason = RestartFailure;
        return RestartFailure.isEmpty();
    };
    setup.QuitApplication = [this] { ++Quits; };
    return setup;
}

TMainForm &TSimPanel::Create() {
    if (!Form) {
        Form = std::make_unique<TMainForm>(Prompts, Setup());
        Form->Session().ComPort.setPicker(&Picker);
    }
    return *Form;
}

std::unique_ptr<TMainForm> TSimPanel::StartAgain() {
    auto again = std::make_unique<TMainForm>(Prompts, Setup());
    again->FormCreate();
    if (!again->Session().State.Ending) {
        again->Session().LaunchTimer.stop();
        again->Guarded([&] { again->LaunchTimerTimer(); });
    }
    return again;
}

bool TSimPanel::Start() {
    Create().FormCreate();
    return !Form->Session().State.Ending;
}

void TSimPanel::Launch() {
    Form->Session().LaunchTimer.stop();
    Form->Guarded([this] { Form->LaunchTimerTimer(); });
}

bool TSimPanel::StartAndLaunch() {
    if (!Start())
        return false;
    Launch();
    return !Form->Session().State.Ending;
}
