#pragma once

#include "Settings.h"

#include <QString>
#include <cstdint>

// Parsers of the configuration records ("*CFG?" replies) into the settings mirrors.
//
// Fields are taken left to right, each up to the next blank; the last field is the rest
// of the line. Fields convert in order and are stored in the mirror as they go. A number
// that does not convert stops the record there: the fields before it stay stored and the
// status carries the conversion error's message. A keyword that is not in its table
// leaves its mirror field unchanged (the control still shows the mirror).
//
// The window applies fields 1..FieldsApplied to its controls from the mirror, then, when
// the status is not Ok(), reports the error and stops the read-back.
namespace Instrument {

struct TRecordStatus {
    int FieldsApplied = 0;          // fields 1..FieldsApplied were stored
    std::uint32_t Unrecognised = 0; // bit i-1 set: field i's keyword was not recognised
    QString Error;                  // empty when every field converted

    bool Ok() const { return Error.isEmpty(); }
    bool Applied(int field) const { return field >= 1 && field <= FieldsApplied; }
    bool Recognised(int field) const {
        return Applied(field) && !(Unrecognised & (1u << (field - 1)));
    }
    // Throws TConversionError with the message when a field failed.
    void ThrowIfFailed() const;
};

enum TSystemField {
    sfRunState = 1,
    sfPeriod,
    sfMode,
    sfBurstCount,
    sfDutyOnCount,
    sfDutyOffCount,
    sfCycleCount,
    SystemFieldCount = sfCycleCount
};

enum TTriggerField { tfMode = 1, tfEdge, tfLevel, tfDebounce, TriggerFieldCount = tfDebounce };

enum TGateField { gfMode = 1, gfLogic, gfLevel, gfDebounce, GateFieldCount = gfDebounce };

enum TChannelField {
    cfEnabled = 1,
    cfDelay,
    cfWidth,
    cfMode,
    cfBurstCount,
    cfDutyOnCount,
    cfDutyOffCount,
    cfWaitCount,
    cfOutputMode,
    cfPolarity,
    cfAmplitude,
    cfMuxMask,
    cfControlMode,
    cfSyncSource,
    cfGateMode,
    cfGateLogic,
    ChannelFieldCount = cfGateLogic
};

// Record 0: run state, period, mode, burst, duty on, duty off, cycle count.
TRecordStatus ParseSystemRecord(const QString &record, TSystemSettings &mirror);
// Records 90 (input 1) and 91 (input 2): mode, edge, level, debounce. Input 2's level
// is the shared trigger/gate 2 threshold.
TRecordStatus ParseTriggerRecord(int input, const QString &record, TTrigGateSettings &mirror);
// Records 92 (input 1) and 93 (input 2): mode, logic, level, debounce.
TRecordStatus ParseGateRecord(int input, const QString &record, TTrigGateSettings &mirror);
// Records 1..36: the sixteen channel fields.
TRecordStatus ParseChannelRecord(const QString &record, TChannelSettings &mirror);

// Messages of a field that does not convert; a field past 40 characters is quoted by its
// first 40 and "...".
QString NotAnIntegerMessage(const QString &field);
QString NotADecimalMessage(const QString &field);

} // namespace Instrument
