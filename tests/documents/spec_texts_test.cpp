// Specification texts: what the printer writes for each kind of node, the
// refusals of hostile files and the lookup of a solution's files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "documents/spec_texts.h"
#include "tests/documents/recording_doc_output.h"

namespace brumalis::testing {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

Calls Printed(const std::string& xml) {
    TSpecTextDocument doc;
    TRepSpecTexts::Load(xml, doc);
    EXPECT_TRUE(doc.Ok) << doc.Error;
    CTRecordingDocOutput out;
    TRepSpecTexts::PrintXMLDocument(doc.Document, out);
    return out.Calls();
}

std::string Refusal(const std::string& xml) {
    TSpecTextDocument doc;
    TRepSpecTexts::Load(xml, doc);
    EXPECT_FALSE(doc.Ok);
    return doc.Error;
}

TEST(SpecTexts, HeadingsParagraphsAndListItems) {
    EXPECT_EQ(Printed("<spec><h2>Title</h2><p>Line one</p><li>x</li></spec>"),
              (Calls{"H2 Title", "LN", "TEXT Line one", "LN", "TEXT - x", "LN"}));
    // A heading after text starts with an empty line; a line end becomes a blank; br,
    // comments and blank text go; names ignore case.
    EXPECT_EQ(Printed("<spec><P>  a\r\nb </P><!-- note --><br/>\n  <H1>T</H1><h3>U</h3></spec>"),
              (Calls{"TEXT a b", "LN", "LN", "H1 T", "LN", "H3 U", "LN"}));
    // A container's loose text prints, its text elements print once.
    EXPECT_EQ(Printed("<spec><div>lead<b>bold</b></div></spec>"), (Calls{"TEXT lead", "LN", "TEXT bold", "LN"}));
    EXPECT_EQ(Printed("<spec/>"), Calls{});
    EXPECT_EQ(Printed("<spec><p>&lt;5 &amp; &#x44b;</p></spec>"), (Calls{"TEXT <5 & \xD1\x8B", "LN"}));
}

TEST(SpecTexts, ADeclaredWindowsCodePageIsDecoded) {
    const std::string xml = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><spec><p>\xcf\xf0\xe8\xec\xe5\xf0</p></spec>";
    EXPECT_EQ(Printed(xml), (Calls{"TEXT \xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80", "LN"}));
    EXPECT_EQ(Printed("<?xml version='1.0' encoding='ISO-8859-1'?><spec><p>\xe9</p></spec>"),
              (Calls{"TEXT \xC3\xA9", "LN"}));
    EXPECT_NE(Refusal("<?xml version='1.0' encoding='koi8-r'?><spec/>").find("koi8-r"), std::string::npos);
}

TEST(SpecTexts, HostileFilesAreRefusedWithWhereAndWhy) {
    EXPECT_NE(Refusal("<spec><p>cut").find("offset"), std::string::npos);
    EXPECT_NE(Refusal("<spec><p>a</spec></p>").find("offset"), std::string::npos);
    EXPECT_NE(Refusal("<!DOCTYPE spec [<!ENTITY a \"aaaa\">]><spec>&a;</spec>").find("document type"),
              std::string::npos);
    std::string deep;
    for (int i = 0; i < 257; ++i) deep += "<d>";
    for (int i = 0; i < 257; ++i) deep += "</d>";
    EXPECT_NE(Refusal(deep).find("deeper"), std::string::npos);
    std::string fine;
    for (int i = 0; i < 256; ++i) fine += "<d>";
    for (int i = 0; i < 256; ++i) fine += "</d>";
    TSpecTextDocument doc;
    TRepSpecTexts::Load(fine, doc);
    EXPECT_TRUE(doc.Ok) << doc.Error;
    // A million levels are refused without recursion.
    std::string million;
    for (int i = 0; i < 1000000; ++i) million += "<d>";
    EXPECT_FALSE(Refusal(million).empty());
    EXPECT_NE(Refusal(std::string(TRepSpecTexts::kMaxBytes + 1, ' ')).find("16 MB"), std::string::npos);
    // An unknown entity is not expanded: it stays as written or the parse fails.
    TRepSpecTexts::Load("<spec><p>&ext;</p></spec>", doc);
    if (doc.Ok) {
        CTRecordingDocOutput out;
        TRepSpecTexts::PrintXMLDocument(doc.Document, out);
        EXPECT_EQ(out.Calls(), (Calls{"TEXT &ext;", "LN"}));
    }
}

class SpecTextFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("spt-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string Make(const std::string& szName) {
        std::ofstream(folder / szName) << "<s/>";
        return (folder / szName).string();
    }
    std::vector<std::string> Files(const std::vector<TSpecTextUnit>& units) {
        return TRepSpecTexts::SolutionFiles(folder.string(), units);
    }
    fs::path folder;
};

TEST_F(SpecTextFiles, TheSeriesFileFirstElseEveryModelOnceInOrder) {
    const std::string a = Make("ACQ 100.spt");
    const std::string b = Make("acq 200.spt");
    EXPECT_EQ(Files({{"ACQ/X", "ACQ 100"}, {"ACQ/X", "ACQ 200"}, {"ACQ/X", "ACQ 100"}, {"ACQ/X", "ACQ 300"}}),
              (std::vector<std::string>{a, b}));
    const std::string series = Make("ACQX.spt");
    EXPECT_EQ(Files({{"ACQ/X", "ACQ 100"}}), std::vector<std::string>{series});
    EXPECT_TRUE(TRepSpecTexts::SolutionFiles((folder / "missing").string(), {{"ACQ/X", "ACQ 100"}}).empty());

    TSpecTextDocument doc;
    TRepSpecTexts::LoadFile((folder / "none.spt").string(), doc);
    EXPECT_FALSE(doc.Ok);
    EXPECT_FALSE(doc.Error.empty());
    TRepSpecTexts::LoadFile(a, doc);
    EXPECT_TRUE(doc.Ok);
}

}  // namespace
}  // namespace brumalis::testing
