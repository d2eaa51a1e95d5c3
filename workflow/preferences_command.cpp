#include "workflow/preferences_command.h"

namespace brumalis {

TSelectionCriteria TPreferencesCommand::Criteria() const {
    if (v_criteria) return v_criteria();
    const TPreferences& prefs = TFrm_Preferences::Values();
    return TSelectionCriteria{prefs.CONDENSER, prefs.FAMILY, prefs.REFRIGERANT, prefs.COMPRESSOR};
}

TFrm_Preferences TPreferencesCommand::Open() const { return TFrm_Preferences(*v_session.v_Limits, Criteria()); }

void TPreferencesCommand::AddAcceptedStep(std::string szName, std::function<void()> Step) {
    v_accepted.push_back(TStep{std::move(szName), std::move(Step)});
}

std::vector<std::string> TPreferencesCommand::AcceptedStepNames() const {
    std::vector<std::string> names;
    for (const TStep& step : v_accepted) names.push_back(step.Name);
    return names;
}

void TPreferencesCommand::Accepted() const {
    for (const TStep& step : v_accepted) step.Run();
}

}  // namespace brumalis
