#include "records/window/RecordCharts.h"

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationPoints.h"
#include "records/RecordStats.h"
#include "records/RecordValues.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMap>
#include <QStackedBarSeries>
#include <QValueAxis>

namespace {

constexpr int kHistogramBins = 12;

QString BinLabel(const Histogram& histogram, int bin) {
    const double from = histogram.low + bin * histogram.width;
    if (histogram.width == 1.0 && histogram.counts.size() == 1)
        return QString::number(from);
    return QString::number(std::lround(from + histogram.width / 2.0));
}

} // namespace

QChart* NewRecordsChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QList<ValueChoice> GmagicChoices() {
    return {{QStringLiteral("GMAGIC GSM"), GmagicValueName(kBandEgsm)},
            {QStringLiteral("GMAGIC DCS"), GmagicValueName(kBandDcs)}};
}

QList<ValueChoice> RxChoices() {
    QList<ValueChoice> choices;
    for (int index = 0; index < kRxChannels; ++index)
        choices << ValueChoice{QStringLiteral("RX channel %1").arg(kRxChannelTable[index]),
                               RxValueName(index)};
    return choices;
}

QList<ValueChoice> ApcChoices() {
    QList<ValueChoice> choices;
    for (int sub = 1; sub <= 3; ++sub)
        for (const int level : kGsmReferenceLevels)
            choices << ValueChoice{QStringLiteral("APC GSM%1 level %2").arg(sub).arg(level),
                                   ApcValueName(kBandEgsm, sub, level)};
    for (int sub = 1; sub <= 3; ++sub) {
        for (const int level : kDcsReferenceLevels) {
            const int pcl = level - kDcsLevelBase;
            choices << ValueChoice{QStringLiteral("APC DCS%1 PCL %2").arg(sub).arg(pcl),
                                   ApcValueName(kBandDcs, sub, pcl)};
        }
    }
    return choices;
}

QChart* HistogramChart(const ValueChoice& choice, const QList<ValueCount>& counts,
                       const RunRecord* selected) {
    QChart* chart = NewRecordsChart(choice.title);
    const Histogram histogram = MakeHistogram(counts, kHistogramBins);
    const auto value = selected ? selected->values.constFind(choice.valueName)
                                : QMap<QString, qint64>::const_iterator();
    const int marked = selected && value != selected->values.cend()
                           ? histogram.BinOf(static_cast<double>(*value))
                           : -1;
    auto* units = new QBarSet(QStringLiteral("units"));
    auto* unit =
        new QBarSet(selected ? QStringLiteral("unit %1").arg(
                                   selected->name.isEmpty() ? selected->id.left(8) : selected->name)
                             : QStringLiteral("selected unit"));
    unit->setColor(Qt::red);
    QStringList labels;
    for (int bin = 0; bin < histogram.counts.size(); ++bin) {
        const bool isMarked = bin == marked;
        *units << histogram.counts[bin] - (isMarked ? 1 : 0);
        *unit << (isMarked ? 1 : 0);
        labels << BinLabel(histogram, bin);
    }
    auto* series = new QStackedBarSeries;
    series->append(units);
    series->append(unit);
    series->setBarWidth(0.95);
    chart->addSeries(series);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(labels);
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%d"));
    int most = 1;
    for (const int count : histogram.counts)
        most = std::max(most, count);
    // Whole units on every tick.
    constexpr int kMostTicks = 10;
    if (most > kMostTicks)
        most = (most + kMostTicks - 1) / kMostTicks * kMostTicks;
    axisY->setRange(0, most);
    axisY->setTickCount((most > kMostTicks ? kMostTicks : most) + 1);
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
    return chart;
}

QChart* ApcSearchChart(const RunRecord* run, int band) {
    QChart* chart = NewRecordsChart(
        QStringLiteral("%1 APC search%2: power (dBm) against DAC")
            .arg(BandName(band), run ? QStringLiteral(" of %1").arg(
                                           run->name.isEmpty() ? run->id.left(8) : run->name)
                                     : QString()));
    auto* dacs = new QValueAxis;
    dacs->setTitleText(QStringLiteral("DAC"));
    auto* power = new QValueAxis;
    power->setTitleText(QStringLiteral("dBm"));
    chart->addAxis(dacs, Qt::AlignBottom);
    chart->addAxis(power, Qt::AlignLeft);
    QMap<std::pair<int, int>, QLineSeries*> lines;
    double lowDac = 0, highDac = 1, lowDbm = 0, highDbm = 1;
    bool any = false;
    for (const TxPowerSample& sample : run ? run->txPower : QList<TxPowerSample>()) {
        if (sample.band != band || !sample.dbm)
            continue;
        QLineSeries*& line = lines[{sample.subBand, sample.level}];
        if (!line) {
            line = new QLineSeries;
            const int level = band == kBandDcs ? sample.level - kDcsLevelBase : sample.level;
            line->setName(
                QStringLiteral("%1%2 %3 %4")
                    .arg(BandName(band))
                    .arg(sample.subBand)
                    .arg(band == kBandDcs ? QStringLiteral("PCL") : QStringLiteral("level"))
                    .arg(level));
            line->setPointsVisible(true);
        }
        line->append(sample.dac, *sample.dbm);
        lowDac = any ? std::min(lowDac, double(sample.dac)) : sample.dac;
        highDac = any ? std::max(highDac, double(sample.dac)) : sample.dac;
        lowDbm = any ? std::min(lowDbm, *sample.dbm) : *sample.dbm;
        highDbm = any ? std::max(highDbm, *sample.dbm) : *sample.dbm;
        any = true;
    }
    for (QLineSeries* line : lines) {
        chart->addSeries(line);
        line->attachAxis(dacs);
        line->attachAxis(power);
    }
    chart->legend()->setVisible(lines.size() <= 6);
    dacs->setRange(lowDac - 10, highDac + 10);
    power->setRange(lowDbm - 1, highDbm + 1);
    return chart;
}
