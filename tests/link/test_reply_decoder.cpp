#include "link/ReplyDecoder.h"
#include "tests/support/FakeTarget.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A reply as the target sends it: STX 0x14, then opcode, status, index, data and XOR checksum,
// stuffed, then STX.
Bytes Reply(std::uint8_t opcode, std::uint8_t index, const Bytes& data = {},
            std::uint8_t status = 0) {
    const QByteArray frame =
        FakeTarget::ReplyFrame(opcode, status, index,
                               QByteArray(reinterpret_cast<const char*>(data.data()),
                                          static_cast<qsizetype>(data.size())));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(frame.constData());
    return Bytes(bytes, bytes + frame.size());
}

int Len(const Bytes& f) {
    return static_cast<int>(f.size());
}
QStringList Decode(const Bytes& f) {
    return DecodeSuccessReply(f.data(), Len(f));
}
// The Result Display is handed the reply unstuffed.
QStringList Display(Bytes f) {
    f.resize(f.size() - static_cast<std::size_t>(RemoveStuffing(f.data(), Len(f))));
    return ResultDisplayLines(f.data(), Len(f));
}
QString Field(const char* text, int width) {
    return QString(text).rightJustified(width);
}

} // namespace

TEST(MakeWord, readsHighByteFirstAndSignsOnlyTheSignedForm) {
    const std::uint8_t bytes[] = {0xFF, 0xF4};
    EXPECT_EQ(MakeWord(bytes), 0xFFF4);
    EXPECT_EQ(MakeSignedWord(bytes), -12);
    const std::uint8_t min[] = {0x80, 0x00};
    EXPECT_EQ(MakeSignedWord(min), -32768);
}

// The texts of every reply the virtual target gives, read through this decoder, are the target's
// tests (TargetWithStation); here the rows and values it never sends.
TEST(DecodeSuccessReply, theRowsOfTheOpcodeTableNoTargetReplyReaches) {
    struct Case {
        Bytes frame;
        QStringList expected;
    };
    const Case cases[] = {
        {Reply(0x37, 2, {0xE8, 0x03}), {}},
        {Reply(0x35, 3, {0x2A, 0x00}), {}},
        // sr: byte 6 selects RX level (big-endian half units, truncated), PM value or both.
        {Reply(0x24, 1, {0x00, 0x01, 0x00, 0xC9}), {"RX level is 100"}},
        {Reply(0x24, 1, {0x00, 0x02, 0x55, 0x40, 0x01}), {"PM value is " + Field("5.00", 10)}},
        {Reply(0x24, 1, {0x00, 0x03, 0x00, 0xC9, 0xA0, 0x00}),
         {"RX level is 100", "PM value is " + Field("2.50", 10)}},
        {Reply(0x24, 1, {0x00, 0x04, 0x00, 0xC9}), {}},
        {Reply(0x24, 2, {0x00, 0x01, 0x00, 0xC9}), {}},
        {Reply(0x53, 10, {'Q', 'T', '3', '1', '0', 'V', '1', '.', '4'}), {"QT310V1.4"}},
        {Reply(0x53, 11, {'K', 'O', 'R', 'X'}), {"KOR"}},
        {Reply(0x53, 20, {'A', 0x00, 'B'}), {"A"}},
        {Reply(0x53, 55, {0x01, 0xFF, 0x0C}), {"1-112"}},
        {Reply(0x53, 61, {0xFF, 0xFF, 0xFF}), {"-65793"}},
        {Reply(0x60, 0), {"command error"}},
        {Reply(0x46, 0), {"command error"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.frame));
        EXPECT_EQ(Decode(c.frame), c.expected);
    }
    for (std::uint8_t op :
         Bytes{0x20, 0x22, 0x23, 0x25, 0x26, 0x30, 0x32, 0x34, 0x36, 0x38, 0x40, 0x45, 0x50, 0x52})
        EXPECT_TRUE(Decode(Reply(op, 1, {0x01, 0x00})).isEmpty()) << int(op);
}

TEST(DecodeSuccessReply, afcIsSignedEighthsInAThirteenCharacterFieldInAnyLocale) {
    const QStringList expected{"AFC DAC :        -1.500"};
    EXPECT_EQ(Decode(Reply(0x31, 9, {0xF4, 0xFF})), expected);
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const QLocale previousDefault;
    QLocale::setDefault(QLocale(QLocale::German));
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // may be missing; QLocale still covers Qt's side
    const QStringList texts = Decode(Reply(0x31, 9, {0xF4, 0xFF}));
    std::setlocale(LC_ALL, previous.c_str());
    QLocale::setDefault(previousDefault);
    EXPECT_EQ(texts, expected);
}

TEST(DecodeSuccessReply, valuesAreReadFromTheUnstuffedFrame) {
    const Bytes txpr1{0x02, 0x14, 0x37, 0x00, 0x01, 0x2C, 0x01, 0x1B, 0x02}; // txpr 1, as sent
    EXPECT_EQ(Decode(txpr1), QStringList{"Tx level is 300"});
    // Value 0x0210 travels as 0x10 0x10 0x10 0x02; index 2 as 0x10 0x02.
    EXPECT_EQ(Decode(Reply(0x37, 1, {0x10, 0x02})), QStringList{"Tx level is 528"});
}

// The heading is read back from the target (TargetWithStation); here a word above 255 and the
// indexes that show the table.
TEST(DecodeSuccessReply, gmagicTableShowsFiveWordsUnderIndex31Or47Only) {
    const Bytes data{1, 0, 2, 0, 0x2C, 0x01, 4, 0, 5, 0};
    EXPECT_EQ(Decode(Reply(0x33, 47, data)).value(1),
              "   1           2           300                    4                          5");
    EXPECT_EQ(Decode(Reply(0x33, 31, data)).size(), 2);
    EXPECT_TRUE(Decode(Reply(0x33, 30, data)).isEmpty());
}

