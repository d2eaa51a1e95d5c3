// What the online tests share: a private folder, a registry in memory whose
// machine hive points the web-service servers at the test web service, and
// transfer limits small enough for quick failures.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "online/http_transfer.h"
#include "platform/settings_store.h"
#include "test_web_service.h"

namespace brumalis::online::testing {

// A folder of its own below $TMPDIR or /tmp, removed with what it holds.
class CTScratchFolder {
public:
    CTScratchFolder();
    ~CTScratchFolder();
    CTScratchFolder(const CTScratchFolder&) = delete;
    CTScratchFolder& operator=(const CTScratchFolder&) = delete;

    const std::string& Path() const { return v_path; }
    std::string operator/(const std::string& szName) const { return v_path + '/' + szName; }

private:
    std::string v_path;
};

std::string ReadFile(const std::string& szPath);
void WriteFile(const std::string& szPath, const std::string& bytes);
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

    CTScratchFolder m_scratch;

private:
    std::shared_ptr<platform::CTMemorySettingsStore> m_pUser;
    std::shared_ptr<platform::CTMemorySettingsStore> m_pMachine;
    std::unique_ptr<platform::CTRegistry> m_pRegistry;
    std::unique_ptr<platform::CTRegistrySubstitute> m_pSubstitute;
    THttpLimits m_previousLimits;
};

}  // namespace brumalis::online::testing
