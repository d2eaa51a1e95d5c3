// What the print-parameter tests share: a private settings store in place
// of the user's, temporary files, and BMP pictures of any size.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/settings_store.h"
#include "tests/platform/private_registry.h"

namespace brumalis::test {

// A white 24-bit BMP, rows bottom-up.
inline std::string Bitmap(int nWidth, int nHeight) {
    const int nRow = (nWidth * 3 + 3) / 4 * 4;
    const auto nData = static_cast<std::uint32_t>(nRow * nHeight);
    std::string bytes = "BM";
    auto put = [&](std::uint32_t n, int nBytes) {
        for (int i = 0; i < nBytes; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    };
    for (std::uint32_t n : {54 + nData, 0u, 54u, 40u, static_cast<std::uint32_t>(nWidth), static_cast<std::uint32_t>(nHeight)}) {
        put(n, 4);
    }
    put(1, 2);
    put(24, 2);
    for (std::uint32_t n : {0u, nData, 2835u, 2835u, 0u, 0u}) put(n, 4);
    bytes.append(nData, '\xFF');
    return bytes;
}

// Runs untranslated on a settings store of its own; files made by File()
// are removed afterwards.
class PrivateSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("BRUMALIS_LANGUAGE", "en", 1);
        registry = std::make_unique<brumalis::testing::TPrivateRegistry>();
    }
    void TearDown() override {
        registry.reset();
        for (const std::string& szFile : files) std::remove(szFile.c_str());
        unsetenv("BRUMALIS_LANGUAGE");
    }
    std::string File(const std::string& szName, const std::string& bytes) {
        files.push_back(::testing::TempDir() + std::to_string(getpid()) + "_" + szName);
        std::ofstream(files.back(), std::ios::binary) << bytes;
        return files.back();
    }

    std::unique_ptr<brumalis::testing::TPrivateRegistry> registry;
    std::vector<std::string> files;
};

}  // namespace brumalis::test
