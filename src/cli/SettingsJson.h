#pragma once

#include <QJsonObject>

struct TAppState;

// The read-back as JSON for `pulsectl get --json`: "identity", "system", "inputs" (trig1,
// trig2, gate1, gate2) and "channels" (one object per channel). Keys are those of `set`,
// with the unit in the key name of every number that has one ("period_s", "level_V").
class TSettingsJson {
public:
    struct TExtras { // read back by queries of their own, not kept in the mirrors
        int AutoStart = 0;
        int CounterEnable = 0;
        int Port = 0;
        int Baud = 0;
    };
    static QJsonObject Build(const TAppState &state, const TExtras &extras);
};
