#include <gtest/gtest.h>

#include "objectstore/db_exception.h"
#include "objectstore/schema.h"
#include "objectstore/value_list.h"

namespace brumalis {
namespace {

// Two tables whose leading fields agree (ID, reference pair, text, binary),
// and a third whose second field has another type.
class ValueLists : public ::testing::Test {
protected:
    void SetUp() override {
        for (std::int32_t nClsID : {1, 2}) {
            auto t = std::make_unique<CTTableInfo>(nClsID, 0, "T" + std::to_string(nClsID), -1, false, false);
            t->AddFieldInfo(0, CTFieldInfo::CreateInteger("ID", 0));
            t->AddFieldInfo(1, CTFieldInfo::CreateInteger("X_Unit_CLS_REF", 0));
            t->AddFieldInfo(2, CTFieldInfo::CreateInteger("X_Unit_OBJ_REF", 0));
            t->AddFieldInfo(3, CTFieldInfo::CreateUnicodeString("X_Name", "unnamed", false));
            t->AddFieldInfo(4, CTFieldInfo::CreateBinary("X_Photo"));
            t->AddFieldInfo(5, CTFieldInfo::CreateCurrency("X_Price", 125000));
            if (nClsID == 2) t->AddFieldInfo(6, CTFieldInfo::CreateTGUID("X_Guid"));
            schema.RegisterTable(std::move(t));
        }
        auto other = std::make_unique<CTTableInfo>(3, 0, "Other", -1, false, false);
        other->AddFieldInfo(0, CTFieldInfo::CreateInteger("ID", 0));
        other->AddFieldInfo(1, CTFieldInfo::CreateDouble("O_Value", 0));
        schema.RegisterTable(std::move(other));
        schema.AddLink(*schema.GetTableInfo(1), 1, "Units", 1, 1, {});
        schema.AddLink(*schema.GetTableInfo(1), 2, "Units2", 2, 1, {});
        schema.ResolveSchema();
    }
    const std::vector<CTFieldInfo*>& Model(std::int32_t nClsID) { return schema.GetTableInfo(nClsID)->GetAllFieldInfo(); }

    CTSchema schema;
};

TEST_F(ValueLists, NewListsHoldTheDeclaredDefaults) {
    const CTValueList values(Model(2));
    EXPECT_EQ(values.GetUnicodeStringValue(3), "unnamed");
    EXPECT_EQ(values.GetCurrencyValue(5), 125000);
    EXPECT_EQ(values.GetBinaryValue(4), "");
    EXPECT_TRUE(values.GetTGUIDValue(6).IsClear());
    const CTValueList bare(Model(2), true);
    EXPECT_EQ(bare.GetUnicodeStringValue(3), "");
    EXPECT_EQ(bare.GetCurrencyValue(5), 0);
}

TEST_F(ValueLists, AccessWithTheWrongTypeOrIndexIsATypeError) {
    CTValueList values(Model(1));
    EXPECT_THROW(values.GetDoubleValue(5), CTDbException);
    EXPECT_THROW(values.SetIntegerValue(3, 1), CTDbException);
    EXPECT_THROW(values.GetIntegerValue(99), CTDbException);
    try {
        values.GetBooleanValue(0);
        ADD_FAILURE() << "an Integer field was read as Boolean";
    } catch (const CTDbException& e) {
        EXPECT_EQ(e.Code(), excTypeError);
    }
}

TEST_F(ValueLists, CopiesAreDeepAndFollowTheRelationAndBinaryFlags) {
    CTValueList from(Model(1));
    from.SetIntegerValue(1, 40);
    from.SetIntegerValue(2, 7);
    from.SetUnicodeStringValue(3, "Alpha");
    from.SetBinaryValue(4, std::string("\0\1", 2));

    CTValueList plain(Model(1));
    plain.CopyValues(from, 1, false, false);
    EXPECT_EQ(plain.GetIntegerValue(1), 0) << "reference pair skipped";
    EXPECT_EQ(plain.GetIntegerValue(2), 0);
    EXPECT_EQ(plain.GetUnicodeStringValue(3), "Alpha");
    EXPECT_EQ(plain.GetBinaryValue(4), "");

    CTValueList full(Model(1));
    full.CopyValues(from, 0, true, true);
    EXPECT_EQ(full.GetIntegerValue(2), 7);
    EXPECT_EQ(full.GetBinaryValue(4), std::string("\0\1", 2));
    from.SetUnicodeStringValue(3, "Changed");
    EXPECT_EQ(full.GetUnicodeStringValue(3), "Alpha") << "texts are not shared";

    CTValueList copy = full;
    full.SetBinaryValue(4, "x");
    EXPECT_EQ(copy.GetBinaryValue(4), std::string("\0\1", 2));
}

TEST_F(ValueLists, BetweenModelsOnlyAgreeingLeadingFieldsAreCopied) {
    CTValueList wide(Model(2));
    wide.SetUnicodeStringValue(3, "Beta");
    wide.SetCurrencyValue(5, 1);
    CTValueList narrow(Model(1));
    narrow.CopyValues(wide, 1, true, false);
    EXPECT_EQ(narrow.GetUnicodeStringValue(3), "Beta");
    EXPECT_EQ(narrow.GetCurrencyValue(5), 1);

    CTValueList other(Model(3));
    other.SetDoubleValue(1, 2.5);
    CTValueList untouched(Model(1));
    untouched.CopyValues(other, 0, true, true);
    EXPECT_EQ(untouched.GetIntegerValue(0), 0) << "one differing type: nothing is copied";
}

TEST(Guid, TextFormRoundTripsAndRejectsMalformedTexts) {
    const std::string text = "{01234567-89AB-CDEF-0123-456789ABCDEF}";
    const auto guid = TGUID::FromText(text);
    ASSERT_TRUE(guid.has_value());
    EXPECT_EQ(guid->bytes[0], 0x67) << "Data1 is stored little-endian";
    EXPECT_EQ(guid->bytes[8], 0x01) << "Data4 is stored as written";
    EXPECT_EQ(guid->ToText(), text);
    EXPECT_EQ(TGUID::FromText("{01234567-89ab-cdef-0123-456789abcdef}")->ToText(), text);
    for (const char* bad : {"", "01234567-89AB-CDEF-0123-456789ABCDEF", "{01234567-89AB-CDEF-0123-456789ABCDEG}",
                            "{01234567+89AB-CDEF-0123-456789ABCDEF}", "{01234567-89AB-CDEF-0123-456789ABCDEF"}) {
        EXPECT_FALSE(TGUID::FromText(bad).has_value()) << bad;
    }
    EXPECT_TRUE(TGUID{}.IsClear());
}

}  // namespace
}  // namespace brumalis
