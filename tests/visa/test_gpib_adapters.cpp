#include "base/StationClock.h"
#include "drivers/age1960/Age1960Scpi.h"
#include "sim/a8960/Virtual8960.h"
#include "sim/prologix/PrologixFaces.h"
#include "sim/scpi/ScpiServer.h"
#include "sim/vxi11/Portmapper.h"
#include "sim/vxi11/Vxi11Server.h"
#include "sim/wt4400/Virtual4400.h"
#include "tests/support/FakeRadio.h"
#include "tests/support/ServerThread.h"
#include "visa/BuiltInOpen.h"
#include "visa/LinuxGpibIo.h"
#include "visa/LinuxGpibLibrary.h"
#include "visa/PrologixIo.h"
#include "visa/VisaConfig.h"
#include "visa/Vxi11Io.h"

#include <QNetworkDatagram>
#include <QTcpServer>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

struct IoResult {
    ViStatus status;
    QByteArray bytes;
};

ViStatus Write(InstrumentIo& io, const QByteArray& bytes) {
    ViUInt32 written = 0;
    const ViStatus status = io.Write(reinterpret_cast<ViConstBuf>(bytes.constData()),
                                     static_cast<ViUInt32>(bytes.size()), &written);
    EXPECT_TRUE(status < VI_SUCCESS || written == static_cast<ViUInt32>(bytes.size()));
    return status;
}

IoResult Read(InstrumentIo& io, ViUInt32 count = 256) {
    QByteArray buffer(static_cast<qsizetype>(count), '\0');
    ViUInt32 got = 0;
    const ViStatus status = io.Read(reinterpret_cast<ViPBuf>(buffer.data()), count, &got);
    return {status, buffer.left(got)};
}

IoResult Query(InstrumentIo& io, const QByteArray& line) {
    const ViStatus status = Write(io, line + '\n');
    return status < VI_SUCCESS ? IoResult{status, {}} : Read(io);
}

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

// The bench's 8960 at 14 and 4400 at 4 on one GPIB board, with an echo at 20 behind a gateway,
// on a thread of their own; waits and the Prologix adapter's read period on the station's time
// scale, cut down.
class GpibBench : public testing::Test {
protected:
    void SetUp() override { StationClock::SetScale(0.01); }
    void TearDown() override {
        thread.Run([this] { faces.clear(); });
        StationClock::SetScale(1.0);
    }
    QMap<int, ScpiInstrument*> Board() { return {{14, &a8960}, {4, &wt4400}}; }
    // The instruments on SCPI servers of their own, as the stub of linux-gpib's library reaches
    // them.
    void StartLinuxGpib() {
        thread.Run([&] {
            for (auto [address, instrument] : Board().asKeyValueRange()) {
                auto server = std::make_unique<ScpiServer>(*instrument);
                ASSERT_TRUE(server->Listen());
                qputenv(QByteArray("RFTUNE_STUB_GPIB_") + QByteArray::number(address),
                        QByteArray::number(server->Port()));
                faces.push_back(std::move(server));
            }
        });
        qputenv("RFTUNE_GPIB_LIBRARY", STUB_GPIB_PATH);
    }
    // A VXI-11 gateway with the board's instruments as "gpib0,N" and the echo also as "inst0",
    // with the faults of the test; returns the board's interface text.
    QString StartGateway(const Vxi11Faults& faults = {}) {
        thread.Run([&] {
            auto server = std::make_unique<Vxi11Server>();
            server->SetFaults(faults);
            for (auto [address, instrument] : Board().asKeyValueRange())
                server->AddDevice(QStringLiteral("gpib0,%1").arg(address), *instrument);
            server->AddDevice("gpib0,20", echo);
            server->AddDevice("inst0", echo);
            ASSERT_TRUE(server->Listen());
            gateway = server.get();
            faces.push_back(std::move(server));
        });
        return QStringLiteral("TCPIP0::127.0.0.1,%1::gpib0::VXI11").arg(gateway->Port());
    }
    std::unique_ptr<InstrumentIo> Open(const QString& interface, int address) {
        ViStatus status = VI_SUCCESS;
        QString detail;
        std::unique_ptr<InstrumentIo> io =
            FindBoardOpener(interface)(interface, address, &status, &detail);
        EXPECT_EQ(status, VI_SUCCESS) << detail.toStdString();
        return io;
    }

