#pragma once

#include "records/RunRecord.h"

// A run record as a station would write it, started at the given time.
RunRecord SampleRun(const QString& station, const QDateTime& started, RunOutcome outcome);
