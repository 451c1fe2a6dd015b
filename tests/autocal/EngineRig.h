#pragma once

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationConfig.h"
#include "autocal/CalibrationEngine.h"
#include "sim/bench/SimBench.h"
#include "station/CalibrationStation.h"
#include "tests/autocal/EngineRecorder.h"
#include "tests/autocal/EventWait.h"
#include "tests/autocal/TargetTap.h"
#include "tests/autocal/WireLines.h"
#include "tests/support/QtPrinting.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The calibration station's engine on its own thread against the simulated bench, on a shortened
// clock: the target's line through a tap that keeps every packet, the instruments on the bench's
// loopback sockets, "calresult.txt" in a directory of the test's own.
class EngineRig : public testing::Test {
protected:
    static constexpr double kTimeScale = 0.01;

    void SetUp() override;
    void TearDown() override;

    // A bench (the supply of supplyType on it) and the station configured for testSetType and
    // supplyType; what ran before is stopped.
    void StartStation(std::int32_t testSetType, std::int32_t supplyType, BenchOptions options = {});
    // Runs work on the engine's thread, after what it is doing.
    void Call(const std::function<void(CalibrationEngine&)>& work);
    // "Instrument Check"; with a supply in the "RF CALIBRATION" mode, until the bench's unit is
    // detected.
    void CheckInstruments();

    // The lines the station has written to the target so far.
    QStringList Lines() const { return wire.LinesOf(tap->Packets()); }
    // The lines the configured test set has received so far (its last kKeptLines).
    QList<QByteArray> TestSetLines() const;
    QString ResultPath() const;
    QByteArray ResultFile() const;

    CalibrationConfig config;
    bool rfMode = true; // the mode combo, set as the station starts
    ResultHeader header{QStringLiteral("QM310/QT310"), QStringLiteral("DVT2"),
                        QStringLiteral("bench 7")};
    QTemporaryDir resultDir;
    WireLines wire;
    std::unique_ptr<SimBench> bench;
    std::unique_ptr<TargetTap> tap;
    std::unique_ptr<CComm> comm;
    std::unique_ptr<CalibrationStation> station;
    std::unique_ptr<EngineRecorder> log;

private:
    void StopStation();
};
