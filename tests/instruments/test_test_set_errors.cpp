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

// Every guarded operation, and every quiet one; none has a value to return without a session.
void RunGuarded(TestSet& testSet) {
    testSet.SetupTxMeasurement();
    testSet.ConfigureTxCalibration();
    testSet.SetMsPowerLevel();
    EXPECT_EQ(testSet.MeasureTxPower(), std::nullopt);
    testSet.SetTxLevelAndChannel();
    testSet.SetRxLossAndLevel();
}

void RunQuiet(TestSet& testSet) {
    testSet.SetTrafficChannel();
    EXPECT_EQ(testSet.ReadReportedRxLevel(), std::nullopt);
    testSet.SetupCwDownlink();
    testSet.ConfigureCwGenerator();
}

} // namespace

TEST_F(TestSetErrors, withoutATestSetNothingIsOpenedAndGuardedOperationsOnlyRaiseTheFault) {
    EXPECT_FALSE(testSet->InitTestSet());
    RunQuiet(*testSet);
    EXPECT_EQ(cal.instrumentFault, 0);
    RunGuarded(*testSet);
    EXPECT_EQ(cal.instrumentFault, 1);
    EXPECT_FALSE(testSet->WaitForCallConnected());
    testSet->PresetTestSet();
    testSet->ClearAndResetTestSet();
    EXPECT_TRUE(Lines8960().isEmpty());
    EXPECT_TRUE(Lines4400().isEmpty());
    EXPECT_EQ(cal.instrumentErrorCount, 0);
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(TestSetErrors, aChosenTestSetThatIsNotOpenIsNotTalkedToByGuardedOrQuietOperations) {
    for (const std::int32_t type : {kTestSet8960, kTestSet4400}) {
        Choose(type);
        cal.instrumentFault = 0;
        RunQuiet(*testSet);
        EXPECT_EQ(cal.instrumentFault, 0);
        RunGuarded(*testSet);
        EXPECT_FALSE(testSet->WaitForCallConnected());
        EXPECT_EQ(cal.instrumentFault, 1);
    }
    EXPECT_TRUE(Lines8960().isEmpty());
    EXPECT_TRUE(Lines4400().isEmpty());
}

TEST_F(TestSetErrors, theFirstFailureOfARunIsToleratedAndTheSecondStopsItAndClosesTheTestSet) {
    Open(kTestSet8960);
    cal.stepState = 12;
    cal.lastStep = 11;
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
    EXPECT_EQ(cal.stepState, kStepStopped);
    EXPECT_EQ(cal.lastStep, 0);
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

TEST_F(TestSetErrors, aFailedInitialisationTellsTheOperatorAndLeavesNoSession) {
    bench->Instruments().Run8960([](Virtual8960& a8960) { a8960.SetIdentity("ACME,SA1,1,0"); });
    Choose(kTestSet8960);
    EXPECT_FALSE(testSet->InitTestSet());
    EXPECT_EQ(testSet->Session(), 0u);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0].toStdString(), "\ninit failed with return code -1074003951.\n");

    bench->Instruments().Run([](Virtual4400& wt4400) { wt4400.SetIdentity("ACME,SA1,1,0"); });
    Choose(kTestSet4400);
    EXPECT_FALSE(testSet->InitTestSet());
    EXPECT_EQ(testSet->Session(), 0u);
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\ninit failed with return code -\\d+\\.\n$"))
                    .match(messages.texts[1])
                    .hasMatch())
        << messages.texts[1].toStdString();
}

TEST_F(TestSetErrors, openingTwiceClosesTheFirstSessionBeforeTheSecondInitialise) {
    InstrumentBench& instruments = bench->Instruments();
    const std::function<int()> connections[] = {[&] { return instruments.Connections8960(); },
                                                [&] { return instruments.Connections4400(); }};
    const std::int32_t types[] = {kTestSet8960, kTestSet4400};
    for (int i = 0; i < 2; ++i) {
        Choose(types[i]);
        ASSERT_TRUE(testSet->InitTestSet());
        ASSERT_TRUE(testSet->InitTestSet());
        EXPECT_NE(testSet->Session(), 0u);
        // The server sees a closed connection a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return connections[i]() == 1; }, 2000));
        testSet->CloseTestSet();
        EXPECT_TRUE(QTest::qWaitFor([&] { return connections[i]() == 0; }, 2000));
    }
}

// Counts the warnings the instrument layer logs while it lives.
class WarningCounter {
public:
    WarningCounter() : previous_(qInstallMessageHandler(Count)) { count_ = 0; }
    ~WarningCounter() { qInstallMessageHandler(previous_); }
    WarningCounter(const WarningCounter&) = delete;
    WarningCounter& operator=(const WarningCounter&) = delete;
    int Count() const { return count_; }

private:
    static void Count(QtMsgType type, const QMessageLogContext&, const QString&) {
        if (type == QtWarningMsg)
            ++count_;
    }
    static inline int count_ = 0;
    QtMessageHandler previous_;
};

TEST_F(TestSetErrors, aTestSetThatHasGoneStopsTheRunOnceInsteadOfFailingWithoutEnd) {
    Open(kTestSet8960);
    WarningCounter warnings;
    bench.reset(); // every call now fails, the preset and close of the stop included
    testSet->SetupTxMeasurement();
    EXPECT_EQ(cal.instrumentFault, 1);
    EXPECT_EQ(testSet->Session(), 0u);
    EXPECT_EQ(cal.instrumentErrorCount, 0);
    EXPECT_EQ(cal.stepState, kStepStopped);
    // Two failed calls, their error reads and the one preset of the stop: a handful of lost
    // connections, not one per preset retried.
    EXPECT_LT(warnings.Count(), 20);
}
