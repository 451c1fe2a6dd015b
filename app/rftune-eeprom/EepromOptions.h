#pragma once

#include "sessions/EepromMapFiles.h"
#include "sessions/EepromMapSession.h"

#include <QCommandLineParser>
#include <QString>

// What rftune-eeprom reads and where the map goes.
struct EepromOptions {
    QString out; // empty: standard output, for a hex dump only
    EepromMapFormat format = EepromMapFormat::HexDump;
    QString resultDirectory; // where "Eepresult.txt" is appended; empty: the current directory
    int timeoutMs = EepromMapSession::kReplyTimeoutMs;
};

void AddEepromOptions(QCommandLineParser& parser);
bool ReadEepromOptions(const QCommandLineParser& parser, EepromOptions* options, QString* error);
