#pragma once

#include "records/RecordStore.h"

#include <QImage>

#include <optional>

// Every chart of the Records window on one sheet, without a screen: yield, the histograms of
// GMAGIC, RX and APC with the selected unit marked, and its APC searches in both bands.
// The numbers come from the database, counted there; none when it cannot be read (*error).
std::optional<QImage> RenderPlotSheet(RecordStore& store, const RunFilter& filter,
                                      const RunRecord* selected, QString* error);
