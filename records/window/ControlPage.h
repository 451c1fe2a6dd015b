#pragma once

#include "records/RecordSeries.h"

#include <QWidget>

class QChartView;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class RecordsSession;

// The Records window's "Control" tab: the control chart of the value chosen, at the filter's
// station (the selected unit's when the filter takes all), with Cpk beside it. The limits come
// from the first 100 runs of the selection or from the days the operator picks; clicking a
// marked run chooses it.
class CControlPage : public QWidget {
    Q_OBJECT
public:
    explicit CControlPage(RecordsSession& session, QWidget* parent = nullptr);

    // Reads the chosen value's series again and shows it.
    void Refresh();

signals:
    void runChosen(const QString& runId);

private:
    QWidget* MakeBaselineRow();
    void ChooseMarked(const QPointF& point);

    RecordsSession& session_;
    QComboBox* value_;
    QCheckBox* byDates_;
    QDateEdit* from_;
    QDateEdit* to_;
    QChartView* view_;
    QLabel* capability_;
    ControlSeries shown_;
};
