#pragma once

#include "drivers/age1960/age1960.h"
#include "tests/instruments/support/ScriptedServer.h"
#include "tests/instruments/support/ServerThread.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// The driver against a scripted peer in a thread of its own, reached at the 8960's fixed
// address through an alias as on the simulated bench.
class Age1960Scripted : public testing::Test {
protected:
    static constexpr const char* kResource = "GPIB0::14::INSTR";
    static constexpr const char* kIdentity = "Agilent Technologies,8960 Series 10 E5515B,GB1,0";

    void SetUp() override;
    void TearDown() override;

    // A session opened without ID query and reset; its opening lines are taken as seen.
    ViSession Open();
    // The lines the peer received since the last call (every driver call ends with a reply, so
    // they have all arrived).
    Texts NewLines();
    // The same without the error-queue and "*OPC?" traffic.
    Texts NewCommands();

    ServerThread thread;
    std::unique_ptr<ScriptedServer> server;

private:
    qsizetype seen_ = 0;
    ViSession session_ = VI_NULL;
};
