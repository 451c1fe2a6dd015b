#include "records/RecordStats.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace {

const QString kYieldColumns =
    QStringLiteral("COUNT(*), SUM(CASE WHEN r.outcome = 'success' THEN 1 ELSE 0 END)");

// The zone the periods are counted in: this computer's, as the window and the reports show
// times. A server is told its name; SQLite uses the same C library as Qt.
QString LocalZone() {
    const QString zone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_/+-]+$"));
    return plain.match(zone).hasMatch() ? zone : QStringLiteral("UTC");
}

YieldRow RowOf(const QSqlQuery& query, int first) {
    YieldRow row;
    row.runs = query.value(first).toInt();
    row.successes = query.value(first + 1).toInt();
    return row;
}

} // namespace

QString PeriodStartSql(bool server, YieldPeriod period) {
    if (server)
        return QStringLiteral("to_char(r.started AT TIME ZONE '%1', '%2')")
            .arg(LocalZone(), period == YieldPeriod::Hour
                                  ? QLatin1String("YYYY-MM-DD\"T\"HH24:00:00")
                                  : QLatin1String("YYYY-MM-DD\"T\"00:00:00"));
    // date() costs SQLite half of what a formatted strftime() does, on every run counted.
    return period == YieldPeriod::Hour
               ? QStringLiteral("strftime('%Y-%m-%dT%H:00:00', r.started, 'localtime')")
               : QStringLiteral("date(r.started, 'localtime')");
}

QDateTime PeriodStartOfText(const QString& text) {
    const QDate day = QDate::fromString(text.left(10), Qt::ISODate);
    const int hour = text.mid(11, 2).toInt();
    return hour == 0 ? day.startOfDay() : QDateTime(day, QTime(hour, 0));
}

std::optional<QList<YieldRow>> YieldPer(RecordStore& store, const RunFilter& filter,
                                        YieldPeriod period, QString* error) {
    QVariantList bound;
    const QString where = FilterSql(filter, &bound);
    const QString start = PeriodStartSql(store.Location().IsServer(), period);
    QList<YieldRow> rows;
    if (!store.Select(
            QStringLiteral("SELECT %1, r.station, %2 FROM runs r%3 GROUP BY %1, "
                           "r.station ORDER BY %1, r.station")
                .arg(start, kYieldColumns, where),
            bound,
            [&rows](const QSqlQuery& query) {
                YieldRow row = RowOf(query, 2);
                row.start = PeriodStartOfText(query.value(0).toString());
                row.station = query.value(1).toString();
                rows << row;
            },
            error))
        return std::nullopt;
    return rows;
}

std::optional<QList<YieldRow>> YieldPerStation(RecordStore& store, const RunFilter& filter,
                                               QString* error) {
    QVariantList bound;
    const QString where = FilterSql(filter, &bound);
    QList<YieldRow> rows;
    if (!store.Select(
            QStringLiteral("SELECT r.station, %1 FROM runs r%2 GROUP BY r.station "
                           "ORDER BY r.station")
                .arg(kYieldColumns, where),
            bound,
            [&rows](const QSqlQuery& query) {
                YieldRow row = RowOf(query, 1);
                row.station = query.value(0).toString();
                rows << row;
            },
            error))
        return std::nullopt;
    return rows;
}

std::optional<YieldRow> OverallYield(RecordStore& store, const RunFilter& filter, QString* error) {
    QVariantList bound;
    const QString where = FilterSql(filter, &bound);
    YieldRow row;
    if (!store.Select(
            QStringLiteral("SELECT %1 FROM runs r%2").arg(kYieldColumns, where), bound,
            [&row](const QSqlQuery& query) { row = RowOf(query, 0); }, error))
        return std::nullopt;
    return row;
}

std::optional<QStringList> StationsOf(RecordStore& store, QString* error) {
    QStringList stations;
    if (!store.Select(
            QStringLiteral("SELECT DISTINCT r.station FROM runs r ORDER BY r.station"), {},
            [&](const QSqlQuery& query) { stations << query.value(0).toString(); }, error))
        return std::nullopt;
    return stations;
}

std::optional<QList<ValueCount>> ValueCounts(RecordStore& store, const RunFilter& filter,
                                             const QString& name, QString* error) {
    QVariantList bound;
    const QString where = FilterSql(filter, &bound, {QStringLiteral("d.name = ?")});
    bound << name;
    // Without a filter the counts every write keeps answer alone, whatever the number of runs.
    const QString statement =
        bound.size() == 1
            ? QStringLiteral("SELECT d.value, d.runs FROM value_counts d%1 ORDER BY d.value")
                  .arg(where)
            : QStringLiteral("SELECT d.value, COUNT(*) FROM run_values d JOIN runs r ON r.id = "
                             "d.run_id%1 GROUP BY d.value ORDER BY d.value")
                  .arg(where);
    QList<ValueCount> counts;
    if (!store.Select(
            statement, bound,
            [&counts](const QSqlQuery& query) {
                counts << ValueCount{query.value(0).toLongLong(), query.value(1).toInt()};
            },
            error))
        return std::nullopt;
    return counts;
}

int Histogram::BinOf(double value) const {
    if (counts.isEmpty())
        return -1;
    const int bin = static_cast<int>(std::floor((value - low) / width));
    return std::clamp(bin, 0, static_cast<int>(counts.size()) - 1);
}

Histogram MakeHistogram(const QList<ValueCount>& values, int bins) {
    Histogram histogram;
    if (values.isEmpty() || bins < 1)
        return histogram;
    const auto [least, greatest] = std::minmax_element(
        values.begin(), values.end(),
        [](const ValueCount& a, const ValueCount& b) { return a.value < b.value; });
    histogram.low = static_cast<double>(least->value);
    const double span = static_cast<double>(greatest->value - least->value);
    if (span <= 0.0)
        bins = 1;
    histogram.width = span > 0.0 ? span / bins : 1.0;
    histogram.counts.fill(0, bins);
    for (const ValueCount& value : values)
        histogram.counts[histogram.BinOf(static_cast<double>(value.value))] += value.count;
    return histogram;
}
