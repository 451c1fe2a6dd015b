#include "tests/support/ScriptedPeer.h"

#include "visa/VisaConfig.h"

void ScriptedPeer::SetUp() {
    thread.Run([this] {
        server = std::make_unique<ScriptedServer>();
        server->Listen();
    });
}

void ScriptedPeer::TearDown() {
    VisaConfig::Instance().ClearAliases();
    thread.Run([this] { server.reset(); });
}

void ScriptedPeer::Alias(const char* resource) const {
    VisaConfig::Instance().SetAlias(
        resource, QStringLiteral("TCPIP0::127.0.0.1::%1::SOCKET").arg(server->Port()));
}

Texts ScriptedPeer::NewLines() {
    const QList<QByteArray> lines = server->Lines();
    Texts texts;
    for (qsizetype i = seen_; i < lines.size(); ++i)
        texts.push_back(lines[i].toStdString());
    seen_ = lines.size();
    return texts;
}

Texts ScriptedPeer::NewCommands() {
    Texts commands;
    for (const std::string& line : NewLines()) {
        if (line != ":SYST:ERR?" && line != "SYST:ERR?" && line != "*OPC?")
            commands.push_back(line);
    }
    return commands;
}
