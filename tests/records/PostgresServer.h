#pragma once

#include <QString>
#include <QTemporaryDir>

// A PostgreSQL server of the test's own: a cluster in a temporary folder, run as the
// unprivileged user "nobody" (the server refuses root), listening only on a Unix socket in that
// folder. Stopped and removed at the end.
class PostgresServer {
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // The folder of initdb and pg_ctl; empty when the server is not installed.
    static QString BinDirectory();

    // Makes the cluster and a database "records", and starts the server.
    bool Create(QString* error);
    bool Start(QString* error);
    bool Stop(QString* error);
    QString Url() const;

private:
    bool Run(const QString& program, const QStringList& arguments, QString* error);

    QTemporaryDir dir_;
    bool running_ = false;
};
