#pragma once

#include "drivers/wt4400/wt4400.h"
#include "sim/scpi/ScpiServer.h"
#include "sim/wt4400/Virtual4400.h"
#include "tests/support/FakeRadio.h"
#include "tests/support/ScriptedPeer.h"

Texts Strings(const QList<QByteArray>& lines);

// The driver against the virtual 4400 in a thread of its own; GPIB0::1 to GPIB0::8 are aliases
// of its socket, as on the simulated bench. Waits take no time.
class Wt4400Bench : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // An open session at resource without ID query and reset, its received lines cleared.
    ViSession Open(const char* resource = "GPIB0::4");
    // The lines the instrument received since the last call, after a "*OPC?" round trip (left
    // out, with its error-queue check) has made sure the last write arrived.
    Texts Lines(ViSession session);

    FakeRadio radio;
    Virtual4400 instrument{radio};
    ServerThread thread;
    std::unique_ptr<ScpiServer> server;
};

// The driver against a scripted peer at GPIB0::5, for what the virtual 4400 does not model.
class Wt4400Scripted : public ScriptedPeer {
protected:
    void SetUp() override;
    void TearDown() override;
    ViSession Open();
};
