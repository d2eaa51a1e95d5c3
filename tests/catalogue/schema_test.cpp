#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue_schema.h"
#include "catalogue/records.h"
#include "localisation/glossary.h"
#include "objectstore/db_engine.h"
#include "objectstore/edi_database.h"
#include "objectstore/streams.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis {
namespace {

std::vector<std::int32_t> ClassIDs(const CTSchema& schema) {
    std::vector<std::int32_t> ids;
    for (const CTTableInfo* pTable : schema.Tables()) ids.push_back(pTable->GetTableIndex());
    return ids;
}

const CTTableLink* LinkWithID(const CTSchema& schema, std::int32_t nAssociationID) {
    for (const auto& pLink : schema.AllLinkInfo()) {
        if (pLink->GetAssociationID() == nAssociationID) return pLink.get();
    }
    return nullptr;
}

class CatalogueSchema : public ::testing::Test {
protected:
    std::unique_ptr<CTFactory> factory = CreateCatalogueFactory();

    const CTTableInfo& Table(std::int32_t nClsID) const { return *factory->GetTableInfo(nClsID); }
};

TEST_F(CatalogueSchema, RegistersEveryTableAtItsClassIdWithItsDatabaseAndFlags) {
    const std::vector<std::int32_t> expected = {81,  82,  83,  84,  85,  86,  87,  88,  89,  92,  93,
                                                94,  96,  101, 121, 122, 128, 162, 163, 164, 165, 166,
                                                167, 168, 188, 190, 191, 221, 222, 223, 224, 225, 229,
                                                230, 232, 233, 234, 236, 243, 244, 245, 246, 313, 337};
    EXPECT_EQ(ClassIDs(*factory), expected);
    EXPECT_EQ(factory->GetTableInfo(338), nullptr);
    EXPECT_EQ(factory->GetTableInfo(90), nullptr);

    EXPECT_EQ(Table(94).GetTableName(), "Tbl_ChOutdoorUnit");
    EXPECT_EQ(Table(84).GetParent(), &Table(337));
    EXPECT_EQ(Table(94).GetParent(), &Table(168));
    EXPECT_EQ(Table(168).GetParent(), &Table(162));
    for (std::int32_t nAbstract : {121, 162, 163, 165, 166, 167, 168, 232}) {
        EXPECT_TRUE(Table(nAbstract).IsAbstract()) << nAbstract;
        EXPECT_EQ(Table(nAbstract).GetDbID(), -1) << nAbstract;
    }
    EXPECT_TRUE(Table(168).IsNameRequired());
    EXPECT_FALSE(Table(162).IsNameRequired());
    EXPECT_EQ(Table(234).GetDbID(), 1);
    EXPECT_EQ(Table(236).GetDbID(), 1);
    for (std::int32_t nProject : {243, 244, 245, 246}) EXPECT_EQ(Table(nProject).GetDbID(), 2);
    EXPECT_EQ(Table(313).GetDbID(), 3);
    EXPECT_EQ(Table(191).GetDbID(), 0);
    EXPECT_TRUE(Table(191).IsNameRequired());
}

TEST_F(CatalogueSchema, FieldsSitAtTheirIndicesWithTheDerivedIdName) {
    EXPECT_EQ(Table(84).GetFieldInfo(0)->GetName(), "GLY_ID");
    EXPECT_EQ(Table(337).GetFieldInfo(0)->GetName(), "Gly_ID");
    EXPECT_EQ(Table(225).GetFieldInfo(0)->GetName(), "LNC_ID");

    const CTTableInfo& unit = Table(94);
    ASSERT_EQ(unit.FieldCount(), 104);  // 8 of Device, 32 of OutdoorDevice, 64 own
    EXPECT_EQ(Table(162).FieldCount(), 8);
    EXPECT_EQ(Table(168).FieldCount(), 40);
    EXPECT_EQ(unit.GetFieldInfo(0)->GetName(), "OUT_ID");
    EXPECT_EQ(unit.GetFieldInfo(3)->GetName(), "Fld_Name");
    EXPECT_EQ(unit.GetNameIx(), 3);
    EXPECT_EQ(unit.GetFieldInfo(Cls_OutdoorDevice::fldCMaxOTemp)->GetName(), "Fld_CMaxOTemp");
    EXPECT_EQ(unit.GetFieldInfo(40)->GetName(), "OUT_ESEERLWE");
    EXPECT_EQ(unit.GetFieldInfo(Cls_ChOutdoorUnit::fldNameSuffix)->GetName(), "OUT_NameSuffix");
    EXPECT_EQ(unit.GetFieldInfo(103)->GetName(), "OUT_ChVisualization2_OBJ_REF");
    EXPECT_TRUE(unit.GetFieldInfo(2)->GetMultilingual());  // Fld_GroupName

    EXPECT_EQ(Table(245).FieldCount(), 63);
    EXPECT_EQ(Table(245).GetFieldInfo(61)->GetName(), "Fld_ChSolution_CLS_REF");
    EXPECT_EQ(Table(224).FieldCount(), 46);
    EXPECT_EQ(Table(93).FieldCount(), 20);
    EXPECT_EQ(Table(188).GetFieldInfo(Cls_ChCompressor::fldName)->GetMultilingual(), true);
}

TEST_F(CatalogueSchema, LimitTemperaturesAndCountsAreIntegersOnlyDeviationsAndStoredTemperaturesDoubles) {
    const std::set<std::string> doubles = {"Lim_MaxHeatDeviation", "Lim_MinCoolDeviation", "Lim_MinHeatDeviation",
                                           "Lim_MaxCoolDeviation", "Lim_StoredMinTemp", "Lim_StoredMaxTemp"};
    const CTTableInfo& limits = Table(190);
    ASSERT_EQ(limits.FieldCount(), 38);
    for (int i = 1; i < limits.FieldCount(); ++i) {
        const CTFieldInfo& field = *limits.GetFieldInfo(i);
        EXPECT_EQ(field.GetType(), doubles.count(field.GetName()) ? FieldType::Double : FieldType::Integer) << field.GetName();
    }
}

TEST_F(CatalogueSchema, LinksCarryAssociationTargetFieldAndFlags) {
    EXPECT_EQ(factory->AllLinkInfo().size(), 30U);
    for (const auto& pLink : factory->AllLinkInfo()) EXPECT_FALSE(pLink->Flags().bIsOrdered);

    const CTTableLink* pLowNoise = LinkWithID(*factory, 312);
    ASSERT_NE(pLowNoise, nullptr);
    EXPECT_EQ(pLowNoise->GetAssociationName(), "ChLowNoiseData");
    EXPECT_EQ(pLowNoise->GetFromTable(), &Table(87));
    EXPECT_EQ(pLowNoise->GetToTable(), &Table(224));
    EXPECT_EQ(pLowNoise->GetToFieldIx(), 44);
    EXPECT_TRUE(pLowNoise->Flags().bOneToOne);
    EXPECT_TRUE(pLowNoise->Flags().bRefIntegr);
    EXPECT_FALSE(pLowNoise->Flags().bCascDel);

    const CTTableLink* pRefrigerants = LinkWithID(*factory, 403);
    ASSERT_NE(pRefrigerants, nullptr);
    EXPECT_EQ(pRefrigerants->GetToTable(), &Table(168));
    EXPECT_EQ(pRefrigerants->GetToField(), Table(94).GetFieldInfo(38));

    const CTTableLink* pStepOption = LinkWithID(*factory, 7);
    ASSERT_NE(pStepOption, nullptr);
    EXPECT_EQ(pStepOption->GetAssociationName(), "ChAss5");
    EXPECT_FALSE(pStepOption->Flags().bRefIntegr);
    EXPECT_FALSE(pStepOption->Flags().bCascDel);

    const CTTableLink* pDrawing = LinkWithID(*factory, 423);
    ASSERT_NE(pDrawing, nullptr);
    EXPECT_EQ(pDrawing->GetFromTable(), &Table(313));
    EXPECT_EQ(pDrawing->GetToFieldIx(), 102);

    // A derived table answers for the links of its ancestors.
    const auto& unitRefs = Table(94).GetReferences();
    EXPECT_NE(std::find(unitRefs.begin(), unitRefs.end(), LinkWithID(*factory, 239)), unitRefs.end());
}

// The schema written by the command-line tool reads back as the registration.
TEST_F(CatalogueSchema, WrittenSchemaReadsBackAsTheRegistration) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "brumalis_schema_test.edi";
    const std::string command = std::string(BRUMALIS_EDI_TOOL) + " schema '" + file.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    CTEdiDatabase database;
    {
        CTMyFileStream in(file.string(), CTMyFileStream::Mode::OpenReadDenyWrite);
        database.Read(in);
    }
    std::filesystem::remove(file);
    const CTBaseFactory& fromFile = database.Factory();

