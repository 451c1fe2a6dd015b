#pragma once

#include "records/RecordStats.h"
#include "records/RunRecord.h"

#include <QList>
#include <QStringList>

// The runs as other tools read them, a line per run so that a listing streams: a CSV header,
// then a row per run; one JSON object per run, with every value and measurement; a table for
// people under its header.
QString CsvHeader();
QString CsvLine(const RunRecord& run);
QString JsonLine(const RunRecord& run);
QString TableHeader();
QString TableLine(const RunRecord& run);
// Yield per day and station, per station, and overall.
QStringList YieldLines(const QList<YieldRow>& days, const QList<YieldRow>& stations,
                       const YieldRow& all);
