#pragma once

#include "records/RecordStats.h"
#include "records/RecordStore.h"
#include "records/RunListModel.h"

#include <QObject>

#include <memory>

// The Records window without its widgets: the runs of the database that pass the filter, listed
// a page at a time, the numbers its charts show, counted by the database, and the unit the
// operator selected, read whole, which the histograms mark.
class RecordsSession : public QObject {
    Q_OBJECT
public:
    explicit RecordsSession(const DatabaseLocation& location, QObject* parent = nullptr);
    ~RecordsSession() override;

    RunListModel& Runs() { return *model_; }
    const RunFilter& Filter() const { return filter_; }
    void SetFilter(const RunFilter& filter);
    // As of the last reload: the stations for the filter's choice, and the selection's yield.
    const QStringList& Stations() const { return stations_; }
    const YieldRow& Total() const { return total_; }
    // The row in the list; -1: none.
    int SelectedIndex() const { return selectedRow_; }
    const RunRecord* Selected() const { return selected_ ? &*selected_ : nullptr; }
    // Reads the run of that row whole; false with *error when it cannot be read.
    bool Select(int row, QString* error);
    // Reads the list's first page, the stations and the yield again; false with *error in words
    // when the database cannot be read.
    bool Reload(QString* error);
    // For the charts that query the database themselves.
    RecordStore& Store() { return *store_; }

    // A histogram's numbers for the runs that pass the filter.
    std::optional<QList<ValueCount>> Counts(const QString& name, QString* error);

signals:
    void runsChanged();
    void selectionChanged();

private:
    std::unique_ptr<RecordStore> store_;
    std::unique_ptr<RunListModel> model_;
    RunFilter filter_;
    QStringList stations_;
    YieldRow total_;
    int selectedRow_ = -1;
    std::optional<RunRecord> selected_;
};
