#include "sim/wt4400/Virtual4400.h"

#include <QMutexLocker>

Q_LOGGING_CATEGORY(lcWt4400Trace, "rftune.sim.wt4400", QtWarningMsg)

// The station's coupling table is there from the start, flat at 0 dB until the bench sets it.
Virtual4400::Virtual4400(RadioPath& radio)
    : VirtualInstrument(kIdentity, lcWt4400Trace, "4400"), radio_(radio) {
    couplingTables_.insert("viable.cpl", {{900.0, 0.0}});
    UpdateRadio();
}

int Virtual4400::Execute(const ScpiUnit& unit, QByteArray* reply) {
    return RunCommand(*this, Commands(), unit, reply);
}

void Virtual4400::SetCableLossDb(double gsmLossDb, double dcsLossDb) {
    QMutexLocker lock(&Mutex());
    gsmCableLossDb_ = gsmLossDb;
    dcsCableLossDb_ = dcsLossDb;
    UpdateRadio();
}

// Points at the upper end of the GSM bands and the lower end of DCS 1800: flat within each band.
void Virtual4400::SetCouplingTable(const QByteArray& name, double gsmLossDb, double dcsLossDb) {
    QMutexLocker lock(&Mutex());
    couplingTables_.insert(name, {{960.0, gsmLossDb}, {1710.0, dcsLossDb}});
    UpdateRadio();
}

void Virtual4400::SetReadyAfterPolls(int polls) {
    QMutexLocker lock(&Mutex());
    readyAfterPolls_ = polls;
}

int Virtual4400::Reset(const ScpiUnit&, QByteArray*) {
    state_ = Virtual4400State{};
    UpdateRadio();
    return 0;
}
