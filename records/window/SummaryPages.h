#pragma once

#include <QDate>
#include <QList>
#include <QWidget>

class QChartView;
class QCheckBox;
class QDateEdit;
class QTableWidget;
class RecordsSession;

// The Records window's "Yield" tab: yield per day as bars per station with the runs on each;
// the days the operator picks, or the day whose bar is clicked, zoom in (per hour up to three
// days).
class CYieldPage : public QWidget {
    Q_OBJECT
public:
    explicit CYieldPage(RecordsSession& session, QWidget* parent = nullptr);
    void Refresh();

private:
    void ZoomTo(int bar);

    RecordsSession& session_;
    QCheckBox* zoom_;
    QDateEdit* from_;
    QDateEdit* to_;
    QChartView* view_;
    QList<QDate> days_; // of the bars shown per day, in order
};

// The Records window's "Failures" tab: the Pareto of the failures in the filter, and the counts
// per station beneath.
class CFailuresPage : public QWidget {
    Q_OBJECT
public:
    explicit CFailuresPage(RecordsSession& session, QWidget* parent = nullptr);
    void Refresh();

private:
    RecordsSession& session_;
    QChartView* view_;
    QTableWidget* perStation_;
};
