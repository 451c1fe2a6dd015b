// The RF test panel on the simulated bench: what each button makes the phone do, the range rules
// that keep a line from going out, and the result box.
#include "sessions/RfTestSession.h"
#include "sim/target/FirmwareState.h"
#include "tests/tools/PanelTest.h"
#include "tools/RfTestDlg.h"

namespace {

class RfTestPanel : public PanelTest<CRfTestDlg> {
protected:
    QLineEdit& Box(const char* name) { return *panel.findChild<QLineEdit*>(name); }
    void Set(const char* box, const QString& text) { Box(box).setText(text); }
};

const QString kInvalidSetting = QStringLiteral("Invalid setting");

} // namespace

TEST_F(RfTestPanel, theBoxesOpenEmptyAndABoxLeftEmptySendsZero) {
    for (const char* box : {"txChannel", "txLevel", "txDac", "rxChannel", "rxAgc", "afcChannel",
                            "afcLevel", "afcDac"})
        EXPECT_EQ(Box(box).text(), QString()) << box;
    // The panel keeps no values of its own: a first press sends what its empty boxes read.
    Press("txLevelSet"); // channel 0 is GSM: "txpw 1 0"
    EXPECT_EQ(Phone().Control().gsmLevel, 0);
    EXPECT_FALSE(Phone().Control().dcsLevelActive);
}

TEST_F(RfTestPanel, powerLevelFollowsTheChannelsBandAndRefusesOtherChannelsAndLevels) {
    Set("txChannel", "512");
    Set("txLevel", "0");
    Press("txLevelSet"); // "txpw 1 100"
    EXPECT_TRUE(Phone().Control().dcsLevelActive);
    EXPECT_EQ(Phone().Control().dcsLevel, 100);
    Set("txChannel", "124");
    Set("txLevel", "5");
    Press("txLevelSet");
    EXPECT_FALSE(Phone().Control().dcsLevelActive);
    EXPECT_EQ(Phone().Control().gsmLevel, 5);
    const int sent = Packets();

    Set("txChannel", "300");
    Click("txLevelSet");
    Set("txChannel", "62");
    Set("txLevel", "20");
    Click("txLevelSet");
    EXPECT_EQ(messages.texts, QStringList(2, kInvalidSetting));

    // The AFC group has boxes of its own; its line is the only one since the refusals.
    Set("afcChannel", "885");
    Set("afcLevel", "15");
    Press("afcLevelSet");
    EXPECT_EQ(Phone().Control().dcsLevel, 115);
    EXPECT_EQ(Packets(), sent + 1);
}

TEST_F(RfTestPanel, apcDacGoesToTheChannelsSubBandAndNothingGoesBeyondItsRange) {
    Set("txChannel", "700");
    Set("txDac", "1023");
    Press("txDacSet"); // "spw 31 1023": DCS sub-band 2 at the current DCS level
    const auto dcsSlot = static_cast<std::size_t>(DcsLevelSlot(Phone().Control().dcsLevel));
    EXPECT_EQ(Phone().Rf().dcsDac[1][dcsSlot], 1023);
    Set("txChannel", "80");
    Set("txDac", "300");
    Press("txDacSet"); // "spw 21 300"
    const auto gsmColumn = static_cast<std::size_t>(Phone().Control().gsmLevel);
    EXPECT_EQ(Phone().Rf().gsmDac[1][gsmColumn], 300);
    const int sent = Packets();

    Set("txChannel", "700");
    Set("txDac", "1024");
    Click("txDacSet");
    Set("txChannel", "975");
    Set("txDac", "500");
    Click("txDacSet");
    Press("txTestmodeSet");
    EXPECT_EQ(Packets(), sent + 1);
    EXPECT_EQ(Phone().Rf().dcsDac[1][dcsSlot], 1023);
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_TRUE(Result().isEmpty());
}

