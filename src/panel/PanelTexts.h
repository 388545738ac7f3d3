#pragma once

#include "ConnectionCaption.h" // the connected caption, shared with pulsectl

#include "Identity.h"

#include <QString>
#include <QUrl>

class TVersionInfo;

// Texts of the window that follow from the brand and the program's version. The brand
// facts themselves (company name, banner, web site) live in Instrument::BrandInfo.

// "Orvane Selkrin" for "VK", "Halvorn Trevaxis" for "HTX", otherwise "Unknown".
QString BrandCompanyName(const QString &manufacturer);
// The brand's web site; empty for an unknown brand.
QUrl BrandWebSite(const QString &manufacturer);
// The six lines of the About box, joined by CR LF.
QString AboutText(const Instrument::TIdentity &identity, const TVersionInfo &version);
// Demo mode: " Model 631K-12  SW Version: " when the program's company string contains
// "Halvorn", else " Model 6180-12  SW Version: ", then the version and " ComPort: Demo".
QString DemoCaption(const TVersionInfo &version);
// A restart whose new instance did not start: names the program and the reason.
QString RestartFailedMessage(const QString &program, const QString &reason);
