#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "catalogue/project_records.h"
#include "objectstore/database_set.h"
#include "objectstore/mem_engine.h"
#include "tests/workflow/basket_fixture.h"
#include "workflow/main_session.h"
#include "workflow/project_file.h"

namespace brumalis {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class ProjectFileTest : public testing::BasketFixture {
protected:
    void SetUp() override {
        UnitFixture::SetUp();
        v_compression = CTMemDbEngine::UseCompression(true);
        v_signature = CTMemDbEngine::SetCompressionSignature("QXZ");
        dir = fs::temp_directory_path() / ("brumalis-project-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        brine = StoredBrine("Ethylene glycol");
        a = AddUnit("AC 100", 1.0);
        b = AddUnit("AC 200", 2.0);
        a->SetESEER(4.25);
        a->SetIPLV(5.5);
        a->Update();
        lowNoise = AddOption(*a, 2, "LN");
        pumpStd = AddOption(*a, 4, "P1");
        pumpStd->SetIsStandard(true);
        pumpStd->Update();
        pumpHigh = AddOption(*a, 4, "P2");
        network = AddOption(*b, 3, "NET");
        ReloadOptions();
        session.v_Glycols.push_back(std::make_unique<Cls_ChGlycol>(brine->GetID(), factory.get()));
        session.v_Glycols.back()->Read();
        project = std::make_unique<TProjectFile>(*factory, session);
        project->SetFileDialog([this](const TFileDialogRequest& request, std::string& szName) {
            requests.push_back(request);
            if (answers.empty()) return false;
            szName = answers.front();
            answers.erase(answers.begin());
            return true;
        });
    }
    void TearDown() override {
        project.reset();
        session.ClearWork();
        lowNoise.reset(), pumpStd.reset(), pumpHigh.reset(), network.reset();
        session.v_Glycols.clear();
        brine.reset();
        CTMemDbEngine::UseCompression(v_compression);
        CTMemDbEngine::SetCompressionSignature(v_signature);
        fs::remove_all(dir);
        BasketFixture::TearDown();
    }
    // One-unit solution of a (low noise, high pump, brine) and a plant of b twice.
    void FillBasket() {
        TChillerData da = Result(101.5);
        da.Evaporator.Brine = session.v_Glycols.front().get();
        da.Evaporator.BrinePercent = 30.0;
        const std::int32_t s = session.NextBasketSeqNr();
        a->SetChillerData(s, da);
        Comb(*a, s, "LN")->Selected = true;
        a->ResetStdPumpOption(session.v_Options, Option("P2"), s);
        basket.Add(std::make_unique<TSolution>(s, 0.0, 100.0, std::vector<Cls_ChOutdoorUnit*>{a}));
        const std::int32_t p = session.NextBasketSeqNr(2);
        b->SetChillerData(p, Result(201.0));
        b->SetChillerData(p + 1, Result(199.0));
        for (std::int32_t n : {p, p + 1}) Comb(*b, n, "NET")->Calculated = true;
        basket.Add(std::make_unique<TSolution>(p, 0.0, 380.0, std::vector<Cls_ChOutdoorUnit*>{b, b}));
    }
    // A saved project, for tests that damage it.
    fs::path SavedProject() {
        FillBasket();
        const fs::path file = dir / "kept.cpf";
        EXPECT_TRUE(project->SaveAs(file.string()));
        return file;
    }
    void ExpectRefused(const fs::path& file, const std::string& szReason) {
        const std::string szName = session.v_ProjectFileName;
        const bool bModified = session.v_ProjectModified;
        const TSolution* pFirst = basket.Empty() ? nullptr : &basket.At(0);
        const int nCount = basket.Count();
        const std::string before = fs::is_regular_file(file) ? Bytes(file) : std::string();
        dialog.shown.clear();
        EXPECT_FALSE(project->OpenFile(file.string())) << szReason;
        ASSERT_EQ(dialog.shown.size(), 1U) << szReason;
        EXPECT_EQ(dialog.shown[0].rfind(file.string() + ": ", 0), 0U) << dialog.shown[0];
        EXPECT_NE(dialog.shown[0].find("cannot read this chiller project file"), std::string::npos) << szReason;
        EXPECT_EQ(session.v_ProjectFileName, szName);
        EXPECT_EQ(session.v_ProjectModified, bModified);
        EXPECT_EQ(basket.Count(), nCount);
        if (nCount > 0) {
            EXPECT_EQ(&basket.At(0), pFirst);
        }
        if (fs::is_regular_file(file)) {
            EXPECT_EQ(Bytes(file), before);
        }
    }

    TSolutionBasket& basket = session.Basket();
    std::unique_ptr<TProjectFile> project;
    std::vector<TFileDialogRequest> requests;
    std::vector<std::string> answers;
    fs::path dir;
    std::unique_ptr<Cls_ChGlycol> brine;
    Cls_ChOutdoorUnit *a = nullptr, *b = nullptr;
    std::unique_ptr<Cls_ChOptAllowed> lowNoise, pumpStd, pumpHigh, network;

private:
    bool v_compression = false;
    std::string v_signature;
};

TEST_F(ProjectFileTest, SavingAppendsTheExtensionAndASecondSaveGoesToTheSameFileUnasked) {
    FillBasket();
    EXPECT_TRUE(session.v_ProjectModified);  // the basket changed
    answers = {(dir / "plant").string()};
    ASSERT_TRUE(project->Save());
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_TRUE(requests[0].Save);
    EXPECT_EQ(requests[0].Title, "Save project");
    EXPECT_EQ(requests[0].DefaultExt, "cpf");
    EXPECT_EQ(requests[0].Filter, "Chiller project files (*.cpf)|*.cpf|All files (*.*)|*.*");
    EXPECT_EQ(session.v_ProjectFileName, (dir / "plant.cpf").string());
    EXPECT_FALSE(session.v_ProjectModified);
    EXPECT_EQ(Bytes(dir / "plant.cpf").substr(0, 3), "QXZ");
    const auto pRecord = RecordAs<Cls_ChProject>(CTDbObject::GetUniqueRecord(Cls_ChProject::kClassID, true));
    ASSERT_TRUE(pRecord);
    EXPECT_EQ(pRecord->GetName(), ".cpf");
    EXPECT_EQ(pRecord->GetDBVersion(), "1.0");
    basket.Remove(0);
    ASSERT_TRUE(project->Save());
    EXPECT_EQ(requests.size(), 1U);
}

TEST_F(ProjectFileTest, AReopenedBasketHasTheSameUnitsDataOptionsAndTotalsAndSavesByteIdentical) {
    const fs::path file = SavedProject();
    const TChillerData plantBefore = basket.At(1).GetDataSet();
    const std::int32_t nPlantBefore = basket.At(1).GetSeqNr();
    TSolutionBasket& reopened = basket;  // the session's, replaced by the open
    TProjectFile& other = *project;
    ASSERT_TRUE(other.OpenFile(file.string()));
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_TRUE(other.v_Skipped.empty());
    ASSERT_EQ(reopened.Count(), 2);
    const TSolution& one = reopened.At(0);
    const TSolution& plant = reopened.At(1);
    EXPECT_EQ(one.GetChillers(), std::vector<Cls_ChOutdoorUnit*>{a});
    EXPECT_EQ(plant.GetChillers(), (std::vector<Cls_ChOutdoorUnit*>{b, b}));
    EXPECT_EQ(plant.GetSeqNr(), one.GetSeqNr() + 1);  // numbers never return, units take consecutive ones
    EXPECT_GT(one.GetSeqNr(), nPlantBefore + 1);
    EXPECT_DOUBLE_EQ(one.GetReqCoolCap(), 100.0);
    const TChillerData d = one.GetDataSet();
    EXPECT_DOUBLE_EQ(d.CoolData.Cap, 101.5);
    EXPECT_DOUBLE_EQ(d.CoolData.Deviation, 1.5);
    EXPECT_EQ(d.Evaporator.Brine, session.v_Glycols.front().get());
    EXPECT_DOUBLE_EQ(d.Evaporator.BrinePercent, 30.0);
    EXPECT_DOUBLE_EQ(d.SoundPressures[2], 57.3);
    EXPECT_DOUBLE_EQ(d.ESEER, 4.25);  // not stored: refilled from the catalogue
    EXPECT_DOUBLE_EQ(d.IPLV, 5.5);
    EXPECT_TRUE(Selected(*a, one.GetSeqNr(), "LN"));
    EXPECT_TRUE(Selected(*a, one.GetSeqNr(), "P2"));
    EXPECT_FALSE(Selected(*a, one.GetSeqNr(), "P1"));  // the stored pump replaces the standard one
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(Selected(*b, plant.GetSeqNr() + i, "NET"));
    const TChillerData t = plant.GetDataSet();
    EXPECT_NEAR(t.CoolData.Cap, plantBefore.CoolData.Cap, 1e-12 * plantBefore.CoolData.Cap);
    EXPECT_NEAR(t.SoundPower, plantBefore.SoundPower, 1e-12 * plantBefore.SoundPower);
    EXPECT_NEAR(t.Evaporator.WFR, plantBefore.Evaporator.WFR, 1e-12 * plantBefore.Evaporator.WFR);
    const fs::path again = dir / "again.cpf";
    ASSERT_TRUE(other.SaveAs(again.string()));
    EXPECT_EQ(Bytes(again), Bytes(file));
}

TEST_F(ProjectFileTest, UnitsAndOptionsLoadingLeavesOutAreReportedWithTheReasonAndAnEmptySolutionIsDropped) {
    const fs::path file = SavedProject();
    session.v_PrefChillers = {a};  // b's refrigerant is no longer allowed
    lowNoise->Remove();  // the unit no longer offers its low-noise version
    TSolutionBasket& reopened = basket;
    TProjectFile& other = *project;
    ASSERT_TRUE(other.OpenFile(file.string()));
    ASSERT_EQ(reopened.Count(), 1);
    EXPECT_EQ(reopened.At(0).GetChillers().front(), a);
    ASSERT_EQ(other.v_Skipped.size(), 3U);
    EXPECT_NE(other.v_Skipped[0].find("\"LN\""), std::string::npos) << other.v_Skipped[0];  // option gone
    EXPECT_EQ(other.v_Skipped[1], "Solution 2: unit \"AC 200\" was left out: its refrigerant is not allowed.");
    EXPECT_EQ(dialog.shown, other.v_Skipped);
    std::unique_ptr<Cls_ChOutdoorUnit> withdrawn = std::move(session.v_Outdoors[1]);  // b withdrawn
    session.v_Outdoors.erase(session.v_Outdoors.begin() + 1);
    TProjectFile& third = *project;
    dialog.shown.clear();
    ASSERT_TRUE(third.OpenFile(file.string()));
    ASSERT_EQ(third.v_Skipped.size(), 3U);
    EXPECT_NE(third.v_Skipped[1].find("it is not in the catalogue"), std::string::npos) << third.v_Skipped[1];
    basket.Replace({});  // the solutions go before the unit they use
}

TEST_F(ProjectFileTest, AnotherProjectVersionOrNoProjectRecordGivesTheOldVersionMessage) {
    const fs::path file = SavedProject();
    auto pRecord = RecordAs<Cls_ChProject>(CTDbObject::GetUniqueRecord(Cls_ChProject::kClassID, true));
    pRecord->SetDBVersion("2.0");
    pRecord->Update();
    const fs::path other = dir / "other.cpf";
    factory->SetDatabaseName(dbChillerProject, other.string());
    ASSERT_TRUE(factory->SaveFile(dbChillerProject, false));
    ExpectRefused(other, "other version");
    EXPECT_NE(dialog.shown[0].find("Reason: old version database."), std::string::npos);
    pRecord->Remove();
    ASSERT_TRUE(factory->SaveFile(dbChillerProject, false));
    ExpectRefused(other, "no project record");
    EXPECT_NE(dialog.shown[0].find("Reason: old version database."), std::string::npos);
    EXPECT_EQ(basket.Count(), 2);
}

TEST_F(ProjectFileTest, DamagedFilesAreRefusedWithTheReasonAndChangeNothing) {
    const fs::path file = SavedProject();
    const std::string good = Bytes(file);
    const fs::path damaged = dir / "damaged.cpf";
    for (int i = 0; i < 64; ++i) {
        Write(damaged, good.substr(0, good.size() * static_cast<std::size_t>(i) / 64));
        ExpectRefused(damaged, "cut at " + std::to_string(i) + "/64");
    }
    std::string flipped = good;
    flipped[3] = static_cast<char>(flipped[3] ^ 0x5A);
    Write(damaged, flipped);
    ExpectRefused(damaged, "flipped byte");
    Write(damaged, "ZZZ" + good.substr(3));
    ExpectRefused(damaged, "wrong signature");
    Write(damaged, "");
    ExpectRefused(damaged, "empty file");
    ExpectRefused(dir, "directory");
    ExpectRefused(dir / "missing.cpf", "missing file");
    if (::geteuid() != 0) {  // root reads whatever the permissions say
        Write(damaged, good);
        ::chmod(damaged.c_str(), 0);
        ExpectRefused(damaged, "no read permission");
    }
}

TEST_F(ProjectFileTest, ANonFiniteNumberIsRefused) {
    SavedProject();
    auto units = RecordsAs<Cls_ChSelChiller>(CTDbObject::GetAllRecords(Cls_ChSelChiller::kClassID, false));
    ASSERT_FALSE(units.empty());
    units.front()->SetCoolCap(std::numeric_limits<double>::infinity());
    units.front()->Update();
    const fs::path other = dir / "inf.cpf";
    factory->SetDatabaseName(dbChillerProject, other.string());
    ASSERT_TRUE(factory->SaveFile(dbChillerProject, false));
    ExpectRefused(other, "infinite capacity");
    EXPECT_NE(dialog.shown[0].find("not finite"), std::string::npos) << dialog.shown[0];
}

TEST_F(ProjectFileTest, TheUnsavedChangesQuestionSavesDropsOrStops) {
    FillBasket();
    // Cancel stops.
    dialog.answer = TDialogAnswer::Cancel;
    EXPECT_FALSE(project->QueryUnsavedChanges());
    EXPECT_EQ(dialog.asked, std::vector<std::string>{"Chiller project data have been adapted. Save them first?"});
    EXPECT_TRUE(session.v_ProjectModified);
    // Yes with a save that fails (cancelled dialog) stops and keeps the changes marked.
    dialog.answer = TDialogAnswer::Yes;
    EXPECT_FALSE(project->QueryUnsavedChanges());
    EXPECT_TRUE(session.v_ProjectModified);
    // Yes with a save that succeeds goes on.
    answers = {(dir / "kept.cpf").string()};
    EXPECT_TRUE(project->QueryUnsavedChanges());
    EXPECT_FALSE(session.v_ProjectModified);
    EXPECT_TRUE(fs::exists(dir / "kept.cpf"));
    // Nothing changed: no question.
    dialog.asked.clear();
    EXPECT_TRUE(project->QueryUnsavedChanges());
    EXPECT_TRUE(dialog.asked.empty());
    // No goes on without saving; the changes stay marked until an open replaces them.
    basket.Move(1, false);
    dialog.answer = TDialogAnswer::No;
    EXPECT_TRUE(project->QueryUnsavedChanges());
    EXPECT_TRUE(session.v_ProjectModified);
    EXPECT_TRUE(project->OpenFile((dir / "kept.cpf").string()));
    EXPECT_FALSE(session.v_ProjectModified);
}

TEST_F(ProjectFileTest, ACancelledOrFailedOpenKeepsTheChangesMarked) {
    FillBasket();
    dialog.answer = TDialogAnswer::No;
    EXPECT_FALSE(project->Open());  // no changes saved, then the dialog is cancelled
    EXPECT_EQ(requests.size(), 1U);
    EXPECT_FALSE(requests[0].Save);
    EXPECT_EQ(requests[0].Title, "Open project");
    EXPECT_EQ(basket.Count(), 2);
    basket.Remove(0);
    answers = {(dir / "missing.cpf").string()};
    EXPECT_FALSE(project->Open());
    EXPECT_TRUE(session.v_ProjectModified) << "a failed open must not drop the protection of later changes";
}

TEST_F(ProjectFileTest, AFailingSaveKeepsNameAndFlagAndOffersTheDialogOnce) {
    FillBasket();
    ASSERT_TRUE(project->SaveAs((dir / "first.cpf").string()));
    basket.Remove(0);
    fs::remove_all(dir);  // the known file's folder is gone
    EXPECT_FALSE(project->Save());
    EXPECT_EQ(requests.size(), 1U);  // offered once, cancelled
    EXPECT_TRUE(session.v_ProjectModified);
    EXPECT_EQ(session.v_ProjectFileName, (dir / "first.cpf").string());
    const fs::path elsewhere = fs::temp_directory_path() / ("brumalis-elsewhere-" + std::to_string(::getpid()) + ".cpf");
    answers = {elsewhere.string()};
    EXPECT_TRUE(project->Save());
    EXPECT_EQ(session.v_ProjectFileName, elsewhere.string());
    EXPECT_FALSE(session.v_ProjectModified);
    fs::remove(elsewhere);
}

}  // namespace
}  // namespace brumalis
