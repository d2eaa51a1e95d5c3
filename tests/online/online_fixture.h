// What the online tests share: a private folder, a registry in memory whose
// machine hive points the web-service servers at the test web service, and
// transfer limits small enough for quick failures.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "online/http_transfer.h"
#include "../platform/process_fixture.h"
#include "platform/settings_store.h"
#include "test_web_service.h"

namespace brumalis::online::testing {

using platform::testing::CTPrivateFolder;
using platform::testing::CTScopedEnv;
using platform::testing::Eventually;
using platform::testing::ReadFile;
using platform::testing::WriteFile;

bool FileExists(const std::string& szPath);

class OnlineTest : public ::testing::Test {
protected:
    static constexpr std::chrono::milliseconds kStall{600};

    void SetUp() override;
    void TearDown() override;

    // Points servers 0, 1, 2 and 10 at the service.
    void UseService(const CTTestWebService& service);
    platform::CTSettingsStore& MachineHive() { return *m_pMachine; }
    platform::CTSettingsStore& UserHive() { return *m_pUser; }

    CTPrivateFolder m_scratch;

private:
    std::shared_ptr<platform::CTMemorySettingsStore> m_pUser;
    std::shared_ptr<platform::CTMemorySettingsStore> m_pMachine;
    std::unique_ptr<platform::CTRegistry> m_pRegistry;
    std::unique_ptr<platform::CTRegistrySubstitute> m_pSubstitute;
    THttpLimits m_previousLimits;
};

}  // namespace brumalis::online::testing
