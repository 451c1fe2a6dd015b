#include "records/window/ControlPage.h"

#include "records/RecordsSession.h"
#include "records/window/ControlChart.h"
#include "records/window/RecordCharts.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QScatterSeries>
#include <QVBoxLayout>

#include <cmath>

CControlPage::CControlPage(RecordsSession& session, QWidget* parent)
    : QWidget(parent), session_(session), value_(new QComboBox),
      byDates_(new QCheckBox(QStringLiteral("Baseline from"))), from_(new QDateEdit),
      to_(new QDateEdit), view_(new QChartView), capability_(new QLabel) {
    for (const QList<ValueChoice>& choices : {GmagicChoices(), RxChoices(), ApcChoices()})
        for (const ValueChoice& choice : choices)
            value_->addItem(choice.title, choice.valueName);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(420, 300);
    capability_->setWordWrap(true);
    capability_->setMinimumWidth(200);
    capability_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(view_, 1);
    chartRow->addWidget(capability_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(value_);
    layout->addWidget(MakeBaselineRow());
    layout->addLayout(chartRow, 1);
    connect(value_, &QComboBox::currentIndexChanged, this, &CControlPage::Refresh);
}

QWidget* CControlPage::MakeBaselineRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QDateEdit* day : {from_, to_}) {
        day->setCalendarPopup(true);
        day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        day->setDate(QDate::currentDate());
        connect(day, &QDateEdit::dateChanged, this, [this] {
            if (byDates_->isChecked())
                Refresh();
        });
    }
    layout->addWidget(byDates_);
    layout->addWidget(from_);
    layout->addWidget(new QLabel(QStringLiteral("to")));
    layout->addWidget(to_);
    layout->addStretch(1);
    connect(byDates_, &QCheckBox::toggled, this, &CControlPage::Refresh);
    return row;
}

void CControlPage::Refresh() {
    RunFilter filter = session_.Filter();
    if (filter.station.isEmpty() && session_.Selected())
        filter.station = session_.Selected()->station;
    Baseline baseline;
    if (byDates_->isChecked()) {
        baseline.from = from_->date().startOfDay();
        baseline.to = to_->date().addDays(1).startOfDay();
    }
    QString error;
    QSqlDatabase db = session_.Store().Connection(&error);
    const std::optional<ControlSeries> series =
        db.isValid() ? ReadControlSeries(db, filter, value_->currentData().toString(), baseline,
                                         kChartedRuns, &error)
                     : std::nullopt;
    shown_ = series.value_or(ControlSeries{});
    QChart* chart =
        ControlChart(shown_, QStringLiteral("%1 at %2")
                                 .arg(value_->currentText(), filter.station.isEmpty()
                                                                 ? QStringLiteral("all stations")
                                                                 : filter.station));
    for (QAbstractSeries* part : chart->series())
        if (auto* marked = qobject_cast<QScatterSeries*>(part))
            connect(marked, &QScatterSeries::clicked, this, &CControlPage::ChooseMarked);
    // Later: a click on the old chart may be what chose a run and brought this here.
    view_->chart()->deleteLater();
    view_->setChart(chart);
    capability_->setText(series ? CapabilityText(shown_) : error);
}

void CControlPage::ChooseMarked(const QPointF& point) {
    const auto index = static_cast<qsizetype>(std::lround(point.x())) - 1;
    if (index < 0 || index >= shown_.points.size())
        return;
    const QString runId = shown_.points[index].runId; // choosing it reads the chart again
    emit runChosen(runId);
}
