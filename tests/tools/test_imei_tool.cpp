// The IMEI tool's window: the identity written and read back by hand on the simulated bench, the
// boxes' rules, and the window answering while a scan cycle waits.
#include "sessions/ImeiLines.h"
#include "tests/support/ImeiBench.h"
#include "tests/tools/ChooseInList.h"
#include "tools/ImeiRw.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

// The IMEI tool's window on the IMEI station, driven with the mouse and the keyboard.
class ImeiWindow : public ImeiBench {
protected:
    void SetUp() override {
        ImeiBench::SetUp();
        window = new CImeiRw(comm, nullptr, QuickImeiTimings());
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->Session().SetClock([] { return kFriday; });
        window->show();
    }
    void TearDown() override {
        delete window.data();
        ImeiBench::TearDown();
    }

    template <typename T = QLineEdit> T* Find(const char* name) {
        T* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void Type(const char* box, const QString& text) {
        Find(box)->clear();
        QTest::keyClicks(Find(box), text);
    }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    bool Answered() { return WaitAnswered(window->Session().Link()); }
    // Clicks the button and waits for the phone's answer.
    void Press(const char* button) {
        Click(button);
        ASSERT_TRUE(Answered()) << button;
    }
    QStringList ImeiRow(const char* prefix) {
        QStringList row;
        for (int i = 0; i < 4; ++i)
            row << Find(QByteArray(prefix + QByteArray::number(i)).constData())->text();
        return row;
    }

    QPointer<CImeiRw> window;
};

} // namespace

TEST_F(ImeiWindow, theIdentityWrittenByHandIsInThePhoneAndReadsBack) {
    const QStringList groups = ImeiGroups("356789012345678");
    for (int i = 0; i < 4; ++i)
        Type(QByteArray("imeiSet" + QByteArray::number(i)).constData(), groups[i]);
    Click("setImei");
    EXPECT_EQ(messages.texts, QStringList{"The check digit of IMEI 356789012345678 is wrong: 2 "
                                          "makes it valid.\nThe IMEI was not written."});
    Type("imeiSet1", "0");
    Click("setImei");
    EXPECT_EQ(Packets(), 0); // neither the bad check digit nor a short box went out
    EXPECT_EQ(messages.texts.size(), 2);
    Type("imeiSet1", "01");
    Type("imeiSet3", "2");
    Press("setImei");
    EXPECT_EQ(Eeprom(EepromImage::kImeiAddress, 8), kImeiBytes);
    Press("readImei");
    EXPECT_EQ(ImeiRow("imeiRead"), ImeiGroups(kImei));

    Type("hardwareVersionSet", "1.0");
    Press("setHardware");
    Press("readHardware");
    EXPECT_EQ(Find("hardwareVersion")->text(), "1.0");
    Type("serialSet", "12ab05");
    Press("setSerial");
    Press("readSerial");
    EXPECT_EQ(Eeprom(EepromImage::kSerialAddress, 3), QByteArray("\x12\xAB\x05", 3));
    EXPECT_EQ(Find("serial")->text(), "12:;05");
    Press("setClock");
    EXPECT_EQ(Find("time")->text(), kFridayText);
    EXPECT_EQ(Eeprom(EepromImage::kClockAddress, 7), QByteArray("\x05\x02\x09\x0d\x0e\x05\x09", 7));
    Press("readSoftware");
    EXPECT_EQ(Find("softwareVersion")->text(), "SIMFW V1.00");
    EXPECT_EQ(messages.texts.size(), 2);

    // Enter on NEXT empties the boxes for the next phone; a click leaves them.
    QTest::mouseClick(Find<QPushButton>("next"), Qt::LeftButton);
    EXPECT_EQ(Find("serial")->text(), "12:;05");
    Find<QPushButton>("next")->setFocus();
    QTest::keyClick(Find<QPushButton>("next"), Qt::Key_Return);
    EXPECT_EQ(ImeiRow("imeiRead"), QStringList({"", "", "", ""}));
    EXPECT_EQ(ImeiRow("imeiSet"), QStringList({"", "", "", ""}));
    for (const char* box : {"hardwareVersion", "hardwareVersionSet", "softwareVersion", "serial",
                            "serialSet", "time"})
        EXPECT_EQ(Find(box)->text(), QString()) << box;
}

TEST_F(ImeiWindow, shortTextsAreRefusedAndARegionTheToolDoesNotKnowIsSaid) {
    Type("hardwareVersionSet", "1.");
    Click("setHardware");
    Type("serialSet", "12:;05");
    Click("setSerial");
    EXPECT_EQ(messages.texts,
              (QStringList{"A hardware version is 3 characters, such as 1.0; \"1.\" is too short.",
                           "A serial number is 6 digits (0-9, A-F); \"12:;05\" is not."}));
    EXPECT_EQ(Packets(), 0);

    ASSERT_TRUE(window->Session().Target().Send("spw 100 3"));
    ASSERT_TRUE(Answered());
    Press("readRegion");
    EXPECT_EQ(Find("region")->text(), "Not Support");
    ChooseInList(*Find<QComboBox>("regionChoice"), "HK");
    Press("setRegion");
    Press("readRegion");
    EXPECT_EQ(Find("region")->text(), "HK");
}

// Leaving the window while the cycle runs is among the ways out of every tool window
// (tests/shell/test_ways_out.cpp).
TEST_F(ImeiWindow, theWindowAnswersWhileAScanWaits) {
    WriteReference("SIMFW V1.00");
    Find<QSpinBox>("labelCount")->setValue(2);
    EXPECT_EQ(window->Session().Labels().count, 2);
    bool scanDisabled = false;
    // Typed while the cycle waits for the scanner.
    QTimer::singleShot(0, window, [&] {
        scanDisabled = !Find<QPushButton>("scan")->isEnabled();
        QTest::keyClicks(Find("hardwareVersionSet"), "2.1");
    });
    Click("scan");
    EXPECT_TRUE(scanDisabled);
    EXPECT_EQ(Find("hardwareVersionSet")->text(), "2.1");
    EXPECT_TRUE(Find<QPushButton>("scan")->isEnabled());
    EXPECT_EQ(messages.texts, QStringList());
    EXPECT_TRUE(Printed().startsWith("~^\"QM300G.RCL\";2;")) << Printed().toStdString();
}
