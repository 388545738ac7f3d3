#include "SimCalibration.h"

#include <algorithm>

namespace {

int64_t Toward(int64_t value, int64_t centre) {
    return value < centre ? value + 1 : value > centre ? value - 1 : value;
}

} // namespace

const TSimFieldList<TSimInputCal> &InputCalFields() {
    using F = TSimField<TSimInputCal>;
    static const TSimFieldList<TSimInputCal> fields = {
        {":CAL:GAIN", nullptr, F::kInteger, 0, 1000, 5000, 5000, {}, &TSimInputCal::Gain},
        {":CAL:OFFS", nullptr, F::kInteger, 0, 0, 1000, 1000, {}, &TSimInputCal::Offset},
    };
    return fields;
}

const TSimFieldList<TSimChannelCal> &ChannelCalFields() {
    using F = TSimField<TSimChannelCal>;
    static const TSimFieldList<TSimChannelCal> fields = {
        {":CAL:WIDT", nullptr, F::kInteger, 0, 0, 50, 50, {}, &TSimChannelCal::Width},
        {":CAL:DEL", nullptr, F::kInteger, 0, 0, 50, 50, {}, &TSimChannelCal::Delay},
        {":CAL:GAIN", nullptr, F::kInteger, 0, 2000, 5000, 5000, {}, &TSimChannelCal::Gain},
        {":CAL:OFFS", nullptr, F::kInteger, 0, -100, 200, 200, {}, &TSimChannelCal::Offset},
    };
    return fields;
}

TSimCalibration TSimCalibration::Factory(int channelCount) {
    TSimCalibration cal;
    cal.Trig1 = {2048, 100};
    cal.Trig2 = {2050, 102};
    cal.Gate1 = {2052, 104};
    cal.Channels.resize(static_cast<size_t>(channelCount));
    for (int n = 1; n <= channelCount; ++n)
        cal.Channels[static_cast<size_t>(n - 1)] = {20 + n % 11, 22 + n % 7, 3000 + 10 * n,
                                                    100 - n};
    return cal;
}

void TSimCalibration::Optimize() {
    for (TSimInputCal *input : {&Trig1, &Trig2, &Gate1}) {
        input->Gain = std::min<int64_t>(input->Gain + 7, 5000);
        input->Offset = Toward(input->Offset, 500);
    }
    for (TSimChannelCal &c : Channels) {
        c.Width = Toward(c.Width, 25);
        c.Delay = Toward(c.Delay, 25);
        c.Gain = std::min<int64_t>(c.Gain + 7, 5000);
        c.Offset = Toward(c.Offset, 50);
    }
}

std::vector<std::string> TSimCalibration::Lines() const {
    std::vector<std::string> lines;
    const std::pair<const char *, const TSimInputCal *> inputs[] = {
        {":TRIG1", &Trig1}, {":TRIG2", &Trig2}, {":GATE1", &Gate1}};
    for (const auto &[prefix, input] : inputs)
        for (const auto &f : InputCalFields())
            lines.push_back(std::string(prefix) + f.Mnemonic + " " + f.Format(*input));
    for (size_t i = 0; i < Channels.size(); ++i)
        for (const auto &f : ChannelCalFields())
            lines.push_back(":PULS" + std::to_string(i + 1) + f.Mnemonic + " " +
                            f.Format(Channels[i]));
    return lines;
}
