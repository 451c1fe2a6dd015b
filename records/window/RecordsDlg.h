#pragma once

#include "records/window/RecordCharts.h"

#include <QDialog>

class CControlPage;
class CFailuresPage;
class CYieldPage;
class QChartView;
class QComboBox;
class QLabel;
class QTableView;
class RecordsSession;

// The Records window: the runs kept in the database with a filter, newest first and read as the
// list scrolls, and the charts across units: yield per day or hour per station, the control
// charts, the failures' Pareto, the histograms of GMAGIC, RX and APC with the selected unit
// marked, and the selected unit's APC searches. A view over a RecordsSession.
class CRecordsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRecordsDlg(RecordsSession& session, QWidget* parent = nullptr);

    // Reads the runs again and shows them; a database that cannot be read is said in the window.
    void Reload();

private:
    QWidget* MakeFilterRow();
    QWidget* MakeHistogramPage(QComboBox* choice, QChartView* view,
                               const QList<ValueChoice>& items);
    void ApplyFilter();
    void ShowRuns();
    void ShowCharts();
    void ShowHistogram(QComboBox* choice, QChartView* view);
    void SelectRow(int row);
    void SelectRun(const QString& runId);

    RecordsSession& session_;
    QComboBox* station_;
    QComboBox* outcome_;
    QLabel* summary_;
    QTableView* runs_;
    CYieldPage* yield_;
    CControlPage* control_;
    CFailuresPage* failures_;
    QComboBox* gmagicChoice_;
    QChartView* gmagic_;
    QComboBox* rxChoice_;
    QChartView* rx_;
    QComboBox* apcChoice_;
    QChartView* apc_;
    QComboBox* searchBand_;
    QChartView* search_;
};
