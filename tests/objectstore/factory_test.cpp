#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "objectstore/store_lock.h"
#include "platform/settings_store.h"
#include "tests/objectstore/store_fixture.h"

namespace brumalis::testing {
namespace {

TEST(StoreErrors, TextsOfCodesAndCapabilities) {
    EXPECT_STREQ(CTDbException(excIDUsed, "7").what(), "CTDbException: ID 7 is already used");
    EXPECT_STREQ(CTDbException(40, "").what(), "CTDbException: Unknown exception code 40");
    EXPECT_STREQ(CTDbException(excReadOnly, "Tbl_X").what(), "CTDbException: Database table 'Tbl_X' is read-only");
    EXPECT_EQ(CapabilityString(dbcChooseDb), "*** Unknown CTDbEngine capability ***");
    EXPECT_EQ(CapabilityString(dbcInsertWithID), "Insert with ID");
    EXPECT_EQ(CTMemDbEngine::kCapabilities, 829);
    EXPECT_EQ(FillMessageParameters("$1 of $2, then $A", {"a", "b", "", "", "", "", "", "", "", "tenth"}),
              "a of b, then tenth");
}

using FactoryConnection = StoreFixture;

TEST_F(FactoryConnection, SecondConnectIsRefusedAndKeepsTheConnection) {
    NewController("Kept");
    EXPECT_THROW(factory->Connect(false), LTBseFactExc);
    EXPECT_TRUE(factory->IsConnected());
    EXPECT_EQ(Engine().CountObjects(clsController), 1);
}

TEST_F(FactoryConnection, ModifiedProcedureHearsOfTheCleanStartFirst) {
    factory->Disconnect();
    std::vector<std::pair<bool, std::int32_t>> calls;
    factory->SetModifiedProc(0, CTModifiedProc([&](bool b) { calls.emplace_back(b, 0); }));
    ASSERT_TRUE(factory->Connect(false));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_FALSE(calls[0].first);
    NewController("A");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[1].first);
}

TEST_F(FactoryConnection, DatabasesConnectOneByOne) {
    factory->Disconnect();
    EXPECT_THROW(factory->ConnectDatabase(0), LTBseFactExc);
    factory->DisconnectDatabase(0);  // nothing to do
    ASSERT_TRUE(factory->Connect(false));
    EXPECT_THROW(factory->ConnectDatabase(0), LTBseFactExc);
    factory->DisconnectDatabase(0);
    EXPECT_FALSE(factory->DatabaseConnected(0));
    EXPECT_EQ(factory->GetTableInfo(clsController)->GetDbEngine(), nullptr);
    factory->ConnectDatabase(0);
    EXPECT_EQ(factory->GetTableInfo(clsController)->GetDbEngine(), factory->Engine(0));
}

TEST_F(FactoryConnection, CachedObjectsComeFromTheEngineOnce) {
    auto ctl = NewController("Cached");
    CTDbObject* pFirst = factory->GetCachedObject(clsController, ctl->GetID());
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->GetName(), "Cached");
    EXPECT_EQ(factory->GetCachedObject(clsController, ctl->GetID()), pFirst);
    EXPECT_EQ(factory->GetCachedObject(clsController, 999), nullptr);
    EXPECT_EQ(factory->CreateObject(4711, 0), nullptr);
}

// An engine that wants a logon and remembers the one it got.
class LogonEngine : public CTMemDbEngine {
public:
    using CTMemDbEngine::CTMemDbEngine;
    bool NeedsLogon() const override { return true; }
    bool Connect(const std::string& szUser, const std::string& szPassword, bool bFlag) override {
        lastUser = szUser + "/" + szPassword;
        return CTMemDbEngine::Connect(szUser, szPassword, bFlag);
    }
    static inline std::string lastUser;
};

