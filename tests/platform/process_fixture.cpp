#include "process_fixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace brumalis::platform::testing {

CTPrivateFolder::CTPrivateFolder() {
    std::string pattern = (fs::temp_directory_path() / "brumalis_reg_XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    v_path = pattern;  // mkdtemp makes it with mode 0700
}

CTPrivateFolder::~CTPrivateFolder() {
    std::error_code ignored;
    fs::remove_all(v_path, ignored);
}

CTScopedEnv::CTScopedEnv(std::string szName, std::optional<std::string> value) : v_name(std::move(szName)) {
    if (const char* previous = std::getenv(v_name.c_str())) v_previous = previous;
    if (value) {
        ::setenv(v_name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(v_name.c_str());
    }
}

CTScopedEnv::~CTScopedEnv() {
    if (v_previous) {
        ::setenv(v_name.c_str(), v_previous->c_str(), 1);
    } else {
        ::unsetenv(v_name.c_str());
    }
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const fs::path& path, std::string_view text) { std::ofstream(path, std::ios::binary) << text; }

void WriteScript(const fs::path& path, std::string_view body) {
    WriteFile(path, "#!/bin/sh\n" + std::string(body));
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
}

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

int ZombieChildren() {
    const std::string self = std::to_string(::getpid());
    int zombies = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc")) {
        const std::string stat = ReadFile(entry.path() / "stat");
        // "pid (name) state ppid …"; the name may hold blanks and parentheses.
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(stat.substr(close + 1));
        std::string state;
        std::string parent;
        rest >> state >> parent;
        if (parent == self && state == "Z") ++zombies;
    }
    return zombies;
}

}  // namespace brumalis::platform::testing
