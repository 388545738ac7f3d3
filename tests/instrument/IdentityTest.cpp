#include "Identity.h"
#include "ModelTable.h"

#include <gtest/gtest.h>

using namespace Instrument;

namespace {

TIdentity Known() {
    TIdentity id;
    id.Manufacturer = QStringLiteral("OLD");
    id.ModelNumber = QStringLiteral("old-model");
    id.SerialNumber = 999;
    id.FirmwareVersion = QStringLiteral("9.9");
    id.FPGAVersion = QStringLiteral("8.8");
    return id;
}

struct TIdnCase {
    const char *reply;
    TIdnOutcome outcome;
    const char *manufacturer;
    const char *model;
    int serial;
    const char *firmware;
    const char *fpga;
};

class IdnReplies : public ::testing::TestWithParam<TIdnCase> {};

TEST_P(IdnReplies, FillTheIdentityFields) {
    const auto &c = GetParam();
    TIdentity id = Known();
    EXPECT_EQ(ParseIDN(QString::fromLatin1(c.reply), id), c.outcome);
    // Replies are 8-bit text: compare the fields as the bytes they came as.
    EXPECT_EQ(id.Manufacturer.toLatin1().toStdString(), c.manufacturer);
    EXPECT_EQ(id.ModelNumber.toLatin1().toStdString(), c.model);
    EXPECT_EQ(id.SerialNumber, c.serial);
    EXPECT_EQ(id.FirmwareVersion.toLatin1().toStdString(), c.firmware);
    EXPECT_EQ(id.FPGAVersion.toLatin1().toStdString(), c.fpga);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdnReplies,
    ::testing::Values(
        TIdnCase{"VK,6180-12,1234,1.00-1.25", TIdnOutcome::Complete, "VK", "6180-12", 1234, "1.00",
                 "1.25"},
        TIdnCase{"HTX,631K-36,5,2.1-3.4.5", TIdnOutcome::Complete, "HTX", "631K-36", 5, "2.1",
                 "3.4.5"},
        // the length limit: 10 characters clear everything, 11 are parsed
        TIdnCase{"VK,6180-6,", TIdnOutcome::Cleared, "", "", 0, "", ""},
        TIdnCase{"VK,627-6,1,", TIdnOutcome::Complete, "VK", "627-6", 1, "", ""},
        TIdnCase{"", TIdnOutcome::Cleared, "", "", 0, "", ""},
        TIdnCase{"VK,6180-6,    ", TIdnOutcome::Cleared, "", "", 0, "", ""},
        // no hyphen: empty firmware, the whole field is the FPGA version
        TIdnCase{"VK,6180-36,77,3.2", TIdnOutcome::Complete, "VK", "6180-36", 77, "", "3.2"},
        // no third comma: brand and model set, the rest kept
        TIdnCase{"VK,6180-36,77", TIdnOutcome::SerialNotNumber, "VK", "6180-36", 999, "9.9", "8.8"},
        TIdnCase{"VK,6180-12,12a,1.0-2.0", TIdnOutcome::SerialNotNumber, "VK", "6180-12", 999,
                 "9.9", "8.8"},
        TIdnCase{"VK,6180-12,99999999999,1.0-2.0", TIdnOutcome::SerialNotNumber, "VK", "6180-12",
                 999, "9.9", "8.8"},
        // trailing blanks of a field go, leading ones stay
        TIdnCase{"VK , 6180-6  ,12 ,1.0 - 2.0 ", TIdnOutcome::Complete, "VK", " 6180-6", 12, "1.0",
                 " 2.0"},
        // white space is every code of 32 or less, as for any reply: control bytes go,
        // Latin-1 no-break space and next-line (0xA0, 0x85) are characters of the field
        TIdnCase{"VK\x01,6180-12\x1f,7\x7f,1.0\x02-2.0", TIdnOutcome::SerialNotNumber, "VK",
                 "6180-12", 999, "9.9", "8.8"},
        TIdnCase{"VK\x01,6180-12\x1f,7\x10,1.0\x02-2.0", TIdnOutcome::Complete, "VK", "6180-12", 7,
                 "1.0", "2.0"},
        TIdnCase{"VK\xa0,6180-12\x85,7,1.0-2.0\xa0", TIdnOutcome::Complete, "VK\xa0", "6180-12\x85",
                 7, "1.0", "2.0\xa0"},
        // no comma at all: empty brand and model, no serial
        TIdnCase{"garbage reply text", TIdnOutcome::SerialNotNumber, "", "", 999, "9.9", "8.8"}));

TEST(Idn, BinaryAndLongRepliesNeverCrash) {
    TIdentity id;
    QString junk;
    for (int i = 0; i < 100000; ++i)
        junk += QChar(static_cast<char16_t>(i % 256));
    ParseIDN(junk, id);
    ParseIDN(QString(200000, QLatin1Char(',')), id);
    EXPECT_EQ(id.SerialNumber, 0);
    ParseIDN(QString(200000, QLatin1Char('-')), id);
    SUCCEED();
}

TEST(ModelTable, ChannelCounts) {
    const std::vector<std::pair<const char *, int>> cases = {
        {"6180-6", 6},   {"4190-6", 6},   {"631K-6", 6},   {"627-6", 6},    {"6180-12", 12},
        {"4190-12", 12}, {"631K-12", 12}, {"627-12", 12},  {"6180-24", 24}, {"4190-24", 24},
        {"631K-24", 24}, {"627-24", 24},  {"6180-36", 36}, {"4190-36", 36}, {"631K-36", 36},
        {"627-36", 36},  {"", 12},        {" 6180-6", 12}, {"6180-6 ", 12}, {"631k-6", 12},
        {"6180-48", 12}};
    for (const auto &[model, count] : cases)
        EXPECT_EQ(ModelChannelCount(QString::fromLatin1(model)), count) << model;
}

TEST(ModelTable, LeadingBlankModelFromReplyGivesTwelveChannels) {
    TIdentity id;
    ParseIDN(QStringLiteral("VK, 6180-6,1,1.0-1.0"), id);
    EXPECT_EQ(ModelChannelCount(id.ModelNumber), 12);
}

TEST(ModelTable, FifteenAcceptedModelsWithout627_6) {
    EXPECT_EQ(AcceptedModels().size(), 15);
    for (const char *m :
         {"6180-6", "6180-12", "6180-24", "6180-36", "4190-6", "4190-12", "4190-24", "4190-36",
          "631K-6", "631K-12", "631K-24", "631K-36", "627-12", "627-24", "627-36"})
        EXPECT_TRUE(IsAcceptedModel(QString::fromLatin1(m))) << m;
    for (const char *m : {"627-6", "", "6180-12 ", "631k-12", "6180"})
        EXPECT_FALSE(IsAcceptedModel(QString::fromLatin1(m))) << m;
}

TEST(BrandTable, CompanyBannerAndSite) {
    const TBrandInfo vk = BrandInfo(QStringLiteral("VK"));
    EXPECT_EQ(vk.CompanyName, "Orvane Selkrin");
    EXPECT_EQ(vk.Banner, TBanner::VKBlue);
    EXPECT_FALSE(vk.WebSite.isEmpty());
    const TBrandInfo htx = BrandInfo(QStringLiteral("HTX"));
    EXPECT_EQ(htx.CompanyName, "Halvorn Trevaxis");
    EXPECT_EQ(htx.Banner, TBanner::HTX);
    EXPECT_FALSE(htx.WebSite.isEmpty());
    EXPECT_NE(htx.WebSite, vk.WebSite);
    for (const char *other : {"", "vk", "Htx", "VK "}) {
        const TBrandInfo b = BrandInfo(QString::fromLatin1(other));
        EXPECT_EQ(b.CompanyName, "Unknown") << other;
        EXPECT_EQ(b.Banner, TBanner::None);
        EXPECT_TRUE(b.WebSite.isEmpty());
    }
}

} // namespace