    std::vector<std::int32_t> catalogueTables;
    for (const CTTableInfo* pTable : factory->Tables()) {
        if (pTable->GetDbID() == dbDeviceDatabase) catalogueTables.push_back(pTable->GetTableIndex());
    }
    ASSERT_EQ(ClassIDs(fromFile), catalogueTables);
    int nLinks = 0;
    for (const std::int32_t nClsID : catalogueTables) {
        const CTTableInfo& registered = Table(nClsID);
        const CTTableInfo& read = *fromFile.GetTableInfo(nClsID);
        EXPECT_EQ(read.GetTableName(), registered.GetTableName());
        EXPECT_EQ(read.GetParentID(), registered.GetParentID());
        ASSERT_EQ(read.FieldCount(), registered.FieldCount()) << registered.GetTableName();
        for (int i = 0; i < registered.FieldCount(); ++i) {
            const CTFieldInfo& want = *registered.GetFieldInfo(i);
            const CTFieldInfo& got = *read.GetFieldInfo(i);
            EXPECT_EQ(got.GetName(), want.GetName()) << registered.GetTableName() << " " << i;
            EXPECT_EQ(got.GetType(), want.GetType()) << want.GetName();
            EXPECT_TRUE(got.GetDefaultValue() == want.GetDefaultValue()) << want.GetName();
            EXPECT_EQ(got.GetMultilingual(), want.GetMultilingual()) << want.GetName();
            const CTTableLink* pWant = want.GetReferenceTo();
            const CTTableLink* pGot = got.GetReferenceTo();
            ASSERT_EQ(pGot != nullptr, pWant != nullptr) << want.GetName();
            if (!pWant) continue;
            ++nLinks;
            EXPECT_EQ(pGot->GetFromClsID(), pWant->GetFromClsID()) << want.GetName();
            EXPECT_EQ(pGot->Flags().bOneToOne, pWant->Flags().bOneToOne) << want.GetName();
            EXPECT_EQ(pGot->Flags().bRefIntegr, pWant->Flags().bRefIntegr) << want.GetName();
            EXPECT_EQ(pGot->Flags().bCascDel, pWant->Flags().bCascDel) << want.GetName();
        }
    }
    EXPECT_GT(nLinks, 25);

