// The IMEI tool: its lines and decodings, its label jobs against files written by hand, the
// identity written and read back by hand on the simulated bench, and whole scan cycles with the
// bench's scanner and printer file, stopped at each of their failures.
#include "link/PortMap.h"
#include "sessions/ImeiFiles.h"
#include "sessions/ImeiLines.h"
#include "sessions/LPT1Write.h"
#include "sim/target/EepromImage.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"
#include "tests/tools/PanelBench.h"
#include "tools/ImeiRw.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString kImei = QStringLiteral("356789012345672");
const QString kSecondImei = QStringLiteral("490154203237518");
const QDateTime kFriday(QDate(2002, 9, 13), QTime(14, 5, 9));
const QString kFridayText = QStringLiteral("14:05:09, Friday, September 13, 2002");
const QByteArray kImeiBytes("\x53\x76\x98\x10\x32\x54\x76\x02", 8);

const QString kMisread = QStringLiteral("잘못 읽혔습니다. 다시 작업하세요 !!!");
const QString kWrongVersion = QStringLiteral("Software Version이 다릅니다. 다시 작업하세요 !!!");

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray HandWritten(const char* name) {
    return FileBytes(QStringLiteral(RFTUNE_TOOLS_DATA "/") + QLatin1String(name));
}

ReplyWorkArea ReplyFrom(std::uint8_t opcode, std::uint8_t index, const QByteArray& data) {
    const QByteArray frame = FakeTarget::ReplyFrame(opcode, 0, index, data);
    return ReplyWorkArea(reinterpret_cast<const std::uint8_t*>(frame.constData()),
                         static_cast<int>(frame.size()));
}

} // namespace

TEST(ImeiLines, anImeiTravelsPairwiseSwappedAndComesBackSplitSixTwoSixOne) {
    EXPECT_EQ(ImeiWriteLine("356789012345678"), "stw 60 0x53 0x76 0x98 0x10 0x32 0x54 0x76 0x8");
    const ReplyWorkArea reply =
        ReplyFrom(0x53, 60, QByteArray("\x53\x76\x98\x10\x32\x54\x76\x08", 8));
    EXPECT_EQ(ImeiFromReply(reply), "356789012345678");
    EXPECT_EQ(ImeiGroups("356789012345678"), (QStringList{"356789", "01", "234567", "8"}));

    // That IMEI's check digit is 2, not 8; short or lettered ones are no IMEI at all.
    EXPECT_EQ(ImeiProblem("356789012345678"),
              "The check digit of IMEI 356789012345678 is wrong: 2 makes it valid.");
    EXPECT_EQ(ImeiProblem(kImei), std::nullopt);
    EXPECT_NE(ImeiProblem("35678901234567"), std::nullopt);
    EXPECT_NE(ImeiProblem("3567890123456a2"), std::nullopt);
}

TEST(ImeiLines, versionsSerialNumbersAndTheClock) {
    EXPECT_EQ(SerialFromReply(ReplyFrom(0x53, 61, QByteArray("\x12\xAB\x05", 3))), "12:;05");
    EXPECT_EQ(HardwareVersionWriteLine("1.0"), "stw 11 0x31 0x2e 0x30");
    EXPECT_EQ(ClockWriteLine(kFriday), "stw 20 0x5 0x2 0x9 0xd 0xe 0x5 0x9");
    EXPECT_EQ(TimeText(kFriday), kFridayText);
    EXPECT_EQ(RegionFromReply(ReplyFrom(0x51, 100, QByteArray("\x03\x00", 2))), "Not Support");
}

TEST(LabelPrinter, bothJobsGoOutByteForByteAsWrittenByHand) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lp0");
    QFile printerDevice(path);
    ASSERT_TRUE(printerDevice.open(QIODevice::WriteOnly));
    printerDevice.close();
    CLPT1Write printer;
    QString error;
    ASSERT_TRUE(printer.Open(path, &error)) << error.toStdString();
    ASSERT_TRUE(printer.PrintLabel(kImei.toLatin1(), {}, 1, &error));
    const QByteArray hk = FileBytes(path);
    EXPECT_EQ(hk, HandWritten("label_hk.prn"));
    EXPECT_EQ(hk.count('\n'), 8);
    ASSERT_TRUE(printer.PrintLabel(kSecondImei.toLatin1(), {3, 20, 150}, 2, &error));
    const QByteArray ch = FileBytes(path).mid(hk.size());
    EXPECT_EQ(ch, HandWritten("label_ch.prn"));
    EXPECT_EQ(ch.count('\n'), 13);

    // A printer that is not there is not made up as a file.
    CLPT1Write missing;
    EXPECT_FALSE(missing.Open(dir.filePath("usb/lp9"), &error));
    EXPECT_TRUE(error.endsWith("No such file or directory")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("usb/lp9")));
}

