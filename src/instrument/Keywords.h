#pragma once

#include <QString>
#include <QStringList>

namespace Instrument {

// One selector's items: the keyword the instrument spells for item i and the caption the
// drop-down shows. The window fills its selectors from Captions and the commands and
// record parsers look keywords up here, so both always agree.
struct TKeywordTable {
    QStringList Keywords;
    QStringList Captions;

    // Empty for an index outside the table (no selection): the command then carries
    // nothing after its blank.
    QString KeywordAt(int index) const;
    // Exact, case-sensitive; -1 when the word is not in the table.
    int IndexOf(const QString &keyword) const;
    int Count() const { return static_cast<int>(Keywords.size()); }
};

// System page.
const TKeywordTable &SystemModeTable(); // NORM SING BURS DCYC
const TKeywordTable &SyncOutputTable(); // T0 Ch1 Ch2 Ch4 Ch6 TRIG GATE
// External trigger/gate page (both inputs share the tables).
const TKeywordTable &TriggerModeTable(); // DIS TRIG
const TKeywordTable &TriggerEdgeTable(); // RIS FALL
const TKeywordTable &DebounceTable();    // DIS ENAB
const TKeywordTable &GateModeTable();    // DIS PULS OUTP CHAN
const TKeywordTable &GateLogicTable();   // LOW HIGH
// Additional options page.
const TKeywordTable &InputClockTable();    // SYS 10 .. 80 (nine items, as the selector)
const TKeywordTable &OutputClockTable();   // T0 10 .. 100
const TKeywordTable &CounterSourceTable(); // T0 CH1 CH6 CH8 CH10
// The input clock reply may also say "100" (item 9, which the selector lacks).
const QStringList &InputClockReplyKeywords();
// Channel page.
const TKeywordTable &ChannelModeTable();       // NORM SING BURS DCYC
const TKeywordTable &PolarityTable();          // NORM INV
const TKeywordTable &OutputModeTable();        // TTL ADJ
const TKeywordTable &ChannelGateModeTable();   // DIS PULS OUTP
const TKeywordTable &ChannelSyncSourceTable(); // DIS SYNA SYNB SYNT
const TKeywordTable &ChannelControlTable();    // DIS GATA GATB INHB
const TKeywordTable &ChannelGateLogicTable();  // LOW HIGH
// Multiplexer check list items "0" to "4"; 6-channel models offer "0" to "3".
const QStringList &MuxItems();
inline constexpr int MuxItemCount = 5;
inline constexpr int MuxItemCountSmall = 4;
// Service window.
const QStringList &CompanyItems();      // badge 0..3
const QStringList &ChannelCountItems(); // "6" "12" "24" "36"
int ChannelCountOfItem(int item);       // 6, 12, 24, 36; -1 outside
int ItemOfChannelCount(int channels);   // 0..3; -1 for other counts

// Page and item indexes that several parts refer to.
enum TSystemMode { smContinuous = 0, smSingleShot = 1, smBurst = 2, smDutyCycle = 3 };
enum TChannelMode { cmNormal = 0, cmSingleShot = 1, cmBurst = 2, cmDutyCycle = 3 };
enum TGateMode { gmDisabled = 0, gmPulseInhibit = 1, gmOutputInhibit = 2, gmChannel = 3 };
enum TOutputMode { omTTL = 0, omAdjustable = 1 };

} // namespace Instrument
