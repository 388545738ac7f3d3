#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Encodes a picture as a baseline JFIF file with 24-bit colour through libjpeg.
class TJpegEncoder {
public:
    static constexpr int DefaultQuality = 90;

    // The file's bytes; empty on failure, with the reason in *error when given.
    static QByteArray Encode(const QImage &picture, int quality = DefaultQuality,
                             QString *error = nullptr);
};