    FakeRadio radio;
    Virtual8960 a8960{radio};
    Virtual4400 wt4400{radio};
    EchoInstrument echo;
    ServerThread thread;
    std::vector<std::unique_ptr<QObject>> faces;
    Vxi11Server* gateway = nullptr;
};

enum class Face { kVxi11, kPrologixTcp, kPrologixSerial, kLinuxGpib };

// The board behind each face the station can map it to, opened as the board table opens it.
class GpibFaces : public GpibBench, public testing::WithParamInterface<Face> {
protected:
    // Starts the board's face and returns its interface text.
    QString Start(const PrologixFaults& faults = {}) {
        if (GetParam() == Face::kLinuxGpib) {
            StartLinuxGpib();
            return QStringLiteral("LINUXGPIB::0");
        }
        if (GetParam() == Face::kVxi11)
            return StartGateway();
        QString text;
        thread.Run([&] { text = StartInThread(faults); });
        return text;
    }
    QList<QByteArray> Commands() {
        QList<QByteArray> commands;
        thread.Run([&] { commands = tcp ? tcp->Commands() : serial->Commands(); });
        return commands;
    }

    PrologixTcpFace* tcp = nullptr;
    PrologixSerialFace* serial = nullptr;

private:
    QString StartInThread(const PrologixFaults& faults) {
        if (GetParam() == Face::kPrologixTcp) {
            faces.push_back(std::make_unique<PrologixTcpFace>(Board(), faults));
            tcp = static_cast<PrologixTcpFace*>(faces.back().get());
            EXPECT_TRUE(tcp->Listen());
            return tcp->InterfaceText();
        }
        faces.push_back(std::make_unique<PrologixSerialFace>(Board(), faults));
        serial = static_cast<PrologixSerialFace*>(faces.back().get());
        QString error;
        EXPECT_TRUE(serial->Open(&error)) << error.toStdString();
        return serial->InterfaceText();
    }
};

INSTANTIATE_TEST_SUITE_P(Faces, GpibFaces,
                         testing::Values(Face::kVxi11, Face::kPrologixTcp, Face::kPrologixSerial,
                                         Face::kLinuxGpib));

using PrologixFaces = GpibFaces;
INSTANTIATE_TEST_SUITE_P(Adapters, PrologixFaces,
                         testing::Values(Face::kPrologixTcp, Face::kPrologixSerial));

// The gateway through the station's VISA layer, its board 0 mapped to it.
class Vxi11Gateway : public GpibBench {
protected:
    QString Start(const Vxi11Faults& faults = {}) {
        const QString interface = StartGateway(faults);
        QString error;
        EXPECT_TRUE(VisaConfig::Instance().ApplyBoardOption("GPIB0=" + interface, &error));
        EXPECT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
        return interface;
    }
    void TearDown() override {
        viClose(rm);
        VisaConfig::Instance().ClearBoards();
        GpibBench::TearDown();
    }
    ViSession OpenVisa(const QString& resource) {
        ViSession vi = VI_NULL;
        status = viOpen(rm, resource.toLatin1().constData(), VI_NO_LOCK, 0, &vi);
        return vi;
    }
    ViStatus WriteVisa(ViSession vi, const QByteArray& message) {
        ViUInt32 written = 0;
        return viWrite(vi, reinterpret_cast<ViConstBuf>(message.constData()),
                       static_cast<ViUInt32>(message.size()), &written);
    }

    ViSession rm = VI_NULL;
    ViStatus status = VI_SUCCESS;
};

} // namespace