    const CTTableInfo& unit = *fromFile.GetTableInfo(94);
    EXPECT_EQ(unit.FieldCount(), 104);
    EXPECT_EQ(unit.GetFieldInfo(Cls_ChOutdoorUnit::fldComprStep)->GetUnicodeStringDftValue(), "1");
    EXPECT_EQ(unit.GetFieldInfo(Cls_ChOutdoorUnit::fldNameSuffix)->GetUnicodeStringDftValue(), " ");
    EXPECT_EQ(fromFile.GetTableInfo(83)->GetFieldInfo(Cls_ChFreezeUp::fldCorr)->GetDoubleDftValue(), 1.0);
    EXPECT_EQ(fromFile.GetTableInfo(87)->GetFieldInfo(Cls_DevOptCombination::fldNrRequired)->GetIntegerDftValue(), 1);
    EXPECT_EQ(fromFile.GetTableInfo(221)->GetFieldInfo(Cls_ChOptionCode::fldDigitCode)->GetIntegerDftValue(), -1);
    EXPECT_EQ(fromFile.GetTableInfo(96)->GetFieldInfo(Cls_DevPSAllowed::fldFuses)->GetUnicodeStringDftValue(),
              "Factory Std");
}

using CatalogueRecords = testing::CatalogueFixture;

TEST_F(CatalogueRecords, NewRecordsStartWithTheirDefaults) {
    EXPECT_EQ(New<Cls_ChFreezeUp>()->GetCorr(), 1.0);
    EXPECT_EQ(New<Cls_ChOptAllowed>()->GetNrRequired(), 1);
    EXPECT_EQ(New<Cls_ChOptionCode>()->GetDigitCode(), -1);
    EXPECT_EQ(New<Cls_ChPSAllowed>()->GetFuses(), "Factory Std");
    const auto pUnit = New<Cls_ChOutdoorUnit>();
    EXPECT_EQ(pUnit->GetComprStep(), "1");
    EXPECT_EQ(pUnit->GetComprQuantity(), 1);
    EXPECT_TRUE(pUnit->GetOutside());
    EXPECT_TRUE(pUnit->GetHasPressureDropData());
    EXPECT_EQ(pUnit->GetNameSuffix(), " ");
    EXPECT_EQ(pUnit->GetFamily(), 1);
    const auto pLimits = New<Cls_ChLimits>();
    EXPECT_EQ(pLimits->GetMinWinterTemp(), -10);
    EXPECT_EQ(pLimits->GetMaxCoolDeviation(), 0.2);
    const auto pSelected = New<Cls_ChSelChiller>();
    EXPECT_TRUE(pSelected->GetSelectCooling());
    EXPECT_EQ(pSelected->GetSoundDistance3(), 10.0);
    EXPECT_EQ(pSelected->GetHRCC(), -1.0);
    EXPECT_EQ(New<Cls_ChProject>()->GetDBVersion(), "1.0");
    EXPECT_EQ(New<Cls_PriceAndPrefsFile>()->GetDbVersion(), "1.0");
}

