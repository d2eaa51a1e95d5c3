// A test that translates the numbered messages and captions through a small
// table of its own; everything else stays English.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "dialogs/messages.h"

namespace brumalis::test {

class TableTranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("BRUMALIS_LANGUAGE");
        previous = dialogs::TBaseMsg::SetTranslateFunc([this](const std::string& sz) {
            const auto it = table.find(sz);
            return it == table.end() ? sz : it->second;
        });
    }
    void TearDown() override { dialogs::TBaseMsg::SetTranslateFunc(previous); }

    std::map<std::string, std::string> table;
    dialogs::TTranslateFunc previous;
};

}  // namespace brumalis::test
