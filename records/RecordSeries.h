#pragma once

#include "records/RecordSpc.h"
#include "records/RecordStore.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// The control chart of one value at one station, read with a query per part: the baseline's
// limits added up in the database, and the newest runs of the selection that stored the value.

// Which runs set the limits: the first runs of the selection, or those started in a range.
struct Baseline {
    static constexpr int kFirstRuns = 100;
    int firstRuns = kFirstRuns;
    QDateTime from; // both valid: the range instead
    QDateTime to;
};

struct SeriesPoint {
    QString runId;
    QString unitName;
    QDateTime started;
    double value = 0.0;
};

struct ControlSeries {
    QString station;
    QString valueName;
    ControlLimits limits;
    QList<SeriesPoint> points; // oldest first
    QList<RuleBreak> breaks;   // indexes into points
    QList<double> Values() const;
};

// filter.station names the station; the newest `last` runs of the filter are charted.
std::optional<ControlSeries> ReadControlSeries(QSqlDatabase& db, const RunFilter& filter,
                                               const QString& valueName, const Baseline& baseline,
                                               int last, QString* error);
// The stations that have runs in the filter, in order.
std::optional<QStringList> StationsOf(QSqlDatabase& db, const RunFilter& filter, QString* error);
