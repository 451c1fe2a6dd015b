#pragma once

#include "autocal/CalibrationContext.h"
#include "instruments/Supply.h"
#include "instruments/TestSet.h"
#include "sim/bench/SimBench.h"

#include <QByteArrayList>
#include <QList>
#include <gtest/gtest.h>

#include <memory>

// The station's test set and supply against the simulated bench's virtual instruments, over real
// loopback sockets, with a fresh calibration context and waits that cost nothing.
class InstrumentRig : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the bench and points the instrument addresses at it.
    void StartBench(BenchOptions options = {});
    // GSM traffic channel 62 at level 5 with the bench's GSM cable loss, BCH 20.
    void OnGsmChannel62();
    // Makes the test set or the supply of a configured type, as a calibration run does.
    void Choose(std::int32_t testSetType);
    void ChooseSupply(std::int32_t supplyType);
    // Chooses the test set, opens it and forgets the lines of the opening.
    void Open(std::int32_t testSetType);

    // The lines each instrument received, without the error-queue and "*OPC?" traffic.
    QByteArrayList Lines8960();
    QByteArrayList Lines4400();
    QByteArrayList LinesSupply();
    void ForgetLines();

    std::unique_ptr<SimBench> bench;
    CalibrationContext cal;
    QList<TestSetEvent> events; // what the test set reported, in order
    std::unique_ptr<TestSet> testSet = MakeTestSet(cal.config.testSetType, cal);
    std::unique_ptr<Supply> supply = MakeSupply(cal.config.supplyType, cal);
};

// The rig with the bench started, on GSM traffic channel 62.
class ChannelRig : public InstrumentRig {
protected:
    void SetUp() override {
        InstrumentRig::SetUp();
        StartBench();
        OnGsmChannel62();
    }
};
