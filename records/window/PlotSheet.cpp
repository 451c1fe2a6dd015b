#include "records/window/PlotSheet.h"

#include "records/window/ControlChart.h"
#include "records/window/RecordCharts.h"

#include <QChart>
#include <QGraphicsScene>
#include <QPainter>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kColumns = 6;
constexpr int kChartWidth = 420;
constexpr int kChartHeight = 300;

using ChartMaker = std::function<QChart*()>;

void Draw(QPainter& painter, QChart* owned, int cell) {
    QGraphicsScene scene;
    scene.addItem(owned); // the scene owns it now
    const QRectF area(0, 0, kChartWidth, kChartHeight);
    owned->setGeometry(area);
    const QRectF target((cell % kColumns) * kChartWidth, (cell / kColumns) * kChartHeight,
                        kChartWidth, kChartHeight);
    scene.render(&painter, target, area);
}

QList<ValueChoice> AllChoices() {
    return GmagicChoices() + RxChoices() + ApcChoices();
}

// The charts read from the database: each query runs here, so that a failure stops the sheet.
bool AddSummaryCharts(std::vector<ChartMaker>& charts, RecordStore& store, QSqlDatabase& db,
                      const RunFilter& filter, QString* error) {
    const std::optional<QList<YieldRow>> yield = YieldPer(store, filter, YieldPeriod::Day, error);
    const std::optional<QList<FailureCount>> failures =
        yield ? FailurePareto(db, filter, false, error) : std::nullopt;
    if (!failures)
        return false;
    charts.emplace_back([bars = *yield] { return YieldBarChart(bars, YieldPeriod::Day); });
    charts.emplace_back([counts = *failures] { return ParetoChart(counts, "Failures"); });
    return true;
}

bool AddControlCharts(std::vector<ChartMaker>& charts, QSqlDatabase& db, const RunFilter& filter,
                      QString* error) {
    for (const ValueChoice& choice : AllChoices()) {
        const std::optional<ControlSeries> series =
            ReadControlSeries(db, filter, choice.valueName, Baseline{}, kChartedRuns, error);
        if (!series)
            return false;
        charts.emplace_back([series = *series, choice] {
            return ControlChart(series, QStringLiteral("%1 at %2: %3")
                                            .arg(choice.title, series.station,
                                                 CapabilityText(series).section('\n', 0, 0)));
        });
    }
    return true;
}

} // namespace

std::optional<QImage> RenderPlotSheet(RecordStore& store, const RunFilter& filter,
                                      const RunRecord* selected, QString* error) {
    QSqlDatabase db = store.Connection(error);
    std::vector<ChartMaker> charts;
    if (!db.isValid() || !AddSummaryCharts(charts, store, db, filter, error))
        return std::nullopt;
    charts.emplace_back([selected] { return ApcSearchChart(selected, kBandEgsm); });
    charts.emplace_back([selected] { return ApcSearchChart(selected, kBandDcs); });
    RunFilter station = filter;
    if (station.station.isEmpty() && selected)
        station.station = selected->station;
    if (!station.station.isEmpty() && !AddControlCharts(charts, db, station, error))
        return std::nullopt;
    for (const ValueChoice& choice : AllChoices()) {
        const std::optional<QList<ValueCount>> counts =
            ValueCounts(store, filter, choice.valueName, error);
        if (!counts)
            return std::nullopt;
        charts.emplace_back(
            [counts, selected, choice] { return HistogramChart(choice, *counts, selected); });
    }
    const int rows = static_cast<int>((charts.size() + kColumns - 1) / kColumns);
    QImage sheet(kColumns * kChartWidth, rows * kChartHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t cell = 0; cell < charts.size(); ++cell)
        Draw(painter, charts[cell](), static_cast<int>(cell));
    return sheet;
}