TEST_P(GpibFaces, theInstrumentsAnswerAtTheirAddressesInChunksAndAClearDropsAWaitingReply) {
    const QString interface = Start();
    std::unique_ptr<InstrumentIo> io = Open(interface, 14);
    std::unique_ptr<InstrumentIo> wt4400Io = Open(interface, 4);
    ASSERT_TRUE(io && wt4400Io);
    EXPECT_EQ(Query(*io, age1960::Age1960Scpi::kIdentify).bytes,
              QByteArray(Virtual8960::kIdentity) + '\n');
    EXPECT_EQ(Query(*wt4400Io, "*IDN?").bytes, QByteArray(Virtual4400::kIdentity) + '\n');
    ASSERT_EQ(Write(*io, QByteArray(age1960::Age1960Scpi::kReadTxPower) + '\n'), VI_SUCCESS);
    QByteArray power;
    IoResult chunk{VI_SUCCESS_MAX_CNT, {}};
    for (int chunks = 0; chunk.status == VI_SUCCESS_MAX_CNT && chunks < 20; ++chunks) {
        chunk = Read(*io, 3);
        power += chunk.bytes;
    }
    EXPECT_EQ(chunk.status, VI_SUCCESS);
    EXPECT_TRUE(power.endsWith('\n') && power.count('\n') == 1) << power.data();

    ASSERT_EQ(io->SetAttribute(VI_ATTR_TMO_VALUE, 100), VI_SUCCESS);
    ViUInt16 statusByte = 0xFF;
    ASSERT_EQ(Write(*io, "*IDN?\n"), VI_SUCCESS);
    EXPECT_EQ(io->ReadStatusByte(&statusByte), VI_SUCCESS);
    EXPECT_EQ(statusByte, 0x10) << "a reply waits";
    EXPECT_EQ(io->Clear(), VI_SUCCESS);
    EXPECT_EQ(io->ReadStatusByte(&statusByte), VI_SUCCESS);
    EXPECT_EQ(statusByte, 0) << "the clear took the reply";
    EXPECT_EQ(Read(*io).status, VI_ERROR_TMO);
    EXPECT_EQ(io->ErrorDetail(VI_ERROR_TMO),
              GetParam() == Face::kVxi11 ? "no reply within 100 ms (the gateway's I/O time-out)"
                                         : "no reply from GPIB address 14 within 100 ms");
    if (tcp || serial) {
        EXPECT_TRUE(Commands().contains("++clr"));
    }
}

TEST_P(PrologixFaces, everyAddressOfTheBoardSharesOneSetUpAdapterThatIsToldOnlyAnAddressChange) {
    const QString interface = Start();
    std::unique_ptr<InstrumentIo> a8960Io = Open(interface, 14);
    std::unique_ptr<InstrumentIo> wt4400Io = Open(interface, 4);
    ASSERT_TRUE(a8960Io && wt4400Io);
    EXPECT_EQ(Query(*a8960Io, "*OPC?").bytes, "1\n");
    EXPECT_EQ(Query(*wt4400Io, "*OPC?").bytes, "1\n");
    // Payload that looks like escapes, commands and line ends reaches the instrument as written.
    const QByteArray awkward = "*ESE +32;:DISP:TEXT 'a\x1b\rb++'";
    ASSERT_EQ(Write(*a8960Io, awkward + '\n'), VI_SUCCESS);
    EXPECT_EQ(Query(*a8960Io, "*OPC?").bytes, "1\n");
    EXPECT_EQ(a8960.ReceivedLines().value(a8960.ReceivedLines().size() - 2), awkward);

    const QList<QByteArray> setUp{"++mode 1",       "++auto 0",      "++eoi 1",          "++eos 3",
                                  "++eot_enable 1", "++eot_char 10", "++read_tmo_ms 30", "++ver"};
    const QList<QByteArray> commands = Commands();
    EXPECT_EQ(commands.mid(0, setUp.size()), setUp);
    EXPECT_EQ(commands.count("++addr 14"), 2); // 14, 4, and 14 again
    EXPECT_EQ(commands.count("++addr 4"), 1);
    EXPECT_EQ(commands.count("++addr"), 3);
    EXPECT_FALSE(commands.contains("++auto 1"));
}

TEST_P(PrologixFaces, aSlowReplyInPiecesReadsInChunksOnceTheReadIsIssuedAgain) {
    // A read period of 150 ms, which the reply outlasts; ample for the set-up's answer in pieces
    // on a busy machine.
    StationClock::SetScale(0.05);
    std::unique_ptr<InstrumentIo> io = Open(Start({.replyDelayMs = 300, .fragmentBytes = 8}), 14);
    ASSERT_TRUE(io);
    ASSERT_EQ(Write(*io, "*IDN?\n"), VI_SUCCESS);
    QByteArray reply;
    IoResult chunk{VI_SUCCESS_MAX_CNT, {}};
    while (chunk.status == VI_SUCCESS_MAX_CNT) {
        chunk = Read(*io, 7);
        reply += chunk.bytes;
    }
    EXPECT_EQ(chunk.status, VI_SUCCESS);
    EXPECT_EQ(reply, QByteArray(Virtual8960::kIdentity) + '\n');
    EXPECT_GT(Commands().count("++read eoi"), 1);
    // The adapter's LF after the instrument's own, sent apart, does not reach the next reply.
    EXPECT_EQ(Query(*io, "*OPC?").bytes, "1\n");
}

