#include "sim/scpi/ScpiInstrument.h"
#include "sim/vxi11/Portmapper.h"
#include "sim/vxi11/Vxi11Server.h"
#include "tests/support/ServerThread.h"
#include "visa/Visa.h"
#include "visa/VisaConfig.h"
#include "visa/Vxi11Io.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace {

// Answers "*IDN?" and "ECHO? TEXT" (with TEXT); keeps what it was sent.
class EchoInstrument : public ScpiInstrument {
public:
    std::optional<QByteArray> Receive(const QByteArray& line) override {
        lines.append(line);
        if (line.startsWith("ECHO? "))
            return line.mid(6);
        return line == "*IDN?" ? std::optional<QByteArray>("TEST,GATEWAY,0,1.0") : std::nullopt;
    }
    QList<QByteArray> lines;
};

QString Describe(ViObject object, ViStatus status) {
    ViChar text[VI_FIND_BUFLEN] = {};
    viStatusDesc(object, status, text);
    return QString::fromLocal8Bit(text);
}

// A gateway with the instrument at "gpib0,14" and as "inst0", on its own thread, with the
// faults of the test; the station's VISA layer maps board 0 to it.
class Vxi11Gateway : public testing::Test {
protected:
    void Start(const Vxi11Faults& faults = {}) {
        thread.Run([&] {
            server = std::make_unique<Vxi11Server>();
            server->SetFaults(faults);
            server->AddDevice("gpib0,14", instrument);
            server->AddDevice("inst0", instrument);
            ASSERT_TRUE(server->Listen());
            portmapper = std::make_unique<Portmapper>(server->Port());
            QString error;
            ASSERT_TRUE(portmapper->Listen(0, &error)) << error.toStdString();
        });
        QString error;
        ASSERT_TRUE(VisaConfig::Instance().ApplyBoardOption(
            QStringLiteral("GPIB0=TCPIP0::127.0.0.1,%1::gpib0::VXI11").arg(server->Port()),
            &error));
        ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    }
    void TearDown() override {
        viClose(rm);
        VisaConfig::Instance().ClearBoards();
        thread.Run([this] {
            portmapper.reset();
            server.reset();
        });
    }
    ViSession Open(const QString& resource, ViUInt32 timeoutMs = 2000) {
        ViSession vi = VI_NULL;
        status = viOpen(rm, resource.toLatin1().constData(), VI_NO_LOCK, 0, &vi);
        if (vi != VI_NULL)
            viSetAttribute(vi, VI_ATTR_TMO_VALUE, timeoutMs);
        return vi;
    }
    ViStatus Write(ViSession vi, const QByteArray& message) {
        ViUInt32 written = 0;
        const ViStatus result = viWrite(vi, reinterpret_cast<ViConstBuf>(message.constData()),
                                        static_cast<ViUInt32>(message.size()), &written);
        EXPECT_TRUE(result < VI_SUCCESS || written == static_cast<ViUInt32>(message.size()));
        return result;
    }
    QByteArray Read(ViSession vi, ViUInt32 count = 256) {
        QByteArray buffer(static_cast<qsizetype>(count), '\0');
        ViUInt32 got = 0;
        status = viRead(vi, reinterpret_cast<ViPBuf>(buffer.data()), count, &got);
        return buffer.left(got);
    }
    QString Core() const { return QStringLiteral("TCPIP0::127.0.0.1,%1").arg(server->Port()); }

    ServerThread thread;
    EchoInstrument instrument;
    std::unique_ptr<Vxi11Server> server;
    std::unique_ptr<Portmapper> portmapper;
    ViSession rm = VI_NULL;
    ViStatus status = VI_SUCCESS;
};

} // namespace

TEST_F(Vxi11Gateway, everyAddressOfTheMappedBoardAndEveryResourceFormReachesItsDevice) {
    Start();
    for (const QString& resource : {QStringLiteral("GPIB::14::INSTR"), QStringLiteral("GPIB0::14"),
                                    Core() + "::inst0::INSTR", Core() + "::gpib0,14::INSTR"}) {
        const ViSession vi = Open(resource);
        ASSERT_EQ(status, VI_SUCCESS) << resource.toStdString();
        ASSERT_EQ(Write(vi, "*IDN?\n"), VI_SUCCESS);
        ViUInt16 statusByte = 0;
        ASSERT_EQ(viReadSTB(vi, &statusByte), VI_SUCCESS);
        EXPECT_EQ(statusByte, 0x10) << "a reply waits";
        EXPECT_EQ(Read(vi), "TEST,GATEWAY,0,1.0\n");
        EXPECT_EQ(status, VI_SUCCESS);
        viClose(vi);
    }
    // The portmapper (on a port of its own here, 111 on a real gateway) finds the core channel,
    // over TCP for our client and over UDP for others: GETPORT(0x0607AF, 1, TCP) in call 42.
    ViStatus openStatus = VI_SUCCESS;
    QString detail;
    EXPECT_TRUE(Vxi11Io::Open({"127.0.0.1", 0, "inst0"}, portmapper->Port(), &openStatus, &detail))
        << detail.toStdString();
    QUdpSocket udp;
    udp.writeDatagram(QByteArray::fromHex("0000002a 00000000 00000002 000186a0 00000002 00000003 "
                                          "00000000 00000000 00000000 00000000 000607af 00000001 "
                                          "00000006 00000000"),
                      QHostAddress::LocalHost, portmapper->Port());
    ASSERT_TRUE(udp.waitForReadyRead(2000));
    const QByteArray reply = udp.receiveDatagram().data();
    EXPECT_EQ(reply.left(4).toHex(), "0000002a");
    EXPECT_EQ(reply.right(4).toHex().toUInt(nullptr, 16), server->Port());
}

