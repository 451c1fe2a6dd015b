#include "tests/autocal/EngineRig.h"

#include "base/StationClock.h"
#include "sim/a8960/Virtual8960.h"
#include "sim/wt4400/Virtual4400.h"
#include "visa/VisaConfig.h"

#include <QFile>

namespace {

constexpr int kTargetBaud = 115200;

VirtualSupplyModel BenchSupplyFor(std::int32_t supplyType) {
    switch (supplyType) {
    case kSupply66311B:
        return VirtualSupplyModel::k66311B;
    case kSupply3631A:
        return VirtualSupplyModel::kE3631A;
    default:
        return VirtualSupplyModel::kE3632A;
    }
}

} // namespace

void EngineRig::SetUp() {
    StationClock::SetScale(kTimeScale);
    ASSERT_TRUE(resultDir.isValid());
}

void EngineRig::TearDown() {
    StopStation();
    StationClock::SetScale(1.0);
}

void EngineRig::StopStation() {
    station.reset(); // closes the instruments on the engine's thread
    log.reset();
    if (comm)
        comm->Close();
    comm.reset();
    tap.reset();
    if (bench) {
        QString error;
        EXPECT_TRUE(bench->Stop(&error)) << error.toStdString();
    }
    bench.reset();
    VisaConfig::Instance().ClearAliases();
    VisaConfig::Instance().ClearBoards();
}

void EngineRig::StartStation(std::int32_t testSetType, std::int32_t supplyType,
                             BenchOptions options) {
    StopStation();
    options.instruments.supply = BenchSupplyFor(supplyType);
    options.restartMs = static_cast<int>(options.restartMs * kTimeScale);
    bench = std::make_unique<SimBench>(options);
    QString error;
    ASSERT_TRUE(bench->Start(&error)) << error.toStdString();
    for (const QString& alias : bench->VisaAliases())
        ASSERT_TRUE(VisaConfig::Instance().ApplyAliasOption(alias, &error)) << error.toStdString();
    for (const QString& board : bench->VisaBoards())
        ASSERT_TRUE(VisaConfig::Instance().ApplyBoardOption(board, &error)) << error.toStdString();
    tap = std::make_unique<TargetTap>();
    ASSERT_TRUE(tap->Open(bench->TargetDevice(), &error)) << error.toStdString();
    comm = std::make_unique<CComm>();
    ASSERT_EQ(comm->OpenDevice(tap->StationDevice(), kTargetBaud), 1)
        << comm->LastError().toStdString();

    station = std::make_unique<CalibrationStation>(*comm, std::nullopt);
    log = std::make_unique<EngineRecorder>();
    log->Listen(station->Engine());
    log->closeOkFail = [this] {
        Call([](CalibrationEngine& engine) { engine.AcknowledgeFailure(); });
    };
    config = DefaultConfig();
    config.testSetType = testSetType;
    config.supplyType = supplyType;
    Call([config = config, rf = rfMode, header = header,
          directory = resultDir.path()](CalibrationEngine& engine) {
        engine.SetConfig(config);
        engine.SetRfMode(rf);
        engine.SetResultHeader(header);
        engine.SetResultDirectory(directory);
    });
}

void EngineRig::Call(const std::function<void(CalibrationEngine&)>& work) {
    station->Call(work);
}

void EngineRig::CheckInstruments() {
    Call([](CalibrationEngine& engine) { engine.InstrumentCheck(); });
    if (config.supplyType != kSupplyNone && rfMode) {
        ASSERT_TRUE(WaitFor([this] { return log->phonesDetected > 0; }));
    }
}

QList<QByteArray> EngineRig::TestSetLines() const {
    QList<QByteArray> lines;
    if (config.testSetType == kTestSet4400)
        bench->Instruments().Run([&lines](Virtual4400& wt4400) { lines = wt4400.ReceivedLines(); });
    else
        bench->Instruments().Run8960(
            [&lines](Virtual8960& a8960) { lines = a8960.ReceivedLines(); });
    return lines;
}

QString EngineRig::ResultPath() const {
    return resultDir.filePath(QStringLiteral("calresult.txt"));
}

QByteArray EngineRig::ResultFile() const {
    QFile file(ResultPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
