#pragma once

#include "drivers/supplies/supplies.h"
#include "tests/instruments/support/ScriptedServer.h"
#include "tests/instruments/support/ServerThread.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// The driver against a scripted supply at GPIB::5::INSTR (and GPIB::6::INSTR), as the station
// addresses it.
class SupplyPeer : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A session opened with identity query and reset, answering *IDN? with identity, its lines
    // checked; closed at the end of the test, after which no VISA object may be left.
    ViSession Open(SupplyModel model, const char* identity,
                   const char* resource = "GPIB::5::INSTR");
    // The lines received since the last call; a round trip of its own makes sure that a line
    // sent last has arrived, and that none was sent when none is listed.
    Texts Sent(ViSession session);

    ServerThread thread;
    std::unique_ptr<ScriptedServer> server;

private:
    std::vector<ViSession> opened_;
    qsizetype seen_ = 0;
};
