#pragma once

#include "records/RecordStore.h"
#include "records/RunRecord.h"

#include <QImage>

#include <optional>

// Every chart of the Records window on one sheet, without a screen: yield per day as bars, the
// failures' Pareto, the histograms of GMAGIC, RX and APC with the selected unit marked, its APC
// searches in both bands, and the control chart of every value at the selected unit's station
// (the filter's when it names one). The numbers come from the database, counted there; none when
// it cannot be read (*error).
std::optional<QImage> RenderPlotSheet(RecordStore& store, const RunFilter& filter,
                                      const RunRecord* selected, QString* error);
