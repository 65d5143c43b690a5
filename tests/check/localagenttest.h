#pragma once
// A test with a snmpd of its own, started before each test of Base's; where snmpd is not
// installed the test is skipped with a message saying so.

#include <gtest/gtest.h>

#include <string>

#include "localagent.h"

template <class Base = ::testing::Test>
class LocalAgentTest : public Base {
  protected:
    void SetUp() override {
        Base::SetUp();
        if (LocalAgent::SnmpdProgram().empty())
            GTEST_SKIP() << "skipped: snmpd is not installed (Debian package snmpd); no live check";
        std::string error;
        ASSERT_TRUE(agent_.Start(error)) << error;
    }

    LocalAgent agent_;
};
