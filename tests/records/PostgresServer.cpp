#include "tests/records/PostgresServer.h"

#include <QDir>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

namespace {
constexpr const char* kUser = "nobody";
constexpr int kCommandMs = 120000;
} // namespace

PostgresServer::PostgresServer() : dir_(QStringLiteral("/tmp/rftune-pg-XXXXXX")) {}

PostgresServer::~PostgresServer() {
    QString error;
    if (running_)
        Stop(&error);
}

QString PostgresServer::BinDirectory() {
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    for (const QString& version :
         versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed)) {
        const QString bin = versions.filePath(version + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")) &&
            QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

bool PostgresServer::Run(const QString& program, const QStringList& arguments, QString* error) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir_.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("runuser"),
                  QStringList{"-u", kUser, "--", BinDirectory() + "/" + program} + arguments);
    if (process.waitForFinished(kCommandMs) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return true;
    *error = program + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll());
    return false;
}

bool PostgresServer::Create(QString* error) {
    const passwd* user = getpwnam(kUser);
    if (!dir_.isValid() || !user ||
        chown(dir_.path().toLocal8Bit().constData(), user->pw_uid, user->pw_gid) != 0) {
        *error = QStringLiteral("cannot make a folder for the server owned by %1").arg(kUser);
        return false;
    }
    return Run("initdb",
               {"-D", dir_.filePath("data"), "-A", "trust", "-U", "rftune", "-E", "UTF8",
                "--no-locale"},
               error) &&
           Start(error) && Run("createdb", {"-h", dir_.path(), "-U", "rftune", "records"}, error);
}

bool PostgresServer::Start(QString* error) {
    running_ = Run("pg_ctl",
                   {"-D", dir_.filePath("data"), "-l", dir_.filePath("server.log"), "-w", "-o",
                    QStringLiteral("-k %1 -c listen_addresses=''").arg(dir_.path()), "start"},
                   error);
    return running_;
}

bool PostgresServer::Stop(QString* error) {
    running_ = false;
    return Run("pg_ctl", {"-D", dir_.filePath("data"), "-w", "-m", "fast", "stop"}, error);
}

QString PostgresServer::Url() const {
    return QStringLiteral("postgresql://rftune@localhost/records?host=%1").arg(dir_.path());
}
