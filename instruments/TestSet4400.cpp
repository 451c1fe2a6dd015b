// Opening, presetting, closing and recovering the Willtek 4400, and the lines it is sent.
#include "instruments/TestSet4400.h"

#include "drivers/wt4400/wt4400.h"

#include <QByteArray>

namespace {

ViStatus ErrorText(ViSession, ViStatus status, ViChar text[]) {
    return wt4400_errorMessage(status, text);
}

} // namespace

TestSetOpening TestSet4400::Open() {
    static constexpr SessionDriver kDriver{kResource, wt4400_init, wt4400_close, ErrorText,
                                           wt4400_identity};
    const TestSetOpening opening = OpenSession(kDriver);
    if (!opening.opened)
        return opening;
    const ViSession session = Session();
    const ViStatus modeStatus = wt4400_setMode(session, 1, 1, "", 1);
    wt4400_log(modeStatus, "WILLTEK ", "TESTER ", session);
    Step(modeStatus) && Step(wt4400_selectCallSystem(session, 1));
    return opening;
}

void TestSet4400::CloseSession() {
    wt4400_close(Session());
}

void TestSet4400::Preset() {
    Step(wt4400_reset(Session()));
}

// The Willtek has no device clear to go with its reset: its preset is the reset.
void TestSet4400::ClearAndReset() {
    Preset();
}

// Reading the text empties the instrument's error queue; nobody is shown it.
void TestSet4400::ClearAfterFailure(ViSession session, ViStatus status) {
    wt4400_reset(session);
    ViChar message[WT4400_MESSAGE_SIZE] = {};
    wt4400_errorMessage(status, message);
}

ViStatus TestSet4400::WriteLine(const char* line) {
    return wt4400_write(Session(), line);
}

ViStatus TestSet4400::WriteLine(const char* header, int value) {
    return WriteLine((QByteArray(header) + QByteArray::number(value)).constData());
}

ViStatus TestSet4400::WriteLine(const char* header, double value, int decimals) {
    QByteArray number = QByteArray::number(value, 'f', decimals);
    if (decimals == 0)
        number = number.rightJustified(9, ' '); // the width of "%9.0f"
    return WriteLine((QByteArray(header) + number).constData());
}

bool TestSet4400::UseCouplingTable() {
    return Step(wt4400_setCoupling(Session(), "viable.cpl", 1)) &&
           Step(WriteLine(":CONF:COUP:STAT ON"));
}

ViStatus TestSet4400::SendAnalyserFrequency() {
    return WriteLine("RFAN:FREQ ", UplinkFrequencyMHz(Context().tchChannel) * 1000000.0, 6);
}
