#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/user_dialog.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis {
namespace {

// Records the errors the rules show; the rules never ask questions.
class CTScriptedDialog : public CTUserDialog {
public:
    struct TShown {
        int nMsgNr;
        std::vector<std::string> params;
    };

    CTScriptedDialog() : v_pPrevious(SetUserDialog(this)) {}
    ~CTScriptedDialog() override { SetUserDialog(v_pPrevious); }
    CTScriptedDialog(const CTScriptedDialog&) = delete;
    CTScriptedDialog& operator=(const CTScriptedDialog&) = delete;

    void ShowError(int nMsgNr, const std::vector<std::string>& params) override { shown.push_back({nMsgNr, params}); }
    bool AskYesNo(int nMsgNr, const std::vector<std::string>&) override {
        ADD_FAILURE() << "unexpected question " << nMsgNr;
        return false;
    }

    std::vector<TShown> shown;

private:
    CTUserDialog* v_pPrevious;
};

class Options : public testing::CatalogueFixture {
protected:
    std::unique_ptr<Cls_ChOption> StoredOption(const std::string& szName, std::int32_t nType = 0) {
        auto pOption = New<Cls_ChOption>();
        pOption->SetName(szName);
        pOption->SetType(nType);
        return Inserted(std::move(pOption));
    }
    // A combination of the option, not stored: the flags are run-time state.
    std::unique_ptr<Cls_ChOptAllowed> Comb(const Cls_ChOption& option, bool bSelected, bool bStandard = false) {
        auto pComb = New<Cls_ChOptAllowed>();
        pComb->SetDeviceOption(&option);
        pComb->Selected = bSelected;
        pComb->SetIsStandard(bStandard);
        return pComb;
    }
    void AddCharacter(const Cls_ChOptionCode& code, std::int32_t nPattern, const std::string& szChar) {
        auto pRow = New<Cls_ChOptionCodeCombination>();
        pRow->SetCombination(nPattern);
        pRow->SetCharCode(szChar);
        pRow->SetChOptionCode(&code);
        Inserted(std::move(pRow));
    }
    void Exclude(const Cls_ChOption& first, const Cls_ChOption& second) {
        auto pPair = New<Cls_ChOptExcludes>();
        pPair->SetChOption(&first);
        pPair->SetChOption2(&second);
        Inserted(std::move(pPair));
    }
    static std::vector<int> Numbers(const CTScriptedDialog& dialog) {
        std::vector<int> numbers;
        for (const auto& shown : dialog.shown) numbers.push_back(shown.nMsgNr);
        return numbers;
    }
};

// A position with the slots (A, empty, B), and characters for the patterns
// 0, 2 and 3; pattern 1 (B alone) has none.
class OptionCodes : public Options {
protected:
    void SetUp() override {
        Options::SetUp();
        pA = StoredOption("A");
        pB = StoredOption("B");
        pTank = StoredOption("T", 7);
        auto pPosition = New<Cls_ChOptionCode>();
        pPosition->SetDigitCode(3);
        pPosition->SetOpt1Ref(pA->GetID());
        pPosition->SetOpt2Ref(0);
        pPosition->SetOpt3Ref(pB->GetID());
        pPosition->SetOpt4Ref(-5);
        pCode = Inserted(std::move(pPosition));
        AddCharacter(*pCode, 0, "0");
        AddCharacter(*pCode, 2, "A");
        AddCharacter(*pCode, 3, "C");
    }
    void TearDown() override {
        // Records go before the factory whose tables describe them.
        pA.reset();
        pB.reset();
        pTank.reset();
        pCode.reset();
        Options::TearDown();
    }
    CTRecordList<Cls_ChOptAllowed> Combs(bool bA, bool bB, bool bStandardA = false) {
        CTRecordList<Cls_ChOptAllowed> list;
        list.push_back(Comb(*pA, bA, bStandardA));
        list.push_back(Comb(*pB, bB));
        return list;
    }

