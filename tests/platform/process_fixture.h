// What the process, lock and registration tests share: private temporary
// folders, environment variables set for one test, file helpers, and waits
// that give up after a bounded time.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace brumalis::platform::testing {

namespace fs = std::filesystem;

// A fresh folder with mode 0700 below the system's temporary folder, removed
// with everything in it.
class CTPrivateFolder {
public:
    CTPrivateFolder();
    ~CTPrivateFolder();
    CTPrivateFolder(const CTPrivateFolder&) = delete;
    CTPrivateFolder& operator=(const CTPrivateFolder&) = delete;
    const fs::path& Path() const { return v_path; }
    std::string operator/(std::string_view szName) const { return (v_path / szName).string(); }

private:
    fs::path v_path;
};

// Sets (or, with nullopt, unsets) an environment variable until destroyed.
class CTScopedEnv {
public:
    CTScopedEnv(std::string szName, std::optional<std::string> value);
    ~CTScopedEnv();
    CTScopedEnv(const CTScopedEnv&) = delete;
    CTScopedEnv& operator=(const CTScopedEnv&) = delete;

private:
    std::string v_name;
    std::optional<std::string> v_previous;
};

std::string ReadFile(const fs::path& path);
void WriteFile(const fs::path& path, std::string_view text);
// Writes a shell script with mode 0755.
void WriteScript(const fs::path& path, std::string_view body);

// Polls the condition until it holds or the timeout passes; its last answer.
bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// The children of this process the kernel still keeps as zombies.
int ZombieChildren();

}  // namespace brumalis::platform::testing
