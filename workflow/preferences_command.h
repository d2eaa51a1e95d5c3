// What "Preferences" on the main window does around its dialog, without the
// dialog: the row the dialog opens with and what the window runs after OK.
// The pages that take part (the Settings page's reinstallation, the page
// activation) add their steps while the window is made.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "workflow/main_session.h"
#include "workflow/preferences.h"

namespace brumalis {

class TPreferencesCommand {
public:
    // The session must be loaded and outlive the command.
    explicit TPreferencesCommand(TMainSession& Session) : v_session(Session) {}

    // The Settings page's selected row; until a page gives one, the stored
    // criteria of the last run.
    void SetCriteriaSource(std::function<TSelectionCriteria()> Source) { v_criteria = std::move(Source); }
    TSelectionCriteria Criteria() const;

    // The dialog's model as it opens: the criteria copied into the values.
    TFrm_Preferences Open() const;

    // Runs after OK, in the order added; szName says what it is for.
    void AddAcceptedStep(std::string szName, std::function<void()> Step);
    std::vector<std::string> AcceptedStepNames() const;
    void Accepted() const;

private:
    struct TStep {
        std::string Name;
        std::function<void()> Run;
    };
    TMainSession& v_session;
    std::function<TSelectionCriteria()> v_criteria;
    std::vector<TStep> v_accepted;
};

}  // namespace brumalis
