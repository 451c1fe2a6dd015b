#pragma once

#include "records/RunRecord.h"

#include <QSqlQuery>
#include <QString>

// How a run is read from "runs r": its columns and, with details, its values and measurements
// folded into one text column each, so that a run is one row of one forward-only query.
QString RunColumnsSql(bool withDetails, bool server);
RunRecord RunFromRow(const QSqlQuery& query, bool withDetails);
// A stored start or end: a timestamp from a server, ISO-8601 text from SQLite.
QDateTime TimeFromColumn(const QVariant& value);
