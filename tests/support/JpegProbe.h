#pragma once

// Test helper: what libjpeg finds in a JPEG, and the tables it builds for quality 90.
#include <QByteArray>

#include <array>
#include <vector>

#include <jpeglib.h>

// What libjpeg finds in a JPEG file.
struct TDecoded {
    int Width = 0;
    int Height = 0;
    int Components = 0;
    bool Progressive = true;
    bool ArithmeticCoding = true;
    bool Jfif = false;
    J_COLOR_SPACE ColourSpace = JCS_UNKNOWN;
    std::array<std::array<unsigned, 64>, 2> Quant{};
    std::vector<unsigned char> Rgb; // decoded pixels
};

TDecoded Decode(const QByteArray &bytes);

// The tables libjpeg itself builds for quality 90 (luminance, chrominance).
std::array<std::array<unsigned, 64>, 2> Quality90Tables();
