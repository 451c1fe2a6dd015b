#pragma once

#include "records/RecordStore.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// How often each failure happened: failure text, calibration and step, counted in the database.
struct FailureCount {
    QString station; // empty: all stations together
    QString failureText;
    QString calibration;
    int step = 0;
    int count = 0;
};

// The failed runs of the filter, the most frequent first; perStation counts each station apart.
std::optional<QList<FailureCount>> FailurePareto(QSqlDatabase& db, const RunFilter& filter,
                                                 bool perStation, QString* error);
