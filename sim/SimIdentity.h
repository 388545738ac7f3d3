#pragma once

#include <cstdint>
#include <string>

// Who the simulated instrument says it is.
struct TSimIdentity {
    std::string Brand = "VK";
    std::string Model = "6180-12";
    int64_t Serial = 1234;
    std::string Firmware = "1.00";
    std::string Fpga = "1.25";

    // "brand,model,serial,firmware-fpga"
    std::string IdnReply() const;
    // 6, 12, 24 or 36 from the model string; any unknown model has 12 channels.
    int ChannelCount() const;
    // Badge (company and model family) a factory would program for this model.
    int FactoryBadge() const;
};
