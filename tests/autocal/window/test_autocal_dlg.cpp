// The calibration window on the simulated bench at a hundredth of real time, driven through its
// buttons as an operator drives it. Closing it during a run is among the ways out of every tool
// window (tests/shell/test_ways_out.cpp).
#include "app/startup/Simulation.h"
#include "autocal/CalibrationEngine.h"
#include "autocal/window/AutocalSession.h"
#include "autocal/window/AutocalibDlg.h"
#include "autocal/window/ResultList.h"
#include "autocal/window/ResultPanel.h"
#include "autocal/window/RfConfiguration.h"
#include "base/StationClock.h"
#include "link/PortMap.h"
#include "sim/bench/SimBench.h"
#include "sim/wt4400/Virtual4400.h"
#include "station/EndingStations.h"
#include "tests/support/RecordingMessageSink.h"
#include "widgets/Label.h"
#include "widgets/OkfaildispDlg.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

constexpr double kTimeScale = 0.01;
constexpr int kRunTimeoutMs = 180000;
constexpr int kStepTimeoutMs = 20000;

class AutocalWindow : public testing::Test {
protected:
    void SetUp() override { StationClock::SetScale(kTimeScale); }
    void TearDown() override {
        window.reset();
        EXPECT_TRUE(ending.WaitForAll(kStepTimeoutMs));
        comm.Close();
        if (bench) {
            QString error;
            bench->Stop(&error);
        }
        PortMap::Instance().Clear();
        StationClock::SetScale(1.0);
    }

    void Start(BenchOptions options = {}) {
        QString error;
        bench = StartSimulation(options, &error);
        ASSERT_TRUE(bench) << error.toStdString();
        ASSERT_EQ(comm.Open(1, 115200), 1) << comm.LastError().toStdString();
        configuration.Apply(DefaultConfig());
        window = std::make_unique<CAutocalibDlg>(comm, configuration, ending);
        window->Session().SetResultDirectory(results.path());
        QObject::connect(&window->Session().Engine(), &CalibrationEngine::statusShown, &recorder,
                         [this](const QString& text, StatusStyle style) {
                             statuses << text;
                             styles << style;
                         });
        window->show();
    }

    void Press(const char* button) { window->Button(button).click(); }
    bool WaitForStatus(const QString& text, int timeoutMs = kStepTimeoutMs) {
        return QTest::qWaitFor([&] { return statuses.contains(text); }, timeoutMs);
    }
    // What the unit does, read on the instruments' thread where the bench keeps it.
    bool InCall() {
        bool inCall = false;
        bench->Instruments().Run([&](Virtual4400&) { inCall = bench->Unit().CallStarted(); });
        return inCall;
    }
    // The bytes of the last command the window's engine sent.
    QByteArray LastCommandSent() {
        const TargetLink& link = window->Session().Target().Link();
        return {reinterpret_cast<const char*>(link.TransmitBuffer()), link.TransmitLength()};
    }
    // The lines after title and its column line in calresult.txt.
    QStringList ResultBlock(const QString& title, int count) {
        QFile file(results.filePath("calresult.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n");
        const qsizetype at = lines.indexOf(title);
        return at < 0 ? QStringList{} : lines.mid(at + 2, count);
    }

    QTemporaryDir results;
    std::unique_ptr<SimBench> bench;
    CComm comm;
    EndingStations ending;
    RfConfiguration configuration;
    std::unique_ptr<CAutocalibDlg> window;
    QObject recorder;
    QStringList statuses;
    QList<StatusStyle> styles;
};

QStringList Words(const QString& line) {
    return line.simplified().split(' ');
}

} // namespace

