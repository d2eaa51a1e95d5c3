// Arbitrary bytes opened as a project file on the shipped catalogue: the
// whole check (container, EDI text with its extended section, project
// version, finite numbers) and the basket built from what passes. An open
// either fails cleanly, leaving the basket as it was, or succeeds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "dialogs/messages.h"
#include "platform/settings_store.h"
#include "workflow/project_file.h"
#include "workflow/start_up.h"

namespace {

using namespace brumalis;

struct TFuzzProject {
    TFuzzProject()
        : registry(std::make_shared<platform::CTMemorySettingsStore>(),
                   std::make_shared<platform::CTMemorySettingsStore>(true)),
          substitute(registry) {
        if (!start.Run().Ok) std::abort();
        dialogs::TBaseMsg::SetMessageSink([](const std::string&, int) {});
        project = std::make_unique<TProjectFile>(start.Factory(), start.Session());
    }
    platform::CTRegistry registry;
    platform::CTRegistrySubstitute substitute;
    TProgramStart start;
    std::unique_ptr<TProjectFile> project;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TFuzzProject fuzz;
    const int nBefore = fuzz.start.Session().Basket().Count();
    if (!fuzz.project->OpenBytes("fuzz.cpf", std::string(reinterpret_cast<const char*>(data), size)) &&
        fuzz.start.Session().Basket().Count() != nBefore) {
        std::abort();  // a failed open changed the basket
    }
    return 0;
}
