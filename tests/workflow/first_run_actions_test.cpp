// The start-up actions as the main window runs them: its run-count
// identifier and registry root.
#include <gtest/gtest.h>

#include <memory>

#include "platform/build_identity.h"
#include "platform/settings_store.h"
#include "workflow/first_run_actions.h"

namespace brumalis {
namespace {

TEST(FirstRunActions, CountUnderTheProgramsRootByProgramAndCatalogueVersion) {
    auto pUser = std::make_shared<platform::CTMemorySettingsStore>();
    platform::CTRegistry registry(pUser, std::make_shared<platform::CTMemorySettingsStore>());
    const platform::CTRegistrySubstitute use(registry);
    const std::string szID = platform::CTVersionUtils::GetVersionStringEx(" - ", "") + " EU 3.3.4";
    EXPECT_EQ(RunCountIdentifier("EU 3.3.4"), szID);

    int nFirstRuns = 0;
    int nHints = 0;
    const online::TFrmAutoUpgradeHint::TCallbacks callbacks{[&] { ++nFirstRuns; }, [&](std::string_view) { ++nHints; }};
    RunFirstRunActions("Brumalis", "EU 3.3.4", {}, callbacks);
    RunFirstRunActions("Brumalis", "EU 3.3.4", {}, callbacks);
    EXPECT_EQ(nFirstRuns, 1);
    EXPECT_EQ(nHints, 2);
    EXPECT_EQ(pUser->ReadString("Software\\Orvane\\Brumalis\\Version", "Name", ""), szID);
    EXPECT_EQ(pUser->ReadInteger("Software\\Orvane\\Brumalis\\Version", "Used", 0), 2);
    // A new catalogue is a new version to count.
    RunFirstRunActions("Brumalis", "EU 3.3.5", {}, callbacks);
    EXPECT_EQ(nFirstRuns, 2);
    EXPECT_EQ(pUser->ReadInteger("Software\\Orvane\\Brumalis\\Version", "Used", 0), 1);
}

}  // namespace
}  // namespace brumalis
