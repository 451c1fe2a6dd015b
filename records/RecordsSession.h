#pragma once

#include "records/RecordStore.h"

#include <QObject>

#include <memory>

// The Records window without its widgets: the runs of the database that pass the filter, and
// the unit the operator selected, which the histograms mark.
class RecordsSession : public QObject {
    Q_OBJECT
public:
    explicit RecordsSession(const DatabaseLocation& location, QObject* parent = nullptr);
    ~RecordsSession() override;

    const QList<RunRecord>& Runs() const { return runs_; }
    const RunFilter& Filter() const { return filter_; }
    void SetFilter(const RunFilter& filter);
    // The stations seen in the last reload, for the filter's choice.
    QStringList Stations() const;
    // -1: none.
    int SelectedIndex() const { return selected_; }
    const RunRecord* Selected() const;
    void Select(int index);
    // Reads the runs again; false with *error in words when the database cannot be read.
    bool Reload(QString* error);
    // For the charts that query the database themselves.
    RecordStore& Store() { return *store_; }

signals:
    void runsChanged();
    void selectionChanged();

private:
    std::unique_ptr<RecordStore> store_;
    RunFilter filter_;
    QList<RunRecord> runs_;
    int selected_ = -1;
};
