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

QImage RenderPlotSheet(const QList<RunRecord>& runs, const RunRecord* selected) {
    std::vector<std::function<QChart*()>> charts;
    charts.emplace_back([&] { return YieldChart(runs); });
    charts.emplace_back([&] { return ApcSearchChart(selected, kBandEgsm); });
    charts.emplace_back([&] { return ApcSearchChart(selected, kBandDcs); });
    for (const auto& choices : {GmagicChoices(), RxChoices(), ApcChoices()})
        for (const ValueChoice& choice : choices)
            charts.emplace_back(
                [&runs, selected, choice] { return HistogramChart(choice, runs, selected); });
    const int rows = static_cast<int>((charts.size() + kColumns - 1) / kColumns);
    QImage sheet(kColumns * kChartWidth, rows * kChartHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t cell = 0; cell < charts.size(); ++cell)
        Draw(painter, charts[cell](), static_cast<int>(cell));
    return sheet;
}
