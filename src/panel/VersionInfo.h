#pragma once

#include <QString>

// The program's own version strings (file version and company name), fixed at build
// time. A value object so that tests can check both brands in one process.
class TVersionInfo {
public:
    TVersionInfo(); // the values of this build
    TVersionInfo(const QString &fileVersion, const QString &companyName)
        : FileVersion(fileVersion), CompanyName(companyName) {}

    QString FileVersion;
    QString CompanyName;
};
