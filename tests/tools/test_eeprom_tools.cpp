// The EEPROM map viewer and the E2P reset on the simulated bench: the walk over the 40 blocks,
// its result file and saved map compared with the unit's EEPROM image, CLEAR during a block,
// the walk's failures, and the one "se 5" of the reset.
#include "link/LinkTexts.h"
#include "sessions/EepromMapSession.h"
#include "sim/target/EepromImage.h"
#include "tests/support/PanelBench.h"
#include "tools/EepmapDlg.h"
#include "tools/TargetReset.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int kBlocks = 40;
const QString kReadingEnd = QStringLiteral("reading End");
const QString kSerialCommError = QStringLiteral("serial comm error");

// A unit whose EEPROM holds every byte value, 0x41 ('A') at address 0, stuffed bytes included.
QByteArray PatternImage() {
    QByteArray image;
    for (int i = 0; i < EepromImage::kSize; ++i)
        image.append(static_cast<char>((i * 37 + 0x41) & 0xFF));
    return image;
}

class EepromTools : public PanelBench {
protected:
    void SetUp() override {
        PanelBench::SetUp();
        QFile image(dir.filePath("unit.eep"));
        ASSERT_TRUE(image.open(QIODevice::WriteOnly));
        image.write(PatternImage());
        image.close();
        QString error;
        ASSERT_TRUE(bench.Target().LoadEeprom(image.fileName(), &error)) << error.toStdString();
    }

    const QByteArray& Eeprom() { return bench.Target().Eeprom().Bytes(); }
};

class EepromMap : public EepromTools {
protected:
    void SetUp() override {
        EepromTools::SetUp();
        map.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&map));
    }

    void Click(const char* name) {
        QTest::mouseClick(map.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    bool WaitForMessages(int n) {
        return QTest::qWaitFor([&] { return messages.texts.size() >= n; }, 20000);
    }
    QString Listed(int row) { return map.List().item(row)->text(); }

    CEepmapDlg map{comm};
};

} // namespace

TEST_F(EepromMap, readListsEveryByteAtItsAddressAndKeepsEachBlockInTheResultFile) {
    ASSERT_EQ(Eeprom().at(0), 0x41);
    Click("read");
    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(messages.texts, QStringList{kReadingEnd});
    // Nothing goes out after the 40th block.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Packets() == 2 * kBlocks; }, 3000));
    EXPECT_FALSE(map.Session().Link().PollTimerActive() || map.Session().Link().ReplyTimerActive());

    EXPECT_EQ(map.Session().Map(), Eeprom());
    ASSERT_EQ(map.List().count(), EepromImage::kSize);
    EXPECT_EQ(Listed(0), "0 -> 0x41, A");
    const int stx = static_cast<int>(Eeprom().indexOf('\x02'));
    EXPECT_EQ(Listed(stx), QStringLiteral("%1 -> 0x2, .").arg(stx)); // unprintable: a dot
    EXPECT_EQ(Listed(EepromImage::kSize - 1),
              QString::asprintf("2559 -> 0x%x, .", static_cast<std::uint8_t>(Eeprom().back())));

    // The file: per block an empty line, then one line per byte, each ending in CR LF, with the
    // byte itself where the list shows a dot: other programs read the file.
    QFile result(dir.filePath("Eepresult.txt"));
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    const QByteArray written = result.readAll();
    QByteArray expected;
    for (int address = 0; address < EepromImage::kSize; ++address) {
        const char byte = Eeprom().at(address);
        expected +=
            (address % 64 == 0 ? "\r\n" : "") +
            QString::asprintf("%d -> 0x%x, ", address, static_cast<std::uint8_t>(byte)).toLatin1() +
            byte + "\r\n";
    }
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(written.contains(QByteArray::number(stx) + " -> 0x2, \x02\r\n"));

    // Saved as an image and as a hex dump, for comparing units with ordinary tools.
    map.SaveMap(dir.filePath("unit.bin"), EepromMapFormat::Image);
    map.SaveMap(dir.filePath("unit.txt"), EepromMapFormat::HexDump);
    QFile image(dir.filePath("unit.bin"));
    QFile dump(dir.filePath("unit.txt"));
    ASSERT_TRUE(image.open(QIODevice::ReadOnly) && dump.open(QIODevice::ReadOnly));
    EXPECT_EQ(image.readAll(), Eeprom());
    const QList<QByteArray> dumpLines = dump.readAll().split('\n');
    ASSERT_EQ(dumpLines.size(), EepromImage::kSize / 16 + 1);
    EXPECT_EQ(dumpLines[0],
              "0000  41 66 8B B0 D5 FA 1F 44  69 8E B3 D8 FD 22 47 6C  |Af.....Di....\"Gl|");
    EXPECT_EQ(messages.texts, QStringList{kReadingEnd});
}

