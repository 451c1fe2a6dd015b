#pragma once

#include "records/RecordDatabase.h"

#include <QString>

class QCommandLineParser;
class QSettings;

// The [Records] settings: where the run records go and the name this station writes them under.
// Process-wide; the executables load them at start (the command line wins), tests set them.
namespace RecordSettings {

// [Records] Database: a file or "sqlite:PATH" for SQLite, "postgresql://..." for a server; empty
// (the default): the SQLite file in the user's data directory.
QString DatabaseUrl();
void SetDatabaseUrl(const QString& url);
// [Records] Station: the station's name on the line; the host name by default.
QString StationName();
void SetStationName(const QString& name);
// [Records] RetrySeconds: how often records kept while the database is away are offered again.
int RetryMs();
void SetRetryMs(int ms);

// The database named, or the default one when the name is not a database address.
DatabaseLocation Location();

void Load(QSettings& settings);
void LoadStationSettings();

} // namespace RecordSettings

// --records URL and --station NAME, applied after the settings were loaded.
void AddRecordOptions(QCommandLineParser& parser);
bool ApplyRecordOptions(const QCommandLineParser& parser, QString* error);
