#include "sim/bench/BenchOptions.h"
#include "sim/supply/VirtualSupply.h"

#include <QCommandLineParser>
#include <gtest/gtest.h>

#include <utility>

namespace {

bool Read(const QStringList& arguments, BenchOptions* options, QString* error) {
    QCommandLineParser parser;
    AddBenchOptions(parser);
    if (!parser.parse(QStringList{"rftune-sim"} + arguments)) {
        *error = parser.errorText();
        return false;
    }
    return ReadBenchOptions(parser, options, error);
}

} // namespace

TEST(BenchInstrumentOptions, defaultToTheStationsBenchAndTakeEachOptionAlone) {
    BenchOptions options;
    QString error;
    ASSERT_TRUE(Read({}, &options, &error)) << error.toStdString();
    EXPECT_EQ(options.instruments.supply, VirtualSupplyModel::kE3632A);
    EXPECT_EQ(options.instruments.gsmCableLossDb, 1.3);
    EXPECT_EQ(options.instruments.dcsCableLossDb, 1.8);
    EXPECT_TRUE(options.instruments.failedMeasurements.isEmpty());

    ASSERT_TRUE(Read({"--supply", "66311b", "--cable-loss-gsm", "0.5"}, &options, &error));
    EXPECT_EQ(options.instruments.supply, VirtualSupplyModel::k66311B);
    EXPECT_EQ(options.instruments.gsmCableLossDb, 0.5);
    EXPECT_EQ(options.instruments.dcsCableLossDb, 1.8);
    ASSERT_TRUE(Read({"--cable-loss-dcs", "2.25"}, &options, &error));
    EXPECT_EQ(options.instruments.dcsCableLossDb, 2.25);
    ASSERT_TRUE(Read({"--fail-measurement", "4"}, &options, &error));
    EXPECT_EQ(options.instruments.failedMeasurements, QList<int>{4});
    ASSERT_TRUE(Read({"--fail-measurement", "73,4,74"}, &options, &error));
    EXPECT_EQ(options.instruments.failedMeasurements, (QList<int>{73, 4, 74}));
    EXPECT_EQ(options.instruments.face.kind, BenchFace::kSocket);
    ASSERT_TRUE(Read({"--bench-face", "vxi11", "--vxi11-max-recv", "16", "--vxi11-stale-reply"},
                     &options, &error));
    EXPECT_EQ(options.instruments.face.kind, BenchFace::kVxi11);
    EXPECT_EQ(options.instruments.face.vxi11.maxRecvSize, 16u);
    EXPECT_TRUE(options.instruments.face.vxi11.staleReplies);
    EXPECT_FALSE(Read({"--bench-face", "gpib"}, &options, &error));
    EXPECT_EQ(error,
              "unknown --bench-face \"gpib\" (socket, vxi11, prologix-tcp, prologix-serial)");
}

// A supply is named as on its front, in any case and with or without the leading E; each model's
// own name, which the bench's status shows, is taken back.
TEST(BenchInstrumentOptions, aSupplyIsTakenByItsNameAndAnUnknownOneIsRefusedWithTheNames) {
    const std::pair<const char*, VirtualSupplyModel> names[] = {
        {"66311B", VirtualSupplyModel::k66311B}, {"E3631A", VirtualSupplyModel::kE3631A},
        {"3631A", VirtualSupplyModel::kE3631A},  {"e3632a", VirtualSupplyModel::kE3632A},
        {"3633A", VirtualSupplyModel::kE3633A},  {" E3633A ", VirtualSupplyModel::kE3633A},
    };
    BenchOptions options;
    QString error;
    for (const auto& [name, model] : names) {
        options.instruments.supply = VirtualSupplyModel::kE3632A;
        ASSERT_TRUE(Read({"--supply", name}, &options, &error)) << name;
        EXPECT_EQ(options.instruments.supply, model) << name;
        ASSERT_TRUE(Read({"--supply", VirtualSupply::ModelName(model)}, &options, &error));
        EXPECT_EQ(options.instruments.supply, model) << name;
    }
    for (const char* name : {"E3634A", "", "E66311B", "6631", "E3632"}) {
        EXPECT_FALSE(Read({"--supply", name}, &options, &error)) << name;
        EXPECT_EQ(
            error,
            QStringLiteral("unknown --supply \"%1\" (66311B, E3631A, E3632A, E3633A)").arg(name));
    }
}

TEST(BenchInstrumentOptions, aBadLossOrMeasurementNumberIsRefusedWithItsReason) {
    BenchOptions options;
    QString error;
    for (const char* loss : {"-0.5", "1,5", "nan", "inf", ""}) {
        error.clear();
        EXPECT_FALSE(Read({"--cable-loss-dcs", loss}, &options, &error)) << loss;
        EXPECT_TRUE(error.startsWith("bad --cable-loss-dcs value")) << error.toStdString();
    }
    EXPECT_EQ(options.instruments.dcsCableLossDb, 1.8);
    // Measurements count from 1, and a list has no empty entries.
    for (const char* numbers : {"0", "-1", "4,", ",4", "4;5", "x", ""}) {
        error.clear();
        EXPECT_FALSE(Read({"--fail-measurement", numbers}, &options, &error)) << numbers;
        EXPECT_EQ(error, QStringLiteral("bad --fail-measurement value \"%1\" (measurement numbers "
                                        "from 1, such as 4 or 4,5)")
                             .arg(numbers));
    }
    EXPECT_TRUE(options.instruments.failedMeasurements.isEmpty());
}