class FactoryLogon : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        factory->Disconnect();
        CTBaseFactory::ClearRegisteredEngines();
        CTBaseFactory::RegisterEngine("logon", [](const TEngineOffer& offer) {
            return std::make_unique<LogonEngine>(offer.factory, offer.szLogicalName, offer.szDatabaseName,
                                                 offer.bReadOnly, offer.nEngineIndex);
        });
    }
    platform::CTRegistry registry{std::make_shared<platform::CTMemorySettingsStore>(),
                                  std::make_shared<platform::CTMemorySettingsStore>()};
    platform::CTRegistrySubstitute substitute{registry};
    const std::string root = "Software\\Orvane\\Brumalis\\Devices";
};

TEST_F(FactoryLogon, StoredLogonIsUsedAndTheDialogOtherwise) {
    registry.LocalMachine().WriteString(root + "\\DB Login", "UserName", "site");
    registry.LocalMachine().WriteString(root + "\\DB Login", "Password", "secret");
    ASSERT_TRUE(factory->Connect(root, true, false, false));
    EXPECT_EQ(LogonEngine::lastUser, "site/secret");
    factory->Disconnect();

    int nAsked = 0;
    factory->SetLogonDialog([&](std::string& u, std::string& p) {
        ++nAsked;
        u = "me";
        p = "pw";
        return true;
    });
    ASSERT_TRUE(factory->Connect(root + "X", true, true, false));
    EXPECT_EQ(nAsked, 1);
    EXPECT_EQ(registry.CurrentUser().ReadString(root + "X\\DB Login", "UserName", ""), "me");
    factory->Disconnect();

    factory->SetLogonDialog([](std::string&, std::string&) { return false; });
    EXPECT_FALSE(factory->Connect(root + "Y", true, false, false));
    EXPECT_FALSE(factory->IsConnected());
}

TEST(StoreLock, WriterExcludesOtherThreadsButMayReadAndWriteAgain) {
    StartWriteOperation();
    StartReadOperation();  // re-entrant for the writer
    StartWriteOperation();
    std::atomic<bool> bReaderIn{false};
    std::thread reader([&] {
        CTReadLock lock;
        bReaderIn = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(bReaderIn) << "a reader got in while another thread writes";
    EndWriteOperation();
    EndReadOperation();
    EndWriteOperation();
    reader.join();
    EXPECT_TRUE(bReaderIn);

    int nCursor = 0;
    SetLongActionCursorHook([&](bool bBusy) { nCursor += bBusy ? 1 : 10; });
    StartLongAction();
    EXPECT_TRUE(IsLongActionRunning());
    EndLongAction();
    EXPECT_FALSE(IsLongActionRunning());
    EXPECT_EQ(nCursor, 11);
    SetLongActionCursorHook({});
}

TEST(ObjectListSort, GapHalvingSortOrdersByThePredicate) {
    std::vector<int> items{9, 3, 7, 1, 8, 2, 2, 6, 5, 4, 0};
    ObjectList::Sort(items, [](int a, int b) { return a < b; });
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
    ObjectList::Sort(items, [](int a, int b) { return a > b; });
    EXPECT_EQ(items.front(), 9);
    EXPECT_EQ(items.back(), 0);
}

using Population = StoreFixture;

TEST_F(Population, AddedPopulationReplacesAndExtendsTheContent) {
    NewController("Old", 1);
    NewController("Kept", 2);
    CTMemDbEngine::UseCompression(false);
    CTMemoryStream saved;
    CTMemDbEngine::SaveConsistentPopulation(saved, Engine(), factory->CreateObject(clsController, 0)->SelectByExample());
    const std::string text = saved.Data();
    auto ctl = factory->CreateObject(clsController, 1);
    ctl->SetName("Changed");
    ctl->Update();
    NewController("Third");

    CTByteViewStream in(text);
    CTStreamIO io(in);
    Engine().AddConsistentPopulationFrom(io);
    EXPECT_EQ(factory->CreateObject(clsController, 1)->GetName(), "Old");
    EXPECT_EQ(Engine().CountObjects(clsController), 3);
    EXPECT_EQ(Engine().LargestIssuedID(clsController), 3);

    CTMemoryStream whole;
    CTMemDbEngine::WriteEngineContent(whole, Engine());
    EXPECT_NE(whole.Data().find("5 Third"), std::string::npos);
}

}  // namespace
}  // namespace brumalis::testing
