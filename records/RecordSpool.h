#pragma once

#include "records/RunRecord.h"

#include <QString>
#include <QStringList>

#include <optional>

// Run records kept on the station's disk while their database cannot be reached: one file per
// run, named so that the oldest run comes first, each written whole or not at all.
class RecordSpool {
public:
    explicit RecordSpool(QString directory);

    const QString& Directory() const { return directory_; }
    bool Put(const RunRecord& record, QString* error) const;
    QStringList Pending() const; // oldest first
    bool IsEmpty() const { return Pending().isEmpty(); }
    // None for a file that cannot be read as a record (it stays, for someone to look at).
    std::optional<RunRecord> Read(const QString& path) const;
    bool Remove(const QString& path) const;

private:
    QString directory_;
};

// The spool beside the default database, in the user's data directory.
QString DefaultSpoolDirectory();