namespace {

// The IMEI station on the simulated bench: its phone on COM1, its scanner on COM2, its printer
// file on LPT1, the tool's files in a folder of their own, the PC clock at a fixed moment and
// every wait short.
class ImeiStation : public PanelBench {
protected:
    static ImeiTimings Quick() {
        ImeiTimings timings;
        timings.replyTimeoutMs = 1500;
        timings.scannerTryMs = 40;
        timings.imeiWriteWaitMs = 1000;
        timings.imeiReadWaitMs = 1000;
        timings.pauseMs = 1;
        timings.versionWaitMs = 300;
        timings.regionWaitMs = 1000;
        return timings;
    }

    void SetUp() override {
        PanelBench::SetUp();
        ASSERT_TRUE(dir.isValid());
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        PortMap::Instance().Set(ImeiRwSession::kScannerPort, bench.ScannerDevice());
        PortMap::Instance().SetPrinter(ImeiRwSession::kPrinterPort, bench.PrinterFile());
        bench.Scanner().SetBarcodes({kImei, kSecondImei});
        session.SetClock([] { return kFriday; });
    }
    void TearDown() override {
        QDir::setCurrent(previousDir);
        PortMap::Instance().Clear();
        PanelBench::TearDown();
    }

    void WriteReference(const QByteArray& text) {
        QFile file(dir.filePath(kSoftwareVersionFile));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray Eeprom(int address, int count) {
        return bench.Target().Eeprom().Read(address, count);
    }
    QByteArray Results() { return FileBytes(dir.filePath(kImeiResultFile)); }
    QByteArray Printed() { return FileBytes(bench.PrinterFile()); }
    // "LOFF" went out and reached the scanner.
    bool ScannerOff() {
        return QTest::qWaitFor([&] { return !bench.Scanner().IsOn(); }, 3000);
    }

    QTemporaryDir dir;
    QString previousDir;
    ImeiRwSession session{comm, Quick()};
};

} // namespace

TEST_F(ImeiStation, aScanCycleWritesTheImeiKeepsItsRecordAndPrintsItsLabels) {
    WriteReference("SIMFW V1.00\r\n");
    session.ChooseRegion("HK");
    EXPECT_TRUE(session.Scan());
    EXPECT_EQ(messages.texts, QStringList());
    EXPECT_EQ(Eeprom(EepromImage::kImeiAddress, 8), kImeiBytes);
    EXPECT_EQ(Eeprom(EepromImage::kRegionAddress, 1), QByteArray(1, 1));
    EXPECT_EQ(session.Fields().scanned, kImei);
    EXPECT_EQ(session.Fields().imei, kImei);
    EXPECT_EQ(session.Fields().softwareVersion, "SIMFW V1.00");
    EXPECT_EQ(Results(), "\r\n" + kImei.toLatin1() + " " + kFridayText.toLatin1() + "\r\n");
    EXPECT_EQ(Printed(), HandWritten("label_hk.prn"));
    EXPECT_TRUE(ScannerOff());

    session.ChooseRegion("CH");
    session.SetLabelSettings({3, 20, 150});
    EXPECT_TRUE(session.Scan());
    EXPECT_EQ(Eeprom(EepromImage::kRegionAddress, 1), QByteArray(1, 2));
    EXPECT_EQ(Results(), "\r\n" + kImei.toLatin1() + " " + kFridayText.toLatin1() + "\r\n\r\n" +
                             kSecondImei.toLatin1() + " " + kFridayText.toLatin1() + "\r\n");
    EXPECT_EQ(Printed(), HandWritten("label_hk.prn") + HandWritten("label_ch.prn"));
    EXPECT_EQ(bench.Scanner().Scans(), 2);
}

TEST_F(ImeiStation, aBarcodeThatIsNoValidImeiStopsTheCycleBeforeThePhoneIsTouched) {
    WriteReference("SIMFW V1.00");
    bench.Scanner().SetBarcodes({"G12345678901234", "356789012345678"});
    EXPECT_FALSE(session.Scan());
    EXPECT_FALSE(session.Scan());
    bench.Scanner().SetFaults({false, 1}); // a smudged label
    EXPECT_FALSE(session.Scan());
    // The scanner's own complaint about a text that is no number comes first.
    const QString retry = QStringLiteral("잘못 읽혔습니다. 다시 시도하세요.!!!");
    ASSERT_EQ(messages.texts.size(), 5);
    EXPECT_EQ(messages.texts.mid(0, 2), (QStringList{retry, kMisread}));
    EXPECT_EQ(messages.texts[2],
              kMisread + "\nThe check digit of IMEI 356789012345678 is wrong: 2 makes it valid.");
    EXPECT_EQ(messages.texts[3], retry);
    EXPECT_TRUE(messages.texts[4].startsWith(kMisread + "\nAn IMEI is 15 digits"));
    EXPECT_EQ(Packets(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(kImeiResultFile)));
    EXPECT_EQ(Printed(), QByteArray());
}

TEST_F(ImeiStation, aScannerThatReadsNothingAnswersNothingOrIsNotThereStopsTheCycle) {
    bench.Scanner().SetFaults({false, 0, true}); // no label under the reader
    EXPECT_FALSE(session.Scan());
    EXPECT_EQ(messages.texts, QStringList{"Scanner가 정보를 읽는데 실패했습니다."});
    EXPECT_TRUE(ScannerOff());

    bench.Scanner().SetFaults({true, 0});
    EXPECT_FALSE(session.Scan());
    EXPECT_EQ(messages.texts.last(), "ERROR !!!");

    PortMap::Instance().Set(ImeiRwSession::kScannerPort, dir.filePath("no-scanner"));
    bench.Scanner().SetFaults({});
    ImeiRwSession fresh(comm, Quick());
    EXPECT_FALSE(fresh.Scan());
    ASSERT_EQ(messages.texts.size(), 4);
    EXPECT_TRUE(messages.texts[2].startsWith("COM Port already open !\nCOM2 ("))
        << messages.texts[2].toStdString();
    EXPECT_EQ(messages.texts[3], "ERROR !!!");
    EXPECT_EQ(Packets(), 0);
}

TEST_F(ImeiStation, theSoftwareVersionMustMatchAReferenceThatExists) {
    EXPECT_FALSE(session.Scan());
    EXPECT_EQ(messages.texts, QStringList{kWrongVersion});
    EXPECT_TRUE(QFile::exists(dir.filePath(kSoftwareVersionFile)));
    EXPECT_EQ(FileBytes(dir.filePath(kSoftwareVersionFile)), QByteArray());
    EXPECT_EQ(Eeprom(EepromImage::kImeiAddress, 8), kImeiBytes); // written before the check

    WriteReference("SIMFW V2.00");
    EXPECT_FALSE(session.Scan());
    EXPECT_EQ(messages.texts.last(), kWrongVersion);
    EXPECT_FALSE(QFile::exists(dir.filePath(kImeiResultFile)));
    EXPECT_EQ(Printed(), QByteArray());
}

TEST_F(ImeiStation, aSilentPhoneStopsTheCycleAtTheImeiWrite) {
    WriteReference("SIMFW V1.00");
    TargetFaults silent;
    silent.silent = true;
    bench.Target().SetFaults(silent);
    EXPECT_FALSE(session.Scan());
    EXPECT_EQ(messages.texts,
              QStringList{"Set에 IMEI번호를 저장하지 못했습니다. 다시 작업하세요 !!!"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.texts.size() == 2; }, 5000));
    EXPECT_EQ(messages.texts.last(), "No Response");
}

