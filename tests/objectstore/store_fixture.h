// A small schema of controllers, their steps, options and pumps, served by
// memory engines, for the tests of records, engines and transactions.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "objectstore/base_factory.h"
#include "objectstore/mem_engine.h"
#include "objectstore/store_messages.h"

namespace brumalis::testing {

enum TestClass : std::int32_t {
    clsController = 81,
    clsStep = 86,
    clsOption = 90,
    clsAccessory = 91,  // derived from clsOption
    clsPump = 92,
};

// Field indices.
enum : int {
    ctlName = 1, ctlPower = 2, ctlBlob = 3,
    stpControllerRef = 1, stpOrder = 3, stpCap = 4,
    optName = 1, optCount = 2, optFlag = 3,
    accWeight = 4,
    pmpControllerRef = 1,
};

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Connects database 0 to a memory engine over szFile (empty: no file).
    void ConnectWithFile(const std::string& szFile);
    CTMemDbEngine& Engine() const;

    std::unique_ptr<CTDbObject> NewController(const std::string& szName, double dPower = 1.0);
    std::unique_ptr<CTDbObject> NewStep(const CTDbObject& controller, double dCap);

    std::unique_ptr<CTBaseFactory> factory;
    std::vector<std::pair<int, std::vector<std::string>>> messages;
    std::vector<std::pair<std::int32_t, std::int32_t>> removals;  // (class, ID) reported with code 23

private:
    CTMessageCallback v_previousCallback;
};

}  // namespace brumalis::testing
