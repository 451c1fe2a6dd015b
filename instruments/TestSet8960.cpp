// Opening, presetting, closing and recovering the 8960.
#include "instruments/TestSet8960.h"

#include "drivers/age1960/age1960.h"
#include "instruments/InstrumentModels.h"

TestSetOpening TestSet8960::Open() {
    static constexpr SessionDriver kDriver{TestSetAddress(kTestSet8960), age1960_init,
                                           age1960_close, age1960_error_message, age1960_identity};
    const TestSetOpening opening = OpenSession(kDriver);
    if (opening.opened)
        Step(age1960_cellBand(Session(), 1, kBandEgsm));
    return opening;
}

void TestSet8960::CloseSession() {
    age1960_close(Session());
}

void TestSet8960::Preset() {
    Step(age1960_partialPreset(Session()));
}

void TestSet8960::ClearAndReset() {
    Step(age1960_dcl(Session())) && Step(age1960_reset(Session()));
}

// Reading the text empties the instrument's error queue; nobody is shown it.
void TestSet8960::ClearAfterFailure(ViSession session, ViStatus status) {
    age1960_dcl(session);
    ViChar message[AGE1960_MESSAGE_SIZE] = {};
    if (status == AGE1960_INSTR_ERROR_DETECTED) {
        ViInt32 code = 0;
        age1960_error_query(session, &code, message);
    } else {
        age1960_error_message(session, status, message);
    }
}