TEST_F(AutocalWindow, opensWaitingWithItsListsBuiltAndTheLineOnlyControlsDisabled) {
    Start();
    EXPECT_EQ(window->windowTitle(), "RF Calibration QM310QT310 V1.4");
    EXPECT_EQ(window->InstrumentResult().text(), "FAIL");
    EXPECT_EQ(window->TargetResult().text(), "FAIL");
    EXPECT_TRUE(window->StatusLine().text().isEmpty());
    EXPECT_EQ(window->Progress().maximum(), 200);
    // The rows' numbers and values are the operator's cycle's, against calresult.txt.
    const QTreeWidgetItem* gsm = window->Results().GsmApc().headerItem();
    EXPECT_EQ(gsm->text(0), "level");
    EXPECT_EQ(gsm->text(3), "GSM3");
    ResultList& rx = window->Results().Rx();
    EXPECT_GE(rx.columnWidth(0), std::max(40, rx.header()->sectionSizeHint(0))); // "channel" whole
    EXPECT_EQ(rx.topLevelItemCount(), 17);
    EXPECT_EQ(rx.Row(16), (QStringList{"1023", ""}));
    // Every row is shown without scrolling.
    EXPECT_GE(rx.viewport()->height(), rx.visualItemRect(rx.topLevelItem(16)).bottom());
    for (const char* name : {"batteryCal", "clear", "eepFullReset", "exit"})
        EXPECT_FALSE(window->Button(name).isEnabled()) << name;
    QComboBox* mode = window->findChild<QComboBox*>("mode");
    EXPECT_FALSE(mode->isEnabled());
    EXPECT_EQ(mode->currentText(), "RF CALIBRATION");
    EXPECT_EQ(window->findChild<QComboBox*>("stage")->currentText(), "MP");
    window->EnableEngineerControls(true);
    EXPECT_TRUE(window->Button("batteryCal").isEnabled());
    EXPECT_TRUE(mode->isEnabled());

    // Escape does not close the station's window.
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(AutocalWindow, theOperatorsCycleFromInstrumentCheckToSuccessAndTheRemoval) {
    Start();
    bench->Remove();
    Press("instrumentCheck");
    ASSERT_TRUE(WaitForStatus("Ready to Test. !"));
    EXPECT_EQ(window->InstrumentResult().text(), "OK");
    bench->Insert();
    ASSERT_TRUE(WaitForStatus("Checking the PHONE. Wait a moment !"));

    window->findChild<QLineEdit*>("name")->setText("unit 1");
    Press("start");
    ASSERT_TRUE(WaitForStatus("Calibration Success....", kRunTimeoutMs));
    ASSERT_TRUE(WaitForStatus("Remove the PHONE. !"));
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d:\\d\\d$").match(window->ElapsedTime().text()).hasMatch())
        << window->ElapsedTime().text().toStdString();
    EXPECT_EQ(window->Progress().value(), 0);
    EXPECT_EQ(window->TargetResult().text(), "OK");

    // The lists show what calresult.txt keeps.
    const QStringList gsmLines = ResultBlock("***** APC GSM TX Calibration *****", 15);
    ASSERT_EQ(gsmLines.size(), 15);
    for (int row = 0; row < 15; ++row)
        EXPECT_EQ(Words(gsmLines[row]), window->Results().GsmApc().Row(row)) << row;
    const QStringList dcsLines = ResultBlock("***** APC DCS TX Calibration *****", 16);
    ASSERT_EQ(dcsLines.size(), 16);
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(Words(dcsLines[row]), window->Results().DcsApc().Row(row)) << row;
    const QStringList rxLines = ResultBlock("***** RX CHANNEL Calibration ***** ", 17);
    ASSERT_EQ(rxLines.size(), 17);
    for (int row = 0; row < 17; ++row)
        EXPECT_EQ(Words(rxLines[row]).value(1), window->Results().Rx().Row(row).value(1)) << row;
    const QStringList gmagic = ResultBlock("***** Gmagic Calibration ***** ", 2);
    EXPECT_EQ(gmagic, (QStringList{"GSM  " + window->findChild<QLineEdit*>("gmagicGsm")->text(),
                                   "DCS  " + window->findChild<QLineEdit*>("gmagicDcs")->text()}));
    QFile file(results.filePath("calresult.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("stage : MP  name : unit 1  ##########"));

    bench->Remove();
    statuses.clear();
    ASSERT_TRUE(WaitForStatus("Ready to Test. !"));

    // A second start empties the lists again and keeps one set of columns; STOP ends it.
    Press("start");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->Results().GsmApc().Row(0).value(1).isEmpty(); }, kStepTimeoutMs));
    EXPECT_EQ(window->Results().GsmApc().columnCount(), 4);
    EXPECT_EQ(window->Results().GsmApc().topLevelItemCount(), 15);
    EXPECT_EQ(window->Results().Rx().Row(0), (QStringList{"1", ""}));
    Press("stop");
    EXPECT_TRUE(WaitForStatus("Calibration Stopped...."));
}

