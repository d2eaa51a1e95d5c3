// A settings store of the test's own, in memory, that stands in for the
// process's registry for as long as it lives.
#pragma once

#include <memory>

#include "platform/settings_store.h"

namespace brumalis::testing {

class TPrivateRegistry : public platform::CTRegistry {
public:
    TPrivateRegistry()
        : platform::CTRegistry(std::make_shared<platform::CTMemorySettingsStore>(),
                               std::make_shared<platform::CTMemorySettingsStore>(true)) {}

private:
    platform::CTRegistrySubstitute v_substitute{*this};
};

}  // namespace brumalis::testing