TEST_F(EepromMap, clearDuringABlockStartsTheListAgainAndNoByteIsListedAtAnotherAddress) {
    // CLEAR is pressed once the first block is listed and the request for the second is out:
    // the second block's bytes belong to address 64 on.
    QPushButton* clear = map.findChild<QPushButton*>("clear");
    bool pressed = false;
    QObject::connect(&map.Session(), &EepromMapSession::byteListed, clear, [&](int address) {
        if (address == 63 && !pressed) {
            pressed = true;
            QMetaObject::invokeMethod(clear, &QPushButton::click, Qt::QueuedConnection);
        }
    });
    Click("read");
    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(messages.texts, QStringList{kReadingEnd});
    EXPECT_EQ(map.Session().Map(), Eeprom());
    EXPECT_EQ(Listed(64), "64 -> 0x81, .");
    EXPECT_EQ(Packets(), 2 * (kBlocks + 2));
}

TEST_F(EepromMap, aLostOrCorruptReplyStopsTheWalkAndReadGoesOnFromWhereItStopped) {
    map.Session().Link().SetReplyTimeoutMs(kShortTimeoutMs);
    bench.Target().SetFaults({.dropEveryNth = 3});
    Click("read"); // the third packet, the request for the second block, gets no reply
    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(map.Session().ReadAddress(), 64);
    Click("read");
    ASSERT_TRUE(WaitForMessages(2));
    EXPECT_EQ(map.Session().ReadAddress(), 128);
    EXPECT_EQ(map.Session().Map(), Eeprom().left(128));

    // A block with a wrong checksum is refused, never listed.
    bench.Target().SetFaults({.corruptChecksumEveryNth = 2});
    Click("read");
    ASSERT_TRUE(WaitForMessages(3));
    EXPECT_EQ(messages.texts, QStringList(3, kSerialCommError));
    EXPECT_EQ(map.List().count(), 128);

    // With the port closed READ does nothing at all.
    comm.Close();
    const int sent = Packets();
    Click("read");
    EXPECT_FALSE(map.Session().Link().ReplyTimerActive());
    EXPECT_EQ(Packets(), sent);
    EXPECT_EQ(messages.texts.size(), 3);
}

TEST_F(EepromMap, aResultFileThatCannotBeWrittenIsToldOnceAndTheMapIsStillListed) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("Eepresult.txt"));
    Click("read");
    ASSERT_TRUE(WaitForMessages(2));
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_TRUE(messages.texts[0].startsWith("The blocks read are not kept in Eepresult.txt."))
        << messages.texts[0].toStdString();
    EXPECT_EQ(messages.texts[1], kReadingEnd);
    EXPECT_EQ(map.List().count(), EepromImage::kSize);
}

using EepromReset = EepromTools;

TEST_F(EepromReset, bothButtonsEndWithCodeFiveAndOnlyYesSendsOneSe5) {
    CTargetReset no(comm);
    no.show();
    QTest::mouseClick(no.findChild<QPushButton*>("no"), Qt::LeftButton);
    EXPECT_EQ(no.result(), CTargetReset::kResultCode);
    EXPECT_FALSE(no.isVisible());

    CTargetReset yes(comm);
    EXPECT_EQ(yes.windowTitle(), "E2P Reset");
    EXPECT_EQ(yes.findChild<QLabel*>("question")->text(),
              "If you reset Target, RF Cal data is all erased. Really Do you Erase?");
    yes.show();
    QTest::mouseClick(yes.findChild<QPushButton*>("yes"), Qt::LeftButton);
    EXPECT_EQ(yes.result(), CTargetReset::kResultCode);
    EXPECT_FALSE(yes.isVisible());
    // The target erases its RF calibration area and nothing else.
    const QByteArray before = PatternImage();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return Eeprom().left(EepromImage::kRfAreaEnd).count('\xFF') == EepromImage::kRfAreaEnd;
        },
        3000));
    EXPECT_EQ(Eeprom().mid(EepromImage::kRfAreaEnd, 0x40),
              before.mid(EepromImage::kRfAreaEnd, 0x40));
    EXPECT_EQ(Packets(), 1);
    EXPECT_TRUE(messages.texts.isEmpty());

    comm.Close();
    CTargetReset closed(comm);
    closed.show();
    QTest::mouseClick(closed.findChild<QPushButton*>("yes"), Qt::LeftButton);
    EXPECT_EQ(closed.result(), CTargetReset::kResultCode);
    EXPECT_EQ(messages.texts, QStringList{QString::fromUtf8(kNotConnectedResetText)});
    EXPECT_EQ(Packets(), 1);
}
