#pragma once

#include "FakeRadio.h"
#include "Virtual8960.h"

#include <QList>
#include <gtest/gtest.h>

class Virtual8960Test : public testing::Test {
protected:
    // The reply to line, or "(none)".
    QByteArray Send(const QByteArray& line) { return instrument.Receive(line).value_or("(none)"); }
    // Every queued error, oldest first, until the queue reads empty.
    QList<QByteArray> Errors() {
        QList<QByteArray> errors;
        for (QByteArray error = Send("SYST:ERR?"); !error.startsWith("0,");
             error = Send("SYST:ERR?"))
            errors.append(error);
        return errors;
    }

    FakeRadio radio;
    Virtual8960 instrument{radio};
};
