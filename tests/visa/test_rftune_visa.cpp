#include "tests/support/ScriptedPeer.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class RftuneVisa : public ScriptedPeer {
protected:
    void SetUp() override {
        ScriptedPeer::SetUp();
        server->SetReply("*IDN?", "WILLTEK,4400,1,1.0");
    }
    QStringList Alias() const {
        return {"--visa-alias",
                QStringLiteral("GPIB0::4=TCPIP0::127.0.0.1::%1::SOCKET").arg(server->Port())};
    }
    // The tool in a home of its own, so that no station settings of this machine apply.
    ToolRun Start(const QStringList& arguments, const QByteArray& input = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", home.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(RFTUNE_VISA_PATH), arguments);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(10000))
            process.kill();
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir home;
};

} // namespace

TEST_F(RftuneVisa, writesEveryLineAndPrintsTheRepliesOfQueriesThroughAnAlias) {
    const ToolRun run = Start(Alias() + QStringList{"GPIB0::4", "*IDN?", "SYST:BEEP"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "WILLTEK,4400,1,1.0\n");
    EXPECT_EQ(server->Lines(), (QList<QByteArray>{"*IDN?", "SYST:BEEP"}));
}

TEST_F(RftuneVisa, readsLinesFromStandardInputWhenNoneAreGivenAndTracesThemOnRequest) {
    const ToolRun run = Start(Alias() + QStringList{"--trace", "GPIB0::4"}, "*IDN?\n\n*OPC?\n");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "WILLTEK,4400,1,1.0\n1\n");
    EXPECT_TRUE(run.err.contains("GPIB0::4 > *IDN?\nGPIB0::4 < WILLTEK,4400,1,1.0\n"))
        << run.err.toStdString();
}

TEST_F(RftuneVisa, aQueryWithoutReplyExitsOneNamingTheResourceAndTheTimeOut) {
    const ToolRun run = Start(Alias() + QStringList{"--timeout", "100", "GPIB0::4", "SILENT?"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("GPIB0::4 (as TCPIP0::127.0.0.1::") &&
                run.err.contains("no reply within 100 ms"))
        << run.err.toStdString();
}

// A resource that cannot be opened exits two as well, as the station programs' test shows.
TEST_F(RftuneVisa, aBadAliasExitsTwoWithTheReason) {
    const ToolRun bad = Start({"--visa-alias", "nonsense", "GPIB0::4"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("FROM=TO")) << bad.err.toStdString();
}
