// What the RTF tests share: a fixture that writes documents untranslated
// with the process-wide writer settings restored, and the golden files.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "documents/rtf_output.h"
#include "tests/documents/rtf_checker.h"

namespace brumalis::test {

struct TPage {
    double nWidthCm = 21.0;
    double nHeightCm = 29.7;
    double nMarginCm = 2.0;
};

class RtfTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The document the body writes, finished, checked by the RTF checker.
    static std::string Write(const std::function<void(CTRTFOutput&)>& body,
                             const CTDecorationDefinition* pDecorations = nullptr, TPage page = {});
    static TRtfCheck Checked(const std::string& rtf);

private:
    bool v_word2000 = false;
};

// Compares with tests/documents/golden/<name>.rtf byte for byte; with
// BRUMALIS_UPDATE_GOLDENS=1 in the environment the file is written instead.
void ExpectGolden(const std::string& szName, const std::string& rtf);

// Everything between the first occurrence of szFrom and the next szTo.
std::string Between(const std::string& text, const std::string& szFrom, const std::string& szTo);

}  // namespace brumalis::test
