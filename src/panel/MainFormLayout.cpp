// The window frame: fonts, the top strip (banners, pulse picture, Run/Stop), the
// arrangement of the three bands and the bottom row.
#include "MainForm.h"

#include "FormParts.h"
#include "PanelTexts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMovie>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormParts;

namespace {
constexpr int ClientWidth = 751;
constexpr int ClientHeight = 788;
} // namespace

void TMainForm::BuildWindowFrame() {
    setObjectName("MainForm");
    setWindowTitle("6180 Pulse Generator");
    setWindowIcon(QIcon(":/pulsepanel.png"));
    SetPixelFont(this, 11);

    auto *central = new QWidget(this);
    central->setObjectName("ClientArea");
    central->setMinimumSize(ClientWidth, ClientHeight);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    column->addWidget(BuildTopStrip());

    BuildSystemOptions();
    auto *systemRow = new QHBoxLayout;
    systemRow->setContentsMargins(0, 0, 0, 0);
    systemRow->addWidget(SystemOptions);
    systemRow->addStretch(1);
    column->addLayout(systemRow);

    BuildChannelGroup();
    column->addWidget(ChannelGrp, 1);
    column->addWidget(BuildBottomRow());
    setCentralWidget(central);

    // A single fixed border: the window keeps the size its contents need, at least the
    // client area of the design; more channel tab rows make it taller.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget *TMainForm::BuildTopStrip() {
    auto *strip = new QWidget;
    strip->setObjectName("TopStrip");
    strip->setFixedHeight(72);
    strip->setMinimumWidth(620);

    VKBlueBanner = Named<QLabel>("VKBlueBanner", strip);
    VKBlueBanner->setPixmap(QPixmap(":/vk_banner.png"));
    VKBlueBanner->setGeometry(0, 0, 620, 72);
    VKBlueBanner->setAccessibleName(BrandCompanyName("VK"));
    VKBlueBanner->hide();

    HTXBanner = Named<QLabel>("HTXBanner", strip);
    HTXBanner->setPixmap(QPixmap(":/htx_banner.png"));
    HTXBanner->setGeometry(0, 0, 620, 72);
    HTXBanner->setAccessibleName(BrandCompanyName("HTX"));
    HTXBanner->hide();

    PulseAnimate = Named<QLabel>("PulseAnimate", strip);
    PulseAnimate->setGeometry(452, 0, 57, 41);
    // Shown only while the output runs.
    PulseAnimate->setAccessibleName("Pulse output running");
    PulseMovie = new QMovie(":/pulse.gif", QByteArray(), PulseAnimate);
    PulseMovie->setSpeed(200);
    PulseAnimate->setMovie(PulseMovie);
    PulseAnimate->hide();

    RunStopbtn = Named<QPushButton>("RunStopbtn", "Run", strip);
    RunStopbtn->setGeometry(524, 0, 95, 68);
    SetHint(RunStopbtn, "Starts(arms) or stops(disarms) the system");
    QFont bigger = RunStopbtn->font();
    bigger.setPixelSize(20);
    bigger.setBold(true);
    RunStopbtn->setFont(bigger);
    return strip;
}

QWidget *TMainForm::BuildBottomRow() {
    auto *row = new QWidget;
    row->setObjectName("BottomRow");
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(29);
    layout->addWidget(BuildTerminal());
    layout->addWidget(BuildSystemInfo());
    layout->addStretch(1);
    return row;
}
