#pragma once

#include <QPointer>
#include <QTimer>
#include <QVector>
#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TPageControl;
class TPlusSpinEdit;
class TRadioGroup;

// The service window's controls: trigger/gate calibration, serial number, badge, channel
// count, one calibration page per channel and the four buttons. Created once with the main
// window, shown and hidden, never rebuilt. Behaviour lives in the calibration classes that
// wire these controls; this class builds them, keeps the page focus memory and shows the
// store reminder.
class TServiceForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int MaxChannels = 36;
    using TCalTable = std::array<TPlusSpinEdit *, MaxChannels + 1>; // entry n: channel n
    static constexpr int CalTimerMs = 100;

    explicit TServiceForm(QWidget *parent = nullptr);

    // Builds the pages of channels 2..channelCount that do not exist yet, each a copy of
    // channel 1's page; the new numeric entries take channel 1's OnChange last, so building
    // raises no change. Sets CalTabsCreated. Returns the number of channel pages.
    int BuildCalibrationPages(int channelCount);
    int PagesBuilt() const;
    bool CalTabsCreated = false;

    void ShowReminder(bool shown);

    // The four numeric entries of channel n, in read-back order (width, delay, gain,
    // offset); null where the page does not exist.
    std::array<TPlusSpinEdit *, 4> ChannelCalEntries(int n) const;

    QGroupBox *Trig1CalGrp = nullptr;
    TPlusSpinEdit *Trig1AmpGainAdj = nullptr;
    TPlusSpinEdit *Trig1AmpOffAdj = nullptr;
    QGroupBox *Gate1CalGrp = nullptr;
    TPlusSpinEdit *Gate1AmpGainAdj = nullptr;
    TPlusSpinEdit *Gate1AmpOffAdj = nullptr;
    QGroupBox *TrigGate2CalGrp = nullptr;
    TPlusSpinEdit *TrigGate2AmpGainAdj = nullptr;
    TPlusSpinEdit *TrigGate2AmpOffAdj = nullptr;
    QGroupBox *SerialNumGrp = nullptr;
    QLineEdit *SerialNumEdit = nullptr;
    QPushButton *SerialNumSetBtn = nullptr;
    TRadioGroup *CompanySel = nullptr;
    TRadioGroup *NumChSelect = nullptr;
    QPushButton *SaveCalsBtn = nullptr;
    QPushButton *LoadCalsBtn = nullptr;
    QPushButton *OptimizeCals = nullptr;
    QPushButton *StoreCalsBtn = nullptr;
    QLabel *StoreCalReminderLbl = nullptr;
    TPageControl *ChPageCalibration = nullptr;

    TCalTable ChDelayCalAdj{};
    TCalTable ChWidthCalAdj{};
    TCalTable ChAmpGainAdj{};
    TCalTable ChAmpOffAdj{};

    // Per calibration page, the control that last had the focus there; not owning.
    QVector<QPointer<QWidget>> FActiveCalControls;

    QTimer CalTimer; // 100 ms, one shot: retries deferred service work

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *BuildInputCalRow();
    QWidget *BuildIdentityRow();
    QWidget *BuildButtonRow();
    QWidget *BuildChannelOnePage();
    void BuildChannelPage(int n);
    void FillCalTables(int n, const std::array<TPlusSpinEdit *, 4> &spins);
    void ChPageCalibrationChanging(int leaving);
    void ChPageCalibrationChange(int index);

    QGroupBox *FTemplateFrame = nullptr; // ChCalGrp1
    bool FPlaced = false;                // centred at the first show
};
