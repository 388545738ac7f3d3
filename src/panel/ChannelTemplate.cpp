// The channel band: ChannelGrp with ChPageControl and the channel-1 page TabCh1, the
// template every other channel page is copied from.
#include "MainForm.h"

#include "ChannelBoxes.h"
#include "CheckListBox.h"
#include "ControlLimits.h"
#include "FormParts.h"
#include "Keywords.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <tuple>

using namespace FormParts;

const std::array<TChannelBoxDef, cbCount> ChannelBoxes{{
    {"ChDelayGrp", "Delay", "Sets channel delay from selected sync source", true, "ChDelayAdj",
     TEditorKind::Spin, 1, 0, 1, 2},
    {"ChModeGrp", "Channel Mode", "Channel pulse mode", false, "ChModeSel", TEditorKind::Selector,
     1, 2, 1, 2},
    {"ChSyncSourceGrp", "Sync Source", "Channel sync source", false, "ChSyncSourceSel",
     TEditorKind::Selector, 1, 4, 1, 2},
    {"ChDutyOnGrp", "Duty Cycle On",
     "Sets channel number of on counts when in channel duty cycle mode", false, "ChDutyOnAdj",
     TEditorKind::Spin, 1, 6, 1, 2},
    {"ChDutyOffGrp", "Duty Cycle Off",
     "Sets channel number of off counts when in channel duty cycle mode", false, "ChDutyOffAdj",
     TEditorKind::Spin, 2, 6, 1, 2},
    {"ChWidthGrp", "Width", "Sets channel pulse width", true, "ChWidthAdj", TEditorKind::Spin, 2, 0,
     1, 2},
    {"ChBurstCountGrp", "Burst Count", "Sets channel burst count when in channel burst mode", true,
     "ChBurstAdj", TEditorKind::Spin, 2, 2, 1, 2},
    {"ChPolarityGrp", "Polarity", "Channel output polarity", false, "ChPolaritySel",
     TEditorKind::Selector, 2, 4, 1, 2},
    {"ChOutputModeGrp", "Output Mode", "", false, "ChOutputModeSel", TEditorKind::Selector, 3, 0, 1,
     1},
    {"ChAmplitudeAdjGrp", "Amplitude (V)", "Sets channel output amplitude", true, "ChAmplitudeAdj",
     TEditorKind::Spin, 3, 1, 1, 1},
    {"ChWaitCountGrp", "Wait Count", "Sets number of pulses to wait until outputs start", true,
     "ChWaitCountAdj", TEditorKind::Spin, 3, 2, 1, 2},
    {"ChGateModeGrp", "Gate Mode", "", false, "ChGateModeSel", TEditorKind::Selector, 1, 8, 1, 2},
    {"ChMuxGrp", "Multiplexer", "", false, "ChMuxSelect", TEditorKind::CheckList, 3, 6, 1, 4},
    {"ChControlGrp", "Channel Control", "", false, "ChControlSel", TEditorKind::Selector, 3, 4, 1,
     2},
    {"ChGateLogicGrp", "Gate Logic", "", false, "ChGateLogicSel", TEditorKind::Selector, 2, 8, 1,
     2},
}};

std::array<int, cbCount> DrawingOrder() {
    std::array<int, cbCount> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [](int a, int b) {
        const TChannelBoxDef &x = ChannelBoxes[a], &y = ChannelBoxes[b];
        return std::tie(x.Row, x.HalfColumn) < std::tie(y.Row, y.HalfColumn);
    });
    return order;
}

void ChainInDrawingOrder(QWidget *after, QWidget *enable,
                         const std::array<QWidget *, cbCount> &editors) {
    if (after)
        QWidget::setTabOrder(after, enable);
    QWidget *previous = enable;
    for (const int i : DrawingOrder()) {
        QWidget::setTabOrder(previous, editors[size_t(i)]);
        previous = editors[size_t(i)];
    }
}

