#include "records/window/PlotSheet.h"

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

void Draw(QPainter& painter, QChart* owned, int cell) {
    QGraphicsScene scene;
    scene.addItem(owned); // the scene owns it now
    const QRectF area(0, 0, kChartWidth, kChartHeight);
    owned->setGeometry(area);
    const QRectF target((cell % kColumns) * kChartWidth, (cell / kColumns) * kChartHeight,
                        kChartWidth, kChartHeight);
    scene.render(&painter, target, area);
}

} // namespace

std::optional<QImage> RenderPlotSheet(RecordStore& store, const RunFilter& filter,
                                      const RunRecord* selected, QString* error) {
    const std::optional<QList<YieldRow>> days = YieldPer(store, filter, YieldPeriod::Day, error);
    if (!days)
        return std::nullopt;
    std::vector<std::function<QChart*()>> charts;
    charts.emplace_back([&] { return YieldChart(*days); });
    charts.emplace_back([&] { return ApcSearchChart(selected, kBandEgsm); });
    charts.emplace_back([&] { return ApcSearchChart(selected, kBandDcs); });
    for (const auto& choices : {GmagicChoices(), RxChoices(), ApcChoices()}) {
        for (const ValueChoice& choice : choices) {
            const std::optional<QList<ValueCount>> counts =
                ValueCounts(store, filter, choice.valueName, error);
            if (!counts)
                return std::nullopt;
            charts.emplace_back(
                [counts, selected, choice] { return HistogramChart(choice, *counts, selected); });
        }
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
