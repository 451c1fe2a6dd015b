#pragma once

#include "records/RecordStats.h"
#include "records/RecordStore.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// Yield per hour or per day and station, for the bars of the Records window and the sheet.
struct YieldBar {
    QDateTime start; // local time: the hour's or the day's start
    QString station;
    int runs = 0;
    int successes = 0;
    double Percent() const { return runs == 0 ? 0.0 : 100.0 * successes / runs; }
};

// Counted by the database per local period and station; by start, then station.
std::optional<QList<YieldBar>> YieldBars(QSqlDatabase& db, const RunFilter& filter,
                                         YieldPeriod period, QString* error);
