#pragma once

#include <QString>
#include <QUrl>

class TVersionInfo;

// The identity fields the About box shows.
struct TIdentityFields {
    QString Manufacturer; // brand code "VK" or "HTX"
    QString ModelNumber;
    qint32 SerialNumber = 0;
    QString FirmwareVersion;
    QString FPGAVersion;
};

// "Orvane Selkrin" for "VK", "Halvorn Trevaxis" for "HTX", otherwise "Unknown".
QString BrandCompanyName(const QString &manufacturer);
// The brand's web site; empty for an unknown brand.
QUrl BrandWebSite(const QString &manufacturer);
// The six lines of the About box, joined by CR LF.
QString AboutText(const TIdentityFields &identity, const TVersionInfo &version);
// The window caption of demo mode.
QString DemoCaption(const TVersionInfo &version);