TEST(DecodeSuccessReply, rampTemplateIsTwoHeadingsAndTwoBlocksOfSixteen) {
    Bytes data;
    for (int i = 0; i < 32; ++i)
        data.push_back(static_cast<std::uint8_t>(i < 16 ? i : -i)); // down values negative
    const QStringList texts = Decode(Reply(0x39, 3, data));
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[0], "Up Ramp Templete #3");
    EXPECT_EQ(texts[2], "Down Ramp Templete #3");
    QString up, down;
    for (int i = 0; i < 16; ++i) {
        const char* rowBreak = i == 8 ? "\r\n" : "";
        up += rowBreak + QString::number(i).rightJustified(8);
        down += rowBreak + QString::number(-16 - i).rightJustified(8);
    }
    EXPECT_EQ(texts[1], up);
    EXPECT_EQ(texts[3], down);
}

TEST(DecodeSuccessReply, imeiDigitsLowNibbleFirstCountedFromTheReceivedLength) {
    const Bytes imei{0x53, 0x41, 0x07, 0x98, 0x65, 0x43, 0x21, 0x05};
    EXPECT_EQ(Decode(Reply(0x53, 0x3C, imei)), QStringList{"3514708956341250"});
    // A stuffed 0x10 lengthens the frame by one, so the checksum 0x7F's digits follow.
    EXPECT_EQ(Decode(Reply(0x53, 0x3C, {0x10})), QStringList{"01157"});
}

TEST(ReplyErrorText, namesTheOpcodeOfAnUnexpectedReplyAndOnlyThoseTheManualWindowKnows) {
    EXPECT_EQ(ReplyErrorText(0x20), "tm init command error");
    EXPECT_EQ(ReplyErrorText(0x24), "stats_read command error");
    EXPECT_EQ(ReplyErrorText(0x37), "TXPR command error");
    EXPECT_EQ(ReplyErrorText(0x39), "tx_templete_read command error");
    EXPECT_EQ(ReplyErrorText(0x54), "special enable command error");
    for (int op = 0; op < 256; ++op) {
        const bool known = (op >= 0x20 && op <= 0x26 && op != 0x22) || (op >= 0x30 && op <= 0x39) ||
                           op == 0x50 || op == 0x51 || op == 0x54;
        const QString text = ReplyErrorText(static_cast<std::uint8_t>(op));
        EXPECT_EQ(text.endsWith(" command error"), known) << op;
        EXPECT_EQ(text.isEmpty(), !known) << op;
    }
}

TEST(ResultDisplayLines, separatorThenTheFormOfTheOpcode) {
    const QString sep(68, '-');
    EXPECT_EQ(Display(Reply(0x37, 1, {0x2C, 0x01}, 0x01)), (QStringList{sep, "command error"}));
    EXPECT_EQ(Display(Reply(0x20, 0)), (QStringList{sep, "ti command success"}));
    EXPECT_EQ(Display(Reply(0x21, 1)), (QStringList{sep, "tms command success"}));
    EXPECT_EQ(Display(Reply(0x23, 1)), (QStringList{sep, "rfe command success"}));
    EXPECT_EQ(Display(Reply(0x30, 2)), (QStringList{sep, "rfpw command success"}));
    for (std::uint8_t op : Bytes{0x31, 0x37, 0x51})
        EXPECT_EQ(Display(Reply(op, 1, {0x2C, 0x01})),
                  (QStringList{sep, "index = 1 , value = 300"}));
    EXPECT_EQ(Display(Reply(0x37, 4, {0x10, 0x10})),
              (QStringList{sep, "index = 4 , value = 4112"}));
    for (std::uint8_t op : Bytes{0x36, 0x50, 0x54})
        EXPECT_EQ(Display(Reply(op, 6)), (QStringList{sep, "index = 6 "}));
    EXPECT_EQ(Display(Reply(0x54, 0xFF)), (QStringList{sep, "index = -1 "})); // signed index
    EXPECT_EQ(Display(Reply(0x33, 31)), QStringList{sep});

    const QStringList ramp = Display(Reply(0x39, 2, Bytes(32, 0xFF)));
    const QString sixteen = QString("   -1").repeated(16);
    EXPECT_EQ(ramp,
              (QStringList{sep, "Up Ramp Templete #2", sixteen, "Down Ramp Templete #2", sixteen}));
}

TEST(ReplyDecoder, shortAndOversizedFramesAreSafe) {
    const Bytes full = Reply(0x53, 55, {0x01, 0x02, 0x03});
    for (int n = 0; n <= 6; ++n) {
        const Bytes head(full.begin(), full.begin() + n); // exact size, so overreads are caught
        for (auto result : {REPLY_OTHER_OPCODE, REPLY_STATUS_ERROR, REPLY_SUCCESS})
            DispatchManualReply(result, head.data(), n);
        Display(head);
    }
    EXPECT_EQ(Decode(Bytes(full.begin(), full.begin() + 6)), QStringList{""});
    EXPECT_TRUE(DecodeSuccessReply(nullptr, 20).contains("command error"));

    Bytes garbage(4096);
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (std::uint8_t index : Bytes{55, 60}) {
        garbage[2] = 0x53;
        garbage[3] = 0x00;
        garbage[4] = index;
        const QStringList texts = Decode(garbage);
        ASSERT_EQ(texts.size(), 1);
        EXPECT_LE(texts[0].size(), 4 * ReplyWorkArea::kSize); // bounded by the work area
    }
}
