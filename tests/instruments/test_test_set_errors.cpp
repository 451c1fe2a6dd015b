#include "sim/a8960/Virtual8960.h"
#include "sim/wt4400/Virtual4400.h"
#include "tests/instruments/InstrumentRig.h"

#include <QRegularExpression>
#include <QTest>
#include <gmock/gmock.h>

// Operations without a test set, the two-failure rule, and failed initialisations.

namespace {

class TestSetErrors : public InstrumentRig {
protected:
    void SetUp() override {
        InstrumentRig::SetUp();
        StartBench();
    }

    void FailNext8960Command() {
        bench->Instruments().Run8960([](Virtual8960& a8960) { a8960.FailNextCommand(); });
    }
};

} // namespace

TEST_F(TestSetErrors, withoutAnOpenTestSetNothingIsTalkedToAndGuardedOperationsOnlyRaiseTheFault) {
    const TestSetOpening none = testSet->InitTestSet();
    EXPECT_FALSE(none.opened);
    EXPECT_TRUE(none.failureText.isEmpty());
    for (const std::int32_t type : {kTestSetNone, kTestSet8960, kTestSet4400}) {
        Choose(type);
        cal.instrumentFault = 0;
        // The quiet operations, then the guarded ones; none has a value to return.
        testSet->SetTrafficChannel();
        EXPECT_EQ(testSet->ReadReportedRxLevel(), std::nullopt);
        testSet->SetupCwDownlink();
        testSet->ConfigureCwGenerator();
        EXPECT_EQ(cal.instrumentFault, 0) << type;
        testSet->SetupTxMeasurement();
        testSet->ConfigureTxCalibration();
        testSet->SetMsPowerLevel();
        EXPECT_EQ(testSet->MeasureTxPower(), std::nullopt);
        testSet->SetTxLevelAndChannel();
        testSet->SetRxLossAndLevel();
        EXPECT_FALSE(testSet->WaitForCallConnected());
        EXPECT_EQ(cal.instrumentFault, 1) << type;
        testSet->PresetTestSet();
        testSet->ClearAndResetTestSet();
    }
    EXPECT_TRUE(Lines8960().isEmpty());
    EXPECT_TRUE(Lines4400().isEmpty());
    EXPECT_EQ(cal.instrumentErrorCount, 0);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(TestSetErrors, theFirstFailureOfARunIsToleratedAndTheSecondStopsItAndClosesTheTestSet) {
    Open(kTestSet8960);
    FailNext8960Command();
    testSet->SetTrafficChannel();
    EXPECT_EQ(cal.instrumentErrorCount, 1);
    EXPECT_EQ(cal.instrumentFault, 0);
    EXPECT_NE(testSet->Session(), 0u);
    // The device clear is no line; the error was read to empty the queue.
    bench->Instruments().Run8960([](Virtual8960& a8960) {
        EXPECT_EQ(a8960.Receive("SYST:ERR?").value_or(""), "0,\"No error\"");
    });

    FailNext8960Command();
    testSet->SetTrafficChannel();
    EXPECT_EQ(cal.instrumentFault, 1);
    EXPECT_EQ(cal.instrumentErrorCount, 0);
    EXPECT_EQ(testSet->Session(), 0u);
    // The stop presets the test set before it reports the stop: the run ends stopped, not idle.
    EXPECT_EQ(events, (QList<TestSetEvent>{TestSetEvent::Opened, TestSetEvent::Preset,
                                           TestSetEvent::RunStopped}));
    EXPECT_EQ(Lines8960().last(), "SYST:PRES3");
    // A stopped test set is left alone until it is opened again.
    ForgetLines();
    testSet->MeasureTxPower();
    EXPECT_TRUE(Lines8960().isEmpty());
}

TEST_F(TestSetErrors, theWilltekIsResetAfterAFailureAndClosedAfterTheSecond) {
    Open(kTestSet4400);
    bench->Instruments().Run([](Virtual4400& wt4400) { wt4400.FailNextCommand(); });
    testSet->SetupTxMeasurement();
    EXPECT_EQ(cal.instrumentErrorCount, 1);
    EXPECT_NE(testSet->Session(), 0u);
    EXPECT_TRUE(Lines4400().contains("*RST"));
    bench->Instruments().Run([](Virtual4400& wt4400) { wt4400.FailNextCommand(); });
    testSet->SetupTxMeasurement();
    EXPECT_EQ(cal.instrumentFault, 1);
    EXPECT_EQ(testSet->Session(), 0u);
    EXPECT_EQ(cal.instrumentErrorCount, 0);
}

TEST_F(TestSetErrors, aFailedInitialisationSaysWhyAndLeavesNoSession) {
    bench->Instruments().Run8960([](Virtual8960& a8960) { a8960.SetIdentity("ACME,SA1,1,0"); });
    Choose(kTestSet8960);
    const TestSetOpening a8960 = testSet->InitTestSet();
    EXPECT_FALSE(a8960.opened);
    EXPECT_EQ(testSet->Session(), 0u);
    EXPECT_EQ(a8960.failureText.toStdString(), "\ninit failed with return code -1074003951.\n");

    bench->Instruments().Run([](Virtual4400& wt4400) { wt4400.SetIdentity("ACME,SA1,1,0"); });
    Choose(kTestSet4400);
    const TestSetOpening wt4400 = testSet->InitTestSet();
    EXPECT_FALSE(wt4400.opened);
    EXPECT_EQ(testSet->Session(), 0u);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\ninit failed with return code -\\d+\\.\n$"))
                    .match(wt4400.failureText)
                    .hasMatch())
        << wt4400.failureText.toStdString();
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(TestSetErrors, openingTwiceClosesTheFirstSessionBeforeTheSecondInitialise) {
    InstrumentBench& instruments = bench->Instruments();
    const std::function<int()> connections[] = {[&] { return instruments.Connections8960(); },
                                                [&] { return instruments.Connections4400(); }};
    const std::int32_t types[] = {kTestSet8960, kTestSet4400};
    for (int i = 0; i < 2; ++i) {
        Choose(types[i]);
        ASSERT_TRUE(testSet->InitTestSet().opened);
        ASSERT_TRUE(testSet->InitTestSet().opened);
        EXPECT_NE(testSet->Session(), 0u);
        // The server sees a closed connection a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return connections[i]() == 1; }, 2000));
        testSet->CloseTestSet();
        EXPECT_TRUE(QTest::qWaitFor([&] { return connections[i]() == 0; }, 2000));
    }
}

TEST_F(TestSetErrors, aTestSetThatHasGoneStopsTheRunOnceInsteadOfFailingWithoutEnd) {
    Open(kTestSet8960);
    bench.reset(); // every call now fails, the preset and close of the stop included
    testSet->SetupTxMeasurement();
    EXPECT_EQ(cal.instrumentFault, 1);
    EXPECT_EQ(testSet->Session(), 0u);
    EXPECT_EQ(cal.instrumentErrorCount, 0);
    // The failed preset of the stop is not one more failure that stops the run again.
    EXPECT_EQ(events, (QList<TestSetEvent>{TestSetEvent::Opened, TestSetEvent::Preset,
                                           TestSetEvent::RunStopped}));
}