TEST_F(ImeiStation, anUnreachablePrinterIsSaidAndThePhoneStaysLogged) {
    WriteReference("SIMFW V1.00");
    PortMap::Instance().SetPrinter(ImeiRwSession::kPrinterPort, dir.filePath("no-printer"));
    EXPECT_FALSE(session.Scan());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith("The labels of IMEI " + kImei +
                                             " were not printed on LPT1.\n"));
    EXPECT_EQ(Results(), "\r\n" + kImei.toLatin1() + " " + kFridayText.toLatin1() + "\r\n");
    EXPECT_TRUE(ScannerOff());
}

namespace {

// The tool's window on the same station, driven with the mouse and the keyboard.
class ImeiWindow : public ImeiStation {
protected:
    void SetUp() override {
        ImeiStation::SetUp();
        window = new CImeiRw(comm, nullptr, Quick());
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->Session().SetClock([] { return kFriday; });
        window->show();
    }
    void TearDown() override {
        delete window.data();
        ImeiStation::TearDown();
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
    void Press(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    bool Answered() { return WaitAnswered(window->Session().Link()); }
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
    Press("setImei");
    EXPECT_EQ(messages.texts, QStringList{"The check digit of IMEI 356789012345678 is wrong: 2 "
                                          "makes it valid.\nThe IMEI was not written."});
    Type("imeiSet1", "0");
    Press("setImei");
    EXPECT_EQ(Packets(), 0); // neither the bad check digit nor a short box went out
    EXPECT_EQ(messages.texts.size(), 2);
    Type("imeiSet1", "01");
    Type("imeiSet3", "2");
    Press("setImei");
    ASSERT_TRUE(Answered());
    EXPECT_EQ(Eeprom(EepromImage::kImeiAddress, 8), kImeiBytes);
    Press("readImei");
    ASSERT_TRUE(Answered());
    EXPECT_EQ(ImeiRow("imeiRead"), ImeiGroups(kImei));

    Type("hardwareVersionSet", "1.0");
    Press("setHardware");
    ASSERT_TRUE(Answered());
    Press("readHardware");
    ASSERT_TRUE(Answered());
    EXPECT_EQ(Find("hardwareVersion")->text(), "1.0");
    Type("serialSet", "12ab05");
    Press("setSerial");
    ASSERT_TRUE(Answered());
    Press("readSerial");
    ASSERT_TRUE(Answered());
    EXPECT_EQ(Eeprom(EepromImage::kSerialAddress, 3), QByteArray("\x12\xAB\x05", 3));
    EXPECT_EQ(Find("serial")->text(), "12:;05");
    Press("setClock");
    ASSERT_TRUE(Answered());
    EXPECT_EQ(Find("time")->text(), kFridayText);
    EXPECT_EQ(Eeprom(EepromImage::kClockAddress, 7), QByteArray("\x05\x02\x09\x0d\x0e\x05\x09", 7));
    Press("readSoftware");
    ASSERT_TRUE(Answered());
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
    Press("setHardware");
    Type("serialSet", "12:;05");
    Press("setSerial");
    EXPECT_EQ(messages.texts,
              (QStringList{"A hardware version is 3 characters, such as 1.0; \"1.\" is too short.",
                           "A serial number is 6 digits (0-9, A-F); \"12:;05\" is not."}));
    EXPECT_EQ(Packets(), 0);

    ASSERT_TRUE(window->Session().Target().Send("spw 100 3"));
    ASSERT_TRUE(Answered());
    Press("readRegion");
    ASSERT_TRUE(Answered());
    EXPECT_EQ(Find("region")->text(), "Not Support");
    Choose(*Find<QComboBox>("regionChoice"), "HK");
    Press("setRegion");
    ASSERT_TRUE(Answered());
    Press("readRegion");
    ASSERT_TRUE(Answered());
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
    Press("scan");
    EXPECT_TRUE(scanDisabled);
    EXPECT_EQ(Find("hardwareVersionSet")->text(), "2.1");
    EXPECT_TRUE(Find<QPushButton>("scan")->isEnabled());
    EXPECT_EQ(messages.texts, QStringList());
    EXPECT_TRUE(Printed().startsWith("~^\"QM300G.RCL\";2;")) << Printed().toStdString();
}

TEST_F(ImeiStation, aToneGainWriteSwitchesTheToneOnAndFailedRepliesAreSaid) {
    ASSERT_TRUE(session.Target().Send("spw 73 5"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Phone().Io().toneOn == 1; }, 3000));
    // The reply to "spw 74 1" is in before the next line, or it would be taken for that line's.
    ASSERT_TRUE(WaitAnswered(session.Link()));

    // A status error is said, and so is the silence that follows it.
    TargetFaults refusing;
    refusing.statusErrorEveryNth = 1;
    bench.Target().SetFaults(refusing);
    session.ReadImei();
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.texts.size() == 2; }, 5000));
    EXPECT_EQ(messages.texts, (QStringList{"Status is error. ", "No Response"}));
}

