#include "autocal/window/AutocalSession.h"

#include "autocal/AutocalSettings.h"
#include "autocal/CalibrationEngine.h"
#include "autocal/window/RfConfiguration.h"
#include "records/RecordSettings.h"
#include "station/CalibrationStation.h"
#include "station/EndingStations.h"

AutocalSession::AutocalSession(CComm& comm, RfConfiguration& configuration, EndingStations& ending,
                               QObject* parent)
    : QObject(parent), ending_(ending),
      station_(std::make_unique<CalibrationStation>(comm, RecordSettings::Location())) {
    connect(station_.get(), &CalibrationStation::stopped, this, [this] {
        stopped_ = true;
        emit stopped();
    });
    SetConfig(configuration.Config());
    SetMaxRepeats(MaxRepeatsSetting(0));
    // The configuration may change while the window is open: the engine reads the new values
    // from its next instrument check or calibration step.
    connect(&configuration, &RfConfiguration::changed, this, &AutocalSession::SetConfig);
}

AutocalSession::~AutocalSession() {
    ending_.Adopt(std::move(station_));
}

CalibrationEngine& AutocalSession::Engine() {
    return station_->Engine();
}

TargetSession& AutocalSession::Target() {
    return Engine().Session();
}

RecordWriter& AutocalSession::Records() {
    return *station_->Records();
}

void AutocalSession::SetConfig(const CalibrationConfig& config) {
    station_->Call([config](CalibrationEngine& engine) { engine.SetConfig(config); });
}

void AutocalSession::SetResultHeader(const ResultHeader& header) {
    station_->Call([header](CalibrationEngine& engine) { engine.SetResultHeader(header); });
}

void AutocalSession::SetResultDirectory(const QString& directory) {
    station_->Call(
        [directory](CalibrationEngine& engine) { engine.SetResultDirectory(directory); });
}

void AutocalSession::SetRfMode(bool rf) {
    station_->Call([rf](CalibrationEngine& engine) { engine.SetRfMode(rf); });
}

void AutocalSession::SetMaxRepeats(int repeats) {
    station_->Call([repeats](CalibrationEngine& engine) { engine.SetMaxRepeats(repeats); });
}

void AutocalSession::InstrumentCheck() {
    station_->Call([](CalibrationEngine& engine) { engine.InstrumentCheck(); });
}

void AutocalSession::TargetCheck() {
    station_->Call([](CalibrationEngine& engine) { engine.TargetCheck(); });
}

void AutocalSession::StartAutoCal() {
    station_->Call([](CalibrationEngine& engine) { engine.StartAutoCal(); });
}

void AutocalSession::StartBoardCal() {
    station_->Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_BOARD); });
}

void AutocalSession::EepFullReset() {
    station_->Call([](CalibrationEngine& engine) { engine.EepFullReset(); });
}

void AutocalSession::Stop() {
    station_->Call([](CalibrationEngine& engine) { engine.StopRun(); });
}

void AutocalSession::AcknowledgeOkFail() {
    station_->Call([](CalibrationEngine& engine) { engine.AcknowledgeFailure(); });
}

void AutocalSession::Leave() {
    station_->End();
}
