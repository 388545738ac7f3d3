#include "ModelTable.h"

namespace Instrument {

namespace {

struct TModelEntry {
    const char *model;
    int channels;
};

constexpr TModelEntry ModelEntries[] = {
    {"6180-6", 6},   {"4190-6", 6},   {"631K-6", 6},   {"627-6", 6},
    {"6180-12", 12}, {"4190-12", 12}, {"631K-12", 12}, {"627-12", 12},
    {"6180-24", 24}, {"4190-24", 24}, {"631K-24", 24}, {"627-24", 24},
    {"6180-36", 36}, {"4190-36", 36}, {"631K-36", 36}, {"627-36", 36},
};

} // namespace

int ModelChannelCount(const QString &model) {
    for (const auto &e : ModelEntries)
        if (model == QLatin1String(e.model))
            return e.channels;
    return DefaultChannelCount;
}

const QStringList &AcceptedModels() {
    static const QStringList models = {
        QStringLiteral("6180-6"),  QStringLiteral("6180-12"), QStringLiteral("6180-24"),
        QStringLiteral("6180-36"), QStringLiteral("4190-6"),  QStringLiteral("4190-12"),
        QStringLiteral("4190-24"), QStringLiteral("4190-36"), QStringLiteral("631K-6"),
        QStringLiteral("631K-12"), QStringLiteral("631K-24"), QStringLiteral("631K-36"),
        QStringLiteral("627-12"),  QStringLiteral("627-24"),  QStringLiteral("627-36"),
    };
    return models;
}

bool IsAcceptedModel(const QString &model) {
    return AcceptedModels().contains(model, Qt::CaseSensitive);
}

TBrandInfo BrandInfo(const QString &manufacturer) {
    if (manufacturer == BrandVK)
        return {QStringLiteral("Orvane Selkrin"), TBanner::VKBlue,
                QStringLiteral("https://www.orvaneselkrin.example/")};
    if (manufacturer == BrandHTX)
        return {QStringLiteral("Halvorn Trevaxis"), TBanner::HTX,
                QStringLiteral("https://www.halvorntrevaxis.example/")};
    return {QStringLiteral("Unknown"), TBanner::None, QString()};
}

} // namespace Instrument
