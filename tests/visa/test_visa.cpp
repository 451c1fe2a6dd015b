#include "base/StationClock.h"
#include "tests/support/ScriptedPeer.h"
#include "visa/DriverIo.h"
#include "visa/DriverSession.h"
#include "visa/Visa.h"
#include "visa/VisaConfig.h"
#include "visa/VisaRegistry.h"

#include <QCommandLineParser>
#include <QLibrary>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>

namespace {

QString SocketResource(quint16 port) {
    return QStringLiteral("TCPIP0::127.0.0.1::%1::SOCKET").arg(port);
}

QString Describe(ViObject object, ViStatus status) {
    ViChar text[VI_FIND_BUFLEN] = {};
    viStatusDesc(object, status, text);
    return QString::fromLocal8Bit(text);
}

ViStatus WriteLine(ViSession vi, const QByteArray& line) {
    const QByteArray wire = line + '\n';
    ViUInt32 written = 0;
    return viWrite(vi, reinterpret_cast<ViConstBuf>(wire.constData()),
                   static_cast<ViUInt32>(wire.size()), &written);
}

QByteArray Read(ViSession vi, ViUInt32 count, ViStatus* status) {
    QByteArray buffer(static_cast<qsizetype>(count), '\0');
    ViUInt32 got = 0;
    *status = viRead(vi, reinterpret_cast<ViPBuf>(buffer.data()), count, &got);
    return buffer.left(got);
}

Q_LOGGING_CATEGORY(lcTestLink, "rftune.test.link", QtWarningMsg)

// A free loopback port nobody listens on.
quint16 ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

class VisaSocket : public ScriptedPeer {
protected:
    void SetUp() override {
        ScriptedPeer::SetUp();
        Alias("GPIB0::4");
        ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    }
    void TearDown() override {
        viClose(rm);
        ScriptedPeer::TearDown();
    }
    ViSession OpenAlias() {
        ViSession vi = VI_NULL;
        EXPECT_EQ(viOpen(rm, "gpib0::4", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
        return vi;
    }

    ViSession rm = VI_NULL;
};

} // namespace

TEST_F(VisaSocket, anAliasTakesAGpibAddressToTheSocketWhoseRepliesEndAtTheLineFeedOrTheCount) {
    server->SetReply("*IDN?", "WILLTEK,4400,1,1.0");
    server->SetReply("DATA?", "0123456789");
    const ViSession vi = OpenAlias();
    ASSERT_EQ(WriteLine(vi, "*IDN?"), VI_SUCCESS);
    ViStatus status = VI_SUCCESS;
    EXPECT_EQ(Read(vi, 256, &status), "WILLTEK,4400,1,1.0\n");
    EXPECT_EQ(status, VI_SUCCESS);
    // A read shorter than the reply leaves the rest for the next.
    ASSERT_EQ(WriteLine(vi, "DATA?"), VI_SUCCESS);
    EXPECT_EQ(Read(vi, 4, &status), "0123");
    EXPECT_EQ(status, VI_SUCCESS_MAX_CNT);
    EXPECT_EQ(Read(vi, 100, &status), "456789\n");
    EXPECT_EQ(status, VI_SUCCESS);

    ViSession owner = VI_NULL;
    ASSERT_EQ(viGetAttribute(vi, VI_ATTR_RM_SESSION, &owner), VI_SUCCESS);
    EXPECT_EQ(owner, rm);
    ViUInt32 timeout = 0;
    ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 500), VI_SUCCESS);
    ASSERT_EQ(viGetAttribute(vi, VI_ATTR_TMO_VALUE, &timeout), VI_SUCCESS);
    EXPECT_EQ(timeout, 500u);
    EXPECT_EQ(viSetAttribute(vi, VI_ATTR_RM_SESSION, 1), VI_ERROR_ATTR_READONLY);
    ViUInt16 statusByte = 0; // a raw socket has no serial poll
    EXPECT_EQ(viReadSTB(vi, &statusByte), VI_ERROR_NSUP_OPER);
}