TEST_P(PrologixFaces, aLostAdapterFailsEverySessionUntilItIsOpenedAgain) {
    const QString interface = Start();
    std::unique_ptr<InstrumentIo> io = Open(interface, 14);
    ASSERT_TRUE(io);
    thread.Run([this] { tcp ? tcp->DropConnections() : serial->Unplug(); });
    const QString where = interface.section(QStringLiteral("::"), 1).replace("::", ":");
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(Query(*io, "*IDN?").status, VI_ERROR_CONN_LOST);
        EXPECT_EQ(
            io->ErrorDetail(VI_ERROR_CONN_LOST),
            QStringLiteral("the connection to the Prologix adapter at %1 was lost").arg(where));
    }
    if (tcp) { // a fresh connection
        EXPECT_EQ(Query(*Open(interface, 14), "*OPC?").bytes, "1\n");
    }
}

TEST_F(GpibBench, aBoardThatCannotBeReachedOrSetUpSaysWhyInWords) {
    StartLinuxGpib();
    QTcpServer mute;
    ASSERT_TRUE(mute.listen(QHostAddress::LocalHost));
    const QString mutePort = QString::number(mute.serverPort());
    mute.close();
    const QString refused = QStringLiteral("PRLGX-TCPIP0::127.0.0.1::") + mutePort;
    QTcpServer silent; // the kernel accepts, nobody answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    const QString silentPort = QString::number(silent.serverPort());
    PrologixTcpFace* lost = nullptr;
    thread.Run([&] {
        auto face =
            std::make_unique<PrologixTcpFace>(Board(), PrologixFaults{.ignoreAddress = true});
        ASSERT_TRUE(face->Listen());
        lost = face.get();
        faces.push_back(std::move(face));
    });
    struct Case {
        QString interface;
        int address;
        ViStatus status; // of the open, or else of the first write
        QString detail;
    };
    const Case cases[] = {
        {refused, 14, VI_ERROR_MACHINE_NAVAIL, "127.0.0.1:" + mutePort + " refused the connection"},
        {"PRLGX-ASRL::/dev/rftune-none", 14, VI_ERROR_RSRC_NFOUND,
         "cannot open the serial port /dev/rftune-none: No such file or directory"},
        {"PRLGX-TCPIP0::127.0.0.1::" + silentPort, 14, VI_ERROR_TMO,
         "no Prologix adapter answers at 127.0.0.1:" + silentPort},
        {"PRLGX-TCPIP0::rftune-none.invalid", 14, VI_ERROR_RSRC_NFOUND,
         "host rftune-none.invalid not found"},
        {"PRLGX-TCPIP0::gw::70000", 14, VI_ERROR_INV_RSRC_NAME,
         "PRLGX-TCPIP0::gw::70000 is no Prologix interface (PRLGX-TCPIP0::host::1234 or "
         "PRLGX-ASRL::/dev/ttyUSB0)"},
        {refused, 31, VI_ERROR_INV_RSRC_NAME, "GPIB address 31 is out of range (0 to 30)"},
        {lost->InterfaceText(), 14, VI_ERROR_IO,
         QStringLiteral("the Prologix adapter at 127.0.0.1:%1 did not take GPIB address 14 (it "
                        "answered \"0\")")
             .arg(lost->Port())},
        {"LINUXGPIB::1", 14, VI_ERROR_IO,
         "GPIB board 1 is not configured: load linux-gpib's kernel module, set the board up in "
         "/etc/gpib.conf and run gpib_config"},
        {"LINUXGPIB::2", 14, VI_ERROR_IO,
         "GPIB board 2 is not the controller in charge: make it the system controller in "
         "/etc/gpib.conf"},
        {"LINUXGPIB::0", 9, VI_ERROR_NLISTENERS, "no instrument at GPIB address 9 of board 0"},
        {"LINUXGPIB::A", 9, VI_ERROR_INV_RSRC_NAME,
         "LINUXGPIB::A is no linux-gpib board (LINUXGPIB::0)"},
    };
    for (const Case& c : cases) {
        ViStatus status = VI_SUCCESS;
        QString detail;
        const BoardOpener open = c.interface.startsWith("PRLGX-") ? OpenPrologix : OpenLinuxGpib;
        std::unique_ptr<InstrumentIo> io = open(c.interface, c.address, &status, &detail);
        if (io) {
            status = Write(*io, "*IDN?\n");
            detail = io->ErrorDetail(status);
        }
        EXPECT_EQ(status, c.status) << c.interface.toStdString();
        EXPECT_EQ(detail, c.detail);
    }
    qputenv("RFTUNE_GPIB_LIBRARY", "/opt/rftune-none/libgpib.so.0");
    ViStatus status = VI_SUCCESS;
    QString detail;
    EXPECT_EQ(OpenLinuxGpib("LINUXGPIB::0", 14, &status, &detail), nullptr);
    EXPECT_EQ(status, VI_ERROR_LIBRARY_NFOUND);
    EXPECT_TRUE(detail.startsWith("the linux-gpib library /opt/rftune-none/libgpib.so.0 cannot be "
                                  "loaded ("));
    EXPECT_TRUE(detail.endsWith("build and install linux-gpib (its kernel module and libgpib) and "
                                "set up the board in /etc/gpib.conf, or name the library in "
                                "RFTUNE_GPIB_LIBRARY"));
    qunsetenv("RFTUNE_GPIB_LIBRARY");
}

