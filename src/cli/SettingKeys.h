#pragma once

#include "ValueRanges.h"

#include <QString>
#include <QStringList>

// The named settings of `pulsectl set`: "period", "trig1.level", "ch3.delay", ... Each
// value is checked as the panel's entry checks it (the model's ranges and resolution, the
// drop-down's keywords) and turned into the command the panel sends for it.
class TSettingKeys {
public:
    struct TOutcome {
        QString Command; // the line to queue; empty when refused
        QString Refusal; // why not, naming the key and the value
        bool UnknownKey = false;
    };

    // channelCount: of the connected model; ranges: its value ranges.
    static TOutcome Build(const QString &key, const QString &value, int channelCount,
                          const Instrument::TValueRanges &ranges);
    // One line per key for --help: the key, its values and unit.
    static QStringList HelpLines();
};
