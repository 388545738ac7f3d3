#include "PanelTexts.h"

#include "ModelTable.h"
#include "VersionInfo.h"

#include <QDir>
#include <QStringList>

QString BrandCompanyName(const QString &manufacturer) {
    return Instrument::BrandInfo(manufacturer).CompanyName;
}

QUrl BrandWebSite(const QString &manufacturer) {
    const QString site = Instrument::BrandInfo(manufacturer).WebSite;
    return site.isEmpty() ? QUrl() : QUrl(site);
}

QString AboutText(const Instrument::TIdentity &identity, const TVersionInfo &version) {
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
    const QString model = version.CompanyName.contains(QLatin1String("Halvorn"))
                              ? QStringLiteral("631K-12")
                              : QStringLiteral("6180-12");
    return QStringLiteral(" Model ") + model + QStringLiteral("  SW Version: ") +
           version.FileVersion + QStringLiteral(" ComPort: Demo");
}

QString RestartFailedMessage(const QString &program, const QString &reason) {
    return QStringLiteral("The program could not be restarted: \"%1\" did not start (%2). This "
                          "window stays open.")
        .arg(QDir::toNativeSeparators(program), reason);
}
