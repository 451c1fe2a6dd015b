#include "records/RunListModel.h"

namespace {

const QStringList kColumns{"started", "station", "model", "name", "outcome", "failure"};

QString Cell(const RunRecord& run, int column) {
    switch (column) {
    case 0:
        return run.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case 1:
        return run.station;
    case 2:
        return run.model;
    case 3:
        return run.name;
    case 4:
        return OutcomeText(run.outcome);
    default:
        return run.failureText;
    }
}

} // namespace

RunListModel::RunListModel(RecordStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store) {}

std::optional<QList<RunRecord>> RunListModel::NextPage() {
    error_.clear();
    std::optional<QList<RunRecord>> page =
        store_.Page(filter_, runs_.isEmpty() ? nullptr : &runs_.last(), kPageRuns, &error_);
    atEnd_ = !page || page->size() < kPageRuns;
    return page;
}

bool RunListModel::Reset(const RunFilter& filter, QString* error) {
    beginResetModel();
    filter_ = filter;
    runs_.clear();
    runs_ = NextPage().value_or(QList<RunRecord>());
    endResetModel();
    *error = error_;
    return error_.isEmpty();
}

const RunRecord* RunListModel::RunAt(int row) const {
    return row >= 0 && row < runs_.size() ? &runs_[row] : nullptr;
}

int RunListModel::RowOf(const QString& id) const {
    for (int row = 0; row < runs_.size(); ++row)
        if (runs_[row].id == id)
            return row;
    return -1;
}

int RunListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(runs_.size());
}

int RunListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kColumns.size());
}

QVariant RunListModel::data(const QModelIndex& index, int role) const {
    const RunRecord* run = RunAt(index.row());
    if (!run || role != Qt::DisplayRole)
        return {};
    return Cell(*run, index.column());
}

QVariant RunListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return kColumns.value(section);
}

bool RunListModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !atEnd_;
}

void RunListModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    const std::optional<QList<RunRecord>> page = NextPage();
    if (!page || page->isEmpty())
        return;
    const int first = static_cast<int>(runs_.size());
    beginInsertRows({}, first, first + static_cast<int>(page->size()) - 1);
    runs_ << *page;
    endInsertRows();
}
