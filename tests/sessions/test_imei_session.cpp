// The IMEI tool's session: its label jobs against files written by hand, and whole scan cycles
// with the bench's scanner and printer file, stopped at each of their failures. Its lines and
// decodings are read through the phone here and in the tool's window (tests/tools).
#include "sessions/LPT1Write.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/ImeiBench.h"
#include "tests/support/PtyPair.h"

namespace {

const QString kMisread = QStringLiteral("잘못 읽혔습니다. 다시 작업하세요 !!!");
const QString kWrongVersion = QStringLiteral("Software Version이 다릅니다. 다시 작업하세요 !!!");

QByteArray HandWritten(const char* name) {
    return FileBytes(QStringLiteral(RFTUNE_SESSIONS_DATA "/") + QLatin1String(name));
}

} // namespace

// Both jobs' bytes, as written by hand, are the scan cycle's (aScanCycleWritesTheImei...).
TEST(LabelPrinter, aPrinterThatIsNotThereIsNotMadeUpAsAFile) {
    QTemporaryDir dir;
    CLPT1Write missing;
    QString error;
    EXPECT_FALSE(missing.Open(dir.filePath("usb/lp9"), &error));
    EXPECT_TRUE(error.endsWith("No such file or directory")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("usb/lp9")));
}

namespace {

// The scan cycle's session on the IMEI station, the PC clock at a fixed moment.
class ImeiStation : public ImeiBench {
protected:
    void SetUp() override {
        ImeiBench::SetUp();
        session.SetClock([] { return kFriday; });
    }

    QByteArray Results() { return FileBytes(dir.filePath(kImeiResultFile)); }
    // "LOFF" went out and reached the scanner.
    bool ScannerOff() {
        return QTest::qWaitFor([&] { return !bench.Scanner().IsOn(); }, 3000);
    }

    ImeiRwSession session{comm, QuickImeiTimings()};
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
    ImeiRwSession fresh(comm, QuickImeiTimings());
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
