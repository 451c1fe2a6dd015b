#pragma once

#include "records/RecordStore.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The numbers the reports and the Records window show, counted by the database: each reader is
// one grouping query over the runs a filter selects.

// Runs and successes of one station in one hour or day (local time); an empty station: all
// stations.
struct YieldRow {
    QDateTime start; // the hour's or day's first moment; null: the whole selection
    QString station;
    int runs = 0;
    int successes = 0;
    double Percent() const { return runs == 0 ? 0.0 : 100.0 * successes / runs; }
};

enum class YieldPeriod { Hour, Day };

// The local period a run started in, as the database's own time functions give it: the period's
// first moment (or its day) as ISO text, so that text order is time order and a day that changes to
// or from summer time is still one day. A server is told this computer's zone; SQLite uses the same
// C library as Qt.
QString PeriodStartSql(bool server, YieldPeriod period);
// That text's moment in local time.
QDateTime PeriodStartOfText(const QString& text);

// Per period, then station, in order.
std::optional<QList<YieldRow>> YieldPer(RecordStore& store, const RunFilter& filter,
                                        YieldPeriod period, QString* error);
// Per station, over the whole selection.
std::optional<QList<YieldRow>> YieldPerStation(RecordStore& store, const RunFilter& filter,
                                               QString* error);
std::optional<YieldRow> OverallYield(RecordStore& store, const RunFilter& filter, QString* error);
// The stations that ever recorded a run, in order.
std::optional<QStringList> StationsOf(RecordStore& store, QString* error);

// How many runs stored each value of one name.
struct ValueCount {
    qint64 value = 0;
    int count = 0;
};
// By value, in order.
std::optional<QList<ValueCount>> ValueCounts(RecordStore& store, const RunFilter& filter,
                                             const QString& name, QString* error);

// Equal bins from the least to the greatest value; one bin when all values are equal.
struct Histogram {
    double low = 0.0;
    double width = 1.0;
    QList<int> counts;
    int BinOf(double value) const;
};
Histogram MakeHistogram(const QList<ValueCount>& values, int bins);
