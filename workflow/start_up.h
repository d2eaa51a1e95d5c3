// The program's start as both front ends run it: the user-interface
// glossary, the database set with the catalogue glossary, the structure
// version, the unit system, the refrigerants, the prices file, the catalogue
// lists and the preferences. A list of named steps, each timed; a front end
// appends its own steps (shell entries, instance control, windows) and runs
// the same list.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/units.h"
#include "localisation/glossary.h"
#include "objectstore/database_set.h"
#include "objectstore/store_messages.h"
#include "workflow/main_session.h"

namespace brumalis {

// A step that cannot go on raises this; the message is for the user.
class CTStartUpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TStartUpStepTime {
    std::string Name;
    std::chrono::microseconds Duration{0};
};

// What became of a start: Ok, or the step that failed with its message
// (translated). Steps lists every step that ran, the failed one last.
struct TStartUpResult {
    bool Ok = true;
    std::string FailedStep;
    std::string Message;
    std::vector<TStartUpStepTime> Steps;
};

class TProgramStart {
public:
    using TStep = std::function<void(TProgramStart&)>;

    // Step names, in the order they run.
    static constexpr const char* kStepTranslation = "User-interface glossary";
    static constexpr const char* kStepDatabaseSet = "Database set";
    static constexpr const char* kStepCatalogueGlossary = "Catalogue glossary";
    static constexpr const char* kStepConnect = "Connect";
    static constexpr const char* kStepStructureVersion = "Structure version";
    static constexpr const char* kStepUnits = "Units";
    static constexpr const char* kStepRefrigerants = "Refrigerants";
    static constexpr const char* kStepPrices = "Prices file";
    static constexpr const char* kStepCatalogueLists = "Catalogue lists";
    static constexpr const char* kStepPreferences = "Preferences";

    // The registry key under which the desktop program keeps the prices file's name.
    static constexpr const char* kPriceFileKey = "Software\\Orvane";

    TProgramStart();
    // Undoes what the steps installed process-wide (default factory,
    // translation, message display); the session goes before the factory.
    ~TProgramStart();
    TProgramStart(const TProgramStart&) = delete;
    TProgramStart& operator=(const TProgramStart&) = delete;

    // A front end's own step, run after the ones before it.
    void AddStep(std::string szName, TStep step);
    // A step run just before, or just after, the step named szAnchor; false
    // (nothing added) when there is no such step.
    bool InsertStepBefore(std::string_view szAnchor, std::string szName, TStep step);
    bool InsertStepAfter(std::string_view szAnchor, std::string szName, TStep step);
    std::vector<std::string> StepNames() const;

    // Runs every step once, in order, stopping at the first failure.
    TStartUpResult Run();

    // Valid after a successful Run.
    CTFactory& Factory() { return *v_factory; }
    TMainSession& Session() { return *v_session; }
    // None when the glossary was missing, unreadable or translation is off.
    const CTGlossary* UIGlossary() const { return v_bUIGlossary ? &v_uiGlossary : nullptr; }
    const CTGlossary* CatalogueGlossary() const { return v_bCatalogueGlossary ? &v_catalogueGlossary : nullptr; }

private:
    bool InsertStepAt(std::string_view szAnchor, int nOffset, std::string szName, TStep step);
    void InstallTranslation();
    void ConfigureDatabaseSet();
    void AttachCatalogueGlossary();
    void ConnectDatabaseSet();
    void CheckStructureVersion();
    void SetUpUnits();
    void LoadPrices();

    struct TNamedStep {
        std::string Name;
        TStep Step;
    };
    std::vector<TNamedStep> v_steps;
    // The unit system is process-wide: its captions go back to English.
    struct TCaption {
        U_RepUnit Quantity;
        int Index;
        std::string English;
    };
    std::vector<TCaption> v_englishCaptions;
    // Declared before the factory: the engines translate through them.
    CTGlossary v_uiGlossary;
    CTGlossary v_catalogueGlossary;
    bool v_bUIGlossary = false;
    bool v_bCatalogueGlossary = false;
    bool v_bMessagesInstalled = false;
    CTMessageCallback v_previousStoreMessages;
    std::unique_ptr<CTFactory> v_factory;
    std::unique_ptr<TMainSession> v_session;
};

}  // namespace brumalis
