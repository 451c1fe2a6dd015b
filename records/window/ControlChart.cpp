#include "records/window/ControlChart.h"

#include "records/window/RecordCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QHash>
#include <QHorizontalBarSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMap>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <utility>

namespace {

constexpr int kParetoBars = 10;
constexpr double kBarWidth = 0.8;

QLineSeries* LevelLine(const QString& name, double level, int points, Qt::PenStyle style,
                       const QColor& colour) {
    auto* line = new QLineSeries;
    line->setName(name);
    line->append(0.5, level);
    line->append(points + 0.5, level);
    line->setPen(QPen(colour, 1.5, style));
    return line;
}

void AddAttached(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

QString PeriodLabel(const QDateTime& start, YieldPeriod period) {
    return start.toString(period == YieldPeriod::Day ? QStringLiteral("yyyy-MM-dd")
                                                     : QStringLiteral("MM-dd HH:00"));
}

// The centre, and the 3 and 2 sigma limits either side, each named once in the legend.
void AddLimitLines(QChart* chart, const ControlLimits& limits, int count) {
    QAbstractAxis* runs = chart->axes(Qt::Horizontal).value(0);
    QAbstractAxis* values = chart->axes(Qt::Vertical).value(0);
    AddAttached(chart, LevelLine("centre", limits.centre, count, Qt::SolidLine, Qt::darkGreen),
                runs, values);
    for (const int sign : {1, -1}) {
        AddAttached(chart,
                    LevelLine(sign > 0 ? "3 sigma" : QString(),
                              limits.centre + 3 * sign * limits.sigma, count, Qt::DashLine,
                              Qt::red),
                    runs, values);
        AddAttached(chart,
                    LevelLine(sign > 0 ? "2 sigma" : QString(),
                              limits.centre + 2 * sign * limits.sigma, count, Qt::DotLine,
                              Qt::darkYellow),
                    runs, values);
    }
}

// The run counts as point labels at each bar's top; a label's text is fixed per series, so
// one series per count, on an axis that puts the categories at 0, 1, 2 as the bars are.
// Each bar's place among the periods; the bars come by start, so the places are in order.
QHash<QString, int> PlacesOf(const QStringList& periods) {
    QHash<QString, int> places;
    for (qsizetype i = 0; i < periods.size(); ++i)
        places.insert(periods[i], static_cast<int>(i));
    return places;
}

// A series of labels per count, filled before it joins the chart: a chart redraws a series at
// every point added to it once it shows it.
void AddRunCounts(QChart* chart, const QList<YieldRow>& bars, const QStringList& periods,
                  const QStringList& stations, YieldPeriod period) {
    auto* places = new QValueAxis;
    places->setRange(-0.5, static_cast<double>(periods.size()) - 0.5);
    places->setVisible(false);
    chart->addAxis(places, Qt::AlignBottom);
    QAbstractAxis* percent = chart->axes(Qt::Vertical).value(0);
    const QHash<QString, int> placeOf = PlacesOf(periods);
    QMap<int, QList<QPointF>> labels;
    const double width = kBarWidth / static_cast<double>(std::max<qsizetype>(stations.size(), 1));
    for (const YieldRow& bar : bars) {
        const auto place = static_cast<double>(placeOf.value(PeriodLabel(bar.start, period)));
        const auto set = static_cast<double>(stations.indexOf(bar.station));
        labels[bar.runs] << QPointF(place - kBarWidth / 2.0 + (set + 0.5) * width, bar.Percent());
    }
    for (auto it = labels.cbegin(); it != labels.cend(); ++it) {
        auto* label = new QScatterSeries;
        label->setMarkerSize(1.0);
        label->setColor(Qt::transparent);
        label->setBorderColor(Qt::transparent);
        label->setPointLabelsFormat(QString::number(it.key()));
        label->setPointLabelsVisible(true);
        label->setPointLabelsClipping(false);
        label->append(it.value());
        AddAttached(chart, label, places, percent);
        for (QLegendMarker* marker : chart->legend()->markers(label))
            marker->setVisible(false);
    }
}

} // namespace

QChart* ControlChart(const ControlSeries& series, const QString& title) {
    QChart* chart = NewRecordsChart(title);
    auto* runs = new QValueAxis;
    runs->setLabelFormat(QStringLiteral("%d"));
    auto* values = new QValueAxis;
    chart->addAxis(runs, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    const int count = static_cast<int>(series.points.size());
    auto* line = new QLineSeries;
    line->setName(series.valueName);
    auto* marked = new QScatterSeries;
    marked->setName(QLatin1String(kMarkedRuns));
    marked->setColor(Qt::red);
    marked->setMarkerSize(9);
    // The limits in view, or the values alone without a baseline.
    const bool limited = series.limits.Valid();
    double low = limited ? series.limits.Lower(3) : series.points.value(0).value;
    double high = limited ? series.limits.Upper(3) : low;
    for (int i = 0; i < count; ++i) {
        line->append(i + 1, series.points[i].value);
        low = std::min(low, series.points[i].value);
        high = std::max(high, series.points[i].value);
    }
    int lastMarked = -1; // a run that breaks two rules is marked once
    for (const RuleBreak& broken : series.breaks)
        if (std::exchange(lastMarked, broken.index) != broken.index)
            marked->append(broken.index + 1, series.points[broken.index].value);
    AddAttached(chart, line, runs, values);
    if (limited)
        AddLimitLines(chart, series.limits, count);
    AddAttached(chart, marked, runs, values);
    for (QLegendMarker* marker : chart->legend()->markers())
        marker->setVisible(!marker->label().isEmpty());
    runs->setRange(0.5, std::max(count, 1) + 0.5);
    const double pad = std::max((high - low) / 20.0, 1.0);
    values->setRange(low - pad, high + pad);
    return chart;
}

QString CapabilityText(const ControlSeries& series) {
    QStringList lines;
    if (const std::optional<AcceptWindow> window = AcceptWindowOf(series.valueName)) {
        const Capability capability = CapabilityOf(series.Values(), *window);
        lines << QStringLiteral("Cpk %1 against %2 to %3")
                     .arg(capability.cpk ? QString::number(*capability.cpk, 'f', 2)
                                         : QStringLiteral("-"))
                     .arg(window->low)
                     .arg(window->high);
        lines << QStringLiteral("%1 % of units within %2 of an edge (a tenth of the window)")
                     .arg(100.0 * capability.nearEdgeShare, 0, 'f', 1)
                     .arg(window->Margin());
    }
    lines << (series.limits.Valid() ? QStringLiteral("baseline of %1 runs: centre %2, sigma %3")
                                          .arg(series.limits.count)
                                          .arg(series.limits.centre, 0, 'f', 1)
                                          .arg(series.limits.sigma, 0, 'f', 2)
                                    : QStringLiteral("no baseline: fewer than two runs"));
    lines << QStringLiteral("%1 runs shown, %2 rule breaks")
                 .arg(series.points.size())
                 .arg(series.breaks.size());
    return lines.join(QLatin1Char('\n'));
}

QChart* ParetoChart(const QList<FailureCount>& failures, const QString& title) {
    QChart* chart = NewRecordsChart(title);
    auto* counts = new QBarSet(QStringLiteral("failed runs"));
    QStringList labels;
    // The bars run upwards: the most frequent goes on top.
    const QList<FailureCount> shown = failures.mid(0, kParetoBars);
    for (auto it = shown.crbegin(); it != shown.crend(); ++it) {
        *counts << it->count;
        labels << QStringLiteral("%1 (%2 step %3)")
                      .arg(it->failureText, it->calibration)
                      .arg(it->step);
    }
    auto* series = new QHorizontalBarSeries;
    series->append(counts);
    series->setLabelsVisible(true);
    series->setBarWidth(kBarWidth);
    auto* causes = new QBarCategoryAxis;
    causes->append(labels);
    auto* runs = new QValueAxis;
    runs->setLabelFormat(QStringLiteral("%d"));
    int most = 1;
    for (const FailureCount& failure : shown)
        most = std::max(most, failure.count);
    runs->setRange(0, most + 1);
    chart->addAxis(causes, Qt::AlignLeft);
    chart->addAxis(runs, Qt::AlignBottom);
    AddAttached(chart, series, runs, causes);
    chart->legend()->setVisible(false);
    return chart;
}

QChart* YieldBarChart(const QList<YieldRow>& bars, YieldPeriod period) {
    QChart* chart =
        NewRecordsChart(period == YieldPeriod::Day ? QStringLiteral("Yield per day (%)")
                                                   : QStringLiteral("Yield per hour (%)"));
    QStringList periods;
    QStringList stations;
    for (const YieldRow& bar : bars) {
        const QString label = PeriodLabel(bar.start, period);
        if (periods.isEmpty() || periods.last() != label)
            periods << label;
        if (!stations.contains(bar.station))
            stations << bar.station;
    }
    stations.sort();
    const QHash<QString, int> placeOf = PlacesOf(periods);
    auto* series = new QBarSeries;
    series->setBarWidth(kBarWidth);
    QMap<QString, QBarSet*> sets;
    for (const QString& station : stations) {
        sets[station] = new QBarSet(station);
        for (qsizetype i = 0; i < periods.size(); ++i)
            *sets[station] << 0.0;
        series->append(sets[station]);
    }
    for (const YieldRow& bar : bars)
        sets[bar.station]->replace(placeOf.value(PeriodLabel(bar.start, period)), bar.Percent());
    auto* axisX = new QBarCategoryAxis;
    axisX->append(periods);
    auto* percent = new QValueAxis;
    percent->setRange(0.0, 110.0); // room for the counts over a full bar
    percent->setTickCount(12);
    percent->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    AddAttached(chart, series, axisX, percent);
    AddRunCounts(chart, bars, periods, stations, period);
    return chart;
}