TEST_F(CatalogueRecords, CreateObjectAnswersNothingForAbstractAndUnregisteredClasses) {
    for (std::int32_t nClsID : {121, 162, 163, 165, 166, 167, 168, 232, 0, 90, 338, -1, 5000}) {
        EXPECT_EQ(factory->CreateObject(nClsID, 0), nullptr) << nClsID;
    }
    EXPECT_NE(dynamic_cast<Cls_ChOutdoorUnit*>(factory->CreateObject(94, 0).get()), nullptr);
    EXPECT_NE(dynamic_cast<Cls_ChGlycol*>(factory->CreateObject(84, 0).get()), nullptr);
    EXPECT_NE(dynamic_cast<Cls_ChVisualization*>(factory->CreateObject(313, 0).get()), nullptr);
}

TEST_F(CatalogueRecords, ReferencesAndReverseAccessorsFindTheLinkedRecords) {
    auto pRefrigerant = New<Cls_Refrigerant>();
    pRefrigerant->SetName("R32");
    pRefrigerant = Inserted(std::move(pRefrigerant));
    auto pCompressor = New<Cls_ChCompressor>();
    pCompressor->SetName("Scroll");
    pCompressor = Inserted(std::move(pCompressor));

    auto pUnit = New<Cls_ChOutdoorUnit>();
    pUnit->SetName("AX 350");
    pUnit->SetRefrigerant(pRefrigerant.get());
    pUnit->SetChCompressor(pCompressor.get());
    pUnit = Inserted(std::move(pUnit));
    for (double dTemp : {-5.0, 0.0}) {
        auto pRow = New<Cls_ChFreezeUp>();
        pRow->SetTemp(dTemp);
        pRow->SetChOutdoorUnit(pUnit.get());
        Inserted(std::move(pRow));
    }

    ASSERT_NE(pUnit->GetRefrigerant(), nullptr);
    EXPECT_EQ(pUnit->GetRefrigerant()->GetName(), "R32");
    EXPECT_EQ(pUnit->GetChController(), nullptr);  // zero pair
    std::int32_t nClsID = 0, nObjID = 0;
    pUnit->GetChCompressor_REF(nClsID, nObjID);
    EXPECT_EQ(nClsID, Cls_ChCompressor::kClassID);
    EXPECT_EQ(nObjID, pCompressor->GetID());

    ASSERT_EQ(pCompressor->GetAllChOutdoorUnit().size(), 1U);
    EXPECT_EQ(pCompressor->GetAllChOutdoorUnit().front()->GetName(), "AX 350");
    EXPECT_EQ(pRefrigerant->GetAllOutdoorDevice().size(), 1U);  // through the abstract parent
    EXPECT_EQ(pUnit->GetAllChFreezeUp().size(), 2U);
    EXPECT_EQ(pUnit->GetTheDeviceDocumentation(), nullptr);

    auto pDoc = New<Cls_ChOutDocumentation>();
    pDoc->SetDevice(pUnit.get());
    pDoc->SetSoundPower(84.0);
    Inserted(std::move(pDoc));
    const auto pFound = pUnit->GetTheDeviceDocumentation();
    ASSERT_NE(pFound, nullptr);
    EXPECT_EQ(pFound->GetWidth(), 0.0);
    EXPECT_NE(dynamic_cast<Cls_ChOutDocumentation*>(pFound.get()), nullptr);

    pUnit->DropChCompressor();
    EXPECT_EQ(pUnit->GetChCompressor(), nullptr);
    EXPECT_TRUE(New<Cls_ChOutdoorUnit>()->GetAllChFreezeUp().empty());  // not stored: nothing refers to it
}

// The report and the Chillers page show the capacity steps: a count as
// stored, the word of a unit without fixed steps in the catalogue's language.
TEST_F(CatalogueRecords, ShownCapacityStepsTranslateAWordButKeepACount) {
    const auto pStepless = New<Cls_ChOutdoorUnit>();
    pStepless->SetComprStep("stepless");
    pStepless->Insert();
    const auto pFour = New<Cls_ChOutdoorUnit>();
    pFour->SetComprStep("4");
    pFour->Insert();
    EXPECT_EQ(pStepless->GetShownComprStep(), "stepless");  // no glossary: as stored
    CTGlossary glossary;
    // "плавное" in code page 1251.
    ASSERT_TRUE(glossary.AddTermAndTranslation("stepless", "\xEF\xEB\xE0\xE2\xED\xEE\xE5", 204, false, false));
    CTDbEngine* pEngine = factory->Engine(dbDeviceDatabase);
    ASSERT_NE(pEngine, nullptr);
    pEngine->SetEngineGlossary(&glossary);
    EXPECT_EQ(pStepless->GetShownComprStep(), "плавное");
    EXPECT_EQ(pStepless->GetComprStep(), "stepless");  // the stored value stays
    EXPECT_EQ(pFour->GetShownComprStep(), "4");
    pEngine->SetEngineGlossary(nullptr);
}

}  // namespace
}  // namespace brumalis
