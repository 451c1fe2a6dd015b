#pragma once

#include "tests/support/ScriptedServer.h"
#include "tests/support/ServerThread.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// A driver test against a scripted peer in a thread of its own, so that the test may block in a
// driver call while the peer answers; the driver reaches it at an instrument's fixed address
// through an alias, as on the simulated bench.
class ScriptedPeer : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Points resource at the peer.
    void Alias(const char* resource) const;
    // The lines the peer received since the last call (a driver call that ends with a reply has
    // had all its lines arrive); the commands leave out the error-queue and "*OPC?" traffic.
    Texts NewLines();
    Texts NewCommands();

    ServerThread thread;
    std::unique_ptr<ScriptedServer> server;

private:
    qsizetype seen_ = 0;
};
