// Tools menu: "Timing Diagram".
#include "MainForm.h"

#include "TimingDiagramForm.h"

#include <QComboBox>

void TMainForm::TimingDiagram1Click() {
    if (!TimingDiagramForm)
        TimingDiagramForm =
            new TTimingDiagramForm([this] { return DiagramSnapshot(); }, Prompts, this);
    TimingDiagramForm->show();
    TimingDiagramForm->raise();
    TimingDiagramForm->activateWindow();
}

Diagram::TDiagramSnapshot TMainForm::DiagramSnapshot() const {
    Diagram::TDiagramSnapshot s = Diagram::MakeSnapshot(State.SystemSettings, State.ChannelSettings,
                                                        State.ChannelCount, State.ValueRanges);
    // The sync source handler keeps no mirror of the user's choice; its selector (set
    // from the mirror by every read-back) holds the setting in force.
    for (int n = 1; n <= s.ChannelCount; ++n)
        if (ChSyncSourceSel[size_t(n)])
            s.Channels[size_t(n)].SyncSource = ChSyncSourceSel[size_t(n)]->currentIndex();
    return s;
}
