#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

#include "tests/objectstore/store_fixture.h"

namespace brumalis::testing {
namespace {

namespace fs = std::filesystem;

using RecordIDs = StoreFixture;

TEST_F(RecordIDs, AutomaticIDsFollowTheLargestIssued) {
    EXPECT_EQ(NewController("A")->GetID(), 1);
    auto ten = factory->CreateObject(clsController, 0);
    ten->SetName("B");
    ten->SetID(10);
    ten->Insert();
    EXPECT_EQ(ten->GetID(), 10);
    EXPECT_EQ(NewController("C")->GetID(), 11);
}

TEST_F(RecordIDs, UsedIDIsRefusedByTheEngine) {
    NewController("A");
    auto dup = factory->CreateObject(clsController, 0);
    dup->SetID(1);
    try {
        Engine().InsertObject(*dup);
        ADD_FAILURE() << "a used ID was accepted";
    } catch (const CTDbException& e) {
        EXPECT_EQ(e.Code(), excIDUsed);
        EXPECT_STREQ(e.what(), "CTDbException: ID 1 is already used");
    }
    dup->Insert();  // the record operation swallows it
    EXPECT_EQ(dup->GetStatus(), stNew);
}

using RecordLifecycle = StoreFixture;

TEST_F(RecordLifecycle, StatusRulesOfStorageOperations) {
    auto missing = factory->CreateObject(clsController, 42);
    EXPECT_EQ(missing->GetStatus(), stStored);
    EXPECT_EQ(missing->GetID(), 42);
    EXPECT_EQ(missing->GetName(), "");

    auto fresh = factory->CreateObject(clsController, 0);
    EXPECT_THROW(fresh->Update(), CTDbException);
    auto stored = NewController("A", 7.5);
    EXPECT_THROW(stored->Insert(), CTDbException);
    stored->Remove();
    EXPECT_EQ(stored->GetStatus(), stRemoved);
    stored->Remove();  // a second removal is silent
    EXPECT_EQ(stored->GetStatus(), stRemoved);
    EXPECT_FALSE(Engine().ObjectExists(clsController, stored->GetID()));
}

TEST_F(RecordLifecycle, ReadGivesTheStoredValuesAndUniqueNamesAreInvented) {
    auto stored = NewController("Unit", 12.5);
    auto again = factory->CreateObject(clsController, stored->GetID());
    EXPECT_EQ(again->GetName(), "Unit");
    EXPECT_EQ(again->Values().GetDoubleValue(ctlPower), 12.5);

    for (const char* szTaken : {"CHO12", "CHO_12"}) {
        auto taken = factory->CreateObject(clsOption, 0);
        taken->SetName(szTaken);
        taken->Insert();
    }
    auto option = factory->CreateObject(clsOption, 0);
    option->SetID(12);
    EXPECT_EQ(option->InventUniqueName(), "CHO__12");
}

TEST_F(RecordLifecycle, BinaryValuesLiveInTheEngine) {
    auto stored = NewController("A");
    CTMemoryStream photo(std::string("\xFF\xD8 jpeg", 7));
    stored->SetBinaryValue(ctlBlob, &photo);
    CTMemoryStream out;
    EXPECT_TRUE(stored->GetBinaryValue(ctlBlob, out));
    EXPECT_EQ(out.Data(), std::string("\xFF\xD8 jpeg", 7));
    stored->SetBinaryValue(ctlBlob, nullptr);
    CTMemoryStream empty;
    EXPECT_FALSE(stored->GetBinaryValue(ctlBlob, empty));
}

using References = StoreFixture;

TEST_F(References, IntegrityAndOneToOneAreEnforced) {
    auto ctl = NewController("A");
    auto pump = factory->CreateObject(clsPump, 0);
    pump->SetRelationByIx(pmpControllerRef, ctl.get());
    pump->Insert();
    EXPECT_EQ(pump->GetStatus(), stStored);

    auto second = factory->CreateObject(clsPump, 0);
    second->SetRelationByIx(pmpControllerRef, ctl.get());
    try {
        Engine().InsertObject(*second);
        ADD_FAILURE() << "a second pump for one controller was accepted";
    } catch (const CTDbException& e) {
        EXPECT_EQ(e.Code(), excOneToOne);
        EXPECT_STREQ(e.what(), "CTDbException: 1-to-1 relation with table Tbl_ChController");
    }

    auto orphan = factory->CreateObject(clsStep, 0);
    orphan->Values().SetIntegerValue(stpControllerRef, clsController);
    orphan->Values().SetIntegerValue(stpControllerRef + 1, 99);
    EXPECT_THROW(Engine().InsertObject(*orphan), CTDbException);
    EXPECT_EQ(factory->CreateObject(clsStep, 0)->CountByExample(), 0) << "the refused record was taken out again";

    auto nothing = factory->CreateObject(clsStep, 0);  // 0, 0 refers to nothing
    nothing->Insert();
    EXPECT_EQ(nothing->GetStatus(), stStored);
}

TEST_F(References, AutoCorrectDropsBrokenRecordsQuietly) {
    CTMemDbEngine::SetAutoCorrect(true);
    auto orphan = factory->CreateObject(clsStep, 0);
    orphan->Values().SetIntegerValue(stpControllerRef, clsController);
    orphan->Values().SetIntegerValue(stpControllerRef + 1, 99);
    EXPECT_NO_THROW(Engine().InsertObject(*orphan));
    EXPECT_FALSE(Engine().ObjectExists(clsStep, orphan->GetID()));
}

TEST_F(References, OrderedRelatedRecordsComeInTheirOrder) {
    auto ctl = NewController("A");
    NewStep(*ctl, 25);
    NewStep(*ctl, 50);
    NewStep(*ctl, 100);
    const CTObjectList steps = ctl->GetRelatedByIx(clsStep, stpControllerRef);
    ASSERT_EQ(steps.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(steps[static_cast<std::size_t>(i)]->Values().GetIntegerValue(stpOrder), i);
    EXPECT_EQ(steps[2]->Values().GetDoubleValue(stpCap), 100.0);
    auto back = steps[0]->GetRelationByIx(stpControllerRef);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetID(), ctl->GetID());
    const std::int32_t classes[] = {clsStep};
    EXPECT_TRUE(ctl->HasRelations(classes, 1));
    EXPECT_FALSE(NewController("B")->HasRelations(classes, 1));
}

TEST_F(References, RemovalCascadesAndReportsEveryRecord) {
    auto ctl = NewController("A");
    auto s1 = NewStep(*ctl, 1);
    auto s2 = NewStep(*ctl, 2);
    ctl->Remove();
    EXPECT_FALSE(Engine().ObjectExists(clsStep, s1->GetID()));
    EXPECT_FALSE(Engine().ObjectExists(clsStep, s2->GetID()));
    ASSERT_EQ(removals.size(), 3u);
    EXPECT_EQ(removals[0], std::make_pair(std::int32_t{clsController}, ctl->GetID()));
}

TEST_F(RecordLifecycle, PurgeEmptiesTheTableAndRestartsItsIDs) {
    auto ctl = NewController("A");
    NewStep(*ctl, 1);
    NewController("B");
    CTDbObject::PurgeTable(clsController);
    EXPECT_EQ(Engine().CountObjects(clsController), 0);
    EXPECT_EQ(Engine().CountObjects(clsStep), 0) << "cascade";
    EXPECT_EQ(NewController("C")->GetID(), 1);
}

TEST_F(RecordLifecycle, ReadOnlyDatabaseRefusesEveryChange) {
    auto ctl = NewController("A");
    factory->Disconnect();
    factory->SetReadOnly(0, true);
    ASSERT_TRUE(factory->Connect(false));
    Engine().InsertRaw(*ctl);  // content as a loaded catalogue would have it
    auto fresh = factory->CreateObject(clsController, 0);
    try {
        Engine().InsertObject(*fresh);
        ADD_FAILURE() << "a read-only database took a record";
    } catch (const CTDbException& e) {
        EXPECT_STREQ(e.what(), "CTDbException: Database table 'Tbl_ChController' is read-only");
    }
    ctl->Remove();  // swallowed: the record stays
    EXPECT_TRUE(Engine().ObjectExists(clsController, ctl->GetID()));
}

TEST_F(RecordLifecycle, UniquenessIgnoresTheRecordItself) {
    auto ctl = NewController("Alpha");
    EXPECT_TRUE(ctl->IsUnique(ctlName, "Alpha"));
    auto other = factory->CreateObject(clsController, 0);
    EXPECT_FALSE(other->IsUnique(ctlName, "Alpha"));
    EXPECT_TRUE(other->IsUnique(ctlName, "alpha"));
    EXPECT_FALSE(Engine().IsUniqueValue(*other, ctlName, true, "alpha"));
}

using QueryByExample = StoreFixture;

TEST_F(QueryByExample, DefaultValuedFieldsDoNotConstrain) {
    for (int i = 1; i <= 3; ++i) {
        auto option = factory->CreateObject(clsOption, 0);
        option->Values().SetIntegerValue(optCount, i);
        option->Insert();
    }
    auto accessory = factory->CreateObject(clsAccessory, 0);
    accessory->Values().SetIntegerValue(optCount, 2);
    accessory->Insert();

    auto example = factory->CreateObject(clsOption, 0);
    EXPECT_EQ(example->SelectByExample().size(), 4u) << "all defaults: the class and its derived classes";
    example->Values().SetIntegerValue(optCount, 2);
    EXPECT_EQ(example->CountByExample(), 2);
    example->Values().SetIntegerValue(optCount, 0);  // the default: matches any value
    EXPECT_EQ(example->CountByExample(), 4);

    auto byAccessory = factory->CreateObject(clsAccessory, 0);
    byAccessory->Values().SetIntegerValue(optCount, 2);
    byAccessory->RemoveByExample();
    EXPECT_EQ(example->CountByExample(), 3);
}

TEST_F(QueryByExample, ResultsSortByFieldNames) {
    for (const char* szName : {"b", "C", "a"}) NewController(szName);
    const std::vector<std::string> order{"ctl_name"};
    const CTObjectList sorted = factory->CreateObject(clsController, 0)->SelectByExample(&order);
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted[0]->GetName(), "C");  // code-unit order: capitals first
    EXPECT_EQ(sorted[1]->GetName(), "a");
    EXPECT_EQ(sorted[2]->GetName(), "b");
}

using Transactions = StoreFixture;

TEST_F(Transactions, EditsOfOneRecordFormOneUndoStep) {
    auto ctl = NewController("A", 1);
    for (double d : {2.0, 3.0}) {
        Engine().StartTransaction(501, 4, true, clsController, ctl->GetID());
        ctl->Values().SetDoubleValue(ctlPower, d);
        ctl->Update();
        Engine().EndTransaction();
    }
    std::int32_t nMsg = 0;
    ASSERT_TRUE(Engine().CanUndo(nMsg));
    EXPECT_EQ(nMsg, 501);
    EXPECT_EQ(Engine().Undo(), 4);
    EXPECT_FALSE(Engine().CanUndo(nMsg));
    EXPECT_EQ(factory->CreateObject(clsController, ctl->GetID())->Values().GetDoubleValue(ctlPower), 1.0);
    ASSERT_TRUE(Engine().CanRedo(nMsg));
    Engine().Redo();
    EXPECT_EQ(factory->CreateObject(clsController, ctl->GetID())->Values().GetDoubleValue(ctlPower), 3.0);
}

TEST_F(Transactions, ChangeThatCancelsItselfLeavesNoUndoStep) {
    Engine().StartTransaction(1, 0, true, 0, 0);
    auto ctl = NewController("A");
    ctl->SetName("B");
    ctl->Update();
    ctl->Remove();
    Engine().EndTransaction();
    std::int32_t nMsg = 0;
    EXPECT_FALSE(Engine().CanUndo(nMsg));
    EXPECT_EQ(Engine().LayerCount(), 1);
}

TEST_F(Transactions, UndoDepthKeepsFiveStepsAndFoldsTheOldest) {
    auto ctl = NewController("A", 0);
    for (int i = 1; i <= 6; ++i) {
        Engine().StartTransaction(100 + i, 0, true, 0, 0);
        ctl->Values().SetDoubleValue(ctlPower, i);
        ctl->Update();
        Engine().EndTransaction();
    }
    int nUndone = 0;
    std::int32_t nMsg = 0;
    while (Engine().CanUndo(nMsg)) {
        Engine().Undo();
        ++nUndone;
    }
    EXPECT_EQ(nUndone, 5);
    EXPECT_EQ(nMsg, 102);
    EXPECT_EQ(factory->CreateObject(clsController, ctl->GetID())->Values().GetDoubleValue(ctlPower), 1.0);
}

TEST_F(Transactions, ChangeOutsideATransactionCutsUndoAndRedo) {
    auto ctl = NewController("A", 0);
    Engine().StartTransaction(7, 0, true, 0, 0);
    NewController("B");
    Engine().EndTransaction();
    Engine().Undo();
    std::int32_t nMsg = 0;
    ASSERT_TRUE(Engine().CanRedo(nMsg));
    ctl->Values().SetDoubleValue(ctlPower, 9);
    ctl->Update();
    EXPECT_FALSE(Engine().CanRedo(nMsg));
    EXPECT_FALSE(Engine().CanUndo(nMsg));
}

TEST_F(Transactions, UndoneRemovalRestoresReferrers) {
    auto ctl = NewController("A");
    NewStep(*ctl, 1);
    Engine().StartTransaction(9, 0, true, 0, 0);
    ctl->Remove();
    Engine().EndTransaction();
    EXPECT_EQ(Engine().CountObjects(clsStep), 0);
    Engine().Undo();
    EXPECT_EQ(Engine().CountObjects(clsStep), 1);
    auto restored = factory->CreateObject(clsController, ctl->GetID());
    EXPECT_EQ(restored->GetRelatedByIx(clsStep, stpControllerRef).size(), 1u);
    Engine().Redo();
    EXPECT_EQ(Engine().CountObjects(clsStep), 0);
}

TEST_F(Transactions, ReinsertedIDThatIsRemovedAgainStaysRemoved) {
    auto ctl = NewController("A");
    const std::int32_t nID = ctl->GetID();
    Engine().StartTransaction(3, 0, true, 0, 0);
    ctl->Remove();
    auto again = factory->CreateObject(clsController, 0);
    again->SetName("B");
    again->SetID(nID);
    again->Insert();
    ASSERT_EQ(again->GetStatus(), stStored);
    again->Remove();
    Engine().EndTransaction();
    EXPECT_FALSE(Engine().ObjectExists(clsController, nID)) << "the older version came back";
    Engine().Undo();
    EXPECT_EQ(factory->CreateObject(clsController, nID)->GetName(), "A");
}

TEST_F(Transactions, NullTransactionChangesAreDiscarded) {
    auto ctl = NewController("A", 1);
    Engine().StartNullTransaction();
    ctl->Values().SetDoubleValue(ctlPower, 2);
    ctl->Update();
    NewController("Scratch");
    Engine().EndNullTransaction();
    EXPECT_EQ(Engine().CountObjects(clsController), 1);
    EXPECT_EQ(factory->CreateObject(clsController, ctl->GetID())->Values().GetDoubleValue(ctlPower), 1.0);
}

TEST_F(Transactions, DebugDumpShowsLayersElementsAndReferrers) {
    auto ctl = NewController("A");
    NewStep(*ctl, 1);
    Engine().StartTransaction(1, 0, true, 0, 0);
    ctl->SetName("B");
    ctl->Update();
    Engine().EndTransaction();
    const std::string dump = Engine().DebugDumpText();
    EXPECT_NE(dump.find("TRANSACTION STACK\n=================\nLAYER\n  MAP 81\n    OBJECT 1\n      status = UPDATED\n"
                        "      referred by (86, 1) - ChControllerSteps\n    END OBJECT\n  END MAP\nEND LAYER\nPREVIOUS LAYER\n"),
              std::string::npos)
        << dump;
}

class FileDatabase : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        v_dir = fs::temp_directory_path() / ("brumalis_db_" + std::to_string(::getpid()));
        fs::create_directories(v_dir);
        v_file = (v_dir / "project.cpf").string();
    }
    void TearDown() override {
        fs::remove_all(v_dir);
        StoreFixture::TearDown();
    }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    void Populate() {
        auto ctl = NewController("Inverter \\ drive\n", 3.25);
        NewStep(*ctl, 50);
        NewStep(*ctl, 100);
        NewController("Step", 1E-5);
    }

    fs::path v_dir;
    std::string v_file;
};

