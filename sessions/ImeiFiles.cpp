#include "sessions/ImeiFiles.h"

#include <QFile>

namespace {
constexpr qint64 kReferenceBytes = 14;
}

bool AppendImeiRecord(const QString& line, QString* error) {
    QFile file(QString::fromLatin1(kImeiResultFile));
    if (!file.open(QIODevice::ReadWrite) || !file.seek(file.size()) ||
        file.write("\r\n" + line.toLocal8Bit() + "\r\n") < 0 || !file.flush()) {
        *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

std::optional<QByteArray> ReadReferenceVersion(QString* error) {
    QFile file(QString::fromLatin1(kSoftwareVersionFile));
    if (!file.open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return std::nullopt;
    }
    return file.read(kReferenceBytes);
}