    std::unique_ptr<Cls_ChOption> pA, pB, pTank;
    std::unique_ptr<Cls_ChOptionCode> pCode;
};

TEST_F(OptionCodes, EachFilledSlotIsOneBitTheFirstSlotTheHighest) {
    EXPECT_EQ(pCode->GetOptionDigitCode(Combs(true, false)), "A");  // v = 2: the empty slot adds no bit
    EXPECT_EQ(pCode->GetOptionDigitCode(Combs(true, true)), "C");
    EXPECT_EQ(pCode->GetOptionDigitCode(Combs(false, false)), "0");
    EXPECT_EQ(pCode->GetOptionDigitCode(Combs(false, true)), "?");

    // Preferred and calculated count as selected; an absent combination as not.
    auto preferred = Combs(false, false);
    preferred[0]->SetIsPreferred(true);
    EXPECT_EQ(pCode->GetOptionDigitCode(preferred), "A");
    auto calculated = Combs(false, true);
    calculated[0]->Calculated = true;
    EXPECT_EQ(pCode->GetOptionDigitCode(calculated), "C");
    CTRecordList<Cls_ChOptAllowed> onlyA;
    onlyA.push_back(Comb(*pA, true));
    EXPECT_EQ(pCode->GetOptionDigitCode(onlyA), "A");
}

TEST_F(OptionCodes, AStandardOptionCountsAsZeroThoughItCountsAsSelected) {
    const auto list = Combs(false, false, true);
    EXPECT_TRUE(list[0]->GetSelected());
    EXPECT_EQ(pCode->GetOptionDigitCode(list), "0");
    EXPECT_EQ(pCode->GetOptionDigitCode(Combs(true, true, true)), "?");  // pattern 1
}

TEST_F(OptionCodes, ThePositionKeepsTheCharactersItLoaded) {
    EXPECT_EQ(pCode->GetCharCode(1), "?");
    AddCharacter(*pCode, 1, "B");
    EXPECT_EQ(pCode->GetCharCode(1), "?");
    EXPECT_EQ(Cls_ChOptionCode(pCode->GetID()).GetCharCode(1), "B");
}

TEST_F(OptionCodes, APatternWithoutCharacterIsReportedAsAConflict) {
    CTRecordList<Cls_ChOption> options;
    options.push_back(std::make_unique<Cls_ChOption>(pA->GetID()));
    options.push_back(std::make_unique<Cls_ChOption>(pB->GetID()));
    CTScriptedDialog dialog;

    EXPECT_FALSE(pCode->CheckOptionCode(*pA, Combs(true, false), options));
    EXPECT_TRUE(dialog.shown.empty());

    EXPECT_TRUE(pCode->CheckOptionCode(*pB, Combs(false, true), options));
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].nMsgNr, 210);
    EXPECT_EQ(dialog.shown[0].params, (std::vector<std::string>{"B", "A"}));

    // The position's other options, in slot order, joined.
    auto pC = StoredOption("C");
    options.push_back(std::make_unique<Cls_ChOption>(pC->GetID()));
    pCode->SetOpt10Ref(pC->GetID());
    auto withC = Combs(true, false);
    withC.push_back(Comb(*pC, true));  // v = 5
    EXPECT_TRUE(pCode->CheckOptionCode(*pC, withC, options));
    EXPECT_EQ(dialog.shown.back().params, (std::vector<std::string>{"C", "A, B"}));

    // A tank needs a pump first.
    pCode->SetOpt10Ref(0);
    pCode->SetOpt3Ref(pTank->GetID());
    CTRecordList<Cls_ChOptAllowed> tankOnly;
    tankOnly.push_back(Comb(*pTank, true));
    EXPECT_TRUE(pCode->CheckOptionCode(*pTank, tankOnly, options));
    EXPECT_EQ(Numbers(dialog), (std::vector<int>{210, 210, 209}));
    EXPECT_EQ(dialog.shown.back().params, (std::vector<std::string>{"T"}));
}

