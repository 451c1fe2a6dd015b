#include "records/window/SummaryPages.h"

#include "records/RecordsSession.h"
#include "records/window/ControlChart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kMostHourlyDays = 3;

QChartView* NewView() {
    auto* view = new QChartView;
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 300);
    return view;
}

// The old chart goes later: a click on it may be what brought this here.
void Show(QChartView* view, QChart* chart) {
    view->chart()->deleteLater();
    view->setChart(chart);
}

// A chart that says why it is empty.
QChart* Unreadable(const QString& error) {
    auto* chart = new QChart;
    chart->setTitle(error);
    return chart;
}

} // namespace

CYieldPage::CYieldPage(RecordsSession& session, QWidget* parent)
    : QWidget(parent), session_(session), zoom_(new QCheckBox(QStringLiteral("Days from"))),
      from_(new QDateEdit), to_(new QDateEdit), view_(NewView()) {
    auto* row = new QHBoxLayout;
    row->addWidget(zoom_);
    row->addWidget(from_);
    row->addWidget(new QLabel(QStringLiteral("to")));
    row->addWidget(to_);
    row->addStretch(1);
    for (QDateEdit* day : {from_, to_}) {
        day->setCalendarPopup(true);
        day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        day->setDate(QDate::currentDate());
        connect(day, &QDateEdit::dateChanged, this, [this] {
            if (zoom_->isChecked())
                Refresh();
        });
    }
    connect(zoom_, &QCheckBox::toggled, this, &CYieldPage::Refresh);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(view_, 1);
}

void CYieldPage::Refresh() {
    RunFilter filter = session_.Filter();
    YieldPeriod period = YieldPeriod::Day;
    if (zoom_->isChecked()) {
        filter.from = from_->date().startOfDay();
        filter.to = to_->date().addDays(1).startOfDay();
        if (from_->date().daysTo(to_->date()) < kMostHourlyDays)
            period = YieldPeriod::Hour;
    }
    QString error;
    const std::optional<QList<YieldRow>> bars = YieldPer(session_.Store(), filter, period, &error);
    if (!bars) {
        Show(view_, Unreadable(error));
        return;
    }
    days_.clear();
    for (const YieldRow& bar : *bars)
        if (days_.isEmpty() || days_.last() != bar.start.date())
            days_ << bar.start.date();
    QChart* chart = YieldBarChart(*bars, period);
    if (period == YieldPeriod::Day)
        for (QAbstractSeries* part : chart->series())
            if (auto* series = qobject_cast<QBarSeries*>(part))
                connect(series, &QBarSeries::clicked, this, &CYieldPage::ZoomTo);
    Show(view_, chart);
}

void CYieldPage::ZoomTo(int bar) {
    if (bar < 0 || bar >= days_.size())
        return;
    const QDate day = days_[bar];
    {
        const QSignalBlocker blockFrom(from_);
        const QSignalBlocker blockTo(to_);
        from_->setDate(day);
        to_->setDate(day);
    }
    if (zoom_->isChecked())
        Refresh();
    else
        zoom_->setChecked(true);
}

CFailuresPage::CFailuresPage(RecordsSession& session, QWidget* parent)
    : QWidget(parent), session_(session), view_(NewView()), perStation_(new QTableWidget(0, 5)) {
    perStation_->setHorizontalHeaderLabels({"station", "failure", "calibration", "step", "runs"});
    perStation_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    perStation_->verticalHeader()->hide();
    perStation_->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 2);
    layout->addWidget(perStation_, 1);
}

void CFailuresPage::Refresh() {
    const RunFilter& filter = session_.Filter();
    QString error;
    QSqlDatabase db = session_.Store().Connection(&error);
    std::optional<QList<FailureCount>> overall =
        db.isValid() ? FailurePareto(db, filter, false, &error) : std::nullopt;
    const std::optional<QList<FailureCount>> stations =
        overall ? FailurePareto(db, filter, true, &error) : std::nullopt;
    if (!stations) {
        Show(view_, Unreadable(error));
        return;
    }
    Show(view_, ParetoChart(*overall, filter.station.isEmpty()
                                          ? QStringLiteral("Failures, all stations")
                                          : QStringLiteral("Failures at %1").arg(filter.station)));
    perStation_->setRowCount(static_cast<int>(stations->size()));
    for (int row = 0; row < stations->size(); ++row) {
        const FailureCount& count = stations->at(row);
        const QStringList cells{count.station, count.failureText, count.calibration,
                                QString::number(count.step), QString::number(count.count)};
        for (int column = 0; column < cells.size(); ++column)
            perStation_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    perStation_->resizeColumnsToContents();
}