TEST(ImeiReplies, aReplyToAnotherCommandIsSaidByItsOwnOpcode) {
    PtyPair pty;
    FakeTarget target{pty};
    target.SetReply(0x53, FakeTarget::ReplyFrame(0x52, 0, 60));
    CComm comm;
    ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
    RecordingMessageSink messages;
    ImeiRwSession session(comm);
    session.ReadImei();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.texts.isEmpty(); }, 3000));
    EXPECT_EQ(messages.texts, QStringList{"special_table_write command error"});
    EXPECT_EQ(session.Fields().imei, QString());
    EXPECT_TRUE(session.Link().PollTimerActive()); // the awaited reply may still come
}

TEST(PrinterPort, lpt1IsMappedLikeTheComPorts) {
    PortMap& map = PortMap::Instance();
    map.Clear();
    EXPECT_TRUE(map.PrinterDeviceFor(1) == "/dev/usb/lp0" || map.PrinterDeviceFor(1) == "/dev/lp0");
    QString error;
    EXPECT_TRUE(map.ApplyOption("lpt1=/tmp/labels.prn", &error));
    EXPECT_EQ(map.PrinterDeviceFor(1), "/tmp/labels.prn");
    EXPECT_EQ(map.DeviceFor(1), "/dev/ttyS0");
    EXPECT_FALSE(map.ApplyOption("LPT=/tmp/x", &error));
    map.Clear();
}
