#pragma once

#include "records/RecordStore.h"

#include <QAbstractTableModel>

// The runs a filter selects, newest first, read a page at a time as the list scrolls to its
// end: each page goes on from the last row shown through the time index, so that opening the
// list costs one page however many runs there are.
class RunListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPageRuns = 200;

    explicit RunListModel(RecordStore& store, QObject* parent = nullptr);

    // Starts again from the newest run with this filter; false with *error in words when the
    // database cannot be read (the list is empty then).
    bool Reset(const RunFilter& filter, QString* error);
    // The run of a row read so far, without its details; null outside.
    const RunRecord* RunAt(int row) const;
    // The row of that run among those read so far; -1 when not read (yet).
    int RowOf(const QString& id) const;
    // Why the last page could not be read; empty when it could.
    const QString& Error() const { return error_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    std::optional<QList<RunRecord>> NextPage();

    RecordStore& store_;
    RunFilter filter_;
    QList<RunRecord> runs_;
    bool atEnd_ = true;
    QString error_;
};
