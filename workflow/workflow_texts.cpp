#include "workflow/workflow_texts.h"

#include "catalogue/user_dialog.h"
#include "dialogs/messages.h"

namespace brumalis {

std::string WorkflowText(const std::string& szEnglish, const std::vector<std::string>& params) {
    std::string szText = dialogs::TBaseMsg::Translate(szEnglish);
    // From the highest number down, so that "$1" does not eat the start of "$10".
    for (std::size_t i = params.size(); i-- > 0;) {
        const std::string mark = "$" + std::to_string(i + 1);
        for (auto pos = szText.find(mark); pos != std::string::npos; pos = szText.find(mark, pos + params[i].size())) {
            szText.replace(pos, mark.size(), params[i]);
        }
    }
    return szText;
}

void ShowWorkflowError(const std::string& szText) { ShowUserError(dialogs::msgAllParameters, {szText}); }
void ShowWorkflowWarning(const std::string& szText) { ShowUserWarning(dialogs::msgAllParameters, {szText}); }
void ShowWorkflowInformation(const std::string& szText) { ShowUserInformation(dialogs::msgAllParameters, {szText}); }

}  // namespace brumalis