TEST_F(FileDatabase, SavedReloadedAndSavedAgainIsIdentical) {
    factory->SetDatabaseName(0, v_file);
    Populate();
    ASSERT_TRUE(factory->SaveFile(0, true));
    const std::string first = Bytes(v_file);
    EXPECT_EQ(first.substr(0, 3), "QXZ");
    ConnectWithFile(v_file);
    ASSERT_TRUE(factory->IsConnected());
    EXPECT_EQ(Engine().CountObjects(clsStep), 2);
    EXPECT_EQ(factory->CreateObject(clsController, 1)->GetRelatedByIx(clsStep, stpControllerRef).size(), 2u);
    ASSERT_TRUE(factory->SaveFile(0, true));
    EXPECT_EQ(Bytes(v_file), first);
    EXPECT_EQ(NewController("Next")->GetID(), 3);
}

// An engine that reads its saved bytes only when first touched.
class CTFirstUseEngine final : public CTMemDbEngine {
public:
    CTFirstUseEngine(CTBaseFactory& factory, std::string bytes, int& nLoads)
        : CTMemDbEngine(factory, "Db0", std::string(), false, 0), v_bytes(std::move(bytes)) {
        LoadOnFirstUse([this, &nLoads] {
            ++nLoads;
            CTByteViewStream raw(v_bytes);
            LoadFrom(raw, false, "Db0");
        });
    }

private:
    std::string v_bytes;
};

