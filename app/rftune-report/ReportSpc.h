#pragma once

#include "records/RecordSeries.h"
#include "records/RecordStore.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A rule broken in the last runs of one station's value: how many runs broke it, and the newest.
struct SpcFinding {
    QString station;
    QString valueName;
    SpcRule rule = SpcRule::BeyondThreeSigma;
    int runs = 0;
    SeriesPoint newest;
};

struct SpcReport {
    int last = 0;
    QStringList stations;
    QList<SpcFinding> findings;
};

// Every controlled value of every station in the filter, its limits from the first runs of the
// selection, its rules checked over the last runs.
std::optional<SpcReport> CheckControlRules(RecordStore& store, const RunFilter& filter, int last,
                                           QString* error);
QStringList SpcLines(const SpcReport& report);
QString SpcJson(const SpcReport& report);