TEST_F(Options, AnExclusionBlocksBothDirections) {
    auto pA = StoredOption("PUMP");
    auto pB = StoredOption("TANK");
    auto pC = StoredOption("KIT");
    Exclude(*pA, *pB);
    CTRecordList<Cls_ChOption> options;
    for (const auto* pOption : {pA.get(), pB.get(), pC.get()}) {
        options.push_back(std::make_unique<Cls_ChOption>(pOption->GetID()));
    }
    const CTRecordList<Cls_ChOptExcludes> pairs = pA->GetAllChOptExcludes();
    CTScriptedDialog dialog;

    CTRecordList<Cls_ChOptAllowed> withA;
    withA.push_back(Comb(*pA, true));
    withA.push_back(Comb(*pC, true));
    EXPECT_FALSE(pB->IsCompatibleComb(withA, pairs, options));
    EXPECT_TRUE(pC->IsCompatibleComb(withA, pairs, options));

    CTRecordList<Cls_ChOptAllowed> withB;
    withB.push_back(Comb(*pB, false, true));  // standard counts as selected
    EXPECT_FALSE(pA->IsCompatibleComb(withB, pairs, options));

    withB[0]->SetIsStandard(false);
    EXPECT_TRUE(pA->IsCompatibleComb(withB, pairs, options));

    ASSERT_EQ(dialog.shown.size(), 2u);
    EXPECT_EQ(dialog.shown[0].nMsgNr, 221);
    EXPECT_EQ(dialog.shown[0].params, (std::vector<std::string>{"TANK", "PUMP"}));
    EXPECT_EQ(dialog.shown[1].params, (std::vector<std::string>{"PUMP", "TANK"}));
}

TEST_F(Options, AnExclusionWithAReplacedTypeDoesNotCount) {
    constexpr std::int32_t kPump = 4;
    auto pP1 = StoredOption("P1", kPump);
    auto pP2 = StoredOption("P2", kPump);
    auto pTank = StoredOption("TANK", 7);
    Exclude(*pP1, *pP2);
    Exclude(*pTank, *pP2);
    CTRecordList<Cls_ChOption> options;
    for (const auto* pOption : {pP1.get(), pP2.get(), pTank.get()}) {
        options.push_back(std::make_unique<Cls_ChOption>(pOption->GetID()));
    }
    const CTRecordList<Cls_ChOptExcludes> pairs = pP2->GetAllChOptExcludes2();
    CTScriptedDialog dialog;

    CTRecordList<Cls_ChOptAllowed> withP1;
    withP1.push_back(Comb(*pP1, true));
    EXPECT_FALSE(pP2->IsCompatibleComb(withP1, pairs, options));
    EXPECT_TRUE(pP2->IsCompatibleComb(withP1, pairs, options, kPump)) << "the new pump replaces the first";

    withP1.push_back(Comb(*pTank, true));
    EXPECT_FALSE(pP2->IsCompatibleComb(withP1, pairs, options, kPump)) << "an option of another type still excludes";
    ASSERT_EQ(dialog.shown.size(), 2u);
    EXPECT_EQ(dialog.shown[1].params, (std::vector<std::string>{"P2", "TANK"}));
}

TEST_F(Options, NamesCombineNameAndDescription) {
    auto pOption = New<Cls_ChOption>();
    pOption->SetName("LN");
    pOption->SetDescription("Low noise");
    EXPECT_EQ(pOption->GetDescriptiveName(), "LN - Low noise");
    EXPECT_EQ(pOption->GetQualifiedName(), "LN (Low noise)");
    pOption->SetName("");
    EXPECT_EQ(pOption->GetDescriptiveName(), "Low noise");
    pOption->SetName("LN");
    pOption->SetDescription("");
    EXPECT_EQ(pOption->GetDescriptiveName(), "LN");
}

