// SPDX-License-Identifier: MIT
#pragma once

// What the tests on a LAN of their own share: skipped without root, the LAN
// built by the test with its thread inside the PC namespace, and a search
// round run there as the window runs it.
#include "lan_harness.h"

#include "round_runner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class LanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!LanHarness::TestLan::IsRoot())
            GTEST_SKIP() << LanHarness::kNeedRoot;
    }

    // Every round and package of a test goes out from inside the PC namespace only.
    void BringUp(LanHarness::LanOptions options = {})
    {
        m_lan = std::make_unique<LanHarness::TestLan>(std::move(options));
        ASSERT_TRUE(m_lan->up()) << m_lan->error();
        ASSERT_TRUE(m_lan->enterPc()) << m_lan->error();
    }

    LanHarness::SimProcess* StartSim(int host, const std::vector<std::string>& args)
    {
        LanHarness::SimProcess* sim = m_lan->startSim(host, args);
        EXPECT_NE(sim, nullptr) << m_lan->error();
        return sim;
    }

    std::unique_ptr<LanHarness::TestLan> m_lan;
};

// A round run there as the window runs it, to its end.
using TestSupport::RoundSeen;
using TestSupport::RunRound;
