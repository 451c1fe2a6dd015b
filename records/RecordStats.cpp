#include "records/RecordStats.h"

#include <QMap>

#include <algorithm>
#include <cmath>

namespace {

void Count(YieldRow& row, const RunRecord& run) {
    ++row.runs;
    if (run.outcome == RunOutcome::Success)
        ++row.successes;
}

} // namespace

QList<YieldRow> YieldPerDay(const QList<RunRecord>& runs) {
    QMap<std::pair<QDate, QString>, YieldRow> rows;
    for (const RunRecord& run : runs) {
        const QDate day = run.started.toLocalTime().date();
        YieldRow& row = rows[{day, run.station}];
        row.day = day;
        row.station = run.station;
        Count(row, run);
    }
    return rows.values();
}

QList<YieldRow> YieldPerStation(const QList<RunRecord>& runs) {
    QMap<QString, YieldRow> rows;
    for (const RunRecord& run : runs) {
        YieldRow& row = rows[run.station];
        row.station = run.station;
        Count(row, run);
    }
    return rows.values();
}

YieldRow OverallYield(const QList<RunRecord>& runs) {
    YieldRow row;
    for (const RunRecord& run : runs)
        Count(row, run);
    return row;
}

int Histogram::BinOf(double value) const {
    if (counts.isEmpty())
        return -1;
    const int bin = static_cast<int>(std::floor((value - low) / width));
    return std::clamp(bin, 0, static_cast<int>(counts.size()) - 1);
}

Histogram MakeHistogram(const QList<double>& values, int bins) {
    Histogram histogram;
    if (values.isEmpty() || bins < 1)
        return histogram;
    const auto [least, greatest] = std::minmax_element(values.begin(), values.end());
    histogram.low = *least;
    const double span = *greatest - *least;
    if (span <= 0.0)
        bins = 1;
    histogram.width = span > 0.0 ? span / bins : 1.0;
    histogram.counts.fill(0, bins);
    for (const double value : values)
        ++histogram.counts[histogram.BinOf(value)];
    return histogram;
}

QList<double> ValuesNamed(const QList<RunRecord>& runs, const QString& name) {
    QList<double> values;
    for (const RunRecord& run : runs) {
        const auto found = run.values.constFind(name);
        if (found != run.values.cend())
            values << static_cast<double>(*found);
    }
    return values;
}
