#pragma once

#include <QString>
#include <cstdint>

// Command texts as they travel (without line end). Queries are written without their "?":
// the exchange layer appends it.
namespace Instrument {

// ---- Queries ----
namespace Query {
inline const QString Identify = QStringLiteral("*IDN");
inline const QString SystemRecord = QStringLiteral("*CFG? 0");
inline const QString Secure = QStringLiteral(":SYST:SEC");
inline const QString AutoStart = QStringLiteral(":SYST:AUT");
inline const QString InputClock = QStringLiteral(":SYST:ICLOCK");
inline const QString OutputClock = QStringLiteral(":SYST:OCL");
inline const QString SyncOutput = QStringLiteral(":SYST:SYNC");
inline const QString CounterEnable = QStringLiteral(":COUN:STAT");
inline const QString CounterSource = QStringLiteral(":COUN:SEL");
inline const QString RunState = QStringLiteral(":PULS0:STAT");
inline const QString ShotCount = QStringLiteral(":COUN:PULS");
} // namespace Query

// Record numbers of the configuration records.
inline constexpr int SystemRecordNumber = 0;
inline constexpr int Trigger1Record = 90;
inline constexpr int Trigger2Record = 91;
inline constexpr int Gate1Record = 92;
inline constexpr int Gate2Record = 93;

// "*CFG?" + n, no blank (channel 5: "*CFG?5").
QString ChannelRecordQuery(int channel);
// "*CFG? " + 90..93.
QString TrigGateRecordQuery(int record);
// "*CFG " + record number + " " + record: restores a record, also the settings-file line.
QString RestoreRecordCommand(int record, const QString &recordText);

// ---- System page ----
QString PeriodCommand(double seconds);             // ":PULS0:PER 0.000100000"
QString SystemModeCommand(int item);               // ":PULS0:MOD NORM"
QString SystemBurstCommand(std::uint32_t count);   // ":PULS0:BCO 4000000000"
QString SystemDutyOnCommand(std::uint32_t count);  // ":PULS0:PCO n"
QString SystemDutyOffCommand(std::uint32_t count); // ":PULS0:OCO n"
QString SystemCycleCommand(std::int32_t count);    // ":PULS0:CYCL n"
QString AutoStartCommand(bool on);                 // ":SYST:AUT 1" / ":SYST:AUT 0"
QString SyncOutputCommand(int item);               // ":SYST:SYNC Ch1"

// ---- External trigger/gate page; input is 1 or 2 ----
QString TriggerModeCommand(int input, int item);     // ":TRIG1:MOD TRIG"
QString TriggerEdgeCommand(int input, int item);     // ":TRIG1:EDG FALL"
QString TriggerDebounceCommand(int input, int item); // ":TRIG1:DEB ENAB"
// ":TRIG1:LEV 2.50"; input 2's shared threshold always travels as ":TRIG2:LEV ".
QString TriggerLevelCommand(int input, double volts);
QString Gate1LevelCommand(double volts);          // ":GATE1:LEV 2.50"
QString GateModeCommand(int input, int item);     // ":GATE1:MOD CHAN"
QString GateLogicCommand(int input, int item);    // ":GAT1:LOG HIGH"
QString GateDebounceCommand(int input, int item); // ":GAT1:DEB ENAB"

// ---- Additional options page ----
QString InputClockCommand(int item);    // ":SYST:ICL SYS"
QString OutputClockCommand(int item);   // ":SYST:OCL 100"
QString CounterSourceCommand(int item); // ":COUN:SEL CH10"
QString CounterEnableCommand(bool on);  // ":COUN:STAT 1" / ":COUN:STAT 0"
QString ClearCounterCommand();          // ":COUN:CL 1"

// ---- Channel n (1..36) ----
QString ChannelPrefix(int channel);                             // ":PULS" + n
QString ChannelEnableCommand(int channel, bool on);             // ":PULS1:STAT 1"
QString ChannelDelayCommand(int channel, double seconds);       // ":PULS3:DEL 0.00000012500"
QString ChannelWidthCommand(int channel, double seconds);       // ":PULS3:WIDT ..."
QString ChannelModeCommand(int channel, int item);              // ":PULS3:MOD BURS"
QString ChannelBurstCommand(int channel, std::int32_t count);   // ":PULS3:BCO n"
QString ChannelWaitCommand(int channel, std::int32_t count);    // ":PULS3:WCO n"
QString ChannelDutyOnCommand(int channel, std::int32_t count);  // ":PULS3:PCO n"
QString ChannelDutyOffCommand(int channel, std::int32_t count); // ":PULS3:OCO n"
QString ChannelPolarityCommand(int channel, int item);          // ":PULS3:OUTP:POL INV"
QString ChannelOutputModeCommand(int channel, int item);        // ":PULS3:OUTP:MOD ADJ"
QString ChannelAmplitudeCommand(int channel, double volts);     // ":PULS3:OUTP:AMPL 5.00"
QString ChannelGateModeCommand(int channel, int item);          // ":PULS3:CGAT PULS"
QString ChannelSyncSourceCommand(int channel, int item);        // ":PULS3:SYNC SYNA"
QString ChannelMuxCommand(int channel, int mask);               // ":PULS12:MUX 5"
QString ChannelControlCommand(int channel, int item);           // ":PULS3:CONT GATA"
QString ChannelGateLogicCommand(int channel, int item);         // ":PULS3:CLOG HIGH"

// ---- Run, storage ----
QString RunCommand(bool run);      // ":PULS0:STAT ON" / ":PULS0:STAT OFF"
QString SaveBinCommand(int bin);   // "*SAV 3"
QString RecallBinCommand(int bin); // "*RCL 3"

// Number carried by a control's name: its decimal digits only ("ChDelayAdj12" -> 12,
// "BinRestore0" -> 0); -1 when the name holds no digit or too many.
int NumberFromName(const QString &name);

} // namespace Instrument
