#include "workflow/start_up.h"

#include <algorithm>

#include "catalogue/catalogue_schema.h"
#include "catalogue/price_records.h"
#include "catalogue/refrigerants.h"
#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "localisation/embedded_glossary.h"
#include "workflow/preferences.h"

namespace brumalis {
namespace {

constexpr const char* kUIGlossaryBlob = "UIGLOSSARY";
constexpr const char* kCatalogueGlossaryBlob = "GLOSSARY";
constexpr int kCatalogueDb = 0;

[[noreturn]] void Fail(const char* szText) { throw CTStartUpError(dialogs::TBaseMsg::Translate(szText)); }

}  // namespace

TProgramStart::TProgramStart() {
    AddStep(kStepTranslation, [](TProgramStart& s) { s.InstallTranslation(); });
    AddStep(kStepDatabaseSet, [](TProgramStart& s) { s.ConfigureDatabaseSet(); });
    AddStep(kStepCatalogueGlossary, [](TProgramStart& s) { s.AttachCatalogueGlossary(); });
    AddStep(kStepConnect, [](TProgramStart& s) { s.ConnectDatabaseSet(); });
    AddStep(kStepStructureVersion, [](TProgramStart& s) { s.CheckStructureVersion(); });
    AddStep(kStepUnits, [](TProgramStart& s) { s.SetUpUnits(); });
    AddStep(kStepRefrigerants, [](TProgramStart&) { LoadNotAllowedRefrigerants(); });
    AddStep(kStepPrices, [](TProgramStart& s) { s.LoadPrices(); });
    AddStep(kStepCatalogueLists, [](TProgramStart& s) { s.v_session->LoadCatalogue(*s.v_factory); });
    AddStep(kStepPreferences, [](TProgramStart& s) { TFrm_Preferences::ReadRegistry(*s.v_session->v_Limits); });
}

TProgramStart::~TProgramStart() {
    v_session.reset();
    if (v_factory) CTDbObject::SetDefaultFactory(nullptr);
    v_factory.reset();
    for (const TCaption& caption : v_englishCaptions) {
        TU_Form::SetSpecificString(caption.Quantity, caption.Index, caption.English);
    }
    if (v_bUIGlossary) dialogs::TBaseMsg::SetTranslateFunc({});
    if (v_bMessagesInstalled) SetMessageCallback(v_previousStoreMessages);
}

void TProgramStart::AddStep(std::string szName, TStep step) {
    v_steps.push_back(TNamedStep{std::move(szName), std::move(step)});
}

bool TProgramStart::InsertStepBefore(std::string_view szAnchor, std::string szName, TStep step) {
    return InsertStepAt(szAnchor, 0, std::move(szName), std::move(step));
}

bool TProgramStart::InsertStepAfter(std::string_view szAnchor, std::string szName, TStep step) {
    return InsertStepAt(szAnchor, 1, std::move(szName), std::move(step));
}

bool TProgramStart::InsertStepAt(std::string_view szAnchor, int nOffset, std::string szName, TStep step) {
    const auto anchor =
        std::find_if(v_steps.begin(), v_steps.end(), [&](const TNamedStep& named) { return named.Name == szAnchor; });
    if (anchor == v_steps.end()) return false;
    v_steps.insert(anchor + nOffset, TNamedStep{std::move(szName), std::move(step)});
    return true;
}

std::vector<std::string> TProgramStart::StepNames() const {
    std::vector<std::string> names;
    for (const TNamedStep& step : v_steps) names.push_back(step.Name);
    return names;
}

TStartUpResult TProgramStart::Run() {
    TStartUpResult result;
    for (const TNamedStep& step : v_steps) {
        const auto start = std::chrono::steady_clock::now();
        try {
            step.Step(*this);
        } catch (const std::exception& e) {
            result.Ok = false;
            result.FailedStep = step.Name;
            result.Message = e.what();
        }
        result.Steps.push_back(TStartUpStepTime{step.Name, std::chrono::duration_cast<std::chrono::microseconds>(
                                                               std::chrono::steady_clock::now() - start)});
        if (!result.Ok) break;
    }
    return result;
}

// Without the glossary (missing, unreadable, or BRUMALIS_LANGUAGE=en) the
// program runs in its built-in English.
void TProgramStart::InstallTranslation() {
    v_previousStoreMessages = dialogs::InstallStoreMessageDisplay();
    v_bMessagesInstalled = true;
    if (dialogs::TBaseMsg::TranslationDisabled()) return;
    v_bUIGlossary = LoadEmbeddedGlossary(v_uiGlossary, kUIGlossaryBlob, "UIGlossary");
    if (!v_bUIGlossary) return;
    dialogs::TBaseMsg::SetTranslateFunc(
        [this](const std::string& szText) { return v_uiGlossary.Translate(szText).value_or(szText); });
}

// The captions the main window takes from its translated labels: every unit
// caption through the user-interface glossary.
void TProgramStart::SetUpUnits() {
    TU_Form::InitializeUnits();
    TU_Form::AddDisplayUnits();
    if (!v_bUIGlossary) return;
    for (int q = 0; q < kUnitQuantityCount; ++q) {
        const auto quantity = static_cast<U_RepUnit>(q);
        for (int i = 0; i < TU_Form::DimensionCount(quantity); ++i) {
            const std::string english = TU_Form::GetSpecificString(quantity, i);
            v_englishCaptions.push_back(TCaption{quantity, i, english});
            TU_Form::SetSpecificString(quantity, i, dialogs::TBaseMsg::Translate(english));
        }
    }
}

void TProgramStart::ConfigureDatabaseSet() {
    v_factory = SetUpCatalogueDatabaseSet();
    v_session = std::make_unique<TMainSession>();
}

// The catalogue's multilingual texts (compressor and option names)
// translate through it; a failure leaves them English.
void TProgramStart::AttachCatalogueGlossary() {
    if (dialogs::TBaseMsg::TranslationDisabled()) return;
    v_bCatalogueGlossary = LoadEmbeddedGlossary(v_catalogueGlossary, kCatalogueGlossaryBlob, "Glossary");
    if (v_bCatalogueGlossary) v_factory->SetGlossary(kCatalogueDb, &v_catalogueGlossary);
}

void TProgramStart::ConnectDatabaseSet() {
    if (!v_factory->Connect(false) || !v_factory->DatabaseConnected(dbDeviceDatabase)) {
        Fail("The embedded catalogue cannot be read.");
    }
}

void TProgramStart::CheckStructureVersion() {
    if (!Cls_DdbVersionInfo::CheckVersion(ExpectedStructureVersion(), v_factory.get(), false)) {
        Fail("The embedded catalogue has another structure version than the program.");
    }
}

// The prices file the user chose in the desktop program, when there is one.
void TProgramStart::LoadPrices() {
    if (!Cls_PriceAndPrefsFile::GetFileName(kPriceFileKey, false).empty()) {
        Cls_PriceAndPrefsFile::LoadFile(kPriceFileKey, false);
    }
}

}  // namespace brumalis
