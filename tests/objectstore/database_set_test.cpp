#include <gtest/gtest.h>

#include "objectstore/database_set.h"
#include "objectstore/store_messages.h"
#include "platform/data_source_entries.h"
#include "platform/settings_store.h"

namespace brumalis {
namespace {

// The database set over the blobs embedded in this test program: a small
// catalogue whose version text is "8.7 " (with a trailing blank), its
// reference stating "8.7", and an empty picture database.
class DatabaseSet : public ::testing::Test {
protected:
    void SetUp() override {
        v_previous = SetMessageCallback([this](int n, const std::vector<std::string>& p) {
            messages.push_back(FillMessageParameters(StoreMessageText(n), p));
        });
    }
    void TearDown() override {
        CTDbObject::SetDefaultFactory(nullptr);
        factory.reset();
        CTBaseFactory::ClearRegisteredEngines();
        CTMemDbEngine::UseCompression(false);
        CTMemDbEngine::SetCompressionSignature(std::string());
        SetMessageCallback(v_previous);
    }

    platform::CTRegistry registry{std::make_shared<platform::CTMemorySettingsStore>(),
                                  std::make_shared<platform::CTMemorySettingsStore>(true)};
    platform::CTRegistrySubstitute substitute{registry};
    std::unique_ptr<CTFactory> factory;
    std::vector<std::string> messages;

private:
    CTMessageCallback v_previous;
};

TEST_F(DatabaseSet, StartUpServesBlobsByResourceAndFilesByMemoryEngine) {
    factory = SetUpDatabaseSet();
    EXPECT_EQ(CTDbObject::GetDefaultFactory(), factory.get());
    EXPECT_TRUE(registry.CurrentUser().KeyExists(platform::DataSourceKey("Chiller_Project")));
    ASSERT_TRUE(factory->Connect(false));
    EXPECT_EQ(factory->Engine(dbDeviceDatabase)->GetTypeString(), "Resource");
    EXPECT_EQ(factory->Engine(dbChillerPictures)->GetTypeString(), "Resource");
    EXPECT_EQ(factory->Engine(dbPricingAndPrefs)->GetTypeString(), "Text file");
    EXPECT_EQ(factory->Engine(dbChillerProject)->GetTypeString(), "Text file");
    EXPECT_TRUE(factory->GetReadOnly(dbDeviceDatabase));
    EXPECT_FALSE(factory->GetReadOnly(dbChillerProject));
    EXPECT_FALSE(factory->HasCapability(dbDeviceDatabase, dbcChooseDb));
    EXPECT_TRUE(factory->HasCapability(dbChillerProject, dbcChooseDb));
    EXPECT_FALSE(factory->HasCapability(dbChillerProject, 16));
}

TEST_F(DatabaseSet, ResourceEngineWinsOverAFileForTheSameName) {
    platform::CreateMinimalODBCEntry(registry, false, "Device_Database");
    factory = SetUpDatabaseSet();
    ASSERT_TRUE(factory->Connect(false));
    EXPECT_EQ(factory->Engine(dbDeviceDatabase)->GetTypeString(), "Resource");
}

TEST_F(DatabaseSet, DatabaseWithoutBlobOrDataSourceFailsTheConnection) {
    factory = SetUpDatabaseSet();
    platform::DeleteMinimalODBCEntry(registry, false, "Pricing_And_Prefs");
    EXPECT_FALSE(factory->Connect(false));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "'Pricing_And_Prefs' is not an ODBC database.");
    EXPECT_FALSE(factory->IsConnected());
}

TEST_F(DatabaseSet, VersionRecordAndTheExpectedStructureVersion) {
    factory = SetUpDatabaseSet();
    EXPECT_FALSE(Cls_DdbVersionInfo::CheckVersion("8.7 ", factory.get(), true)) << "not connected yet";
    ASSERT_TRUE(factory->Connect(false));
    EXPECT_EQ(ExpectedStructureVersion(), "8.7");
    EXPECT_FALSE(Cls_DdbVersionInfo::CheckVersion(ExpectedStructureVersion(), factory.get(), true));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Incorrect version of database 'Device_Database 8.7 <> 8.7 '.");
    EXPECT_TRUE(Cls_DdbVersionInfo::CheckVersion("8.7 ", factory.get(), true));
    EXPECT_EQ(Cls_DdbVersionInfo::GetOrvaneVersion(), "2026.1");
    EXPECT_EQ(Cls_DdbVersionInfo::GetRegion(), 3);
    EXPECT_EQ(Cls_DdbVersionInfo::GetAppFlags(), 5);
    EXPECT_EQ(ExpectedStructureVersion("No_Such_Blob", "Neither_This"), "");
    EXPECT_EQ(ExpectedStructureVersion("Controllers_Sample", "Neither_This"), "") << "longer than 200 bytes";
}

TEST_F(DatabaseSet, CatalogueIsReadOnlyAndTheProjectCanBeSwitched) {
    factory = SetUpDatabaseSet();
    ASSERT_TRUE(factory->Connect(false));
    Cls_DdbVersionInfo record(1);
    record.SetDataRegion(9);
    EXPECT_THROW(factory->Engine(dbDeviceDatabase)->UpdateObject(record), CTDbException);
    record.Update();  // swallowed: the record stays as stored
    EXPECT_EQ(Cls_DdbVersionInfo::GetRegion(), 3);

    factory->SetDatabaseName(dbChillerProject, "/nonexistent/project.cpf");
    factory->DisconnectDatabase(dbChillerProject);
    factory->ConnectDatabase(dbChillerProject);
    ASSERT_TRUE(factory->DatabaseConnected(dbChillerProject));
    EXPECT_FALSE(factory->Engine(dbChillerProject)->Connect("", "", true));
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Unable to open file /nonexistent/project.cpf");
    EXPECT_THROW(factory->ConnectDatabase(dbChillerProject), LTBseFactExc);
}

}  // namespace
}  // namespace brumalis
