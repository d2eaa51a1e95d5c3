#include <gtest/gtest.h>

#include "objectstore/schema.h"

namespace brumalis {
namespace {

// A parent with an ID and two fields; every table registered through this.
std::unique_ptr<CTTableInfo> MakeTable(std::int32_t nClsID, std::int32_t nParentID, const std::string& szModel,
                                       const std::vector<std::string>& ownFields, int nInherited = 0) {
    auto pTable = std::make_unique<CTTableInfo>(nClsID, 0, szModel, nParentID, false, false);
    pTable->AddFieldInfo(0, CTFieldInfo::CreateInteger(szModel.substr(0, 3) + "_ID", 0));
    int ix = 1 + nInherited;
    for (const std::string& name : ownFields) pTable->AddFieldInfo(ix++, CTFieldInfo::CreateDouble(name, 1.5));
    return pTable;
}

TEST(SchemaResolution, DerivedTableSharesParentFieldsAndKeepsItsOwnID) {
    CTSchema schema;
    CTTableInfo& parent = schema.RegisterTable(MakeTable(1, -1, "Base", {"BAS_A", "BAS_B"}));
    CTTableInfo& child = schema.RegisterTable(MakeTable(2, 1, "Derived", {"DER_C", "DER_D"}, 2));
    schema.ResolveSchema();

    ASSERT_EQ(child.FieldCount(), 5);
    EXPECT_EQ(child.GetFieldInfo(1), parent.GetFieldInfo(1));
    EXPECT_EQ(child.GetFieldInfo(2), parent.GetFieldInfo(2));
    EXPECT_EQ(child.GetIDFieldName(), "Der_ID");
    EXPECT_EQ(child.GetFieldInfo(3)->GetName(), "DER_C");
    EXPECT_EQ(child.GetParent(), &parent);
}

TEST(SchemaResolution, ChainResolvesWhateverTheRegistrationOrder) {
    for (const bool bChildFirst : {false, true}) {
        CTSchema schema;
        auto grand = MakeTable(10, -1, "Grand", {"GRA_A"});
        auto parent = MakeTable(11, 10, "Parent", {"PAR_B"}, 1);
        auto child = MakeTable(5, 11, "Child", {"CHI_C"}, 2);
        if (bChildFirst) {
            schema.RegisterTable(std::move(child));
            schema.RegisterTable(std::move(parent));
            schema.RegisterTable(std::move(grand));
        } else {
            schema.RegisterTable(std::move(grand));
            schema.RegisterTable(std::move(parent));
            schema.RegisterTable(std::move(child));
        }
        schema.ResolveSchema();
        const CTTableInfo* pChild = schema.GetTableInfo(5);
        ASSERT_EQ(pChild->FieldCount(), 4);
        EXPECT_EQ(pChild->GetFieldInfo(1)->GetName(), "GRA_A");
        EXPECT_EQ(pChild->GetFieldInfo(2)->GetName(), "PAR_B");
        EXPECT_EQ(pChild->GetFieldInfo(3)->GetName(), "CHI_C");
        EXPECT_TRUE(pChild->IsOfClass(11));
        EXPECT_TRUE(pChild->IsOfClass(10));
        EXPECT_TRUE(pChild->IsOfClass(5));
    }
}

TEST(SchemaResolution, SiblingIsNotOfClass) {
    CTSchema schema;
    schema.RegisterTable(MakeTable(1, -1, "Base", {}));
    schema.RegisterTable(MakeTable(2, 1, "Left", {}));
    schema.RegisterTable(MakeTable(3, 1, "Right", {}));
    schema.ResolveSchema();
    EXPECT_FALSE(schema.GetTableInfo(2)->IsOfClass(3));
    EXPECT_TRUE(schema.GetTableInfo(2)->IsOfClass(1));
}

TEST(SchemaResolution, BrokenSchemasAreRefused) {
    {
        CTSchema schema;
        schema.RegisterTable(MakeTable(1, 7, "Orphan", {}));
        EXPECT_THROW(schema.ResolveSchema(), CTSchemaError);
    }
    {
        CTSchema schema;
        schema.RegisterTable(MakeTable(1, 2, "First", {}));
        schema.RegisterTable(MakeTable(2, 1, "Second", {}));
        EXPECT_THROW(schema.ResolveSchema(), CTSchemaError);
    }
    {
        CTSchema schema;
        schema.RegisterTable(MakeTable(1, -1, "First", {}));
        EXPECT_THROW(schema.RegisterTable(MakeTable(1, -1, "Again", {})), CTSchemaError);
    }
}

TEST(SchemaResolution, LinksReachTheReferencingFieldAndInheritingTables) {
    CTSchema schema;
    CTTableInfo& controller = schema.RegisterTable(MakeTable(81, -1, "ChController", {"CTL_Name"}));
    CTTableInfo& special = schema.RegisterTable(MakeTable(82, 81, "ChSpecialController", {}, 1));
    auto steps = std::make_unique<CTTableInfo>(86, 0, "ChControllerStep", -1, false, false);
    steps->AddFieldInfo(0, CTFieldInfo::CreateInteger("CST_ID", 0));
    steps->AddFieldInfo(4, CTFieldInfo::CreateInteger("CST_Controller_CLS_REF", 0));
    steps->AddFieldInfo(5, CTFieldInfo::CreateInteger("CST_Controller_OBJ_REF", 0));
    CTTableInfo& stepTable = schema.RegisterTable(std::move(steps));
    CTTableLink& link = schema.AddLink(controller, 22, "ChControllerSteps", 86, 4, TLinkFlags{.bCascDel = true});
    schema.ResolveSchema();

    EXPECT_EQ(link.GetToTable(), &stepTable);
    EXPECT_EQ(link.GetFromField(), controller.GetFieldInfo(0));
    EXPECT_EQ(link.GetToField(), stepTable.GetFieldInfo(4));
    EXPECT_EQ(stepTable.GetFieldInfo(4)->GetReferenceTo(), &link);
    ASSERT_EQ(special.GetReferences().size(), 1u);
    EXPECT_EQ(special.GetReferences()[0], &link);
}

TEST(TableInfo, IndexOfFieldIgnoresCaseAndHonoursTheStart) {
    CTTableInfo table(3, 0, "DdbVersionInfo", -1, false, false);
    table.AddFieldInfo(0, CTFieldInfo::CreateInteger("DVI_ID", 0));
    table.AddFieldInfo(1, CTFieldInfo::CreateUnicodeString("DVI_DbVersion", "", false), true);
    EXPECT_EQ(table.IndexOfField("dvi_dbversion", 0), 1);
    EXPECT_EQ(table.IndexOfField("dvi_dbversion", 2), -1);
    EXPECT_EQ(table.IndexOfField("DVI_Missing", 0), -1);
    EXPECT_EQ(table.GetNameIx(), 1);
    EXPECT_EQ(table.GetTableName(), "Tbl_DdbVersionInfo");
}

// Counts creations and frees, as the factory will do for real records.
class CountingCacheSource : public CTObjectCacheSource {
public:
    CTDbObject* LoadCachedObject(std::int32_t, std::int32_t nObjID) override {
        if (nObjID > 100) return nullptr;  // not stored
        ++nCreated;
        return reinterpret_cast<CTDbObject*>(new int(nObjID));
    }
    void DestroyObject(CTDbObject* pObj) override {
        ++nFreed;
        delete reinterpret_cast<int*>(pObj);
    }
    int nCreated = 0;
    int nFreed = 0;
};

TEST(TableInfo, ObjectCacheCreatesOnceAndFreesOnCleanup) {
    CountingCacheSource source;
    CTTableInfo table(4, 0, "Cached", -1, false, false);
    table.SetCacheSource(&source);
    int nCustomCleanups = 0;
    table.SetCustomCacheCleanupProc([&] { ++nCustomCleanups; });

    EXPECT_EQ(table.GetCachedObject(5), nullptr) << "no engine: nothing is created";
    table.SetDbEngine(reinterpret_cast<CTDbEngine*>(&table));
    CTDbObject* pFirst = table.GetCachedObject(5);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(table.GetCachedObject(5), pFirst);
    EXPECT_EQ(table.GetCachedObject(0), nullptr);
    EXPECT_EQ(table.GetCachedObject(500), nullptr);
    EXPECT_EQ(source.nCreated, 1);

    table.CleanupCache();
    EXPECT_EQ(source.nFreed, 1);
    EXPECT_EQ(nCustomCleanups, 1);
    EXPECT_TRUE(table.GetCachedObjects().empty());
}

TEST(NameMapping, FindsOldNamesExactlyOrIgnoringCase) {
    CTMappingTable mapping;
    CTNameMapping& entry = mapping.AddMapping("Tbl_OldUnit", "Tbl_ChOutdoorUnit");
    entry.GetSubTable().AddMapping("OLD_Cap", "OUT_CoolCap");
    EXPECT_EQ(mapping.FindNewName("Tbl_OldUnit", true, 0, 0), "Tbl_ChOutdoorUnit");
    EXPECT_EQ(mapping.FindNewName("tbl_oldunit", true, 0, 0), "");
    EXPECT_EQ(mapping.FindNewName("tbl_oldunit", false, 0, 0), "Tbl_ChOutdoorUnit");
    ASSERT_NE(entry.FindSubTable(), nullptr);
    EXPECT_EQ(entry.FindSubTable()->FindNewName("old_cap", false, 4, 3), "OUT_CoolCap");
}

}  // namespace
}  // namespace brumalis
