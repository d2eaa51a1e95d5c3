#include "online_fixture.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include "online/zorbit_config.h"
#include "platform/temporary_names.h"

namespace brumalis::online::testing {
namespace {

int RemoveEntry(const char* szPath, const struct stat*, int, FTW*) {
    ::remove(szPath);
    return 0;
}

// Removes a folder tree the test made, deepest first, never following links.
void RemoveTree(const std::string& szPath) { ::nftw(szPath.c_str(), &RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }

}  // namespace

CTScratchFolder::CTScratchFolder() {
    std::string pattern = platform::TemporaryFolder() + "/brumalis-online-test-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder");
    v_path = name.data();
}

CTScratchFolder::~CTScratchFolder() { RemoveTree(v_path); }

std::string ReadFile(const std::string& szPath) {
    std::ifstream in(szPath, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const std::string& szPath, const std::string& bytes) {
    std::ofstream out(szPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

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
