#include "tests/drivers/wt4400/Wt4400Bench.h"

#include "base/StationClock.h"
#include "visa/VisaConfig.h"

namespace {

void AliasAddresses(quint16 port, int first, int last) {
    for (int address = first; address <= last; ++address)
        VisaConfig::Instance().SetAlias(QStringLiteral("GPIB0::%1").arg(address),
                                        QStringLiteral("TCPIP0::127.0.0.1::%1::SOCKET").arg(port));
}

void CloseEverySession() {
    for (ViSession session = 1; session <= 7; ++session)
        wt4400_close(session);
    VisaConfig::Instance().ClearAliases();
}

} // namespace

Texts Strings(const QList<QByteArray>& lines) {
    Texts strings;
    for (const QByteArray& line : lines)
        strings.push_back(line.toStdString());
    return strings;
}

void Wt4400Bench::SetUp() {
    StationClock::SetScale(0.0);
    thread.Run([this] {
        server = std::make_unique<ScpiServer>(instrument);
        server->Listen();
    });
    AliasAddresses(server->Port(), 1, 8);
}

void Wt4400Bench::TearDown() {
    CloseEverySession();
    thread.Run([this] { server.reset(); });
}

ViSession Wt4400Bench::Open(const char* resource) {
    ViSession session = VI_NULL;
    EXPECT_EQ(wt4400_init(resource, 0, 0, &session), VI_SUCCESS);
    instrument.ClearReceivedLines();
    return session;
}

Texts Wt4400Bench::Lines(ViSession session) {
    ViChar reply[16] = {};
    EXPECT_GE(wt4400_query(session, "*OPC?", reply, sizeof reply), VI_SUCCESS);
    QList<QByteArray> lines = instrument.ReceivedLines();
    instrument.ClearReceivedLines();
    while (!lines.isEmpty() && (lines.last() == "*OPC?" || lines.last() == ":SYST:ERR?"))
        lines.removeLast();
    return Strings(lines);
}

void Wt4400Scripted::SetUp() {
    StationClock::SetScale(0.0);
    ScriptedPeer::SetUp();
    Alias("GPIB0::5");
}

void Wt4400Scripted::TearDown() {
    CloseEverySession();
    ScriptedPeer::TearDown();
}

ViSession Wt4400Scripted::Open() {
    ViSession session = VI_NULL;
    EXPECT_EQ(wt4400_init("GPIB0::5", 0, 0, &session), VI_SUCCESS);
    EXPECT_EQ(wt4400_setTimeout(session, 0.2), VI_SUCCESS);
    return session;
}
