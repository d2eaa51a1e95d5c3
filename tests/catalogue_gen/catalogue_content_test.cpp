// What the shipped catalogue contains: version and limits, coverage of the
// range, reference data, options and pictures.
#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "objectstore/compressed_container.h"
#include "platform/resources.h"
#include "tests/catalogue_gen/shipped_catalogue.h"

namespace brumalis::testing {
namespace {

using CatalogueContent = ShippedCatalogue;

template <class T>
CTRecordList<T> All() {
    return RecordsAs<T>(CTDbObject::GetAllRecords(T::kClassID, false));
}

TEST_F(CatalogueContent, ReferenceStatesTheStructureVersionOfTheCatalogue) {
    EXPECT_EQ(ExpectedStructureVersion(), "8.7");
    EXPECT_TRUE(Cls_DdbVersionInfo::CheckVersion("8.7", s_factory.get(), false));
    EXPECT_FALSE(Cls_DdbVersionInfo::CheckVersion("8.6", s_factory.get(), false));
    EXPECT_FALSE(Cls_DdbVersionInfo::GetOrvaneVersion().empty());
}

TEST_F(CatalogueContent, LimitsRecordCarriesTheRatingPointsOfTheRange) {
    auto limits = RecordAs<Cls_ChLimits>(CTDbObject::GetUniqueRecord(Cls_ChLimits::kClassID, true));
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits->GetID(), 1);
    EXPECT_EQ(limits->GetECLW(), 7);
    EXPECT_EQ(limits->GetECEW(), 12);
    EXPECT_EQ(limits->GetCACLW(), 45);
    EXPECT_EQ(limits->GetCACEW(), 40);
    EXPECT_EQ(limits->GetCWCLW(), 35);
    EXPECT_EQ(limits->GetCWCEW(), 30);
    EXPECT_EQ(limits->GetSummer(), 35);
    EXPECT_EQ(limits->GetWinter(), 7);
    EXPECT_EQ(limits->GetCondensing(), 45);
    EXPECT_EQ(limits->GetMaxSolutions(), 4);
    EXPECT_DOUBLE_EQ(limits->GetMinCoolDeviation(), -0.25);
    EXPECT_DOUBLE_EQ(limits->GetMaxCoolDeviation(), 0.25);
    EXPECT_DOUBLE_EQ(limits->GetMinHeatDeviation(), -0.25);
    EXPECT_DOUBLE_EQ(limits->GetMaxHeatDeviation(), 0.25);
    EXPECT_DOUBLE_EQ(limits->GetStoredMinTemp(), 0.0);
}

TEST_F(CatalogueContent, RangeCoversSeriesFamiliesCondensersAndCapacities) {
    std::set<std::string> series, suffixes;
    std::set<std::int32_t> families, condensers;
    double smallest = 1e9, largest = 0.0;
    for (const auto& u : s_units) {
        series.insert(u->GetSeries());
        families.insert(u->GetFamily());
        condensers.insert(u->GetCondenserType());
        suffixes.insert(u->GetNameSuffix());
        const double q = u->GetFamily() == 8 ? u->GetHIndUpperLimit() : u->GetESEERCC100();
        if (u->GetFamily() != 8) smallest = std::min(smallest, q), largest = std::max(largest, q);
    }
    EXPECT_GE(series.size(), 40u);
    EXPECT_GE(s_units.size(), 800u);
    EXPECT_EQ(families, (std::set<std::int32_t>{1, 2, 4, 8, 16}));
    EXPECT_EQ(condensers, (std::set<std::int32_t>{0, 1, 2}));
    EXPECT_LE(smallest, 5.5);
    EXPECT_GE(largest, 1900.0);
    // Standard units have an empty suffix, never the field's default blank.
    EXPECT_TRUE(suffixes.count(""));
    EXPECT_FALSE(suffixes.count(" "));
    for (const std::string& s : suffixes) {
        if (s.empty()) continue;
        ASSERT_EQ(s.size(), 3u) << s;
        EXPECT_NE(std::string("SXP").find(s[1]), std::string::npos) << s;
        EXPECT_NE(std::string("SLRX").find(s[2]), std::string::npos) << s;
    }
}

TEST_F(CatalogueContent, RefrigerantsCompressorsAndPowerSuppliesAreUsed) {
    std::set<std::string> used, compressors;
    for (const auto& u : s_units) {
        used.insert(u->GetRefrigerant()->GetName());
        compressors.insert(u->GetChCompressor()->GetName());
    }
    EXPECT_EQ(used, (std::set<std::string>{"R410A", "R32", "R134a", "R513A", "R1234ze(E)", "R290", "R454B"}));
    EXPECT_TRUE(compressors.count("Scroll") && compressors.count("Screw"));
    const auto supplies = All<Cls_PowerSupply>();
    ASSERT_EQ(supplies.size(), 4u);
    EXPECT_EQ(std::count_if(supplies.begin(), supplies.end(), [](const auto& p) { return p->GetDefault(); }), 1);
    for (const auto& p : supplies) {
        const auto rows = p->GetAllDevPSAllowed();
        EXPECT_FALSE(rows.empty()) << p->GetName();
        if (p->GetDefault()) {
            EXPECT_EQ(p->GetName(), "400-3N-50");
        }
    }
    for (const auto& row : All<Cls_ChPSAllowed>()) {
        EXPECT_GT(row->GetMaxCurrentUnit(), 0.0);
        EXPECT_GT(row->GetStartingCurrent(), row->GetMaxCurrentCompr());
    }
}

TEST_F(CatalogueContent, EveryOptionTypeHasCombinationsAndItsAttachedData) {
    std::set<std::int32_t> types;
    bool bStandard = false, bPreferred = false;
    for (const auto& comb : All<Cls_ChOptAllowed>()) {
        auto option = RecordAs<Cls_ChOption>(comb->GetDeviceOption());
        ASSERT_TRUE(option);
        types.insert(option->GetType());
        bStandard |= comb->GetIsStandard();
        bPreferred |= comb->GetIsPreferred();
        if (option->GetType() == 6) {
            EXPECT_FALSE(comb->GetAllChOptionHR().empty());
            EXPECT_TRUE(comb->GetTheChOptionPD());
        }
        if (option->GetType() == 2) {
            EXPECT_TRUE(comb->GetTheChLowNoise());
        }
    }
    EXPECT_EQ(types, (std::set<std::int32_t>{0, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(bStandard);
    EXPECT_TRUE(bPreferred);
    EXPECT_FALSE(All<Cls_ChOptExcludes>().empty());
    EXPECT_FALSE(All<Cls_ChLowNoiseCapacity>().empty());
    EXPECT_FALSE(All<Cls_ChPumpData>().empty());
}

TEST_F(CatalogueContent, RecoveryRowsAreKeyedByEnteringWaterForSomeUnitsAndByLeavingWaterForOthers) {
    bool bByEWC = false, bByLWE = false;
    for (const auto& row : All<Cls_ChDeviceHR>()) (row->GetEWC() > 0.0 ? bByEWC : bByLWE) = true;
    EXPECT_TRUE(bByEWC);
    EXPECT_TRUE(bByLWE);
    for (const auto& row : All<Cls_ChOptionHR>()) {
        EXPECT_GT(row->GetHeatRecovered(), 0.0);
        EXPECT_GT(row->GetLWC(), row->GetEWC());
    }
}

TEST_F(CatalogueContent, ColdStepsNeedTheBrineOptionAndAPercentageOfEachBrine) {
    const auto brines = All<Cls_ChGlycol>();
    ASSERT_EQ(brines.size(), 2u);
    for (const auto& b : brines) {
        for (std::int32_t type = 1; type <= 11; ++type) EXPECT_TRUE(b->GetBrinePoly(type)) << type;
        // Glycol needs more flow and more pressure than water, and more glycol at colder water.
        EXPECT_GT(b->Evaluate(4, 30.0), 1.0);
        EXPECT_GT(b->Evaluate(5, 30.0), 1.0);
        EXPECT_LT(b->Evaluate(2, 30.0), 1.0);
        EXPECT_GT(b->Evaluate(1, -10.0), b->Evaluate(1, -2.0));
    }
    int nColdSteps = 0;
    for (const auto& step : All<Cls_ChLWEStep>()) {
        const auto percentages = step->GetAllChEvapGlycolPerc();
        if (step->GetLWE() < 5.0) {
            ++nColdSteps;
            ASSERT_TRUE(step->GetChOption());
            EXPECT_EQ(step->GetChOption()->GetName(), "BR");
            EXPECT_EQ(percentages.size(), brines.size());
            for (const auto& p : percentages) EXPECT_GT(p->GetPercentage(), 0.0);
        } else {
            EXPECT_FALSE(step->GetChOption());
            EXPECT_TRUE(percentages.empty());
        }
    }
    EXPECT_GT(nColdSteps, 0);
}

TEST_F(CatalogueContent, SomeSeriesUseOptionCodes) {
    EXPECT_EQ(All<Cls_ChOptionCode>().size(), 4u);
    const auto withCodes = std::count_if(s_units.begin(), s_units.end(), [](const auto& u) { return u->GetHasOptionCodes(); });
    EXPECT_GT(withCodes, 0);
    EXPECT_LT(static_cast<std::size_t>(withCodes), s_units.size());
}

TEST_F(CatalogueContent, EveryUnitHasDocumentationAndBothPicturesAsJpeg) {
    std::set<std::int32_t> pictures;
    for (const auto& u : s_units) {
        auto doc = RecordAs<Cls_ChOutDocumentation>(u->GetTheDeviceDocumentation());
        ASSERT_TRUE(doc) << u->GetName();
        EXPECT_GT(doc->GetWidth() * doc->GetDepth() * doc->GetHeight() * doc->GetWeight(), 0.0);
        EXPECT_GT(doc->GetSoundPower(), 50.0);
        std::int32_t cls = 0, photo = 0, drawing = 0;
        u->GetChVisualization_REF(cls, photo);
        u->GetChVisualization2_REF(cls, drawing);
        EXPECT_NE(photo, drawing);
        pictures.insert(photo), pictures.insert(drawing);
    }
    for (std::int32_t id : pictures) {
        Cls_ChVisualization pic(id);
        CTMemoryStream bytes;
        ASSERT_TRUE(pic.GetDrawing(bytes)) << id;
        const std::string& jpeg = bytes.Data();
        ASSERT_GT(jpeg.size(), 4u);
        EXPECT_EQ(static_cast<unsigned char>(jpeg[0]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(jpeg[1]), 0xD8);
        EXPECT_EQ(static_cast<unsigned char>(jpeg[jpeg.size() - 2]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(jpeg[jpeg.size() - 1]), 0xD9);
    }
}

TEST_F(CatalogueContent, ExpandedCatalogueIsBetweenFourAndTwelveMegabytes) {
    const auto blob = platform::FindBlob("DEVICE_DATABASE");
    ASSERT_TRUE(blob);
    CTByteViewStream raw(*blob);
    const auto payload = OpenContainerPayload(raw, TCompressionSettings{true, "QXZ"});
    const std::size_t size = ReadWholeStream(*payload).size();
    EXPECT_GE(size, 4u * 1024 * 1024);
    EXPECT_LE(size, 12u * 1024 * 1024);
}

}  // namespace
}  // namespace brumalis::testing
