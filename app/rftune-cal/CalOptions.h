#pragma once

#include "StationCycle.h"

#include <QCommandLineParser>
#include <QString>

// Adds the configuration, run and output options. The supply is the simulated bench's --supply
// option, so that a simulated bench has the supply the station is configured for.
void AddCalOptions(QCommandLineParser& parser);
bool ReadCalOptions(const QCommandLineParser& parser, CycleOptions* options, QString* error);
