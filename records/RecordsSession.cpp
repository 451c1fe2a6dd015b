#include "records/RecordsSession.h"

RecordsSession::RecordsSession(const DatabaseLocation& location, QObject* parent)
    : QObject(parent), store_(std::make_unique<RecordStore>(location)),
      model_(std::make_unique<RunListModel>(*store_)) {}

RecordsSession::~RecordsSession() = default;

void RecordsSession::SetFilter(const RunFilter& filter) {
    filter_ = filter;
}

bool RecordsSession::Select(int row, QString* error) {
    const RunRecord* run = model_->RunAt(row);
    if (run && selected_ && run->id == selected_->id && row == selectedRow_)
        return true;
    selectedRow_ = run ? row : -1;
    selected_.reset();
    RunRecord whole;
    const bool read = !run || store_->ReadRun(run->id, &whole, error);
    if (run && read)
        selected_ = whole;
    emit selectionChanged();
    return read;
}

bool RecordsSession::Reload(QString* error) {
    const QString selectedId = selected_ ? selected_->id : QString();
    selectedRow_ = -1;
    selected_.reset();
    const std::optional<QStringList> stations = StationsOf(*store_, error);
    const std::optional<YieldRow> total =
        stations ? OverallYield(*store_, filter_, error) : std::nullopt;
    const bool read = total && model_->Reset(filter_, error);
    stations_ = stations.value_or(QStringList());
    total_ = total.value_or(YieldRow());
    emit runsChanged();
    if (!read) {
        emit selectionChanged();
        return false;
    }
    // The unit selected before when it is still listed; otherwise the newest, just calibrated.
    const int row = model_->RowOf(selectedId);
    return Select(row >= 0 ? row : 0, error);
}

std::optional<QList<ValueCount>> RecordsSession::Counts(const QString& name, QString* error) {
    return ValueCounts(*store_, filter_, name, error);
}
