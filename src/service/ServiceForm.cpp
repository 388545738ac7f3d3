#include "ServiceForm.h"

#include "FormParts.h"
#include "Keywords.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"
#include "RadioGroup.h"
#include "ServiceTexts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using FormParts::Named;
using FormParts::TSpinSetup;

namespace {

constexpr int CalTabWidth = 50;
constexpr int SpinWidth = 92;
constexpr int SpinHeight = 24;

// Every calibration entry: whole numbers, step 1, no border, a fixed size.
TPlusSpinEdit *CalSpin(const QString &name, double min, double max, double value,
                       QChar separator = QChar()) {
    TPlusSpinEdit *spin =
        FormParts::Spin(nullptr, name, TSpinSetup{0, 1, min, max, value, separator});
    spin->setAutoSize(false);
    spin->setBorderStyle(TPlusSpinEdit::bsNone);
    spin->setFixedSize(SpinWidth, SpinHeight);
    return spin;
}

// One kind of channel calibration: group and entry stems, caption, limits and default.
struct TChannelCalKind {
    const char *GroupStem;
    const char *SpinStem;
    const char *Caption;
    double Min, Max, Value;
    QChar Separator;
};
// In the order the pages are built: delay, width, amplitude gain, amplitude offset.
const TChannelCalKind ChannelCalKinds[] = {
    {"ChDelayCalGrp", "ChDelayCalAdj", "Delay Cal", 0, 50, 25, QChar(u',')},
    {"ChWidthCalGrp", "ChWidthCalAdj", "Width Cal", 0, 50, 25, QChar(u',')},
    {"ChAmpGainGrp", "ChAmpGainAdj", "Amp Gain", 2000, 5000, 2000, QChar()},
    {"ChAmpOffGrp", "ChAmpOffAdj", "Amp Off", -100, 200, 100, QChar()},
};

QString Numbered(const char *stem, int n) {
    return QString::fromLatin1(stem) + QString::number(n);
}

QPushButton *Button(QWidget *parent, const QString &name, const QString &caption) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

TServiceForm::TServiceForm(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName("ServiceForm");
    setWindowTitle(QString::fromLatin1(ServiceTexts::WindowCaption));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(BuildInputCalRow());
    layout->addWidget(BuildIdentityRow());
    ChPageCalibration = Named<TPageControl>("ChPageCalibration", CalTabWidth, this);
    ChPageCalibration->addPage(BuildChannelOnePage(), "Ch 1");
    layout->addWidget(ChPageCalibration, 1);
    layout->addWidget(BuildButtonRow());
    FActiveCalControls.resize(ChPageCalibration->count());

    CalTimer.setObjectName("CalTimer");
    CalTimer.setSingleShot(true);
    CalTimer.setInterval(CalTimerMs);

    connect(ChPageCalibration, &TPageControl::currentChanging, this,
            &TServiceForm::ChPageCalibrationChanging);
    connect(ChPageCalibration, &TPageControl::currentChanged, this,
            &TServiceForm::ChPageCalibrationChange);
}

QWidget *TServiceForm::BuildInputCalRow() {
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    struct TInputGroup {
        QGroupBox *&Group;
        TPlusSpinEdit *&Gain;
        TPlusSpinEdit *&Offset;
        const char *Stem;
        const char *Caption;
    };
    const TInputGroup groups[] = {
        {Trig1CalGrp, Trig1AmpGainAdj, Trig1AmpOffAdj, "Trig1", "Trig 1 Calibration"},
        {Gate1CalGrp, Gate1AmpGainAdj, Gate1AmpOffAdj, "Gate1", "Gate 1 Calibration"},
        {TrigGate2CalGrp, TrigGate2AmpGainAdj, TrigGate2AmpOffAdj, "TrigGate2",
         "Trig/Gate 2 Calibration"},
    };
    for (const TInputGroup &g : groups) {
        const QString stem = QString::fromLatin1(g.Stem);
        g.Group = FormParts::Group(row, stem + "CalGrp", QString::fromLatin1(g.Caption));
        auto *inner = new QHBoxLayout(g.Group);
        g.Gain = CalSpin(stem + "AmpGainAdj", 1000, 5000, 1000);
        g.Offset = CalSpin(stem + "AmpOffAdj", 0, 1000, 100);
        // Three groups hold an "Amp Gain": the input's name tells them apart when heard.
        g.Gain->setAccessibleName(g.Group->title() + " Amp Gain");
        g.Offset->setAccessibleName(g.Group->title() + " Amp Off");
        inner->addWidget(FormParts::Boxed(g.Group, stem + "AmpGainGrp", "Amp Gain", g.Gain));
        inner->addWidget(FormParts::Boxed(g.Group, stem + "AmpOffGrp", "Amp Off", g.Offset));
        layout->addWidget(g.Group);
    }
    return row;
}

QWidget *TServiceForm::BuildIdentityRow() {
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    SerialNumGrp = FormParts::Group(row, "SerialNumGrp", "Serial Number");
    auto *serial = new QHBoxLayout(SerialNumGrp);
    SerialNumEdit = Named<QLineEdit>("SerialNumEdit", "00000", SerialNumGrp);
    SerialNumEdit->setAccessibleName("Serial Number");
    SerialNumSetBtn = Button(SerialNumGrp, "SerialNumSetBtn", "Set");
    SerialNumSetBtn->setAccessibleName("Set Serial Number");
    serial->addWidget(SerialNumEdit);
    serial->addWidget(SerialNumSetBtn);
    layout->addWidget(SerialNumGrp, 0, Qt::AlignTop);

    CompanySel = new TRadioGroup(row, "CompanySel", "Company", Instrument::CompanyItems());
    NumChSelect = new TRadioGroup(row, "NumChSelect", "Channels", Instrument::ChannelCountItems());
    layout->addWidget(CompanySel);
    layout->addWidget(NumChSelect);
    layout->addStretch(1);
    return row;
}

QWidget *TServiceForm::BuildButtonRow() {
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    SaveCalsBtn = Button(row, "SaveCalsBtn", "Save Cals To File");
    LoadCalsBtn = Button(row, "LoadCalsBtn", "Load Cals From File");
    OptimizeCals = Button(row, "OptimizeCals", "Optimize Cal Factors");
    StoreCalsBtn = Button(row, "StoreCalsBtn", "Store Cals");
    StoreCalReminderLbl =
        Named<QLabel>("StoreCalReminderLbl", QString::fromLatin1(ServiceTexts::StoreReminder), row);
    StoreCalReminderLbl->setStyleSheet("QLabel { color: red; font-weight: bold; }");
    StoreCalReminderLbl->hide();
    for (QWidget *w : {static_cast<QWidget *>(SaveCalsBtn), static_cast<QWidget *>(LoadCalsBtn),
                       static_cast<QWidget *>(OptimizeCals), static_cast<QWidget *>(StoreCalsBtn),
                       static_cast<QWidget *>(StoreCalReminderLbl)})
        layout->addWidget(w);
    layout->addStretch(1);
    return row;
}

QWidget *TServiceForm::BuildChannelOnePage() {
    auto *page = new QWidget;
    page->setObjectName("ChCal1");
    FTemplateFrame = FormParts::Group(page, "ChCalGrp1", QString());
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(FTemplateFrame);
    auto *frame = new QHBoxLayout(FTemplateFrame);
    std::array<TPlusSpinEdit *, 4> spins{};
    for (size_t i = 0; i < spins.size(); ++i) {
        const TChannelCalKind &k = ChannelCalKinds[i];
        spins[i] = CalSpin(Numbered(k.SpinStem, 1), k.Min, k.Max, k.Value, k.Separator);
        frame->addWidget(
            FormParts::Boxed(FTemplateFrame, Numbered(k.GroupStem, 1), k.Caption, spins[i]));
    }
    frame->addStretch(1);
    FillCalTables(1, spins);
    return page;
}

int TServiceForm::BuildCalibrationPages(int channelCount) {
    const int last = qBound(1, channelCount, int(MaxChannels));
    for (int n = PagesBuilt() + 1; n <= last; ++n)
        BuildChannelPage(n);
    CalTabsCreated = true;
    FActiveCalControls.resize(ChPageCalibration->count());
    return PagesBuilt();
}

int TServiceForm::PagesBuilt() const {
    return ChPageCalibration->count();
}

// A copy of channel 1's page as it is now: captions, hints, sizes and limits; the
// value of channel 1 as the starting value.
void TServiceForm::BuildChannelPage(int n) {
    auto *page = new QWidget;
    page->setObjectName(Numbered("TabCh", n));
    ChPageCalibration->addPage(page, "Ch " + QString::number(n));
    auto *frame = new QGroupBox(this);
    frame->setObjectName(Numbered("ChCalGrp", n));
    frame->setParent(page);
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(frame);
    auto *frameLayout = new QHBoxLayout(frame);
    const std::array<TPlusSpinEdit *, 4> templates = {ChDelayCalAdj[1], ChWidthCalAdj[1],
                                                      ChAmpGainAdj[1], ChAmpOffAdj[1]};
    std::array<TPlusSpinEdit *, 4> spins{};
    for (size_t i = 0; i < spins.size(); ++i) {
        const TChannelCalKind &k = ChannelCalKinds[i];
        const TPlusSpinEdit *tSpin = templates[i];
        const auto *tGroup = static_cast<const QGroupBox *>(tSpin->parentWidget());
        QGroupBox *group = FormParts::Group(frame, Numbered(k.GroupStem, n), tGroup->title());
        FormParts::CopyFontSize(tGroup, group);
        FormParts::CopyHint(tGroup, group);
        auto *groupLayout = new QVBoxLayout(group);
        groupLayout->setContentsMargins(6, 2, 6, 4);
        TPlusSpinEdit *spin = FormParts::CopySpin(tSpin, group, Numbered(k.SpinStem, n));
        spin->setFixedSize(tSpin->size());
        groupLayout->addWidget(spin);
        frameLayout->addWidget(group);
        spins[i] = spin;
    }
    frameLayout->addStretch(1);
    FillCalTables(n, spins);
}

// The entries in building order: delay, width, amplitude gain, amplitude offset.
void TServiceForm::FillCalTables(int n, const std::array<TPlusSpinEdit *, 4> &spins) {
    ChDelayCalAdj[n] = spins[0];
    ChWidthCalAdj[n] = spins[1];
    ChAmpGainAdj[n] = spins[2];
    ChAmpOffAdj[n] = spins[3];
}

std::array<TPlusSpinEdit *, 4> TServiceForm::ChannelCalEntries(int n) const {
    if (n < 1 || n > MaxChannels)
        return {};
    return {ChWidthCalAdj[n], ChDelayCalAdj[n], ChAmpGainAdj[n], ChAmpOffAdj[n]};
}

// Screen-centred when it first appears; after that it stays where the user put it.
void TServiceForm::showEvent(QShowEvent *event) {
    if (!FPlaced && !event->spontaneous()) {
        FPlaced = true;
        FormParts::CentreOnScreen(this);
    }
    QWidget::showEvent(event);
}

void TServiceForm::ShowReminder(bool shown) {
    StoreCalReminderLbl->setVisible(shown);
}

void TServiceForm::ChPageCalibrationChanging(int leaving) {
    if (leaving >= 0 && leaving < FActiveCalControls.size())
        FActiveCalControls[leaving] = focusWidget();
}

void TServiceForm::ChPageCalibrationChange(int index) {
    if (index < 0 || index >= FActiveCalControls.size())
        return;
    QWidget *control = FActiveCalControls[index];
    if (control && control->isEnabled())
        control->setFocus();
}
