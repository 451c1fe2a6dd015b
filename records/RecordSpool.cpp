#include "records/RecordSpool.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
const char* const kSuffix = ".run.json";
} // namespace

RecordSpool::RecordSpool(QString directory) : directory_(std::move(directory)) {}

bool RecordSpool::Put(const RunRecord& record, QString* error) const {
    if (!QDir().mkpath(directory_)) {
        *error = QStringLiteral("cannot make the spool folder %1").arg(directory_);
        return false;
    }
    const QString name = record.started.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmsszzz-")) +
                         record.id + QLatin1String(kSuffix);
    QSaveFile file(QDir(directory_).filePath(name));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(RecordToJson(record)).toJson(QJsonDocument::Compact)) < 0 ||
        !file.commit()) {
        *error = QStringLiteral("cannot keep the run record in %1: %2")
                     .arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

QStringList RecordSpool::Pending() const {
    const QDir dir(directory_);
    QStringList paths;
    for (const QString& name :
         dir.entryList({QStringLiteral("*") + QLatin1String(kSuffix)}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

std::optional<RunRecord> RecordSpool::Read(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return std::nullopt;
    RunRecord record = RecordFromJson(document.object());
    if (record.id.isEmpty())
        return std::nullopt;
    return record;
}

bool RecordSpool::Remove(const QString& path) const {
    return QFile::remove(path);
}

QString DefaultSpoolDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/rftune/spool");
}