TEST_F(AutocalWindow, aFlawedUnitShowsItsFailureInThePopupAndTheStationWaitsForItsRemoval) {
    BenchOptions options;
    options.unit.flaw = UnitFlaw::kGmagic;
    Start(options);
    Press("instrumentCheck");
    ASSERT_TRUE(WaitForStatus("Checking the PHONE. Wait a moment !"));
    Press("start");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Popup() != nullptr; }, kRunTimeoutMs));
    EXPECT_EQ(window->Popup()->MessageField().toPlainText(), "GMAGIC CAL FAIL");
    // The station goes on only once the operator has read it.
    statuses.clear();
    QTest::qWait(100);
    EXPECT_FALSE(statuses.contains("Remove the PHONE. !"));
    QTest::keyClick(window->Popup(), Qt::Key_Return);
    ASSERT_TRUE(WaitForStatus("Remove the PHONE. !"));
    EXPECT_EQ(window->Popup(), nullptr);
    EXPECT_EQ(LastCommandSent(), QByteArray("\x14\x23\x00\x00\x23", 5)); // "rfe 0"
    EXPECT_EQ(window->Progress().value(), 0);
    EXPECT_TRUE(window->Results().GsmApc().Row(0).value(1).isEmpty());
}

TEST_F(AutocalWindow, stopDuringRxEndsTheCallAndSaysSoWhereAnotherStartIsIgnored) {
    Start();
    Press("instrumentCheck");
    ASSERT_TRUE(WaitForStatus("Checking the PHONE. Wait a moment !"));
    Press("start");
    ASSERT_TRUE(WaitForStatus("RX CAL Processing...", kRunTimeoutMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return InCall(); }, kStepTimeoutMs));
    // A start pressed again during the run is no second run.
    const qsizetype pressed = statuses.size();
    Press("start");
    Press("stop");
    ASSERT_TRUE(WaitForStatus("Calibration Stopped...."));
    EXPECT_FALSE(statuses.mid(pressed).contains("GMAGIC CAL Processing..."));
    EXPECT_EQ(LastCommandSent(), QByteArray("\x14\x54\x65\x00\x31", 5)); // "se 101"
    EXPECT_FALSE(InCall());
    EXPECT_EQ(window->StatusLine().text(), "Calibration Stopped....");
    EXPECT_EQ(window->Progress().value(), 0);
}

// A station without a test set says where to configure one rather than run what cannot succeed.
TEST_F(AutocalWindow, withoutATestSetNothingStartsAndAChangedConfigurationCountsFromTheNextCheck) {
    Start();
    const QString noTestSet = "No test set configured: Auto Cal > RF Parameter Setting";
    CalibrationConfig unusable = DefaultConfig();
    unusable.testSetType = kTestSetNone;
    configuration.Apply(unusable);
    int runs = 0;
    QObject::connect(&window->Session().Engine(), &CalibrationEngine::runStarted, &recorder,
                     [&runs] { ++runs; });
    Press("instrumentCheck");
    Press("targetCheck"); // answered after the check; a watched supply would have seen the unit
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->TargetResult().text() == "OK"; }, 5000));
    EXPECT_EQ(window->StatusLine().text(), noTestSet);
    EXPECT_EQ(styles.value(statuses.indexOf(noTestSet)), StatusStyle::Normal);
    EXPECT_EQ(window->InstrumentResult().text(), "FAIL");
    EXPECT_EQ(bench->Instruments().ConnectionsSupply(), 0);
    EXPECT_FALSE(statuses.contains("Ready to Test. !"));
    EXPECT_FALSE(statuses.contains("Checking the PHONE. Wait a moment !"));
    const QByteArray targetCheck = LastCommandSent();
    Press("start");
    ASSERT_TRUE(QTest::qWaitFor([&] { return statuses.count(noTestSet) == 2; }, 5000));
    EXPECT_EQ(LastCommandSent(), targetCheck);
    EXPECT_EQ(runs, 0);

    CalibrationConfig noSupply = DefaultConfig();
    noSupply.supplyType = kSupplyNone;
    configuration.Apply(noSupply);
    Press("instrumentCheck");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->InstrumentResult().text() == "OK"; }, 5000));
    EXPECT_FALSE(statuses.contains("Checking the PHONE. Wait a moment !"));

    configuration.Apply(DefaultConfig());
    Press("instrumentCheck");
    EXPECT_TRUE(WaitForStatus("Checking the PHONE. Wait a moment !"));
}

TEST_F(AutocalWindow,
       targetCheckSaysOkOnlyForAnAnsweringTargetAndAClosedPortIsACommunicationError) {
    Start();
    Press("targetCheck");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->TargetResult().text() == "OK"; }, 5000));

    bench->Remove();
    Press("targetCheck");
    ASSERT_TRUE(WaitForStatus("No Response (1)"));
    EXPECT_EQ(window->TargetResult().text(), "FAIL");

    RecordingMessageSink messages;
    comm.Close();
    window->EnableEngineerControls(true);
    Press("eepFullReset");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.texts.isEmpty(); }, 5000));
    EXPECT_EQ(messages.texts, QStringList{"통신 에러"});
}