TEST_F(FileDatabase, ContentLoadedOnFirstUseIsTheBaseOfEveryTransaction) {
    factory->SetDatabaseName(0, v_file);
    Populate();
    ASSERT_TRUE(factory->SaveFile(0, true));
    int nLoads = 0;
    factory->ExchangeEngine(0, std::make_unique<CTFirstUseEngine>(*factory, Bytes(v_file), nLoads));
    EXPECT_EQ(nLoads, 0);
    // A transaction started before anything was read must not hold the load:
    // undoing it keeps the records.
    Engine().StartTransaction(7, 0, true, 0, 0);
    EXPECT_EQ(nLoads, 1);
    NewController("Added");
    Engine().EndTransaction();
    EXPECT_EQ(Engine().CountObjects(clsController), 3);
    Engine().Undo();
    EXPECT_EQ(Engine().CountObjects(clsController), 2);
    EXPECT_EQ(factory->CreateObject(clsController, 1)->GetRelatedByIx(clsStep, stpControllerRef).size(), 2u);
    EXPECT_EQ(Engine().LayerCount(), 1);
    EXPECT_EQ(nLoads, 1);

    // A read is a first use as well.
    int nOther = 0;
    factory->ExchangeEngine(0, std::make_unique<CTFirstUseEngine>(*factory, Bytes(v_file), nOther));
    EXPECT_TRUE(Engine().ObjectExists(clsStep, 2));
    EXPECT_EQ(Engine().CountObjects(clsStep), 2);
    EXPECT_EQ(nOther, 1);

    // Readers arriving together: one loads, the others wait for it.
    int nShared = 0;
    factory->ExchangeEngine(0, std::make_unique<CTFirstUseEngine>(*factory, Bytes(v_file), nShared));
    std::atomic<int> nWrong{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 4; ++i) {
        readers.emplace_back([&] {
            if (Engine().CountObjects(clsStep) != 2) ++nWrong;
        });
    }
    for (std::thread& t : readers) t.join();
    EXPECT_EQ(nWrong, 0);
    EXPECT_EQ(nShared, 1);
}

