#include "tests/instruments/supplies/SupplyPeer.h"

#include "visa/VisaConfig.h"
#include "visa/VisaRegistry.h"

void SupplyPeer::SetUp() {
    thread.Run([this] {
        server = std::make_unique<ScriptedServer>();
        server->Listen();
    });
    const QString socket = QStringLiteral("TCPIP0::127.0.0.1::%1::SOCKET").arg(server->Port());
    VisaConfig::Instance().SetAlias(QStringLiteral("GPIB::5::INSTR"), socket);
    VisaConfig::Instance().SetAlias(QStringLiteral("GPIB::6::INSTR"), socket);
}

void SupplyPeer::TearDown() {
    for (ViSession session : opened_)
        supply_close(session);
    EXPECT_EQ(VisaRegistry::Instance().Count(), 0) << "a test left VISA objects open";
    VisaConfig::Instance().ClearAliases();
    thread.Run([this] { server.reset(); });
}

ViSession SupplyPeer::Open(SupplyModel model, const char* identity, const char* resource) {
    server->SetReply("*IDN?", identity);
    ViSession session = VI_NULL;
    EXPECT_EQ(supply_init(model, resource, 1, 1, &session), VI_SUCCESS) << identity;
    opened_.push_back(session);
    EXPECT_EQ(Sent(session), (Texts{"*IDN?", "*RST", "*CLS", "SYST:ERR?"}));
    return session;
}

Texts SupplyPeer::Sent(ViSession session) {
    const QByteArray ping = "*OPC?\n";
    ViUInt32 count = 0;
    ViByte reply[16];
    EXPECT_EQ(viWrite(session, reinterpret_cast<ViConstBuf>(ping.constData()),
                      static_cast<ViUInt32>(ping.size()), &count),
              VI_SUCCESS);
    EXPECT_EQ(viRead(session, reply, sizeof reply, &count), VI_SUCCESS);
    const QList<QByteArray> lines = server->Lines();
    Texts sent;
    for (qsizetype i = seen_; i < lines.size() - 1; ++i)
        sent.push_back(lines[i].toStdString());
    seen_ = lines.size();
    return sent;
}