TEST(LinuxGpibTimeout, aVisaTimeOutRoundsUpToTheNextTCode) {
    const std::pair<ViUInt32, int> codes[] = {{0, 1},        {1, 5},        {2, 6},
                                              {150, 10},     {1000, 11},    {1001, 12},
                                              {1000000, 17}, {5000000, 17}, {VI_TMO_INFINITE, 0}};
    for (const auto& [ms, code] : codes)
        EXPECT_EQ(GpibTimeoutCode(ms), code) << ms;
}

TEST_F(Vxi11Gateway, everyAddressOfTheMappedBoardAndEveryResourceFormReachesItsDevice) {
    const QString core = Start().section("::", 0, 1);
    for (const QString& resource : {QStringLiteral("GPIB::20::INSTR"), QStringLiteral("GPIB0::20"),
                                    core + "::inst0::INSTR", core + "::gpib0,20::INSTR"}) {
        const ViSession vi = OpenVisa(resource);
        ASSERT_EQ(status, VI_SUCCESS) << resource.toStdString();
        ASSERT_EQ(WriteVisa(vi, "*IDN?\n"), VI_SUCCESS);
        ViUInt16 statusByte = 0;
        ASSERT_EQ(viReadSTB(vi, &statusByte), VI_SUCCESS);
        EXPECT_EQ(statusByte, 0x10) << "a reply waits";
        ViChar reply[64] = {};
        ViUInt32 got = 0;
        EXPECT_EQ(viRead(vi, reinterpret_cast<ViPBuf>(reply), sizeof reply, &got), VI_SUCCESS);
        EXPECT_EQ(QByteArray(reply, got), "TEST,GATEWAY,0,1.0\n");
        viClose(vi);
    }
    // The portmapper (on a port of its own here, 111 on a real gateway) finds the core channel,
    // over TCP for our client and over UDP for others: GETPORT(0x0607AF, 1, TCP) in call 42.
    Portmapper* portmapper = nullptr;
    thread.Run([&] {
        faces.push_back(std::make_unique<Portmapper>(gateway->Port()));
        portmapper = static_cast<Portmapper*>(faces.back().get());
        QString error;
        ASSERT_TRUE(portmapper->Listen(0, &error)) << error.toStdString();
    });
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
    EXPECT_EQ(reply.right(4).toHex().toUInt(nullptr, 16), gateway->Port());
}

