#include "records/window/RecordsDlg.h"

#include "records/RecordStats.h"
#include "records/RecordsSession.h"
#include "records/window/ControlPage.h"
#include "records/window/SummaryPages.h"

#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kAll = QStringLiteral("all");

QChartView* NewChartView() {
    auto* view = new QChartView;
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 300);
    return view;
}

void Show(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace

CRecordsDlg::CRecordsDlg(RecordsSession& session, QWidget* parent)
    : QDialog(parent), session_(session), station_(new QComboBox), outcome_(new QComboBox),
      summary_(new QLabel), runs_(new QTableView), yield_(new CYieldPage(session)),
      control_(new CControlPage(session)), failures_(new CFailuresPage(session)),
      gmagicChoice_(new QComboBox), gmagic_(NewChartView()), rxChoice_(new QComboBox),
      rx_(NewChartView()), apcChoice_(new QComboBox), apc_(NewChartView()),
      searchBand_(new QComboBox), search_(NewChartView()) {
    setWindowTitle(QStringLiteral("Records"));
    setAttribute(Qt::WA_DeleteOnClose);
    runs_->setModel(&session_.Runs());
    runs_->setSelectionBehavior(QAbstractItemView::SelectRows);
    runs_->setSelectionMode(QAbstractItemView::SingleSelection);
    runs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    runs_->verticalHeader()->hide();
    runs_->horizontalHeader()->setStretchLastSection(true);

    auto* tabs = new QTabWidget;
    tabs->addTab(yield_, QStringLiteral("Yield"));
    tabs->addTab(control_, QStringLiteral("Control"));
    tabs->addTab(failures_, QStringLiteral("Failures"));
    connect(control_, &CControlPage::runChosen, this, &CRecordsDlg::SelectRun);
    tabs->addTab(MakeHistogramPage(gmagicChoice_, gmagic_, GmagicChoices()), "GMAGIC");
    tabs->addTab(MakeHistogramPage(rxChoice_, rx_, RxChoices()), "RX");
    tabs->addTab(MakeHistogramPage(apcChoice_, apc_, ApcChoices()), "APC");
    searchBand_->addItems({"GSM", "DCS"});
    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(searchBand_);
    searchLayout->addWidget(search_, 1);
    tabs->addTab(searchPage, QStringLiteral("APC search"));
    connect(searchBand_, &QComboBox::currentIndexChanged, this, &CRecordsDlg::ShowCharts);

    auto* splitter = new QSplitter;
    splitter->addWidget(runs_);
    splitter->addWidget(tabs);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeFilterRow());
    layout->addWidget(splitter, 1);
    layout->addWidget(summary_);

    connect(runs_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { SelectRow(current.row()); });
    connect(&session_, &RecordsSession::runsChanged, this, &CRecordsDlg::ShowRuns);
    connect(&session_, &RecordsSession::selectionChanged, this, &CRecordsDlg::ShowCharts);
    resize(1200, 720);
    Reload();
}

QWidget* CRecordsDlg::MakeFilterRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    station_->addItem(kAll);
    outcome_->addItems({kAll, "success", "failed", "stopped"});
    auto* reload = new QPushButton(QStringLiteral("Reload"));
    layout->addWidget(new QLabel(QStringLiteral("Station")));
    layout->addWidget(station_);
    layout->addWidget(new QLabel(QStringLiteral("Outcome")));
    layout->addWidget(outcome_);
    layout->addWidget(reload);
    layout->addStretch(1);
    connect(station_, &QComboBox::activated, this, &CRecordsDlg::ApplyFilter);
    connect(outcome_, &QComboBox::activated, this, &CRecordsDlg::ApplyFilter);
    connect(reload, &QPushButton::clicked, this, &CRecordsDlg::Reload);
    return row;
}

QWidget* CRecordsDlg::MakeHistogramPage(QComboBox* choice, QChartView* view,
                                        const QList<ValueChoice>& items) {
    for (const ValueChoice& item : items)
        choice->addItem(item.title, item.valueName);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(choice);
    layout->addWidget(view, 1);
    connect(choice, &QComboBox::currentIndexChanged, this,
            [this, choice, view] { ShowHistogram(choice, view); });
    return page;
}

void CRecordsDlg::ApplyFilter() {
    RunFilter filter = session_.Filter();
    filter.station = station_->currentText() == kAll ? QString() : station_->currentText();
    filter.outcome = OutcomeFromText(outcome_->currentText());
    session_.SetFilter(filter);
    Reload();
}

void CRecordsDlg::Reload() {
    QString error;
    if (!session_.Reload(&error))
        summary_->setText(error);
}

void CRecordsDlg::ShowRuns() {
    const QString station = station_->currentText();
    station_->clear();
    station_->addItem(kAll);
    station_->addItems(session_.Stations());
    station_->setCurrentText(station);
    runs_->resizeColumnsToContents();
    yield_->Refresh();
    failures_->Refresh();
    const YieldRow& yield = session_.Total();
    summary_->setText(QStringLiteral("%1 runs, %2 passed: yield %3 %")
                          .arg(yield.runs)
                          .arg(yield.successes)
                          .arg(yield.Percent(), 0, 'f', 1));
}

void CRecordsDlg::SelectRow(int row) {
    QString error;
    if (!session_.Select(row, &error))
        summary_->setText(error);
}

void CRecordsDlg::ShowCharts() {
    {
        const QSignalBlocker blocker(runs_->selectionModel());
        runs_->selectRow(session_.SelectedIndex());
    }
    control_->Refresh();
    ShowHistogram(gmagicChoice_, gmagic_);
    ShowHistogram(rxChoice_, rx_);
    ShowHistogram(apcChoice_, apc_);
    Show(search_, ApcSearchChart(session_.Selected(),
                                 searchBand_->currentIndex() == 1 ? kBandDcs : kBandEgsm));
}

void CRecordsDlg::ShowHistogram(QComboBox* choice, QChartView* view) {
    const ValueChoice wanted{choice->currentText(), choice->currentData().toString()};
    QString error;
    const std::optional<QList<ValueCount>> counts = session_.Counts(wanted.valueName, &error);
    if (!counts)
        summary_->setText(error);
    Show(view, HistogramChart(wanted, counts.value_or(QList<ValueCount>()), session_.Selected()));
}

void CRecordsDlg::SelectRun(const QString& runId) {
    RunListModel& runs = session_.Runs();
    int row = runs.RowOf(runId);
    // A marked run may be older than the rows the list has fetched so far.
    while (row < 0 && runs.canFetchMore({})) {
        runs.fetchMore({});
        row = runs.RowOf(runId);
    }
    if (row >= 0)
        SelectRow(row);
}
