#include "SimCalibration.h"

#include <algorithm>

namespace {

int64_t Toward(int64_t value, int64_t centre) {
    return value < centre ? value + 1 : value > centre ? value - 1 : value;
}

} // namespace

const TSimFieldList &InputCalFields() {
    static const TSimFieldList fields = {
        TSimField::Integer(":CAL:GAIN", 1000, 5000, 5000),
        TSimField::Integer(":CAL:OFFS", 0, 1000, 1000),
    };
    return fields;
}

const TSimFieldList &ChannelCalFields() {
    static const TSimFieldList fields = {
        TSimField::Integer(":CAL:WIDT", 0, 50, 50),
        TSimField::Integer(":CAL:DEL", 0, 50, 50),
        TSimField::Integer(":CAL:GAIN", 2000, 5000, 5000),
        TSimField::Integer(":CAL:OFFS", -100, 200, 200),
    };
    return fields;
}

TSimCalibration TSimCalibration::Factory(int channelCount) {
    TSimCalibration cal;
    cal.Trig1.Values = {2048, 100};
    cal.Trig2.Values = {2050, 102};
    cal.Gate1.Values = {2052, 104};
    cal.Channels.resize(static_cast<size_t>(channelCount));
    for (int n = 1; n <= channelCount; ++n)
        cal.Channels[static_cast<size_t>(n - 1)].Values = {20 + n % 11, 22 + n % 7, 3000 + 10 * n,
                                                           100 - n};
    return cal;
}

void TSimCalibration::Optimize() {
    for (TSimInputCal *input : {&Trig1, &Trig2, &Gate1}) {
        TSimInputCal &in = *input;
        in[in.Gain] = std::min<int64_t>(in[in.Gain] + 7, 5000);
        in[in.Offset] = Toward(in[in.Offset], 500);
    }
    for (TSimChannelCal &c : Channels) {
        c[c.Width] = Toward(c[c.Width], 25);
        c[c.Delay] = Toward(c[c.Delay], 25);
        c[c.Gain] = std::min<int64_t>(c[c.Gain] + 7, 5000);
        c[c.Offset] = Toward(c[c.Offset], 50);
    }
}

std::vector<std::string> TSimCalibration::Lines() const {
    std::vector<std::string> lines;
    const std::pair<const char *, const TSimInputCal *> inputs[] = {
        {":TRIG1", &Trig1}, {":TRIG2", &Trig2}, {":GATE1", &Gate1}};
    for (const auto &[prefix, input] : inputs)
        AppendFieldLines(lines, prefix, InputCalFields(), *input);
    for (size_t i = 0; i < Channels.size(); ++i)
        AppendFieldLines(lines, ":PULS" + std::to_string(i + 1), ChannelCalFields(), Channels[i]);
    return lines;
}