namespace {

constexpr int BoxFontPixels = 13;
constexpr int SpinFontPixels = 15;

QString Numbered(const char *stem, int n) {
    return QString::fromLatin1(stem) + QString::number(n);
}

// The template's editor settings.
QWidget *TemplateEditor(TChannelBox box) {
    const QString name = Numbered(ChannelBoxes[box].EditorStem, 1);
    switch (box) {
    case cbDelay:
        return Spin(nullptr, name, {12, 1e-08, -1000.0, 1000.0, 1000.0, QChar(',')});
    case cbWidth:
        return Spin(nullptr, name, {9, 1e-08, 1e-08, 1000.0, 1000.0, QChar(',')});
    case cbBurstCount:
    case cbDutyOn:
    case cbDutyOff:
        return Spin(nullptr, name,
                    {0, 1.0, Instrument::BurstCountMin, 1000000.0, 1000000.0, QChar(',')});
    case cbWaitCount:
        return Spin(nullptr, name,
                    {0, 1.0, Instrument::WaitCountMin, 1000000.0, 1000000.0, QChar(',')});
    case cbAmplitude:
        return Spin(nullptr, name,
                    {2, Instrument::AmplitudeLimits.Increment, Instrument::AmplitudeLimits.MinValue,
                     Instrument::AmplitudeLimits.MaxValue, 5.0, QChar()});
    case cbChannelMode:
        return Selector(nullptr, name, Instrument::ChannelModeTable().Captions);
    case cbSyncSource:
        return Selector(nullptr, name, Instrument::ChannelSyncSourceTable().Captions);
    case cbPolarity:
        return Selector(nullptr, name, Instrument::PolarityTable().Captions);
    case cbGateMode:
        return Selector(nullptr, name, Instrument::ChannelGateModeTable().Captions);
    case cbGateLogic:
        // The form's text "Disabled" is not one of the items: no selection.
        return Selector(nullptr, name, Instrument::ChannelGateLogicTable().Captions, -1);
    case cbOutputMode:
        return Selector(nullptr, name, Instrument::OutputModeTable().Captions);
    case cbChannelControl:
        return Selector(nullptr, name, Instrument::ChannelControlTable().Captions);
    case cbMultiplexer: {
        auto *list = new TCheckListBox;
        list->setObjectName(name);
        list->setItems(Instrument::MuxItems());
        list->setColumns(5);
        return list;
    }
    case cbCount:
        break;
    }
    throw std::logic_error("no template editor");
}

template <class T> T *Find(QWidget *scope, const QString &name) {
    T *found = scope->findChild<T *>(name);
    if (!found)
        throw std::logic_error("control " + name.toStdString() + " missing or of the wrong class");
    return found;
}

} // namespace

void TMainForm::BuildChannelGroup() {
    ChannelGrp = Group(nullptr, "ChannelGrp", "Channels");
    ChannelGrp->setMinimumSize(749, 340);
    ChPageControl = Named<TPageControl>("ChPageControl", 55, ChannelGrp);
    auto *layout = new QVBoxLayout(ChannelGrp);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(ChPageControl);

    FTemplate = BuildChannelTemplate();
    ChPageControl->addPage(FTemplate.Page, "Ch 1");
    PlaceChannelControls(FTemplate);
    FillChannelTables(1);
}

TMainForm::TChannelPage TMainForm::BuildChannelTemplate() {
    TChannelPage p;
    p.Page = TabCh1 = new QWidget;
    TabCh1->setObjectName("TabCh1");
    p.Frame = ChFunctGrp1 = Group(TabCh1, "ChFunctGrp1", QString());
    SetPixelFont(p.Frame, BoxFontPixels);

    p.Enable = new QCheckBox("Enabled", p.Frame);
    p.Enable->setObjectName("ChEnablebox1");
    p.Enable->setChecked(true);
    SetHint(p.Enable, "Enables or disables channel ");

    for (int i = 0; i < cbCount; ++i) {
        const TChannelBoxDef &def = ChannelBoxes[i];
        p.Boxes[i] = Group(p.Frame, Numbered(def.GroupStem, 1), def.Caption);
        SetHint(p.Boxes[i], def.Hint, def.ShowHint);
        p.Editors[i] = TemplateEditor(TChannelBox(i));
        p.Editors[i]->setParent(p.Boxes[i]);
        if (def.Kind == TEditorKind::Spin)
            SetPixelFont(p.Editors[i], SpinFontPixels);
    }
    return p;
}

