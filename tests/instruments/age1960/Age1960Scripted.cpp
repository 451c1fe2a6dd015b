#include "tests/instruments/age1960/Age1960Scripted.h"

#include "visa/VisaConfig.h"

void Age1960Scripted::SetUp() {
    thread.Run([this] {
        server = std::make_unique<ScriptedServer>();
        server->Listen();
    });
    server->SetReply("*IDN?", kIdentity);
    VisaConfig::Instance().SetAlias(
        kResource, QStringLiteral("TCPIP0::127.0.0.1::%1::SOCKET").arg(server->Port()));
}

void Age1960Scripted::TearDown() {
    age1960_close(session_);
    VisaConfig::Instance().ClearAliases();
    thread.Run([this] { server.reset(); });
}

ViSession Age1960Scripted::Open() {
    EXPECT_EQ(age1960_init(kResource, 0, 0, &session_), VI_SUCCESS);
    NewLines();
    return session_;
}

Texts Age1960Scripted::NewLines() {
    const QList<QByteArray> lines = server->Lines();
    Texts texts;
    for (qsizetype i = seen_; i < lines.size(); ++i)
        texts.push_back(lines[i].toStdString());
    seen_ = lines.size();
    return texts;
}

Texts Age1960Scripted::NewCommands() {
    Texts commands;
    for (const std::string& line : NewLines()) {
        if (line != ":SYST:ERR?" && line != "*OPC?")
            commands.push_back(line);
    }
    return commands;
}
