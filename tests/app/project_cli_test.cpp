#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/cli_args.h"
#include "app/cli_project.h"
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
    EXPECT_NE(err.find("File exists"), std::string::npos) << err;
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

}  // namespace
}  // namespace brumalis::app
