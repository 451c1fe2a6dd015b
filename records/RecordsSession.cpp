#include "records/RecordsSession.h"

#include <QSet>

RecordsSession::RecordsSession(const DatabaseLocation& location, QObject* parent)
    : QObject(parent), store_(std::make_unique<RecordStore>(location)) {}

RecordsSession::~RecordsSession() = default;

void RecordsSession::SetFilter(const RunFilter& filter) {
    filter_ = filter;
}

QStringList RecordsSession::Stations() const {
    QSet<QString> stations;
    for (const RunRecord& run : runs_)
        stations.insert(run.station);
    QStringList sorted(stations.begin(), stations.end());
    sorted.sort();
    return sorted;
}

const RunRecord* RecordsSession::Selected() const {
    return selected_ >= 0 && selected_ < runs_.size() ? &runs_[selected_] : nullptr;
}

void RecordsSession::Select(int index) {
    const int wanted = index >= 0 && index < runs_.size() ? index : -1;
    if (wanted == selected_)
        return;
    selected_ = wanted;
    emit selectionChanged();
}

bool RecordsSession::Reload(QString* error) {
    const std::optional<QList<RunRecord>> runs = store_->Runs(filter_, true, error);
    if (!runs)
        return false;
    const QString selectedId = Selected() ? Selected()->id : QString();
    runs_ = *runs;
    selected_ = -1;
    for (int i = 0; i < runs_.size(); ++i)
        if (runs_[i].id == selectedId)
            selected_ = i;
    // The newest unit by default: the one just calibrated.
    if (selected_ < 0)
        selected_ = static_cast<int>(runs_.size()) - 1;
    emit runsChanged();
    emit selectionChanged();
    return true;
}
