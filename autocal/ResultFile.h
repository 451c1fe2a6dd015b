#pragma once

#include <QString>
#include <QStringList>

// The station's production log "calresult.txt": only ever appended to, one block per finished
// calibration, each line ended by CR LF and each block opened by an empty line. A block goes out
// in one write and is flushed, so that a crash never leaves half of one.
class ResultFile {
public:
    static constexpr const char* kFileName = "calresult.txt";

    // The file in directory; empty: the current directory.
    explicit ResultFile(QString directory = QString());

    QString Path() const;
    // Appends the block; false with *error naming the file and the reason when it could not.
    bool AppendBlock(const QStringList& lines, QString* error) const;

private:
    QString directory_;
};
