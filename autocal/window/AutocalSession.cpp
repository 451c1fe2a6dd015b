#include "autocal/window/AutocalSession.h"

#include "autocal/AutocalSettings.h"
#include "autocal/CalibrationEngine.h"
#include "autocal/window/RfConfiguration.h"
#include "records/RecordSettings.h"
#include "records/RecordSpool.h"

AutocalSession::AutocalSession(CComm& comm, RfConfiguration& configuration, QObject* parent)
    : QObject(parent),
      writer_(RecordSettings::Location(), DefaultSpoolDirectory(), RecordSettings::RetryMs()),
      thread_(comm) {
    recorder_.emplace(thread_.Engine(), writer_);
    SetConfig(configuration.Config());
    SetMaxRepeats(MaxRepeatsSetting(0));
    // The configuration may change while the window is open: the engine reads the new values
    // from its next instrument check or calibration step.
    connect(&configuration, &RfConfiguration::changed, this, &AutocalSession::SetConfig);
}

AutocalSession::~AutocalSession() {
    // Queued before the thread's own end, which destroys the engine after it.
    Stop();
}

TargetSession& AutocalSession::Target() {
    return Engine().Session();
}

void AutocalSession::SetConfig(const CalibrationConfig& config) {
    thread_.Call([engine = &Engine(), config] { engine->SetConfig(config); });
}

void AutocalSession::SetResultHeader(const ResultHeader& header) {
    thread_.Call([engine = &Engine(), header] { engine->SetResultHeader(header); });
}

void AutocalSession::SetResultDirectory(const QString& directory) {
    thread_.Call([engine = &Engine(), directory] { engine->SetResultDirectory(directory); });
}

void AutocalSession::SetRfMode(bool rf) {
    thread_.Call([engine = &Engine(), rf] { engine->SetRfMode(rf); });
}

void AutocalSession::SetMaxRepeats(int repeats) {
    thread_.Call([engine = &Engine(), repeats] { engine->SetMaxRepeats(repeats); });
}

void AutocalSession::InstrumentCheck() {
    thread_.Call([engine = &Engine()] { engine->InstrumentCheck(); });
}

void AutocalSession::TargetCheck() {
    thread_.Call([engine = &Engine()] { engine->TargetCheck(); });
}

void AutocalSession::StartAutoCal() {
    thread_.Call([engine = &Engine()] { engine->StartAutoCal(); });
}

void AutocalSession::StartBoardCal() {
    thread_.Call([engine = &Engine()] { engine->StartCalibration(CAL_BOARD); });
}

void AutocalSession::EepFullReset() {
    thread_.Call([engine = &Engine()] { engine->EepFullReset(); });
}

void AutocalSession::Stop() {
    thread_.Call([engine = &Engine()] { engine->StopRun(); });
}

void AutocalSession::AcknowledgeOkFail() {
    thread_.Call([engine = &Engine()] { engine->AcknowledgeFailure(); });
}
