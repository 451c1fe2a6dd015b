// The board calibration ("Battery CAL") on the simulated bench.
#include "tests/autocal/EngineRig.h"

#include "autocal/BoardCalibration.h"
#include "link/TargetSession.h"

#include <QLocale>
#include <QRegularExpression>

#include <atomic>

namespace {

// The clock line the target must get for the time the station showed (the line's own format is
// test_calibration_steps.cpp's).
QString ClockLineFor(const QString& shown) {
    const QDateTime time =
        QLocale::c().toDateTime(shown, QStringLiteral("HH:mm:ss, dddd, MMMM dd, yyyy"));
    EXPECT_TRUE(time.isValid()) << shown.toStdString();
    return QString::fromLatin1(ClockLine(time));
}

int Count(const QStringList& lines, const QString& line) {
    return static_cast<int>(lines.count(line));
}

// The board calibration needs no test set: the station checks its instruments in the "BOARD
// CALIBRATION" mode, where nothing waits for a target on the supply.
class BoardRun : public EngineRig {
protected:
    BoardRun() { rfMode = false; }
};

} // namespace

TEST_F(BoardRun, readsTheBatteryUntilItSettlesThenSavesTheBoardAndSetsClockAndDisplay) {
    StartStation(kTestSetNone, kSupply3632A);
    CheckInstruments();
    Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_BOARD); });
    // The popup and the run's end come one after the other from the engine's thread.
    ASSERT_TRUE(WaitFor([this] { return !log->okFails.isEmpty() && !log->ends.isEmpty(); }));
    EXPECT_EQ(log->okFails, QStringList{"!!!  SUCCESS  !!!"});
    EXPECT_EQ(log->ends, (QList<RunEnd>{{RunOutcome::Success, CAL_BOARD, 0, {}}}));

    const QStringList lines = Lines();
    const int readings = Count(lines, "spr 54");
    EXPECT_GE(readings, 3); // the steadiness test needs three
    ASSERT_EQ(log->clocks.size(), 1);
    const int battery = log->results.value(CAL_BOARD).battery;
    EXPECT_GE(battery, 613);
    EXPECT_LE(battery, 628);
    const QStringList expected = QStringList{"se 6", "se 300", "ti", "tms 1", "se 54"} +
                                 QStringList(readings, "spr 54") +
                                 QStringList{"spw 54 " + QString::number(battery),
                                             "se 11",
                                             ClockLineFor(log->clocks[0]),
                                             "spw 51 22",
                                             "spw 52 26",
                                             "spw 53 2"};
    wire.Add(expected[expected.size() - 4]);
    EXPECT_EQ(Lines(), expected);

    EXPECT_TRUE(
        InOrder(log->statuses,
                {"EEPROM FULL RESET", "TESTMODE INIT.", "TESTMODE SET.", "BAT CAL Processing...",
                 "LOGIC DATA SAVED.", "RTC SETTING OK !!!", "MAIN LCD SAVED.", "SUB LCD VOL SAVED.",
                 "SUB LCD V0 SAVED. 성공적으로 끝났습니다."}))
        << log->statuses.join('|').toStdString();
    EXPECT_EQ(ResultFile(), "\r\n##########  Phone Model :  QM310/QT310  stage : DVT2  name : "
                            "bench 7  ##########\r\n***** Battery Calibration *****\r\n"
                            "Battery value     " +
                                QByteArray::number(battery) + "\r\n");
    // The target keeps the value, and the supply is back at the operating point.
    EXPECT_EQ(bench->Target().State().Logic().batteryCalibration, battery);
    EXPECT_TRUE(bench->Status().contains("output on at 3.800 V")) << bench->Status().toStdString();
}

TEST_F(BoardRun, aBatteryOutsideTheWindowIsReadOnWithTheReadingShown) {
    BenchOptions options;
    options.unit.flaw = UnitFlaw::kBattery;
    StartStation(kTestSetNone, kSupply3632A, options);
    CheckInstruments();
    Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_BOARD); });
    ASSERT_TRUE(WaitFor([this] { return Count(Lines(), "spr 54") >= 5; }));

    EXPECT_FALSE(Lines().join('|').contains("spw 54"));
    EXPECT_EQ(log->okFails, QStringList());
    const QRegularExpression shown("^BAT CAL Processing\\.\\.\\. battery (\\d+)$");
    const QStringList readings = log->statuses.filter(shown);
    ASSERT_FALSE(readings.isEmpty());
    EXPECT_GT(shown.match(readings.last()).captured(1).toInt(), 628);
    Call([](CalibrationEngine& engine) { engine.InstrumentCheck(); }); // the operator's way out
}

TEST_F(BoardRun, aTargetThatDoesNotAnswerFailsItAtOnce) {
    StartStation(kTestSetNone, kSupplyNone);
    bench->Target().SetFaults({0, 0, 0, true});
    Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_BOARD); });
    ASSERT_TRUE(WaitFor([this] { return !log->okFails.isEmpty() && Lines().size() == 2; }));
    EXPECT_EQ(log->okFails, QStringList{"******  BATCAL FAIL  ******"});
    EXPECT_EQ(log->ends.value(0).calibration, CAL_BOARD);
    EXPECT_EQ(Lines(), (QStringList{"se 6", "rfe 0"})); // the stop's "rfe 0", no repeat
}

// A run left in its midst, by STOP or by "Instrument Check", leaves every calibration at rest and
// gives the target channel back: on a bench without a test set, whose check puts no idle state
// back, the next "Battery CAL" starts again at "se 6" instead of resuming at the battery readings.
TEST_F(BoardRun, aRunLeftInItsMidstStartsAgainFromItsFirstStepAndFreesTheChannel) {
    const std::function<void(CalibrationEngine&)> leaveRun[] = {
        [](CalibrationEngine& engine) { engine.StopRun(); },
        [](CalibrationEngine& engine) { engine.InstrumentCheck(); },
    };
    StartStation(kTestSetNone, kSupply3632A);
    for (const auto& leave : leaveRun) {
        CheckInstruments();
        Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_BOARD); });
        ASSERT_TRUE(WaitFor([this] { return Lines().contains("tms 1"); }));
        std::atomic<bool> left{false};
        Call([&](CalibrationEngine& engine) {
            leave(engine);
            left = true;
        });
        ASSERT_TRUE(WaitFor([&] { return left.load(); }));
        TargetSession window(*comm, 1000); // registers with the channel as it opens
        int windowReplies = 0;
        QObject::connect(&window, &TargetSession::replied, [&] { ++windowReplies; });
        window.Send("tms 1");
        ASSERT_TRUE(WaitFor([&] { return windowReplies > 0; }));

        const qsizetype before = Lines().size();
        Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_BOARD); });
        ASSERT_TRUE(WaitFor([&] { return Lines().size() > before; }));
        EXPECT_EQ(Lines()[before], "se 6");
        const qsizetype ends = log->ends.size();
        Call([](CalibrationEngine& engine) { engine.StopRun(); });
        // The first stop's status is still the last one: its own end tells this stop is done.
        ASSERT_TRUE(WaitFor([&] {
            return log->ends.size() > ends && log->statuses.endsWith("Calibration Stopped....");
        }));
    }
    EXPECT_EQ(log->ends, QList<RunEnd>(4, {RunOutcome::Stopped, CAL_BOARD, 0, {}}));
}