TEST_F(VisaSocket, aSilentInstrumentTimesOutWithTheResourceAndTheTimeOutAndADropIsALostLink) {
    const ViSession vi = OpenAlias();
    ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 50), VI_SUCCESS);
    ASSERT_EQ(WriteLine(vi, "NOTHING?"), VI_SUCCESS);
    ViStatus status = VI_SUCCESS;
    EXPECT_EQ(Read(vi, 64, &status), "");
    ASSERT_EQ(status, VI_ERROR_TMO);
    const QString text = Describe(vi, status);
    EXPECT_TRUE(text.contains("gpib0::4 (as TCPIP0::127.0.0.1::")) << text.toStdString();
    EXPECT_TRUE(text.contains("no reply within 50 ms")) << text.toStdString();
    server->CloseAfterNextLine();
    ASSERT_EQ(WriteLine(vi, "*IDN?"), VI_SUCCESS);
    Read(vi, 64, &status);
    EXPECT_EQ(status, VI_ERROR_CONN_LOST);
}

TEST_F(VisaSocket, closingTheResourceManagerClosesItsSessionsAndTheirHandlesStayInvalid) {
    const ViSession vi = OpenAlias();
    ASSERT_EQ(viClose(rm), VI_SUCCESS);
    EXPECT_EQ(WriteLine(vi, "*RST"), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viClose(rm), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(VisaRegistry::Instance().Count(), 0);
    ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    EXPECT_NE(rm, vi); // handles are not reused
}

TEST_F(VisaSocket, resourceSearchesListTheAliasesOneByOne) {
    VisaConfig::Instance().SetAlias("GPIB0::14::INSTR", "TCPIP0::10.0.0.1::5025::SOCKET");
    VisaConfig::Instance().SetAlias("GPIB::5::INSTR", "TCPIP0::10.0.0.2::5025::SOCKET");
    ViFindList list = VI_NULL;
    ViUInt32 count = 0;
    ViChar name[VI_FIND_BUFLEN] = {};
    ASSERT_EQ(viFindRsrc(rm, "GPIB?*INSTR", &list, &count, name), VI_SUCCESS);
    EXPECT_EQ(count, 2u);
    QStringList names{name};
    ASSERT_EQ(viFindNext(list, name), VI_SUCCESS);
    names.append(name);
    EXPECT_EQ(viFindNext(list, name), VI_ERROR_RSRC_NFOUND);
    names.sort();
    EXPECT_EQ(names, (QStringList{"GPIB0::14::INSTR", "GPIB::5::INSTR"}));
    EXPECT_EQ(viFindRsrc(rm, "USB?*", &list, &count, name), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(viFindRsrc(rm, "(GPIB", &list, &count, name), VI_ERROR_INV_EXPR);
}

TEST_F(VisaSocket, aReplyBeyondTheLimitIsCutAndItsDrainedTailDoesNotAnswerTheNextQuery) {
    server->SetReply("LONG?", QByteArray(5000, 'x'));
    server->SetReply("SHORT?", "  +1.5\r");
    ViSession driverRm = VI_NULL;
    ViSession vi = VI_NULL;
    ASSERT_EQ(DriverSession::Open("GPIB0::4", &driverRm, &vi), VI_SUCCESS);
    QByteArray reply;
    EXPECT_EQ(DriverIo::Query(vi, "LONG?", 300, &reply, lcTestLink()), VI_SUCCESS_MAX_CNT);
    EXPECT_EQ(reply, QByteArray(300, 'x'));
    DriverIo::DrainReply(vi);
    EXPECT_EQ(DriverIo::Query(vi, "SHORT?", 300, &reply, lcTestLink()), VI_SUCCESS);
    EXPECT_EQ(reply, "+1.5") << "terminator and blanks are gone";
    EXPECT_EQ(server->Lines(), (QList<QByteArray>{"LONG?", "SHORT?"}));
    EXPECT_EQ(DriverSession::Close(vi, driverRm), VI_SUCCESS);
    EXPECT_EQ(viClose(driverRm), VI_ERROR_INV_OBJECT) << "the resource manager went with it";
}

TEST_F(VisaSocket, aFailedPreparationClosesWhatWasOpenedAndLeavesNoHandles) {
    ViSession driverRm = VI_NULL;
    ViSession vi = VI_NULL;
    ViSession prepared = VI_NULL;
    const ViStatus status = DriverSession::Open("GPIB0::4", &driverRm, &vi, [&](ViSession opened) {
        prepared = opened;
        return VI_ERROR_NSUP_ATTR;
    });
    EXPECT_EQ(status, VI_ERROR_NSUP_ATTR);
    EXPECT_EQ(driverRm, VI_NULL);
    EXPECT_EQ(vi, VI_NULL);
    ASSERT_NE(prepared, VI_NULL);
    EXPECT_EQ(viClose(prepared), VI_ERROR_INV_OBJECT);

    EXPECT_EQ(
        DriverSession::Open(SocketResource(ClosedPort()).toLatin1().constData(), &driverRm, &vi),
        VI_ERROR_MACHINE_NAVAIL);
    EXPECT_EQ(driverRm, VI_NULL);
    EXPECT_EQ(vi, VI_NULL);
}

TEST(VisaOpen, aRefusedConnectionAMissingLibraryAndABadNameAreSaidWithTheResource) {
    VisaConfig::Instance().SetLibraryPath("/nonexistent/libvisa.so");
    ViSession rm = VI_NULL;
    ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    const QByteArray resource = SocketResource(ClosedPort()).toLatin1();
    ViSession vi = 123;
    const ViStatus status = viOpen(rm, resource.constData(), VI_NO_LOCK, 0, &vi);
    EXPECT_EQ(status, VI_ERROR_MACHINE_NAVAIL);
    EXPECT_EQ(vi, VI_NULL);
    const QString text = Describe(rm, status);
    EXPECT_TRUE(text.startsWith(resource + ": ") && text.contains("refused")) << text.toStdString();
    EXPECT_EQ(viOpen(rm, "TCPIP::127.0.0.1::99999::SOCKET", VI_NO_LOCK, 0, &vi),
              VI_ERROR_INV_RSRC_NAME);

    // Without a VISA library a GPIB resource is not found; a malformed one is a bad name.
    EXPECT_EQ(viOpen(rm, "GPIB0::4", VI_NO_LOCK, 0, &vi), VI_ERROR_RSRC_NFOUND);
    const QString missing = Describe(rm, VI_ERROR_RSRC_NFOUND);
    EXPECT_TRUE(missing.startsWith("GPIB0::4: ") && missing.contains("/nonexistent/libvisa.so") &&
                missing.contains("--visa-alias"))
        << missing.toStdString();

    for (const char* typo : {"GPIB0:4", "GPIB0::4x", "nonsense"}) {
        EXPECT_EQ(viOpen(rm, typo, VI_NO_LOCK, 0, &vi), VI_ERROR_INV_RSRC_NAME) << typo;
        const QString typoText = Describe(rm, VI_ERROR_INV_RSRC_NAME);
        EXPECT_TRUE(typoText.startsWith(QString(typo) + ": bad resource name") &&
                    !typoText.contains("libvisa"))
            << typoText.toStdString();
    }
    viClose(rm);
    VisaConfig::Instance().SetLibraryPath({});
}

TEST(VisaConfigTest, aliasesBoardsAndTheTimeScaleComeFromOptionsAndSettingsAndTheCommandLineWins) {
    VisaConfig& config = VisaConfig::Instance();
    config.ClearAliases();
    QString error;
    EXPECT_FALSE(config.ApplyAliasOption("GPIB0::4", &error));
    EXPECT_TRUE(error.contains("FROM=TO"));
    const QTemporaryDir dir;
    {
        QSettings settings(dir.filePath("station.ini"), QSettings::IniFormat);
        ASSERT_TRUE(config.ApplyAliasOption("GPIB0::4=TCPIP0::gw::1234::SOCKET", &error));
        ASSERT_TRUE(config.ApplyBoardOption("GPIB0=TCPIP0::gw::gpib0::VXI11", &error));
        config.SetLibraryPath("/opt/visa/libvisa.so");
        config.Save(settings);
    }
    config.ClearAliases();
    config.ClearBoards();
    config.SetLibraryPath({});
    QSettings settings(dir.filePath("station.ini"), QSettings::IniFormat);
    config.Load(settings);
    EXPECT_EQ(config.Resolve(" gpib0::4 "), "TCPIP0::gw::1234::SOCKET");
    EXPECT_EQ(config.Board(0), "TCPIP0::gw::gpib0::VXI11");
    EXPECT_EQ(config.LibraryPath(), "/opt/visa/libvisa.so");

    QCommandLineParser parser;
    AddVisaOptions(parser);
    parser.process(QStringList{"app", "--visa-alias", "GPIB0::4=TCPIP0::sim::5025::SOCKET",
                               "--visa-library", "/x/libvisa.so", "--visa-board",
                               "GPIB=TCPIP0::sim,4000::gpib0::VXI11", "--time-scale", "0.5"});
    ASSERT_TRUE(ApplyVisaOptions(parser, &error));
    EXPECT_EQ(StationClock::Scale(), 0.5);
    EXPECT_EQ(config.Resolve("GPIB0::4"), "TCPIP0::sim::5025::SOCKET");
    EXPECT_EQ(config.Resolve("GPIB0::14::INSTR"), "GPIB0::14::INSTR");
    EXPECT_EQ(config.LibraryPath(), "/x/libvisa.so");
    EXPECT_EQ(config.BoardOptions(), QStringList{"GPIB0=TCPIP0::sim,4000::gpib0::VXI11"});
    config.ClearAliases();
    config.ClearBoards();
    config.SetLibraryPath({});
    StationClock::SetScale(1.0);
    // The time scale is a factor from zero to one.
    for (const char* bad : {"2", "-0.1", "fast"}) {
        QCommandLineParser badParser;
        AddVisaOptions(badParser);
        badParser.process(QStringList{"app", "--time-scale", bad});
        EXPECT_FALSE(ApplyVisaOptions(badParser, &error)) << bad;
        EXPECT_TRUE(error.contains(QLatin1String(bad))) << error.toStdString();
    }
}

TEST(SystemVisa, gpibGoesThroughTheLoadedLibraryWhichSeesItsSessionsClosed) {
    QLibrary fake(QStringLiteral(FAKE_VISA_PATH));
    const auto openSessions = reinterpret_cast<int (*)()>(fake.resolve("fakevisa_openSessions"));
    ASSERT_NE(openSessions, nullptr) << fake.errorString().toStdString();
    VisaConfig::Instance().SetLibraryPath(QStringLiteral(FAKE_VISA_PATH));
    VisaConfig::Instance().SetAlias("GPIB0::9::INSTR", "TCPIP0::10.0.0.9::5025::SOCKET");
    ViSession rm = VI_NULL;
    ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    ViSession vi = VI_NULL;
    // The 4400's fixed address, in the short form its driver opens.
    ASSERT_EQ(viOpen(rm, "GPIB0::4", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    ASSERT_EQ(WriteLine(vi, "*IDN?"), VI_SUCCESS);
    ViStatus status = VI_SUCCESS;
    EXPECT_EQ(Read(vi, 256, &status), "WILLTEK,4400,99,3.1\n");
    Read(vi, 256, &status);
    EXPECT_EQ(status, VI_ERROR_TMO);
    EXPECT_EQ(Describe(vi, status), "GPIB0::4: fake VISA: no answer");

    // The time-out is the library's to keep.
    ViUInt32 timeout = 0;
    ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 1234), VI_SUCCESS);
    ASSERT_EQ(viGetAttribute(vi, VI_ATTR_TMO_VALUE, &timeout), VI_SUCCESS);
    EXPECT_EQ(timeout, 1234u);

    ViFindList list = VI_NULL;
    ViUInt32 count = 0;
    ViChar name[VI_FIND_BUFLEN] = {};
    ASSERT_EQ(viFindRsrc(rm, "?*INSTR", &list, &count, name), VI_SUCCESS);
    EXPECT_EQ(count, 3u); // the alias and the library's two
    EXPECT_EQ(viOpen(rm, "GPIB0::7::INSTR", VI_NO_LOCK, 0, &vi), VI_ERROR_RSRC_NFOUND);

    EXPECT_GT(openSessions(), 0);
    viClose(rm);
    EXPECT_EQ(openSessions(), 0);
    VisaConfig::Instance().ClearAliases();
    VisaConfig::Instance().SetLibraryPath({});
}