TEST_F(Vxi11Gateway, whatCannotBeOpenedOrUsedIsSaidInWordsWithTheResource) {
    Start({.lockedDevice = "gpib0,20"});
    const ViSession locked = OpenVisa("GPIB0::20::INSTR");
    EXPECT_EQ(WriteVisa(locked, "*IDN?\n"), VI_ERROR_RSRC_LOCKED);
    EXPECT_EQ(Describe(locked, VI_ERROR_RSRC_LOCKED),
              "GPIB0::20::INSTR: locked by another link (VXI-11 error 11)");
    OpenVisa("GPIB0::7::INSTR");
    EXPECT_EQ(status, VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(Describe(rm, status),
              "GPIB0::7::INSTR: no link to gpib0,7: device not accessible (VXI-11 error 3)");
    QString error;
    ASSERT_TRUE(VisaConfig::Instance().ApplyBoardOption("GPIB1=ASRL::/dev/ttyUSB0", &error));
    OpenVisa("GPIB1::5");
    EXPECT_EQ(status, VI_ERROR_INV_SETUP);
    EXPECT_TRUE(Describe(rm, status)
                    .contains("not supported yet (supported: "
                              "TCPIP0::host::gpib0::VXI11, "
                              "PRLGX-TCPIP0::host::1234, LINUXGPIB::0)"))
        << Describe(rm, status).toStdString();
    EXPECT_FALSE(VisaConfig::Instance().ApplyBoardOption("GPIB0", &error));
    EXPECT_TRUE(error.contains("GPIBn=INTERFACE"));
}

TEST_F(GpibBench, aGatewaysSmallChunksFragmentsAndStaleRepliesStillCarryWholeMessages) {
    std::unique_ptr<InstrumentIo> io =
        Open(StartGateway({.maxRecvSize = 4, .fragmentBytes = 6, .staleReplies = true}), 20);
    ASSERT_TRUE(io);
    ASSERT_EQ(Write(*io, "ECHO? 0123456789abcdefghi\n"), VI_SUCCESS);
    // Seven full chunks of four without END, then END: only END ends the message.
    const IoResult whole = Read(*io);
    EXPECT_EQ(whole.bytes, "0123456789abcdefghi\n");
    EXPECT_EQ(whole.status, VI_SUCCESS);
    ASSERT_EQ(Write(*io, "ECHO? 0123456\n"), VI_SUCCESS);
    const IoResult first = Read(*io, 4);
    EXPECT_EQ(first.bytes, "0123");
    EXPECT_EQ(first.status, VI_SUCCESS_MAX_CNT);
    const IoResult rest = Read(*io, 4);
    EXPECT_EQ(rest.bytes, "456\n");
    EXPECT_EQ(rest.status, VI_SUCCESS) << "a reply that fills the count exactly still ends";
    thread.Run([&] {
        EXPECT_EQ(echo.lines, (QList<QByteArray>{"ECHO? 0123456789abcdefghi", "ECHO? 0123456"}));
    });
}

TEST_F(GpibBench, aGatewaysTimeOutsAndADroppedConnectionAreTheirOwnErrors) {
    std::unique_ptr<InstrumentIo> io =
        Open(StartGateway({.delayMs = 100, .timeoutEveryNth = 2, .dropAtCall = 7}), 20);
    ASSERT_TRUE(io);
    ASSERT_EQ(io->SetAttribute(VI_ATTR_TMO_VALUE, 50), VI_SUCCESS);
    EXPECT_EQ(Query(*io, "*IDN?").bytes, "TEST,GATEWAY,0,1.0\n")
        << "a reply later than 50 ms is still waited for";
    EXPECT_EQ(Read(*io).status, VI_ERROR_TMO) << "the second read is the gateway's time-out";
    EXPECT_EQ(io->ErrorDetail(VI_ERROR_TMO), "no reply within 50 ms (the gateway's I/O time-out)");
    EXPECT_EQ(Query(*io, "SILENT?").status, VI_ERROR_TMO)
        << "nothing to read waits out the time-out";
    EXPECT_EQ(Read(*io).status, VI_ERROR_CONN_LOST);
    EXPECT_TRUE(io->ErrorDetail(VI_ERROR_CONN_LOST).contains("was closed"))
        << io->ErrorDetail(VI_ERROR_CONN_LOST).toStdString();
}