TEST_F(Options, RemovingAnOptionTakesItsExclusionsAndCombinationsWithTheirData) {
    auto pUnit = Inserted(New<Cls_ChOutdoorUnit>());
    auto pGone = StoredOption("HR", 6);
    auto pKept = StoredOption("PUMP", 4);
    Exclude(*pKept, *pGone);
    Exclude(*pGone, *pKept);
    auto attach = [&](const Cls_ChOption& option) {
        auto pComb = Comb(option, false);
        pComb->SetDevice(pUnit.get());
        pComb = Inserted(std::move(pComb));
        auto pPump = New<Cls_ChPumpData>();
        pPump->SetChOptAllowed(pComb.get());
        Inserted(std::move(pPump));
        auto pLowNoise = New<Cls_ChLowNoise>();
        pLowNoise->SetChOptAllowed(pComb.get());
        Inserted(std::move(pLowNoise));
        auto pCurve = New<Cls_ChOptionPD>();
        pCurve->SetChOptAllowed(pComb.get());
        Inserted(std::move(pCurve));
        for (int i = 0; i < 2; ++i) {
            auto pRow = New<Cls_ChOptionHR>();
            pRow->SetChOptAllowed(pComb.get());
            Inserted(std::move(pRow));
        }
    };
    attach(*pGone);
    attach(*pKept);

    pGone->Remove();

    auto count = [&](std::int32_t nClsID) { return CTDbObject::CountAllRecords(nClsID, false); };
    EXPECT_EQ(count(Cls_ChOption::kClassID), 1);
    EXPECT_EQ(count(Cls_ChOptExcludes::kClassID), 0);
    EXPECT_EQ(count(Cls_ChOptAllowed::kClassID), 1);
    EXPECT_EQ(count(Cls_ChPumpData::kClassID), 1);
    EXPECT_EQ(count(Cls_ChLowNoise::kClassID), 1);
    EXPECT_EQ(count(Cls_ChOptionPD::kClassID), 1);
    EXPECT_EQ(count(Cls_ChOptionHR::kClassID), 2);
    EXPECT_EQ(pKept->GetAllDevOptCombination().size(), 1u);
}

// ---- Power supplies

class PowerSupplies : public Options {
protected:
    std::unique_ptr<Cls_PowerSupply> StoredSupply(const std::string& szName, bool bDefault = false,
                                                  bool bDeleted = false) {
        auto pSupply = New<Cls_PowerSupply>();
        pSupply->SetName(szName);
        pSupply->SetDefault(bDefault);
        pSupply->SetDeleted(bDeleted);
        return Inserted(std::move(pSupply));
    }
    std::unique_ptr<Cls_ChPSAllowed> Allowed(const Cls_ChOutdoorUnit& unit, const Cls_PowerSupply& supply,
                                             double nStartingCurrent = 0.0) {
        auto pRow = New<Cls_ChPSAllowed>();
        pRow->SetDevice(&unit);
        pRow->SetPowerSupply(&supply);
        pRow->SetStartingCurrent(nStartingCurrent);
        return Inserted(std::move(pRow));
    }
    static std::vector<std::string> Names(const std::vector<Cls_PowerSupply*>& supplies) {
        std::vector<std::string> names;
        for (const Cls_PowerSupply* pSupply : supplies) names.push_back(pSupply->GetName());
        return names;
    }
};

TEST_F(PowerSupplies, AUnitIsOfferedItsAllowedSuppliesThatAreNotDeleted) {
    auto pUnit = Inserted(New<Cls_ChOutdoorUnit>());
    auto pOther = Inserted(New<Cls_ChOutdoorUnit>());
    CTRecordList<Cls_PowerSupply> supplies;
    supplies.push_back(StoredSupply("400V-3-50"));
    supplies.push_back(StoredSupply("230V-1-50", false, true));
    supplies.push_back(StoredSupply("460V-3-60"));
    auto pUnlisted = StoredSupply("380V-3-60");

    CTRecordList<Cls_ChPSAllowed> rows;
    rows.push_back(Allowed(*pUnit, *supplies[2]));
    rows.push_back(Allowed(*pOther, *supplies[0]));
    rows.push_back(Allowed(*pUnit, *supplies[1]));
    rows.push_back(Allowed(*pUnit, *pUnlisted));  // not in the list it is given
    rows.push_back(Allowed(*pUnit, *supplies[0]));

    pUnit->LoadAllPowerSupplies(rows, supplies);
    EXPECT_EQ(Names(pUnit->GetPowerSupplies()), (std::vector<std::string>{"460V-3-60", "400V-3-50"}));
    EXPECT_EQ(pUnit->GetPowerSupplies()[0], supplies[2].get());
    pOther->LoadAllPowerSupplies(rows, supplies);
    EXPECT_EQ(Names(pOther->GetPowerSupplies()), (std::vector<std::string>{"400V-3-50"}));
}

