#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/process.h"
#include "platform/program_path.h"
#include "platform/self_deletion.h"
#include "process_fixture.h"

namespace brumalis::platform {
namespace {

using namespace std::chrono_literals;
using testing::CTPrivateFolder;
using testing::CTScopedEnv;
namespace fs = std::filesystem;

const std::string Helper = BRUMALIS_PROCESS_HELPER;

TEST(CommandLine, AnUninstallRunIsTheMarkerAlone) {
    EXPECT_TRUE(IsRunningUninstall({"/uninstall"}));
    EXPECT_TRUE(IsRunningUninstall({"/UNINSTALL"}));
    EXPECT_FALSE(IsRunningUninstall({"/UNINSTALL", "x.cpf"}));
    EXPECT_FALSE(IsRunningUninstall({"/uninstallx"}));
    EXPECT_FALSE(IsRunningUninstall({}));
}

TEST(CommandLine, TheCopysShapeIsExact) {
    EXPECT_TRUE(IsRunningClone({"PID:3", "EXE:\"/opt/orvane/brumalis\""}));
    EXPECT_TRUE(IsRunningClone({"PID:3", "EXE:\"/opt/a \"b\"/brumalis\""}));  // the path runs to the last quote
    for (const TParameters& params : std::vector<TParameters>{
             {"/home/ana/PID:3 EXE:\"x\"/p.cpf"},          // one parameter holding both markers
             {"PID:3 EXE:\"/opt/orvane/brumalis\""},
             {"PID:3", "EXE:\"/opt/orvane/brumalis\"", "third"},
             {"PID:", "EXE:\"/opt/orvane/brumalis\""},
             {"PID:3a", "EXE:\"/opt/orvane/brumalis\""},
             {"PID:99999999999", "EXE:\"/opt/orvane/brumalis\""},
             {"PID:3", "EXE:/opt/orvane/brumalis"},        // unquoted
             {"PID:3", "EXE:\"/opt/orvane/brumalis"},
             {"PID:3", "EXE:\"/opt/orvane/brumalis\"x"},
             {"PID:3", "EXE:\"\""},
             {"PID:3", "EXE:\"relative\""},
             {"EXE:\"/opt/orvane/brumalis\"", "PID:3"}}) {
        EXPECT_FALSE(IsRunningClone(params)) << ::testing::PrintToString(params);
    }
}

// ---- The copy's side, run in this process ---------------------------------

class DeletionCopy : public ::testing::Test {
protected:
    DeletionCopy() {
        testing::WriteFile(v_self, "image of the program");
        testing::WriteFile(v_twin, "image of the program");
        testing::WriteFile(v_other, "somebody's project");
        EXPECT_EQ(::pipe2(v_pipe, O_CLOEXEC), 0);
        ::close(v_pipe[1]);  // the uninstalling process has already ended
    }
    ~DeletionCopy() override { ::close(v_pipe[0]); }

    TParameters Line(const std::string& szTarget, int nFd) const {
        return {"PID:" + std::to_string(nFd), "EXE:\"" + szTarget + "\""};
    }

    CTPrivateFolder v_folder;
    CTPrivateFolder v_runtime;
    CTScopedEnv v_tmp{"TMPDIR", v_folder.Path().string()};
    CTScopedEnv v_env{"XDG_RUNTIME_DIR", v_runtime.Path().string()};
    std::string v_self = v_folder / "self";
    std::string v_twin = v_folder / "twin";
    std::string v_other = v_folder / "other.cpf";
    CTProgramPathSubstitute v_program{v_self};
    int v_pipe[2] = {-1, -1};
};

TEST_F(DeletionCopy, OnlyAFileThatIsThisProgramIsDeleted) {
    EXPECT_TRUE(DeleteExecutable(false, Line(v_other, v_pipe[0])));
    EXPECT_TRUE(fs::exists(v_other));
    EXPECT_TRUE(DeleteExecutable(false, Line(v_folder / "missing", v_pipe[0])));
    EXPECT_TRUE(DeleteExecutable(false, Line(v_twin, v_pipe[0])));
    EXPECT_FALSE(fs::exists(v_twin));
    EXPECT_TRUE(fs::exists(v_self));  // not a deletion copy: it keeps its file
}

TEST_F(DeletionCopy, CraftedLinesDeleteNothing) {
    const int file = ::open(v_other.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_TRUE(DeleteExecutable(false, Line(v_twin, file)));  // no pipe: no uninstall run made it
    EXPECT_TRUE(DeleteExecutable(false, Line(v_twin, 987)));
    ::close(file);
    EXPECT_FALSE(DeleteExecutable(false, {"PID:" + std::to_string(v_pipe[0]) + " EXE:\"" + v_twin + "\""}));
    EXPECT_FALSE(DeleteExecutable(true, {"PID:" + std::to_string(v_pipe[0]) + " EXE:\"" + v_twin + "\""}));
    EXPECT_FALSE(DeleteExecutable(false, {"/uninstall"}));
    fs::create_symlink(v_self, v_folder / "link");
    EXPECT_TRUE(DeleteExecutable(false, Line(v_folder / "link", v_pipe[0])));
    EXPECT_TRUE(fs::is_symlink(v_folder / "link"));
    for (const std::string& file : {v_self, v_twin, v_other}) EXPECT_TRUE(fs::exists(file)) << file;
}

TEST_F(DeletionCopy, ACopyInTheTemporaryFolderRemovesItselfAtOnce) {
    const std::string copy = v_folder / "DelA1b2C3";
    testing::WriteFile(copy, "image of the program");
    const CTProgramPathSubstitute asCopy(copy);
    EXPECT_TRUE(DeleteExecutable(false, Line(v_twin, v_pipe[0])));
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_FALSE(fs::exists(v_twin));
}

TEST_F(DeletionCopy, WhenTheCopyCannotStartTheFileIsRemovedDirectly) {
    // A program whose copy cannot be executed, as on a noexec temporary folder.
    testing::WriteFile(v_self, "#!/nonexistent/interpreter\n");
    fs::permissions(v_self, fs::perms::owner_all);
    EXPECT_TRUE(DeleteExecutable(true, {"/uninstall"}));
    EXPECT_FALSE(fs::exists(v_self));
    for (const auto& entry : fs::directory_iterator(v_folder.Path())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with("Del")) << entry.path();
    }
    EXPECT_TRUE(fs::is_empty(v_runtime.Path()));
}

// ---- Both processes -------------------------------------------------------

TEST(SelfDeletion, AnUninstalledProgramIsGoneAndLeavesNothingBehind) {
    const CTPrivateFolder install;
    const CTPrivateFolder tmp;
    const CTPrivateFolder runtime;
    const CTScopedEnv tmpEnv("TMPDIR", tmp.Path().string());
    const CTScopedEnv runtimeEnv("XDG_RUNTIME_DIR", runtime.Path().string());
    const fs::path program = install.Path() / "brumalis";
    fs::copy_file(Helper, program);

    const auto run = SpawnProcess({program.string(), {"uninstall", "-"}, {}});
    ASSERT_TRUE(run);
    const auto status = run->WaitForExit(25s);
    ASSERT_TRUE(status);
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_TRUE(testing::Eventually([&] { return !fs::exists(program); }, 25s));
    EXPECT_TRUE(fs::is_empty(tmp.Path()));
    EXPECT_TRUE(fs::is_empty(runtime.Path()));
}

}  // namespace
}  // namespace brumalis::platform
