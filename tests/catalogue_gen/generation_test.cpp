// The generator reproduces the committed blobs from the description in the
// repository and the public data, when the data is at hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/catalogue-gen/blob_files.h"
#include "tools/catalogue-gen/unit_design.h"

namespace brumalis::catgen {
namespace {

std::string ReadFile(const std::string& szFile) {
    std::ifstream in(szFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Generation : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!std::filesystem::exists(std::string(BRUMALIS_PUBLIC_DATA) + "/energyplus_chillers/chillers.csv")) return;
        s_range = std::make_unique<TRangeDescription>(ReadRangeDescription(BRUMALIS_RANGE_DIR));
        s_data = std::make_unique<TPublicData>(ReadPublicData(BRUMALIS_PUBLIC_DATA));
        s_catalogue = std::make_unique<TGeneratedCatalogue>(GenerateCatalogue(*s_range, *s_data));
    }
    static void TearDownTestSuite() {
        s_catalogue.reset();
        s_data.reset();
        s_range.reset();
    }
    void SetUp() override {
        if (!s_catalogue) GTEST_SKIP() << "no public data at " << BRUMALIS_PUBLIC_DATA;
    }

    static std::unique_ptr<TRangeDescription> s_range;
    static std::unique_ptr<TPublicData> s_data;
    static std::unique_ptr<TGeneratedCatalogue> s_catalogue;
};

std::unique_ptr<TRangeDescription> Generation::s_range;
std::unique_ptr<TPublicData> Generation::s_data;
std::unique_ptr<TGeneratedCatalogue> Generation::s_catalogue;

TEST_F(Generation, FreshGenerationEqualsTheCommittedBlobs) {
    const std::string dir = BRUMALIS_CATALOGUE_DIR;
    EXPECT_TRUE(s_catalogue->database == ReadFile(dir + "/" + kDatabaseFile)) << "run the regenerate-catalogue target";
    EXPECT_TRUE(s_catalogue->reference == ReadFile(dir + "/" + kReferenceFile));
    EXPECT_TRUE(s_catalogue->pictures == ReadFile(dir + "/" + kPicturesFile));
    EXPECT_TRUE(s_catalogue->prices == ReadFile(BRUMALIS_EXAMPLE_PRICES));
}

TEST_F(Generation, SameInputGivesTheSameBytesAndTheFilesAreComplete) {
    const TGeneratedCatalogue again = GenerateCatalogue(*s_range, *s_data);
    EXPECT_TRUE(again.database == s_catalogue->database);
    EXPECT_TRUE(again.pictures == s_catalogue->pictures);
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "brumalis-catalogue-gen-test";
    std::filesystem::create_directories(dir);
    WriteBlobFiles(again, dir.string());
    EXPECT_TRUE(ReadFile((dir / kReferenceFile).string()) == again.reference);
    EXPECT_EQ(std::filesystem::file_size(dir / kDatabaseFile), again.database.size());
    std::filesystem::remove_all(dir);
}

TEST_F(Generation, EveryFittedRowMeetsItsTolerance) {
    const TNominalPoints nominal = TNominalPoints::FromLimits(*s_range);
    for (const TUnitPlan& plan : PlanUnits(*s_range)) {
        const TUnitDesign d = DesignUnit(plan, *s_range, *s_data, nominal);
        for (const TFittedTable* t : {&d.coolCap, &d.coolPI, &d.heatCap, &d.heatPI}) {
            ASSERT_LT(t->maxFitError, kMaxTableFitError) << plan.name;
        }
    }
}

}  // namespace
}  // namespace brumalis::catgen