// The start loads all units in one pass: each must get what it gets alone,
// in the combinations' order, and lose what it held before.
TEST_F(PowerSupplies, AllUnitsAtOnceGetWhatEachGetsAlone) {
    auto pUnit = Inserted(New<Cls_ChOutdoorUnit>());
    auto pOther = Inserted(New<Cls_ChOutdoorUnit>());
    auto pBare = Inserted(New<Cls_ChOutdoorUnit>());
    auto pOutside = Inserted(New<Cls_ChOutdoorUnit>());  // not among the units loaded
    CTRecordList<Cls_PowerSupply> supplies;
    supplies.push_back(StoredSupply("400V-3-50"));
    supplies.push_back(StoredSupply("230V-1-50", false, true));
    supplies.push_back(StoredSupply("460V-3-60"));
    CTRecordList<Cls_ChPSAllowed> rows;
    rows.push_back(Allowed(*pOther, *supplies[2]));
    rows.push_back(Allowed(*pUnit, *supplies[2]));
    rows.push_back(Allowed(*pUnit, *supplies[1]));
    rows.push_back(Allowed(*pOutside, *supplies[0]));
    rows.push_back(Allowed(*pOther, *supplies[0]));
    rows.push_back(Allowed(*pUnit, *supplies[0]));

    std::vector<std::vector<std::string>> alone;
    for (auto* p : {pUnit.get(), pOther.get(), pBare.get()}) {
        p->LoadAllPowerSupplies(rows, supplies);
        alone.push_back(Names(p->GetPowerSupplies()));
    }
    CTRecordList<Cls_ChPSAllowed> earlier;
    earlier.push_back(Allowed(*pBare, *supplies[0]));
    pBare->LoadAllPowerSupplies(earlier, supplies);
    ASSERT_EQ(pBare->GetPowerSupplies().size(), 1u);
    Cls_ChOutdoorUnit::LoadAllPowerSupplies({pUnit.get(), pOther.get(), pBare.get()}, rows, supplies);
    EXPECT_EQ(Names(pUnit->GetPowerSupplies()), alone[0]);
    EXPECT_EQ(Names(pOther->GetPowerSupplies()), alone[1]);
    EXPECT_EQ(Names(pBare->GetPowerSupplies()), alone[2]);
    EXPECT_EQ(alone[0], (std::vector<std::string>{"460V-3-60", "400V-3-50"}));
    EXPECT_EQ(alone[1], (std::vector<std::string>{"460V-3-60", "400V-3-50"}));
    EXPECT_TRUE(alone[2].empty());
    EXPECT_TRUE(pOutside->GetPowerSupplies().empty());
}

TEST_F(PowerSupplies, TheStandardDataAreTheFirstAllowedRowOrElseTheDefaultSupply) {
    auto pUnit = Inserted(New<Cls_ChOutdoorUnit>());
    StoredSupply("230V-1-50");
    auto pDefault = StoredSupply("400V-3-50", true);
    StoredSupply("460V-3-60", true);

    std::unique_ptr<Cls_PowerSupply> pSupply;
    std::unique_ptr<Cls_DevPSAllowed> pData = New<Cls_DevPSAllowed>();
    pUnit->GetStandardPSData(pSupply, pData);
    EXPECT_EQ(pData, nullptr);
    ASSERT_NE(pSupply, nullptr);
    EXPECT_EQ(pSupply->GetID(), pDefault->GetID());

    auto pFirst = StoredSupply("380V-3-60");
    Allowed(*pUnit, *pFirst, 180.0);
    Allowed(*pUnit, *pDefault, 95.0);
    pUnit->GetStandardPSData(pSupply, pData);
    ASSERT_NE(pSupply, nullptr);
    EXPECT_EQ(pSupply->GetName(), "380V-3-60");
    auto* pElectrical = dynamic_cast<Cls_ChPSAllowed*>(pData.get());
    ASSERT_NE(pElectrical, nullptr);
    EXPECT_EQ(pElectrical->GetStartingCurrent(), 180.0);
    EXPECT_EQ(pElectrical->GetFuses(), "Factory Std");
}

TEST_F(PowerSupplies, TheDefaultSupplyIsKeptPerUser) {
    EXPECT_EQ(Cls_PowerSupply::GetRegDefault(), 0);
    Cls_PowerSupply::SetRegDefault(7);
    EXPECT_EQ(Cls_PowerSupply::GetRegDefault(), 7);
    EXPECT_EQ(platform::Registry().CurrentUser().ReadInteger("Software\\Orvane\\Brumalis\\Devices\\Default_Settings",
                                                             "POWERSUPPLY", 0),
              7);
}

}  // namespace
}  // namespace brumalis