void TMainForm::PlaceChannelControls(const TChannelPage &p) {
    auto *pageLayout = new QVBoxLayout(p.Page);
    pageLayout->setContentsMargins(2, 2, 2, 2);
    pageLayout->addWidget(p.Frame);

    auto *grid = new QGridLayout(p.Frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(p.Enable, 0, 0, 1, 2);
    for (int i = 0; i < cbCount; ++i) {
        const TChannelBoxDef &def = ChannelBoxes[i];
        auto *inner = new QVBoxLayout(p.Boxes[i]);
        inner->setContentsMargins(4, 0, 4, 3);
        inner->addWidget(p.Editors[i]);
        // A list view takes no name from the group box around it as other controls do.
        p.Editors[i]->setAccessibleName(QString::fromLatin1(def.Caption));
        grid->addWidget(p.Boxes[i], def.Row, def.HalfColumn, def.RowSpan, def.HalfColumnSpan);
    }
    // Tab follows the grid row by row, left to right, not the order the boxes are made in.
    ChainInDrawingOrder(nullptr, p.Enable, p.Editors);
    if (auto *mux = qobject_cast<TCheckListBox *>(p.Editors[cbMultiplexer]))
        mux->setFixedHeight(mux->fontMetrics().height() + 10);
    for (int c = 0; c < 10; ++c)
        grid->setColumnStretch(c, 1);
    grid->setRowStretch(4, 1);
}

void TMainForm::FillChannelTables(int n) {
    QWidget *scope = ChPageControl->page(n - 1);
    auto name = [n](const char *pattern) { return QString::asprintf(pattern, n); };
    ChEnablebox[n] = Find<QCheckBox>(scope, name("ChEnablebox%d"));
    ChDelayAdj[n] = Find<TPlusSpinEdit>(scope, name("ChDelayAdj%d"));
    ChWidthAdj[n] = Find<TPlusSpinEdit>(scope, name("ChWidthAdj%d"));
    ChModeSel[n] = Find<QComboBox>(scope, name("ChModeSel%d"));
    ChAmplitudeAdj[n] = Find<TPlusSpinEdit>(scope, name("ChAmplitudeAdj%d"));
    ChOutputModeSel[n] = Find<QComboBox>(scope, name("ChOutputModeSel%d"));
    ChAmplitudeAdjGrp[n] = Find<QGroupBox>(scope, name("ChAmplitudeAdjGrp%d"));
    ChBurstAdj[n] = Find<TPlusSpinEdit>(scope, name("ChBurstAdj%d"));
    ChBurstCountGrp[n] = Find<QGroupBox>(scope, name("ChBurstCountGrp%d"));
    ChWaitCountAdj[n] = Find<TPlusSpinEdit>(scope, name("ChWaitCountAdj%d"));
    ChSyncSourceSel[n] = Find<QComboBox>(scope, name("ChSyncSourceSel%d"));
    ChPolaritySel[n] = Find<QComboBox>(scope, name("ChPolaritySel%d"));
    ChDutyOnAdj[n] = Find<TPlusSpinEdit>(scope, name("ChDutyOnAdj%d"));
    ChDutyOnGrp[n] = Find<QGroupBox>(scope, name("ChDutyOnGrp%d"));
    ChDutyOffAdj[n] = Find<TPlusSpinEdit>(scope, name("ChDutyOffAdj%d"));
    ChDutyOffGrp[n] = Find<QGroupBox>(scope, name("ChDutyOffGrp%d"));
    ChGateModeSel[n] = Find<QComboBox>(scope, name("ChGateModeSel%d"));
    ChMuxSelect[n] = Find<TCheckListBox>(scope, name("ChMuxSelect%d"));
    ChControlSel[n] = Find<QComboBox>(scope, name("ChControlSel%d"));
    ChGateLogicSel[n] = Find<QComboBox>(scope, name("ChGateLogicSel%d"));
}
