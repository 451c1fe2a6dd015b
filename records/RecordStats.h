#pragma once

#include "records/RunRecord.h"

#include <QDate>
#include <QList>
#include <QString>

// Runs and successes of one station on one day (local time); an empty station: all stations.
struct YieldRow {
    QDate day; // null: all days
    QString station;
    int runs = 0;
    int successes = 0;
    double Percent() const { return runs == 0 ? 0.0 : 100.0 * successes / runs; }
};

// By day, then station, in order.
QList<YieldRow> YieldPerDay(const QList<RunRecord>& runs);
// By station, over all the runs given.
QList<YieldRow> YieldPerStation(const QList<RunRecord>& runs);
YieldRow OverallYield(const QList<RunRecord>& runs);

// Equal bins from the least to the greatest value; one bin when all values are equal.
struct Histogram {
    double low = 0.0;
    double width = 1.0;
    QList<int> counts;
    int BinOf(double value) const;
};
Histogram MakeHistogram(const QList<double>& values, int bins);

// The value of that name in every run that stored one, in run order.
QList<double> ValuesNamed(const QList<RunRecord>& runs, const QString& name);
