#include "tests/documents/rtf_test_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace brumalis::test {

void RtfTest::SetUp() {
    setenv("BRUMALIS_LANGUAGE", "en", 1);
    v_word2000 = CTRTFOutput::SetWord2000Compatible(false);
    CTRTFOutput::RestoreStandardColors();
}

void RtfTest::TearDown() {
    CTRTFOutput::SetWord2000Compatible(v_word2000);
    CTRTFOutput::RestoreStandardColors();
    unsetenv("BRUMALIS_LANGUAGE");
}

std::string RtfTest::Write(const std::function<void(CTRTFOutput&)>& body, const CTDecorationDefinition* pDecorations,
                           TPage page) {
    CTMemoryStream stream;
    {
        CTRTFOutput out(stream, "Brumalis", pDecorations, page.nWidthCm, page.nHeightCm, page.nMarginCm,
                        page.nMarginCm, page.nMarginCm, page.nMarginCm);
        body(out);
        EXPECT_TRUE(out.Finish()) << out.Error();
    }
    Checked(stream.Data());
    return stream.Data();
}

TRtfCheck RtfTest::Checked(const std::string& rtf) {
    TRtfCheck check = CheckRtf(rtf);
    EXPECT_TRUE(check.Ok()) << check.Report();
    return check;
}

void ExpectGolden(const std::string& szName, const std::string& rtf) {
    const std::string szPath = std::string(BRUMALIS_DOCUMENTS_GOLDEN_DIR) + "/" + szName + ".rtf";
    const char* szUpdate = std::getenv("BRUMALIS_UPDATE_GOLDENS");
    if (szUpdate && std::string(szUpdate) == "1") {
        std::ofstream(szPath, std::ios::binary) << rtf;
        return;
    }
    std::ifstream in(szPath, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden " << szPath << " (write it with BRUMALIS_UPDATE_GOLDENS=1)";
    std::ostringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(rtf, golden.str()) << "differs from " << szPath;
}

std::string Between(const std::string& text, const std::string& szFrom, const std::string& szTo) {
    const std::size_t nStart = text.find(szFrom);
    if (nStart == std::string::npos) return {};
    const std::size_t nEnd = text.find(szTo, nStart + szFrom.size());
    return text.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
}

}  // namespace brumalis::test