TEST_F(Vxi11Gateway, whatCannotBeOpenedOrUsedIsSaidInWordsWithTheResource) {
    Start({.lockedDevice = "gpib0,14"});
    const ViSession locked = Open("GPIB0::14::INSTR");
    EXPECT_EQ(Write(locked, "*IDN?\n"), VI_ERROR_RSRC_LOCKED);
    EXPECT_EQ(Describe(locked, VI_ERROR_RSRC_LOCKED),
              "GPIB0::14::INSTR: locked by another link (VXI-11 error 11)");
    Open("GPIB0::7::INSTR");
    EXPECT_EQ(status, VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(Describe(rm, status),
              "GPIB0::7::INSTR: no link to gpib0,7: device not accessible (VXI-11 error 3)");
    QString error;
    ASSERT_TRUE(VisaConfig::Instance().ApplyBoardOption("GPIB1=ASRL::/dev/ttyUSB0", &error));
    Open("GPIB1::5");
    EXPECT_EQ(status, VI_ERROR_INV_SETUP);
    EXPECT_TRUE(Describe(rm, status)
                    .contains("not supported yet (supported: "
                              "TCPIP0::host::gpib0::VXI11, "
                              "PRLGX-TCPIP0::host::1234, LINUXGPIB::0)"))
        << Describe(rm, status).toStdString();
    EXPECT_FALSE(VisaConfig::Instance().ApplyBoardOption("GPIB0", &error));
    EXPECT_TRUE(error.contains("GPIBn=INTERFACE"));
}

TEST_F(Vxi11Gateway, smallChunksFragmentsAndStaleRepliesStillCarryWholeMessages) {
    Start({.maxRecvSize = 4, .fragmentBytes = 6, .staleReplies = true});
    const ViSession vi = Open("GPIB0::14::INSTR");
    ASSERT_EQ(Write(vi, "ECHO? 0123456789abcdefghi\n"), VI_SUCCESS);
    // Seven full chunks of four without END, then END: only END ends the message.
    EXPECT_EQ(Read(vi), "0123456789abcdefghi\n");
    EXPECT_EQ(status, VI_SUCCESS);
    ASSERT_EQ(Write(vi, "ECHO? 0123456\n"), VI_SUCCESS);
    EXPECT_EQ(Read(vi, 4), "0123");
    EXPECT_EQ(status, VI_SUCCESS_MAX_CNT);
    EXPECT_EQ(Read(vi, 4), "456\n");
    EXPECT_EQ(status, VI_SUCCESS) << "a reply that fills the count exactly still ends";
    thread.Run([&] {
        EXPECT_EQ(instrument.lines,
                  (QList<QByteArray>{"ECHO? 0123456789abcdefghi", "ECHO? 0123456"}));
    });
}

TEST_F(Vxi11Gateway, timeOutsAndADroppedConnectionAreTheirOwnErrors) {
    Start({.delayMs = 100, .timeoutEveryNth = 2, .dropAtCall = 7});
    const ViSession vi = Open("GPIB0::14::INSTR", 50);
    ASSERT_EQ(Write(vi, "*IDN?\n"), VI_SUCCESS);
    EXPECT_EQ(Read(vi), "TEST,GATEWAY,0,1.0\n") << "a reply later than 50 ms is still waited for";
    Read(vi);
    EXPECT_EQ(status, VI_ERROR_TMO) << "the second read is the gateway's time-out";
    EXPECT_EQ(Describe(vi, status),
              "GPIB0::14::INSTR: no reply within 50 ms (the gateway's I/O time-out)");
    ASSERT_EQ(Write(vi, "SILENT?\n"), VI_SUCCESS);
    Read(vi);
    EXPECT_EQ(status, VI_ERROR_TMO) << "nothing to read waits out the time-out";
    Read(vi);
    EXPECT_EQ(status, VI_ERROR_CONN_LOST);
    EXPECT_TRUE(Describe(vi, status).contains("was closed")) << Describe(vi, status).toStdString();
}