TEST_F(FileDatabase, SaveThatFailsHalfWayKeepsThePreviousFile) {
    factory->SetDatabaseName(0, v_file);
    Populate();
    ASSERT_TRUE(factory->SaveFile(0, true));
    const std::string previous = Bytes(v_file);
    auto big = factory->CreateObject(clsController, 1);
    CTMemoryStream blob(std::string(1 << 20, 'x'));
    big->SetBinaryValue(ctlBlob, &blob);
    CTMemDbEngine::UseCompression(false);  // so that the file outgrows the limit

    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool bSaved = factory->SaveFile(0, true);
    ::setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(bSaved);
    EXPECT_EQ(Bytes(v_file), previous);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().first, msgUnableToCreateFile);
    EXPECT_EQ(std::distance(fs::directory_iterator(v_dir), fs::directory_iterator()), 1);
}

TEST_F(FileDatabase, DamagedFilesAreRefusedWithTheStructureMessage) {
    factory->SetDatabaseName(0, v_file);
    Populate();
    ASSERT_TRUE(factory->SaveFile(0, true));
    CTMemDbEngine::UseCompression(false);
    CTMemoryStream plain;
    Engine().WriteToStream(plain);
    const std::string text = plain.Data();
    const std::string damaged[] = {
        text.substr(0, text.size() / 2),
        std::string("QXZ") + "\x01\x02garbage",
        [&] { std::string t = text; t.replace(t.find("2 86 2 0 2 2"), 12, "2 86 2 0 2 -2"); return t; }(),
    };
    for (const std::string& bytes : damaged) {
        std::ofstream(v_file, std::ios::binary | std::ios::trunc) << bytes;
        messages.clear();
        factory->Disconnect();
        EXPECT_FALSE(factory->Connect(false));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].first, msgInvalidStructure);
        EXPECT_EQ(FillMessageParameters(StoreMessageText(messages[0].first), messages[0].second),
                  "Invalid database structure in '" + v_file + "'.");
    }
    messages.clear();
    factory->SetDatabaseName(0, v_file + ".missing");
    EXPECT_FALSE(factory->Connect(false));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, msgUnableToOpenFile);
}

}  // namespace
}  // namespace brumalis::testing
