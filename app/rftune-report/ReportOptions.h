#pragma once

#include "records/RecordDatabase.h"
#include "records/RecordStore.h"

#include <QCommandLineParser>
#include <QString>

// What rftune-report is asked for.
struct ReportRequest {
    DatabaseLocation database;
    RunFilter filter;
    QString format = QStringLiteral("table"); // "table", "csv" or "jsonl"; "json" with spc
    bool yield = false;
    QString plotFile; // empty: no plot
    bool spc = false;
    int spcLast = 200; // the runs per station and value the rules are checked over
};

void AddReportOptions(QCommandLineParser& parser);
// After the [Records] settings were loaded: the command line wins.
bool ReadReportOptions(const QCommandLineParser& parser, ReportRequest* request, QString* error);
