#include "PanelTexts.h"

#include "VersionInfo.h"

#include <QStringList>

QString BrandCompanyName(const QString &manufacturer) {
    if (manufacturer == "VK")
        return "Orvane Selkrin";
    if (manufacturer == "HTX")
        return "Halvorn Trevaxis";
    return "Unknown";
}

QUrl BrandWebSite(const QString &manufacturer) {
    if (manufacturer == "VK")
        return QUrl("https://www.orvane-selkrin.example/");
    if (manufacturer == "HTX")
        return QUrl("https://www.halvorn-trevaxis.example/");
    return QUrl();
}

QString AboutText(const TIdentityFields &identity, const TVersionInfo &version) {
    return QStringList{
        "Company: " + BrandCompanyName(identity.Manufacturer),
        "Model Number: " + identity.ModelNumber,
        "Serial Number: " + QString::number(identity.SerialNumber),
        "Firmware Version: " + identity.FirmwareVersion,
        "FPGA Version: " + identity.FPGAVersion,
        "Software Version: " + version.FileVersion,
    }
        .join("\r\n");
}

QString DemoCaption(const TVersionInfo &version) {
    const QString model = version.CompanyName.contains("Halvorn") ? " Model 631K-12  SW Version: "
                                                                  : " Model 6180-12  SW Version: ";
    return model + version.FileVersion + " ComPort: Demo";
}
