#include "SimIdentity.h"

std::string TSimIdentity::IdnReply() const {
    return Brand + "," + Model + "," + std::to_string(Serial) + "," + Firmware + "-" + Fpga;
}

int TSimIdentity::ChannelCount() const {
    static const char *const families[] = {"6180", "4190", "631K", "627"};
    for (const char *family : families)
        for (int count : {6, 12, 24, 36})
            if (Model == std::string(family) + "-" + std::to_string(count))
                return count;
    return 12;
}

int TSimIdentity::FactoryBadge() const {
    if (Model.rfind("631K", 0) == 0)
        return 0;
    if (Model.rfind("4190", 0) == 0)
        return 3;
    if (Model.rfind("627", 0) == 0)
        return 2;
    return 1;
}
