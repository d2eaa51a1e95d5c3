#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/cli_args.h"
#include "app/cli_chiller.h"
#include "app/cli_project.h"
#include "workflow/project_file.h"
#include "tests/workflow/shipped_workflow_fixture.h"

namespace brumalis::app {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every command on the embedded catalogue with a private settings store, in a folder of its own.
class ProjectCommands : public testing::ShippedWorkflow {
protected:
    void SetUp() override {
        ShippedWorkflow::SetUp();
        dir = fs::temp_directory_path() / ("brumalis-project-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "plant.cpf").string();
    }
    void TearDown() override {
        fs::remove_all(dir);
        ShippedWorkflow::TearDown();
    }
    // The exit code; a refusal (exit 1) or bad usage (exit 2) as the program's main maps them.
    int Run(int (*command)(const std::vector<std::string>&, std::ostream&, std::ostream&),
            const std::vector<std::string>& args) {
        std::ostringstream o, e;
        int rc = 0;
        try {
            rc = command(args, o, e);
        } catch (const CTUsageError& x) {
            e << x.what();
            rc = 2;
        } catch (const std::exception& x) {
            e << x.what();
            rc = 1;
        }
        out = o.str();
        err = e.str();
        return rc;
    }
    // Selections of "add" leave the stored preferences alone.
    int Basket(std::vector<std::string> args) {
        if (args.front() == "add") args.push_back("--no-store");
        return Run(RunBasket, args);
    }
    int Options(std::vector<std::string> args) {
        args.insert(args.end(), {"--condenser", "air", "--family", "cooling", "--cooling", "350", "--no-store"});
        return Run(RunOptions, args);
    }
    int Plant(std::vector<std::string> args) {
        args.insert(args.end(), {"--condenser", "air", "--family", "cooling", "--cooling", "700", "--no-store"});
        return Run(RunPlant, args);
    }
    std::string Show(const std::string& szFile) {
        EXPECT_EQ(Run(RunProject, {"show", szFile}), 0) << err;
        return out;
    }

    fs::path dir;
    std::string file, out, err;
};

TEST_F(ProjectCommands, ANewProjectRefusesAnExistingFile) {
    ASSERT_EQ(Run(RunProject, {"new", file}), 0) << err;
    const std::string empty = Bytes(file);
    EXPECT_EQ(empty.substr(0, 3), "QXZ");
    EXPECT_EQ(Run(RunProject, {"new", file}), 1);
    EXPECT_NE(err.find("exists already"), std::string::npos) << err;
    EXPECT_EQ(Bytes(file), empty);
    EXPECT_NE(Show(file).find("(no solutions)"), std::string::npos) << out;
    EXPECT_EQ(Run(RunProject, {"frobnicate", file}), 2);
}

TEST_F(ProjectCommands, AddedResultsReopenAsTheyWereShownAndSaveByteIdentical) {
    ASSERT_EQ(Run(RunProject, {"new", file}), 0) << err;
    ASSERT_EQ(Basket({"add", file, "--condenser", "air", "--family", "cooling", "--cooling", "350"}), 0) << err;
    EXPECT_NE(err.find("Solution has been added to the basket."), std::string::npos);
    ASSERT_EQ(Basket({"add", file, "--condenser", "air", "--family", "cooling", "--cooling", "350", "--pick", "2"}), 0)
        << err;
    const std::string shown = out;
    EXPECT_EQ(Show(file), shown);  // the command printed what the file holds
    EXPECT_NE(shown.find("   ESEER"), std::string::npos);
    const std::string copy = (dir / "copy.cpf").string();
    ASSERT_EQ(Run(RunProject, {"save", file, "--as", copy}), 0) << err;
    EXPECT_EQ(Bytes(copy), Bytes(file));
    EXPECT_EQ(Run(RunProject, {"save", file, "--as", copy}), 1) << "an existing file is not overwritten";

    ASSERT_EQ(Basket({"move", file, "1", "right"}), 0) << err;
    EXPECT_NE(out, shown);
    const std::string moved = Bytes(file);
    EXPECT_EQ(Basket({"move", file, "2", "right"}), 1);
    EXPECT_EQ(Basket({"remove", file, "3"}), 1);
    EXPECT_EQ(Basket({"move", file, "1", "up"}), 2);
    EXPECT_EQ(Bytes(file), moved);
    ASSERT_EQ(Basket({"move", file, "2", "left"}), 0) << err;
    EXPECT_EQ(Bytes(file), Bytes(copy)) << "moved back: the same file";
    ASSERT_EQ(Basket({"remove", file, "1"}), 0) << err;
    ASSERT_EQ(Basket({"remove", file, "1"}), 0) << err;
    EXPECT_NE(out.find("(no solutions)"), std::string::npos);
}

TEST_F(ProjectCommands, ADamagedOrMissingFileIsRefusedAndLeftAsItWas) {
    ASSERT_EQ(Run(RunProject, {"new", file}), 0) << err;
    ASSERT_EQ(Basket({"add", file, "--condenser", "air", "--family", "cooling", "--cooling", "350"}), 0) << err;
    std::string bytes = Bytes(file);
    bytes.resize(bytes.size() / 2);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    EXPECT_EQ(Basket({"add", file, "--condenser", "air", "--family", "cooling", "--cooling", "350"}), 1);
    EXPECT_NE(err.find(file + ": The Brumalis program cannot read this chiller project file."), std::string::npos)
        << err;
    EXPECT_NE(err.find("was not changed"), std::string::npos) << err;
    EXPECT_EQ(Bytes(file), bytes);
    EXPECT_EQ(Run(RunProject, {"show", file}), 1);
    EXPECT_EQ(Basket({"remove", (dir / "missing.cpf").string(), "1"}), 1);
    EXPECT_FALSE(fs::exists(dir / "missing.cpf"));
    EXPECT_EQ(Basket({"remove", dir.string(), "1"}), 1);
}

TEST_F(ProjectCommands, OptionFlagsGoThroughTheChecksAndARefusalStopsTheCommand) {
    EXPECT_EQ(Options({"--tick", "TK", "--kit", "AV", "--untick", "AV"}), 0) << err;
    EXPECT_NE(out.find("[x] TK - "), std::string::npos) << out;
    EXPECT_NE(out.find("[ ] AV - "), std::string::npos) << out;
    EXPECT_EQ(Options({"--tick", "LN1", "--tick", "LN2"}), 1);
    EXPECT_NE(err.find("conflicts with the selected option"), std::string::npos) << err;  // 221
    EXPECT_NE(err.find("--tick LN2: refused"), std::string::npos) << err;
    EXPECT_EQ(Options({"--tick", "XYZ"}), 1);
    EXPECT_NE(err.find("the unit offers: "), std::string::npos) << err;
    EXPECT_EQ(Options({"--hr-leaving", "45"}), 1) << "no recovery option worked on";
    EXPECT_EQ(Options({"--tick", "P1", "--answer", "maybe"}), 2);

    // Question 269 answered by --answer; without one (and no terminal) the command stops naming it.
    if (!::isatty(STDIN_FILENO)) {
        EXPECT_EQ(Options({"--tick", "P1"}), 1);
        EXPECT_NE(err.find("question 269 needs an answer"), std::string::npos) << err;
    }
    EXPECT_EQ(Options({"--tick", "P1", "--answer", "no"}), 1);
    EXPECT_NE(err.find("Accept this option? no"), std::string::npos) << err;
    ASSERT_EQ(Options({"--tick", "P2", "--answer", "yes", "--json"}), 0) << err;
    EXPECT_NE(out.find(R"({"name":"P2","type":4,"kit":false,"selected":true)"), std::string::npos) << out;
    EXPECT_NE(out.find(R"({"name":"P1","type":4,"kit":false,"selected":false)"), std::string::npos) << out;
    EXPECT_NE(out.find(R"("messages":[{"number":269,"text":)"), std::string::npos) << out;

    // The recovery option with its leaving temperature recomputes the unit.
    ASSERT_EQ(Options({"--tick", "HR", "--hr-leaving", "40", "--json"}), 0) << err;
    const std::string at40 = out;
    ASSERT_EQ(Options({"--tick", "HR", "--hr-leaving", "50", "--json"}), 0) << err;
    EXPECT_NE(out, at40);
    EXPECT_NE(out.find(R"("heat_recovery":{"cc_kw":)"), std::string::npos) << out;
    EXPECT_EQ(Options({"--tick", "HR", "--hr-leaving", "abc"}), 1);

    // In the basket: a refused step leaves the file as it was.
    ASSERT_EQ(Run(RunProject, {"new", file}), 0) << err;
    const std::string empty = Bytes(file);
    EXPECT_EQ(Basket({"add", file, "--condenser", "air", "--family", "cooling", "--cooling", "350", "--tick", "LN1",
                      "--tick", "LN2"}),
              1);
    EXPECT_NE(err.find("was not changed"), std::string::npos) << err;
    EXPECT_EQ(Bytes(file), empty);
    ASSERT_EQ(Basket({"add", file, "--condenser", "air", "--family", "cooling", "--cooling", "350", "--tick", "LN1",
                      "--json"}),
              0)
        << err;
    EXPECT_NE(out.find(R"({"name":"LN1","type":2,"kit":false,"selected":true)"), std::string::npos) << out;
}

TEST_F(ProjectCommands, APlantIsBuiltByTheRulesAndGoesIntoTheBasketOnlyWhenEveryStepSucceeded) {
    ASSERT_EQ(Run(RunProject, {"new", file}), 0) << err;
    const std::string empty = Bytes(file);
    EXPECT_EQ(Plant({"--unit", "1", "--unit", "1", "--capacity", "0", "--add-to", file}), 1);
    EXPECT_NE(err.find("0"), std::string::npos) << err;
    EXPECT_EQ(Bytes(file), empty);
    EXPECT_EQ(Plant({"--unit", "1", "--unit", "9", "--add-to", file}), 1);
    EXPECT_EQ(Plant({"--unit", "1", "--tick", "3:LN1"}), 1) << "a plant of one has no third unit";
    EXPECT_EQ(Bytes(file), empty);
    EXPECT_EQ(Plant({}), 2);

    ASSERT_EQ(Plant({"--unit", "1", "--unit", "1", "--unit", "1", "--capacity", "2000", "--tick", "2:LN1", "--json"}), 0)
        << err;
    EXPECT_NE(out.find(R"("kind":"plant","required_cooling_kw":2000)"), std::string::npos) << out;
    EXPECT_NE(out.find(R"("seq_nr":40002)"), std::string::npos) << "consecutive numbers: " << out;
    EXPECT_NE(out.find(R"({"name":"NET","type":3,"kit":false,"selected":true,"calculated":true)"), std::string::npos)
        << "the network option counts as calculated: " << out;
    ASSERT_EQ(Plant({"--unit", "1", "--unit", "1", "--tick", "2:LN1", "--add-to", file}), 0) << err;
    EXPECT_NE(Show(file).find("Plant"), std::string::npos) << out;
}

TEST_F(ProjectCommands, AReopenedProjectShowsTheSameAndADisallowedRefrigerantIsReported) {
    ASSERT_EQ(Run(RunProject, {"new", file}), 0) << err;
    ASSERT_EQ(Basket({"add", file, "--condenser", "air", "--family", "cooling", "--cooling", "350", "--tick", "LN1",
                      "--tick", "P2", "--answer", "yes"}),
              0)
        << err;
    ASSERT_EQ(Basket({"add", file, "--condenser", "air", "--family", "cooling", "--cooling", "350", "--tick", "HR",
                      "--hr-leaving", "48"}),
              0)
        << err;
    ASSERT_EQ(Plant({"--unit", "1", "--unit", "1", "--unit", "1", "--unit", "1", "--add-to", file}), 0) << err;
    ASSERT_EQ(Basket({"add", file, "--condenser", "air", "--family", "heatpump", "--heating", "200", "--mode",
                      "heating"}),
              0)
        << err;
    const std::string text = Show(file);
    ASSERT_EQ(Run(RunProject, {"show", file, "--json"}), 0) << err;
    const std::string json = out;
    EXPECT_NE(json.find(R"("eseer":)"), std::string::npos);
    EXPECT_EQ(Show(file), text);
    ASSERT_EQ(Run(RunProject, {"show", file, "--json"}), 0) << err;
    EXPECT_EQ(out, json);
    const std::string copy = (dir / "copy.cpf").string(), again = (dir / "again.cpf").string();
    ASSERT_EQ(Run(RunProject, {"save", file, "--as", copy}), 0) << err;
    ASSERT_EQ(Run(RunProject, {"save", copy, "--as", again}), 0) << err;
    EXPECT_EQ(Bytes(again), Bytes(copy));
    EXPECT_EQ(Bytes(copy), Bytes(file));

    // The units' refrigerant is no longer allowed: they are left out with the reason.
    TMainSession& session = Started();
    TProjectFile project(start->Factory(), session);
    ASSERT_TRUE(project.OpenFile(file));
    std::int32_t nCls = 0, nRefrigerant = 0;
    session.Basket().At(0).GetChillers().front()->GetRefrigerant_REF(nCls, nRefrigerant);
    CTRecordList<Cls_Refrigerant> refused;
    for (auto& p : Cls_Refrigerant::GetAppliedRefrigerants()) {
        if (p->GetID() == nRefrigerant) refused.push_back(std::move(p));
    }
    ASSERT_EQ(refused.size(), 1U);
    Cls_Refrigerant::SetNotAllowedRefrigerants(refused);
    refused.clear();  // records of the engine that goes with the start
    start.reset();
    ASSERT_EQ(Run(RunProject, {"show", file}), 0) << err;
    EXPECT_NE(out.find("its refrigerant is not allowed"), std::string::npos) << out;
    EXPECT_NE(err.find("its refrigerant is not allowed"), std::string::npos) << err;
    Cls_Refrigerant::SetNotAllowedRefrigerants({});
}

TEST_F(ProjectCommands, TheChillersPageChoosesAUnitAndShowsItsDataSheet) {
    ASSERT_EQ(Run(RunChiller, {"--condenser", "air", "--family", "cooling"}), 0) << err;
    EXPECT_NE(out.find("[x] Air cooled"), std::string::npos) << out;
    EXPECT_NE(out.find("   [ ] Remote condenser"), std::string::npos) << out;
    EXPECT_NE(out.find("   [ ] ACB\n"), std::string::npos) << out;
    EXPECT_EQ(Run(RunChiller, {"--series", "ACB"}), 1) << "a series needs its condenser and family";
    ASSERT_EQ(Run(RunChiller, {"--condenser", "air", "--family", "cooling", "--series", "acb"}), 0) << err;
    EXPECT_NE(out.find("[ ] ACB 350\n"), std::string::npos) << out;

    ASSERT_EQ(Run(RunChiller, {"ACB 350", "--low-noise", "LN1", "--distance", "10", "--pictures", dir.string()}), 0)
        << err;
    EXPECT_NE(out.find("Regular table and low noise table are identical"), std::string::npos) << out;
    EXPECT_NE(out.find("Photograph: 480 x 320"), std::string::npos) << out;
    EXPECT_TRUE(fs::exists(dir / "ACB_350-photo.emf"));
    EXPECT_TRUE(fs::exists(dir / "ACB_350-drawing.emf"));
    EXPECT_EQ(Run(RunChiller, {"ACB 350", "--distance", "30"}), 1);
    EXPECT_EQ(Run(RunChiller, {"ACB 350", "--hr", "NOPE"}), 1);
    EXPECT_NE(err.find("HR - "), std::string::npos) << "the options offered are named: " << err;
    EXPECT_EQ(Run(RunChiller, {"ACB 350", "--pictures", (dir / "missing").string()}), 1);
}

}  // namespace
}  // namespace brumalis::app
