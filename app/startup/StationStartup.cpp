#include "app/startup/StationStartup.h"

#include "app/startup/Simulation.h"
#include "link/LinkSettings.h"
#include "link/PortMap.h"
#include "records/RecordSettings.h"
#include "visa/VisaConfig.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {
const char* const kSimulateOption = "simulate";
const char* const kHelpOption = "help";
const char* const kHelpAllOption = "help-all";
const char* const kVersionOption = "version";
} // namespace

StationStartup::StationStartup(QString program, const QString& description, unsigned shared)
    : program_(std::move(program)), shared_(shared) {
    parser_.setApplicationDescription(description);
    parser_.addHelpOption();
    parser_.addVersionOption();
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
                                          "LPT1 a file, and the instruments are virtual "
                                          "ones.")});
    }
    if (shared_ & (kBenchOptions | kSimulate))
        AddBenchOptions(parser_);
    if (shared_ & kRecordOptions)
        AddRecordOptions(parser_);
}

bool StationStartup::Process(const QCoreApplication& app, QString* error) {
    return Process(app.arguments(), error);
}

bool StationStartup::Process(const QStringList& arguments, QString* error) {
    // Parsed rather than processed, so that an unknown option is a usage error like any other.
    if (!parser_.parse(arguments)) {
        *error = parser_.errorText();
        return false;
    }
    AnswerHelpOrVersion();
    return ApplyShared(error);
}

bool StationStartup::AsksForHelpOrVersion(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return parser_.parse(arguments) && (parser_.isSet(QLatin1String(kHelpOption)) ||
                                        parser_.isSet(QLatin1String(kHelpAllOption)) ||
                                        parser_.isSet(QLatin1String(kVersionOption)));
}

void StationStartup::AnswerHelpOrVersion() {
    if (parser_.isSet(QLatin1String(kHelpOption)) || parser_.isSet(QLatin1String(kHelpAllOption)))
        parser_.showHelp(0);
    if (parser_.isSet(QLatin1String(kVersionOption))) {
        std::printf("%s %s\n", program_.toLocal8Bit().constData(), RFTUNE_VERSION);
        std::fflush(stdout);
        std::exit(0);
    }
}

bool StationStartup::ApplyShared(QString* error) {
    if ((shared_ & (kBenchOptions | kSimulate)) && !ReadBenchOptions(parser_, &bench_, error))
        return false;
    simulate_ = (shared_ & kSimulate) && parser_.isSet(QLatin1String(kSimulateOption));
    if (shared_ & kPortOptions) {
        PortMap::Instance().LoadStationSettings();
        LinkSettings::LoadStationSettings();
        if (simulate_)
            UseBenchLinkSettings();
        if (!ApplyPortOptions(parser_, error) || !ApplyLinkOptions(parser_, error))
            return false;
    }
    if (shared_ & kVisaOptions) {
        VisaConfig::Instance().LoadStationSettings();
        if (!ApplyVisaOptions(parser_, error))
            return false;
    }
    if (shared_ & kRecordOptions) {
        RecordSettings::LoadStationSettings();
        if (!ApplyRecordOptions(parser_, error))
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
