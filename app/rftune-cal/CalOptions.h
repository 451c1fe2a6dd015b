#pragma once

#include "station/StationCycle.h"

#include <QCommandLineParser>
#include <QString>

// Adds the configuration and output options every calibrating executable takes, and what to run
// for how many targets.
void AddCalOptions(QCommandLineParser& parser);
bool ReadCalOptions(const QCommandLineParser& parser, CycleOptions* options, QString* error);
