#pragma once

#include "records/RunRecord.h"

#include <QImage>
#include <QList>

// Every chart of the Records window on one sheet, without a screen: yield, the histograms of
// GMAGIC, RX and APC with the selected unit marked, and its APC searches in both bands.
QImage RenderPlotSheet(const QList<RunRecord>& runs, const RunRecord* selected);
