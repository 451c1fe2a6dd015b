#pragma once

#include "sim/scpi/ScpiInstrument.h"

#include <QByteArray>
#include <QList>
#include <gtest/gtest.h>

// A test that talks to a virtual instrument line by line, as its server would.
class VirtualInstrumentTest : public testing::Test {
protected:
    virtual ScpiInstrument& Instrument() = 0;

    // The reply to line, or "(none)".
    QByteArray Send(const QByteArray& line) {
        return Instrument().Receive(line).value_or("(none)");
    }
    // Every queued error, oldest first, until the queue reads empty.
    QList<QByteArray> Errors() {
        QList<QByteArray> errors;
        for (QByteArray error = Send("SYST:ERR?"); !error.startsWith("0,");
             error = Send("SYST:ERR?"))
            errors.append(error);
        return errors;
    }
};
