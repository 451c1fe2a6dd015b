// The logic test panel on the simulated bench: the toggles and their captions, the speaker tone's
// gain rule and sequence, the LCD settings and LEDs, and "WRITE SUCCESS".
#include "sessions/LogicTestSession.h"
#include "tests/tools/ChooseInList.h"
#include "tests/tools/PanelTest.h"
#include "tools/LogicTestDlg.h"

#include <QCheckBox>

namespace {

class LogicTestPanel : public PanelTest<CLogicTestDlg> {
protected:
    QString Caption(const char* name) { return panel.findChild<QPushButton*>(name)->text(); }
    void SetGain(const QString& text) { panel.findChild<QLineEdit*>("gain")->setText(text); }
    QComboBox& NumberBox(const char* name) { return *panel.findChild<QComboBox*>(name); }
};

const QString kInvalidGain = QStringLiteral("invalid Gain range");

} // namespace

TEST_F(LogicTestPanel, backlightAndMicrophoneToggleAndNameTheNextAction) {
    EXPECT_EQ(Caption("backlight"), "Back Light ON");
    Press("backlight");
    EXPECT_TRUE(Phone().Io().backlight);
    EXPECT_EQ(Caption("backlight"), "Back Light OFF");
    Press("backlight");
    EXPECT_FALSE(Phone().Io().backlight);
    EXPECT_EQ(Caption("backlight"), "Back Light ON");

    EXPECT_EQ(Caption("micTest"), "MIC TEST ON");
    Press("micTest");
    EXPECT_EQ(Phone().Io().micLoop, 1);
    EXPECT_EQ(Caption("micTest"), "MIC TEST OFF");
    Press("micTest");
    EXPECT_EQ(Phone().Io().micLoop, 0);
    EXPECT_EQ(Caption("micTest"), "MIC TEST ON");
}

TEST_F(LogicTestPanel, theToneNeedsAGainOf1To255OnBothPressesAndComesOnOnceTheGainIsTaken) {
    for (const char* gain : {"0", "256"}) {
        SetGain(gain);
        Click("spkTone");
    }
    EXPECT_EQ(messages.texts, QStringList(2, kInvalidGain));
    EXPECT_EQ(Caption("spkTone"), "SPK TONE TEST");
    EXPECT_EQ(Packets(), 0);

    SetGain("255");
    Click("spkTone"); // "spw 73 255", then on its reply "spw 74 1"
    ASSERT_TRUE(QTest::qWaitFor([&] { return Phone().Io().toneOn == 1; }, 3000));
    EXPECT_EQ(Phone().Io().toneGain, 255);
    EXPECT_EQ(Caption("spkTone"), "SPKTONE OFF");
    ASSERT_TRUE(WaitAnswered(panel.Session().Link()));
    EXPECT_EQ(Packets(), 2);

    // With the box emptied the tone cannot be switched off.
    SetGain("");
    Click("spkTone");
    EXPECT_EQ(messages.texts.size(), 3);
    EXPECT_EQ(Caption("spkTone"), "SPKTONE OFF");
    SetGain("255");
    Press("spkTone");
    EXPECT_EQ(Phone().Io().toneOn, 0);
    EXPECT_EQ(Caption("spkTone"), "SPK TONE TEST");
    EXPECT_EQ(Packets(), 3);
}

TEST_F(LogicTestPanel, lcdSettingsAndLedsReachThePhone) {
    ChooseInList(NumberBox("subLcdVol"), "63");
    ASSERT_TRUE(WaitAnswered(panel.Session().Link()));
    EXPECT_EQ(Phone().Logic().subLcdVolume, 63);
    ChooseInList(NumberBox("subLcdV0"), "7");
    ASSERT_TRUE(WaitAnswered(panel.Session().Link()));
    EXPECT_EQ(Phone().Logic().subLcdV0, 7);
    NumberBox("mainLcdValue").setEditText("25");
    Press("mainLcdSet");
    EXPECT_EQ(Phone().Logic().mainLcdContrast, 25);

    Press("ledTest");
    EXPECT_EQ(Phone().Io().ledPattern, 7);
    panel.findChild<QCheckBox*>("green")->setChecked(false);
    Press("ledTest");
    EXPECT_EQ(Phone().Io().ledPattern, 5);
}

TEST_F(LogicTestPanel, savingShowsWriteSuccessUntilTheClearTimerEmptiesIt) {
    panel.Session().SetResultClearMs(kShortTimeoutMs);
    Press("vibTest");
    EXPECT_TRUE(Result().isEmpty());
    NumberBox("mainLcdValue").setEditText("27");
    Press("mainLcdSet");
    Press("logicDataSave");
    EXPECT_EQ(Result(), "WRITE SUCCESS");
    const std::optional<LogicSettings> saved = bench.Target().Eeprom().LoadLogic();
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->mainLcdContrast, 27);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Result().isEmpty(); }, 3000));
}

TEST_F(LogicTestPanel, withThePortClosedNothingIsSentAndOnlyTheMicrophoneKeepsItsCaption) {
    comm.Close();
    Click("backlight");
    Click("micTest");
    SetGain("255");
    Click("spkTone");
    Click("vibTest");
    EXPECT_EQ(Caption("backlight"), "Back Light OFF");
    EXPECT_EQ(Caption("micTest"), "MIC TEST ON");
    EXPECT_EQ(Caption("spkTone"), "SPKTONE OFF");
    EXPECT_FALSE(panel.Session().Link().ReplyTimerActive());
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_EQ(Packets(), 0);
}
