#include "autocal/ResultFile.h"

#include <QDir>
#include <QFile>

ResultFile::ResultFile(QString directory) : directory_(std::move(directory)) {}

QString ResultFile::Path() const {
    return directory_.isEmpty() ? QString::fromLatin1(kFileName)
                                : QDir(directory_).filePath(QString::fromLatin1(kFileName));
}

bool ResultFile::AppendBlock(const QStringList& lines, QString* error) const {
    QByteArray block("\r\n");
    for (const QString& line : lines)
        block += line.toLatin1() + "\r\n";
    QFile file(Path());
    // Unbuffered, so that the block reaches the file in one write of its own.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        *error = QStringLiteral("cannot write %1: %2").arg(Path(), file.errorString());
        return false;
    }
    if (file.write(block) != block.size() || !file.flush()) {
        *error = QStringLiteral("cannot write %1: %2").arg(Path(), file.errorString());
        return false;
    }
    return true;
}
