#include "online_fixture.h"

#include <sys/stat.h>

#include "online/zorbit_config.h"

namespace brumalis::online::testing {

bool FileExists(const std::string& szPath) {
    struct stat st {};
    return ::lstat(szPath.c_str(), &st) == 0;
}

void OnlineTest::SetUp() {
    ClearProxyVariables();
    m_pUser = std::make_shared<platform::CTMemorySettingsStore>();
    m_pMachine = std::make_shared<platform::CTMemorySettingsStore>();
    m_pRegistry = std::make_unique<platform::CTRegistry>(m_pUser, m_pMachine);
    m_pSubstitute = std::make_unique<platform::CTRegistrySubstitute>(*m_pRegistry);
    m_previousLimits = SetTransferLimits({std::chrono::milliseconds(2000), kStall});
}

void OnlineTest::TearDown() {
    SetTransferLimits(m_previousLimits);
    m_pSubstitute.reset();
}

void OnlineTest::UseService(const CTTestWebService& service) {
    for (const int n : {0, 1, 2, 10})
        m_pMachine->WriteString(CTZorbitConfig::kOverrideKey, "Server" + std::to_string(n), service.Endpoint());
}

}  // namespace brumalis::online::testing
