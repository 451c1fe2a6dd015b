#include "StationStartup.h"

#include "LinkSettings.h"
#include "PortMap.h"
#include "VisaConfig.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
const char* const kSimulateOption = "simulate";
}

StationStartup::StationStartup(QString program, const QString& description, unsigned shared)
    : program_(std::move(program)), shared_(shared) {
    parser_.setApplicationDescription(description);
    parser_.addHelpOption();
    if (shared_ & kPortOptions) {
        AddPortOption(parser_);
        AddLinkOptions(parser_);
    }
    if (shared_ & kVisaOptions)
        AddVisaOptions(parser_);
    if (shared_ & kSimulate) {
        parser_.addOption({QLatin1String(kSimulateOption),
                           QStringLiteral("Run the simulated bench inside the program: COM1 is a "
                                          "simulated target, COM2 a simulated barcode scanner, "
                                          "and the instruments are virtual ones.")});
    }
    if (shared_ & (kBenchOptions | kSimulate))
        AddBenchOptions(parser_);
}

bool StationStartup::Process(const QCoreApplication& app, QString* error) {
    // Parsed rather than processed, so that an unknown option is a usage error like any other.
    if (!parser_.parse(app.arguments())) {
        *error = parser_.errorText();
        return false;
    }
    if (parser_.isSet(QStringLiteral("help")))
        parser_.showHelp(0);
    return ApplyShared(error);
}

bool StationStartup::ApplyShared(QString* error) {
    if ((shared_ & (kBenchOptions | kSimulate)) && !ReadBenchOptions(parser_, &bench_, error))
        return false;
    simulate_ = (shared_ & kSimulate) && parser_.isSet(QLatin1String(kSimulateOption));
    if (shared_ & kPortOptions) {
        PortMap::Instance().LoadStationSettings();
        LinkSettings::LoadStationSettings();
        if (!ApplyPortOptions(parser_, error) || !ApplyLinkOptions(parser_, error))
            return false;
    }
    if (shared_ & kVisaOptions) {
        VisaConfig::Instance().LoadStationSettings();
        if (!ApplyVisaOptions(parser_, error))
            return false;
    }
    return true;
}

int StationStartup::Fail(const QString& message) const {
    std::fprintf(stderr, "%s: %s\n", program_.toLocal8Bit().constData(),
                 message.toLocal8Bit().constData());
    std::fflush(stderr);
    return kExitUsage;
}
