// The program's start on the embedded catalogue with a private settings
// store, English unless a test asks otherwise; shared by the start-up, the
// Settings page and the Analysis page tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/resources.h"
#include "platform/settings_store.h"
#include "tests/platform/private_registry.h"
#include "workflow/selection_list.h"
#include "workflow/start_up.h"

namespace brumalis::testing {

class ShippedWorkflow : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("BRUMALIS_LANGUAGE", "en", 1);
        registry = std::make_unique<TPrivateRegistry>();
    }
    void TearDown() override {
        start.reset();
        for (const auto& [name, bytes] : replacedBlobs) platform::RegisterBlob(name, bytes);
        registry.reset();
        unsetenv("BRUMALIS_LANGUAGE");
    }
    // Runs the standard start; the test fails when it does not succeed.
    TMainSession& Started() {
        start = std::make_unique<TProgramStart>();
        const TStartUpResult result = start->Run();
        EXPECT_TRUE(result.Ok) << result.FailedStep << ": " << result.Message;
        return start->Session();
    }
    // Replaces an embedded blob until the end of the test.
    void ReplaceBlob(const std::string& szName, std::string_view bytes) {
        replacedBlobs.emplace_back(szName, *platform::FindBlob(szName));
        platform::RegisterBlob(szName, bytes);
    }
    static Cls_ChOutdoorUnit* Unit(const TMainSession& session, const std::string& szDisplayName) {
        for (Cls_ChOutdoorUnit* pUnit : session.v_PrefChillers) {
            if (DisplayName(*pUnit) == szDisplayName) return pUnit;
        }
        ADD_FAILURE() << "no unit " << szDisplayName;
        return nullptr;
    }

    // The unit computed at 7/5 °C and 35 °C (heat pumps also 45/5 °C at
    // 7 °C) under its own sequence number, as a selection run leaves it.
    static Cls_ChOutdoorUnit* Computed(TMainSession& session, const std::string& szName, std::int32_t nSeqNr,
                                       double dReqCool, double dReqHeat) {
        Cls_ChOutdoorUnit* pUnit = Unit(session, szName);
        if (!pUnit) return nullptr;
        TSelTempData t;
        t.SelectCooling = dReqHeat == 0.0;
        t.CoolLeavingE = 7.0;
        t.CoolDeltaTE = 5.0;
        t.CoolLeavingC = 35.0;
        t.CoolDeltaTC = 5.0;
        t.Summer = 35.0;
        t.HeatLeavingC = 45.0;
        t.HeatDeltaTC = 5.0;
        t.HeatLeavingE = 45.0;
        t.HeatDeltaTE = 5.0;
        t.Winter = 7.0;
        pUnit->IsCandidateChiller(nSeqNr, false, t, session.v_Controllers, nullptr, 0.0, TSoundArray{1.0, 5.0, 10.0},
                                  nullptr, nullptr, nullptr, nullptr, dReqCool, 0.0, kUnboundedCapacity, dReqHeat, 0.0,
                                  kUnboundedCapacity);
        return pUnit;
    }

    std::unique_ptr<TPrivateRegistry> registry;
    std::unique_ptr<TProgramStart> start;
    std::vector<std::pair<std::string, std::string_view>> replacedBlobs;
};

}  // namespace brumalis::testing
