#pragma once

#include "AppControl.h"
#include "ChannelControls.h"
#include "DiagramSnapshot.h"
#include "EnablingRules.h"
#include "Guarded.h"
#include "LogMenu.h"
#include "MainFormSetup.h"
#include "PanelTexts.h"
#include "PanelView.h"
#include "Session.h"
#include "TerminalEcho.h"
#include "VersionInfo.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QVector>
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QColor;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMovie;
class QPlainTextEdit;
class QPushButton;
class QUrl;
class TCheckListBox;
class TDialogPortPicker;
class TMessageForm;
class TCommandQueue;
class TSystemControls;
class TStatusPoll;
class TStorageBins;
class TCommandTerminal;
class TPageControl;
class TPlusSpinEdit;
class TPrompts;
class TSettingsFileActions;
class TServiceWindow;
class TTimingDiagramForm;

// The main window: every control of the panel, built in code and reachable through public
// members named as the controls are (objectName = member name). Behaviour lives in
// separate files and collaborators; this class holds the controls, the channel tabs and
// the few display helpers that several of them share.
//
// Building is split by area: MainFormLayout.cpp (window frame, top strip, bottom row),
// SystemPage.cpp (the three system pages), ChannelTemplate.cpp (channel 1),
// ChannelTabs.cpp (pages 2..N), MenuBar.cpp, Terminal.cpp.
// Behaviour: Startup.cpp (FormCreate, connection, launch), ReadBack.cpp (Initialize,
// value ranges), PanelView.cpp (what the session's read-back, poll and run/stop show),
// EnablingRules.cpp, Lifecycle.cpp (restart, exit, Help menu), StorageBins.cpp. The
// sequences themselves are the session's (src/session).
//
// The window owns the session (the serial port, the exchange, the communication log, the
// program's state and the three timers) for the whole run and is its view.
class TMainForm : public QMainWindow,
                  public TTerminalEcho,
                  public TAppControl,
                  public TLogMenu,
                  public TEnablingRules {
    Q_OBJECT

    // What the window owns for the run comes first: it is made before the controls and
    // outlives them (declared in construction order).
    TTimingDiagramForm *TimingDiagramForm = nullptr; // child window, kept when closed
    std::function<bool(const QUrl &)> FOpenUrl;
    // The collaborators holding the handlers (PanelBehaviour.cpp).
    TCommandQueue *CommandQueue = nullptr;     // the session's queue, task pass, refresh, recall
    TSystemControls *SystemControls = nullptr; // system and trigger/gate handlers
    TChannelControls *ChannelControls = nullptr;
    TStatusPoll *StatusPoll = nullptr; // Run/Stop, shot counter
    TStorageBins *StorageBins = nullptr;
    TCommandTerminal *CommandTerminal = nullptr;
    std::unique_ptr<TServiceWindow> FService;
    TMainFormSetup FSetup;
    bool FPlaced = false; // centred at the first show
    TPrompts &Prompts;
    TVersionInfo VersionInfo;
    TSession FSession;
    // The session's parts, under the names the window has always given them.
    TAppState &State;
    TVKComPort &ComPort;
    TCommLog &CommLog;
    TExchange &Exchange;
    QTimer &LaunchTimer; // 500 ms, one shot: the first read-back
    QTimer &StatusTimer; // 1000 ms: the status poll
    QTimer &TaskTimer;   // 5 ms: the command queue, refresh and recall
    TPortRule &PortRule; // who may use the port; switches the timers

public:
    std::unique_ptr<TMessageForm> MessageForm; // "Initializing"; shown during read-backs

private:
    TSettingsFileActions *FSettingsFileActions = nullptr; // child object: the file menu entries
    // Focus memory per page (one slot per page of the page control); not owning.
    PageFocusMemory::TSlots FActiveSysControls;
    PageFocusMemory::TSlots FActiveChControls;

public:
    static constexpr int MaxChannels = Instrument::MaxChannels;
    template <class T> using TChannelTable = TChannelControls::TChannelTable<T>;

    explicit TMainForm(TPrompts &prompts, const TVersionInfo &version = TVersionInfo(),
                       QWidget *parent = nullptr);
    TMainForm(TPrompts &prompts, const TMainFormSetup &setup, QWidget *parent = nullptr);
    ~TMainForm() override;

    // --- start-up and read-back (Startup.cpp, ReadBack.cpp) -------------------------------
    // Prepares the window and connects: manual port (space held), demo mode (left shift
    // held) or the search with its "No device found" question; then the log switch and
    // the launch timer. Afterwards State.Ending tells whether the program goes on.
    void FormCreate();
    // The first read-back, 500 ms after the message loop started.
    void LaunchTimerTimer();
    // Reads the instrument's whole state into the panel (TSession::ReadBack). A record
    // field that does not convert stops it: the panel is left usable (commands on,
    // polling on, message window closed, pending refresh or recall dropped) and the
    // TConversionError is thrown on to the caller's handler guard, which reports it. A
    // port that is gone (State.Link.PortGone) ends it the same way, without a message.
    void Initialize();
    // The value ranges of State.ValueRanges on the numeric entries.
    void SetResolutionRanges();

    // --- enabling rules (EnablingRules.cpp), by the mirrors -----------------------------------
    void SystemModesEnable() override;
    void TriggerModesEnable() override;
    void GateModesEnable() override;
    void ChModesEnable(int chnum) override;
    void UpdateChMux(int chnum);

    // Builds the pages of channels 2..channelCount (capped at 36) as copies of the
    // channel-1 page in its present state, once per window; a later call builds nothing.
    void CreateChannelTabs(int channelCount);
    // The storage-bin menu items for the channel count (StorageBins.cpp); sets
    // State.BinsCreated.
    void UpdateStorageBins();

    // --- lifecycle (Lifecycle.cpp) ----------------------------------------------------------
    // TAppControl: both enter the ending state; neither returns into further port work.
    // RestartApp is false (after an error box naming the reason) when no new instance
    // started; this one then goes on.
    bool RestartApp() override;
    void ExitApp() override;
    void StopStatusTimer() override;
    void StartStatusTimer() override; // switches it on only when it is off
    void About1Click();
    void WebSite1Click();

    // --- settings file and capture (SettingsFileMenu.cpp, CaptureMenu.cpp) ------------------
    void SaveToFile1Click();
    void RestoreSettingsFromFile1Click();
    void CaptureScreenShot1Click();

    // --- timing diagram (TimingDiagramMenu.cpp) -----------------------------------------------
    // Opens the one diagram window (created at the first use) or brings it to the front.
    void TimingDiagram1Click();
    // What the diagram draws: the settings mirrors as they are now.
    Diagram::TDiagramSnapshot DiagramSnapshot() const;
    // The diagram window; null until first opened.
    TTimingDiagramForm *DiagramWindow() const { return TimingDiagramForm; }

    // Sets SystemRunning and, when it changed, the Run/Stop caption and pulse picture.
    void SetSystemRunning(bool running);

    // Runs a handler's body; an exception is shown by the general error report and never
    // leaves the handler (it must not unwind through a waiting read or a modal box).
    template <class F> void Guarded(F &&body) noexcept {
        RunGuarded([this](const std::exception &e) { ReportException(e); }, body);
    }
    // The application's general error report: a message box with the error's text.
    void ReportException(const std::exception &e) noexcept;

    // TTerminalEcho (the command terminal's response list) and TLogMenu.
    void AppendLine(const QString &text, TRgb colour) override;
    void Clear() override;
    void SetLoggingChecked(bool checked) override;

    // Display of the demo read-back: caption and the three identity labels.
    void ShowDemoState();
    // The Run/Stop button caption and the pulse picture (animated at double speed).
    void ShowRunState(bool running);
    // Appends one line to the command terminal as plain text in the given colour.
    void AppendResponse(const QString &line, const QColor &colour);
    // Help menu: the About box and the brand's web site (nothing for an unknown brand).
    void ShowAbout(const Instrument::TIdentity &identity);
    void OpenWebSite(const QString &manufacturer);
    // Seam for opening a web address; QDesktopServices::openUrl by default.
    void SetUrlOpener(std::function<bool(const QUrl &)> openUrl) { FOpenUrl = std::move(openUrl); }

    // --- panel behaviour (PanelBehaviour.cpp and the collaborators' files) ----------------
    // Every setting command goes through here to the command queue.
    // False when the command was discarded (commands are disabled during a read-back).
    bool QueuedCommandToPort(const QString &command);

    // What the window shows and drives: the port, the exchange, the state and the timers.
    TSession &Session() { return FSession; }
    const TSession &Session() const { return FSession; }
    // The service window and its calibration work; created with the window.
    TServiceWindow &Service() const { return *FService; }
    // The file menu's save and restore, with what became of the last request.
    const TSettingsFileActions &SettingsFileActions() const { return *FSettingsFileActions; }
    // Focus memory, one slot per page of SystemPageControl and of ChPageControl.
    const PageFocusMemory::TSlots &SystemFocusMemory() const { return FActiveSysControls; }
    const PageFocusMemory::TSlots &ChannelFocusMemory() const { return FActiveChControls; }

signals:
    // Raised by CreateChannelTabs after the page of channel n and its table entries exist,
    // so that the code wiring channel 1's Qt signals can wire the copy the same way
    // (OnChange of the numeric entries is copied with the template).
    void ChannelPageCreated(int n);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

public:
    // --- top strip -------------------------------------------------------------------
    QLabel *VKBlueBanner = nullptr;
    QLabel *HTXBanner = nullptr;
    QLabel *PulseAnimate = nullptr;
    QMovie *PulseMovie = nullptr;
    QPushButton *RunStopbtn = nullptr;

    // --- system options --------------------------------------------------------------
    QGroupBox *SystemOptions = nullptr;
    TPageControl *SystemPageControl = nullptr;
    QWidget *SystemPage = nullptr;
    QWidget *ExtTrigGatePage = nullptr;
    QWidget *AdditionalPage = nullptr;

    // "System Options" page
    QGroupBox *SystemGrp = nullptr;
    QGroupBox *PeriodGrp = nullptr;
    TPlusSpinEdit *PeriodAdj = nullptr;
    QGroupBox *BurstCountGrp = nullptr;
    TPlusSpinEdit *SysBurstAdj = nullptr;
    QCheckBox *AutoStartEnbl = nullptr;
    QGroupBox *PulseModeGrp = nullptr;
    QComboBox *SystemModeSel = nullptr;
    QGroupBox *DutyCycleGrp = nullptr;
    QGroupBox *OnCountGrp = nullptr;
    TPlusSpinEdit *SysDutyOnAdj = nullptr;
    QGroupBox *OffCountGrp = nullptr;
    TPlusSpinEdit *SysDutyOffAdj = nullptr;
    QGroupBox *CycleCountGrp = nullptr;
    TPlusSpinEdit *SysCycleCountAdj = nullptr;
    QGroupBox *SyncOutputGrp = nullptr;
    QComboBox *SyncOutputSel = nullptr;

    // "External Trig/Gate" page
    QGroupBox *ExtTrigGateGrp = nullptr;
    QGroupBox *TrigModeGrp1 = nullptr;
    QComboBox *TrigModeSel1 = nullptr;
    QGroupBox *ExtTrigEdgeGrp1 = nullptr;
    QComboBox *TriggerEdgeSel1 = nullptr;
    QGroupBox *ExtThresholdGrp1 = nullptr;
    TPlusSpinEdit *TrigThresholdAdj1 = nullptr;
    QGroupBox *TrigDebounceGrp1 = nullptr;
    QComboBox *TrigDebounceSel1 = nullptr;
    QGroupBox *GateModeGrp1 = nullptr;
    QComboBox *GateModeSel1 = nullptr;
    QGroupBox *GateLogicGrp1 = nullptr;
    QComboBox *GateLogicSel1 = nullptr;
    QGroupBox *GateThresholdGrp1 = nullptr;
    TPlusSpinEdit *GateThresholdAdj1 = nullptr;
    QGroupBox *GateDebounceGrp1 = nullptr;
    QComboBox *GateDebounceSel1 = nullptr;
    QGroupBox *TrigModeGrp2 = nullptr;
    QComboBox *TrigModeSel2 = nullptr;
    QGroupBox *ExtTrigEdgeGrp2 = nullptr;
    QComboBox *TriggerEdgeSel2 = nullptr;
    QGroupBox *TrigDebounceGrp2 = nullptr;
    QComboBox *TrigDebounceSel2 = nullptr;
    QGroupBox *GateModeGrp2 = nullptr;
    QComboBox *GateModeSel2 = nullptr;
    QGroupBox *GateLogicGrp2 = nullptr;
    QComboBox *GateLogicSel2 = nullptr;
    QGroupBox *GateDebounceGrp2 = nullptr;
    QComboBox *GateDebounceSel2 = nullptr;
    QGroupBox *TrigGateThresholdGrp2 = nullptr;
    TPlusSpinEdit *TrigGateThresholdAdj2 = nullptr;

    // "Additional Options" page
    QGroupBox *ExtInputClkGrp = nullptr;
    QComboBox *ExternalInputClkSel = nullptr;
    QGroupBox *ExtOutputClkGrp = nullptr;
    QComboBox *ExternalOutputClkSel = nullptr;
    QGroupBox *ShotCounterGrp = nullptr;
    QComboBox *CounterSourceSel = nullptr;
    QCheckBox *ShotCountEnbl = nullptr;
    QPushButton *ClearShotCount = nullptr;
    QLabel *ShotCountlbl = nullptr;

    // --- channels ----------------------------------------------------------------------
    QGroupBox *ChannelGrp = nullptr;
    TPageControl *ChPageControl = nullptr;
    QWidget *TabCh1 = nullptr;
    QGroupBox *ChFunctGrp1 = nullptr;

    TChannelTable<QCheckBox> ChEnablebox{};
    TChannelTable<TPlusSpinEdit> ChDelayAdj{};
    TChannelTable<TPlusSpinEdit> ChWidthAdj{};
    TChannelTable<QComboBox> ChModeSel{};
    TChannelTable<TPlusSpinEdit> ChAmplitudeAdj{};
    TChannelTable<QGroupBox> ChAmplitudeAdjGrp{};
    TChannelTable<QComboBox> ChOutputModeSel{};
    TChannelTable<TPlusSpinEdit> ChBurstAdj{};
    TChannelTable<QGroupBox> ChBurstCountGrp{};
    TChannelTable<TPlusSpinEdit> ChWaitCountAdj{};
    TChannelTable<QComboBox> ChSyncSourceSel{};
    TChannelTable<QComboBox> ChPolaritySel{};
    TChannelTable<TPlusSpinEdit> ChDutyOnAdj{};
    TChannelTable<QGroupBox> ChDutyOnGrp{};
    TChannelTable<TPlusSpinEdit> ChDutyOffAdj{};
    TChannelTable<QGroupBox> ChDutyOffGrp{};
    TChannelTable<QComboBox> ChGateModeSel{};
    TChannelTable<TCheckListBox> ChMuxSelect{};
    TChannelTable<QComboBox> ChControlSel{};
    TChannelTable<QComboBox> ChGateLogicSel{};

    // --- bottom row ----------------------------------------------------------------------
    QGroupBox *TerminalBoxgrp = nullptr;
    QComboBox *SendEdit = nullptr;
    QPushButton *SendBtn = nullptr;
    QPlainTextEdit *ResponseList = nullptr;
    QGroupBox *SystemInfoGrp = nullptr;
    QLabel *SerialNumberlbl = nullptr;
    QLabel *FWVersionlbl = nullptr;
    QLabel *FPGAVersionlbl = nullptr;

    // --- menu bar --------------------------------------------------------------------------
    QMenu *File1 = nullptr;
    QAction *Exit1 = nullptr;
    QAction *R1 = nullptr;
    QMenu *Storage1 = nullptr;
    QMenu *SaveToBin = nullptr;
    QMenu *RestoreFromBin = nullptr;
    QAction *SaveToFile1 = nullptr;
    QAction *RestoreSettingsFromFile1 = nullptr;
    QMenu *ools1 = nullptr;
    QAction *Up1 = nullptr;
    QAction *CaptureScreenShot1 = nullptr;
    QAction *EnableLoggingMenu = nullptr;
    QAction *ServiceMenu = nullptr;
    QAction *ServiceWindowMenu = nullptr;
    QAction *TimingDiagram1 = nullptr;
    QMenu *Help1 = nullptr;
    QAction *WebSite1 = nullptr;
    QAction *About1 = nullptr;
    // Bin items; the form holds bin 1 for saving and bins 0 and 1 for recall.
    std::array<QAction *, MaxChannels + 1> BinSave{};
    std::array<QAction *, MaxChannels + 1> BinRestore{};

private:
    // One channel page: the frame, the Enabled box and the 15 captioned editor boxes in
    // the order the copies are made.
    struct TChannelPage {
        QWidget *Page = nullptr;
        QGroupBox *Frame = nullptr;
        QCheckBox *Enable = nullptr;
        std::array<QGroupBox *, 15> Boxes{};
        std::array<QWidget *, 15> Editors{};
    };

    void BuildWindowFrame();
    QWidget *BuildTopStrip();
    QWidget *BuildBottomRow();
    void BuildMenuBar();
    void BuildSystemOptions();
    QWidget *BuildSystemPage();
    QWidget *BuildExtTrigGatePage();
    QWidget *BuildAdditionalPage();
    void BuildChannelGroup();
    TChannelPage BuildChannelTemplate();
    TChannelPage CloneChannelPage(int n);
    void PlaceChannelControls(const TChannelPage &page);
    void FillChannelTables(int n);
    QGroupBox *BuildTerminal();
    QGroupBox *BuildSystemInfo();

    TChannelPage FTemplate;
    std::unique_ptr<TDialogPortPicker> FPortPicker;
    TPanelView FView{*this, VersionInfo};

    static TSessionSetup SessionSetup(TMainForm &form, const TMainFormSetup &setup);

    // Startup.cpp
    void ConnectInstrument();
    void WireLifecycleHandlers();
    void EnterEndingState();
    void QuitApplication();
    void CreateBehaviour();
};
