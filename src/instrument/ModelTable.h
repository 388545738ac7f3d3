#pragma once

#include <QString>
#include <QStringList>

namespace Instrument {

inline constexpr int MaxChannels = 36;
inline constexpr int DefaultChannelCount = 12;

// Channel count of a model string (exact, case-sensitive); 12 for anything unknown.
int ModelChannelCount(const QString &model);

// The fifteen models the instrument search accepts ("627-6" is not among them).
const QStringList &AcceptedModels();
bool IsAcceptedModel(const QString &model);

enum class TBanner { None, VKBlue, HTX };

// What the brand code selects: company name, banner to show and the web site.
struct TBrandInfo {
    QString CompanyName;
    TBanner Banner = TBanner::None; // None: leave both banners as they are
    QString WebSite;                // empty: no site to open
};

TBrandInfo BrandInfo(const QString &manufacturer);

inline const QString BrandVK = QStringLiteral("VK");
inline const QString BrandHTX = QStringLiteral("HTX");

} // namespace Instrument
