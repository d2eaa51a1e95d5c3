#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/refrigerants.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis {
namespace {

constexpr const char* kSelectionSection = "Software\\Orvane\\Quillon Selection";

class Refrigerants : public testing::CatalogueFixture {
protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        for (const char* szName : {"R410A", "R134a", "R32", "R407C"}) {
            auto pRefrigerant = New<Cls_Refrigerant>();
            pRefrigerant->SetName(szName);
            Inserted(std::move(pRefrigerant));
        }
    }
    // The user's stored text, as read at start-up.
    static void StartWith(const std::string& szNotAllowed) {
        platform::Registry().CurrentUser().WriteString(kSelectionSection, "REFRIG_NA", szNotAllowed);
        LoadNotAllowedRefrigerants();
    }
    static std::vector<std::int32_t> IDs(const CTRecordList<Cls_Refrigerant>& list) {
        std::vector<std::int32_t> ids;
        for (const auto& pRefrigerant : list) ids.push_back(pRefrigerant->GetID());
        return ids;
    }
};

TEST(NotAllowedRefrigerantText, ReadsPositiveIntegersUpToTheFirstOtherToken) {
    using Ids = std::vector<std::int32_t>;
    EXPECT_EQ(ParseNotAllowedRefrigerants("4 x 2"), Ids{4});
    EXPECT_EQ(ParseNotAllowedRefrigerants("4 2 17"), (Ids{4, 2, 17}));
    EXPECT_EQ(ParseNotAllowedRefrigerants("  4   2 "), (Ids{4, 2}));
    EXPECT_EQ(ParseNotAllowedRefrigerants(""), Ids{});
    EXPECT_EQ(ParseNotAllowedRefrigerants("3 0 5"), Ids{3});
    EXPECT_EQ(ParseNotAllowedRefrigerants("3 -5 6"), Ids{3});
    EXPECT_EQ(ParseNotAllowedRefrigerants("3 +5"), Ids{3});
    EXPECT_EQ(ParseNotAllowedRefrigerants("3 5x 6"), Ids{3});
    EXPECT_EQ(ParseNotAllowedRefrigerants("2147483647 2147483648 1"), Ids{2147483647});
}

TEST_F(Refrigerants, OnlyTheNumbersBeforeAnUnreadableTokenAreExcluded) {
    StartWith("4 x 2");
    EXPECT_EQ(IDs(Cls_Refrigerant::GetAppliedRefrigerants()), (std::vector<std::int32_t>{1, 2, 3}));
}

TEST_F(Refrigerants, AllowedOnesAreTheAppliedOnesThatAreNotDeleted) {
    StartWith("1");
    Cls_Refrigerant withdrawn(3);
    withdrawn.SetDeleted(true);
    withdrawn.Update();
    EXPECT_EQ(IDs(Cls_Refrigerant::GetAppliedRefrigerants()), (std::vector<std::int32_t>{2, 3, 4}));
    EXPECT_EQ(IDs(Cls_Refrigerant::GetAllowedRefrigerants()), (std::vector<std::int32_t>{2, 4}));
}

TEST_F(Refrigerants, ChangingTheListTakesEffectAtOnceAndIsStored) {
    StartWith("");
    CTRecordList<Cls_Refrigerant> notAllowed;
    notAllowed.push_back(std::make_unique<Cls_Refrigerant>(4));
    notAllowed.push_back(std::make_unique<Cls_Refrigerant>(2));
    Cls_Refrigerant::SetNotAllowedRefrigerants(notAllowed);

    EXPECT_EQ(GetNotAllowedRefrigerantsText(), "4 2");
    EXPECT_EQ(platform::Registry().CurrentUser().ReadString(kSelectionSection, "REFRIG_NA", ""), "4 2");
    EXPECT_EQ(IDs(Cls_Refrigerant::GetAppliedRefrigerants()), (std::vector<std::int32_t>{1, 3}));

    Cls_Refrigerant::SetNotAllowedRefrigerants({});
    EXPECT_EQ(IDs(Cls_Refrigerant::GetAppliedRefrigerants()).size(), 4u);
}

TEST_F(Refrigerants, TheDefaultRefrigerantIsKeptPerUser) {
    EXPECT_EQ(Cls_Refrigerant::GetRegDefault(), 0);
    Cls_Refrigerant::SetRegDefault(3);
    EXPECT_EQ(Cls_Refrigerant::GetRegDefault(), 3);
    EXPECT_EQ(platform::Registry().CurrentUser().ReadInteger("Software\\Orvane\\Brumalis\\Devices\\Default_Settings",
                                                             "REFRIGERANT", 0),
              3);
}

}  // namespace
}  // namespace brumalis