TEST_F(RfTestPanel, everyGroupsStepsDriveThePhone) {
    const RadioControl& radio = Phone().Control();
    Press("rxTestmodeSet");
    EXPECT_EQ(radio.testMode, 1);
    Set("rxChannel", "100");
    Press("rxChannelSet");
    EXPECT_EQ(radio.rxTestChannel, 100);
    Press("rxAgcDisable");
    EXPECT_EQ(radio.agcEnabled, 0);
    Set("rxAgc", "50");
    Press("rxAgcSet");
    EXPECT_EQ(radio.agcSetting, 50);
    Set("rxAgc", "51");
    Click("rxAgcSet");
    EXPECT_EQ(messages.texts, QStringList{kInvalidSetting});
    Press("rxOn");
    EXPECT_TRUE(radio.rxContinuous);
    EXPECT_EQ(radio.agcSetting, 50);
    Press("rxOff");
    EXPECT_FALSE(radio.rxContinuous);

    Set("afcChannel", "698");
    Press("afcChannelSet");
    EXPECT_EQ(radio.tchChannel, 698);
    Press("afcDisable");
    EXPECT_EQ(radio.afcEnabled, 0);
    Set("afcDac", "-3.7");
    Press("afcDacSet"); // "rfpw 9 -3", which travels in eighths
    EXPECT_EQ(radio.afcDac, -3 * 8);
    Press("afcTxOn");
    EXPECT_EQ(radio.rfMode, 3);
    Press("afcTxOff");
    EXPECT_EQ(radio.rfMode, 0);

    Set("txChannel", "62");
    Press("txChannelSet");
    Press("txTestmodeInit");
    EXPECT_EQ(radio.testMode, 0);
    EXPECT_EQ(radio.tchChannel, 62);
    Press("txOn");
    EXPECT_EQ(radio.rfMode, 6);
    Press("txOff");
    EXPECT_EQ(radio.rfMode, 0);
    Press("saveRfToEep");
    EXPECT_EQ(bench.Target().CommitCount(), 1);
    EXPECT_TRUE(Result().isEmpty());
}

TEST_F(RfTestPanel, noReplyWritesCommandErrorWhichOnlyAClickOrEnterEmpties) {
    bench.Target().SetFaults({.silent = true});
    Click("txTestmodeInit");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Result() == "Command Error"; }, 3000));
    EXPECT_FALSE(panel.Session().Link().PollTimerActive());

    // A reply that comes shows nothing, and leaves the box as it was.
    bench.Target().SetFaults({});
    panel.Session().Send(RfStep::TestmodeSet);
    ASSERT_TRUE(WaitAnswered(panel.Session().Link()));
    EXPECT_EQ(Result(), "Command Error");
    // A right click is no plain left click.
    QTest::mouseClick(&Box("txLevel"), Qt::RightButton);
    EXPECT_EQ(Result(), "Command Error");
    QTest::mouseClick(&Box("txLevel"), Qt::LeftButton);
    EXPECT_TRUE(Result().isEmpty());

    bench.Target().SetFaults({.silent = true});
    Click("txOn");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Result() == "Command Error"; }, 3000));
    QTest::keyClick(&Box("txLevel"), Qt::Key_Return);
    EXPECT_TRUE(Result().isEmpty());
}

TEST_F(RfTestPanel, enterSendsTheOtherCommandWholeEmptiesBothBoxesAndKeepsThePanelOpen) {
    Box("otherCommand").setFocus();
    QTest::keyClicks(&Box("otherCommand"), "rfe 6");
    QTest::keyClick(&Box("otherCommand"), Qt::Key_Return);
    EXPECT_TRUE(Box("otherCommand").text().isEmpty());
    ASSERT_TRUE(WaitAnswered(panel.Session().Link()));
    EXPECT_EQ(Phone().Control().rfMode, 6);
    EXPECT_TRUE(panel.isVisible());

    // Far longer than the 52 bytes the line once had; Enter counts wherever the focus is.
    QStringList steps;
    for (int i = 0; i < 32; ++i)
        steps << QString::number(i < 16 ? i * 4 : 124 - i * 4);
    const QString ramp = "ttw 7 " + steps.join(',');
    ASSERT_GT(ramp.size(), 52);
    Set("otherCommand", ramp);
    QTest::keyClick(panel.findChild<QPushButton*>("txOn"), Qt::Key_Enter);
    ASSERT_TRUE(WaitAnswered(panel.Session().Link()));
    RampTemplate expected{};
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = static_cast<std::int8_t>(steps[static_cast<qsizetype>(i)].toInt());
    EXPECT_EQ(Phone().Rf().ramps[7], expected);
    EXPECT_EQ(Phone().Control().rfMode, 6); // the focused button was not pressed

    // An empty line sends nothing.
    const int sent = Packets();
    QTest::keyClick(&Box("otherCommand"), Qt::Key_Return);
    Press("txOff");
    EXPECT_EQ(Packets(), sent + 1);
}

TEST_F(RfTestPanel, withThePortClosedAPressSaysCommandErrorAtOnce) {
    comm.Close();
    Click("txOn");
    EXPECT_EQ(Result(), "Command Error");
    EXPECT_FALSE(panel.Session().Link().ReplyTimerActive());
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_EQ(Packets(), 0);
}
