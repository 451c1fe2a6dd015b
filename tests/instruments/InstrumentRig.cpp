#include "tests/instruments/InstrumentRig.h"

#include "base/StationClock.h"
#include "drivers/wt4400/wt4400.h"
#include "sim/a8960/Virtual8960.h"
#include "sim/supply/VirtualSupply.h"
#include "sim/wt4400/Virtual4400.h"
#include "visa/VisaConfig.h"

namespace {

QByteArrayList Commands(const QList<QByteArray>& lines) {
    QByteArrayList commands;
    for (const QByteArray& line : lines) {
        const QByteArray bare = line.startsWith(':') ? line.mid(1) : line;
        if (bare != "SYST:ERR?" && bare != "*OPC?")
            commands.append(line);
    }
    return commands;
}

} // namespace

void InstrumentRig::SetUp() {
    StationClock::SetScale(0.0);
}

void InstrumentRig::TearDown() {
    testSet->CloseTestSet();
    supply->CloseSupply();
    VisaConfig::Instance().ClearAliases();
    StationClock::SetScale(1.0);
}

void InstrumentRig::StartBench(BenchOptions options) {
    bench = std::make_unique<SimBench>(options);
    QString error;
    ASSERT_TRUE(bench->Start(&error)) << error.toStdString();
    for (const QString& alias : bench->VisaAliases())
        ASSERT_TRUE(VisaConfig::Instance().ApplyAliasOption(alias, &error)) << error.toStdString();
}

void InstrumentRig::OnGsmChannel62() {
    cal.band = kBandEgsm;
    cal.bchChannel = 20;
    cal.tchChannel = 62;
    cal.powerLevel = 5;
    cal.cableLossDb = -1.3;
}

void InstrumentRig::Choose(std::int32_t testSetType) {
    cal.config.testSetType = testSetType;
    testSet = MakeTestSet(testSetType, cal, [this](TestSetEvent event) { events.append(event); });
}

void InstrumentRig::ChooseSupply(std::int32_t supplyType) {
    cal.config.supplyType = supplyType;
    supply = MakeSupply(supplyType, cal);
}

void InstrumentRig::Open(std::int32_t testSetType) {
    Choose(testSetType);
    ASSERT_TRUE(testSet->InitTestSet().opened);
    ForgetLines();
}

QByteArrayList InstrumentRig::Lines8960() {
    QList<QByteArray> lines;
    bench->Instruments().Run8960([&](Virtual8960& a8960) { lines = a8960.ReceivedLines(); });
    return Commands(lines);
}

QByteArrayList InstrumentRig::Lines4400() {
    // The Willtek's lines are written without waiting for an answer: a query behind them makes
    // sure the instrument has read them all.
    if (cal.config.testSetType == kTestSet4400 && testSet->Session() != 0) {
        ViChar reply[32] = {};
        wt4400_query(testSet->Session(), "*OPC?", reply, sizeof reply);
    }
    QList<QByteArray> lines;
    bench->Instruments().Run([&](Virtual4400& wt4400) { lines = wt4400.ReceivedLines(); });
    return Commands(lines);
}

QByteArrayList InstrumentRig::LinesSupply() {
    QList<QByteArray> lines;
    bench->Instruments().RunSupply(
        [&](VirtualSupply& virtualSupply) { lines = virtualSupply.ReceivedLines(); });
    return Commands(lines);
}

void InstrumentRig::ForgetLines() {
    bench->Instruments().Run8960([](Virtual8960& a8960) { a8960.ClearReceivedLines(); });
    bench->Instruments().Run([](Virtual4400& wt4400) { wt4400.ClearReceivedLines(); });
    bench->Instruments().RunSupply(
        [](VirtualSupply& virtualSupply) { virtualSupply.ClearReceivedLines(); });
}
