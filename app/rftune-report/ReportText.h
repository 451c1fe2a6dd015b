#pragma once

#include "records/RunRecord.h"

#include <QList>
#include <QStringList>

// The runs as other tools read them: one header row, then one row per run.
QStringList CsvLines(const QList<RunRecord>& runs);
// One JSON object per run and line, with every value and measurement.
QStringList JsonLines(const QList<RunRecord>& runs);
// The runs as a table for people.
QStringList TableLines(const QList<RunRecord>& runs);
// Yield per day and station, per station, and overall.
QStringList YieldLines(const QList<RunRecord>& runs);
