#include "sim/a8960/Virtual8960.h"

#include <QMutexLocker>

Q_LOGGING_CATEGORY(lcA8960, "rftune.sim.a8960", QtWarningMsg)

Virtual8960::Virtual8960(RadioPath& radio)
    : VirtualInstrument(kIdentity, lcA8960, "8960"), radio_(radio) {
    UpdateRadio();
}

int Virtual8960::Execute(const ScpiUnit& unit, QByteArray* reply) {
    return RunCommand(*this, Commands(), unit, reply);
}

void Virtual8960::SetCableLossDb(double gsmLossDb, double dcsLossDb) {
    QMutexLocker lock(&Mutex());
    gsmCableLossDb_ = gsmLossDb;
    dcsCableLossDb_ = dcsLossDb;
    UpdateRadio();
}

// The error queue and the amplitude offset are not settings a preset touches.
int Virtual8960::Reset(const ScpiUnit&, QByteArray*) {
    state_ = Virtual8960State{};
    UpdateRadio();
    return 0;
}

int Virtual8960::PartialPreset(const ScpiUnit&, QByteArray*) {
    state_.mode = Virtual8960State::Mode::ActiveCell;
    state_.downlink = Virtual8960State::Downlink::BchTch;
    UpdateRadio();
    return 0;
}

int Virtual8960::Accept(const ScpiUnit&, QByteArray*) {
    return 0;
}
