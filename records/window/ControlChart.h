#pragma once

#include "records/RecordPareto.h"
#include "records/RecordSeries.h"
#include "records/RecordStats.h"

#include <QList>
#include <QString>

class QChart;

// The process control charts of the Records window and of rftune-report --plot; the caller owns
// each chart.

// The values in run order (x is the run's place, from 1), the centre line, the 2 and 3 sigma
// limits, and the runs that break a rule marked in the series named kMarkedRuns.
inline constexpr const char* kMarkedRuns = "rule broken";
// The newest runs a control chart shows: enough to see a drift, few enough to tell runs apart.
inline constexpr int kChartedRuns = 500;
QChart* ControlChart(const ControlSeries& series, const QString& title);
// Cpk against the accept window, the share of units near its edge, and the baseline, in words.
QString CapabilityText(const ControlSeries& series);
// The most frequent failures, one bar each with its count.
QChart* ParetoChart(const QList<FailureCount>& failures, const QString& title);
// Yield per hour or day, one bar per station, the runs it counts written over each bar.
QChart* YieldBarChart(const QList<YieldRow>& bars, YieldPeriod period);
