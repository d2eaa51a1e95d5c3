// The workflow's own texts (the window keeps them in hidden labels, so they
// are translated with it; here through the user-interface glossary), and
// their display through the user dialog.
#pragma once

#include <string>
#include <vector>

namespace brumalis {

// The English text translated, with the k-th parameter in place of "$k".
std::string WorkflowText(const std::string& szEnglish, const std::vector<std::string>& params = {});
// Shows a finished text as an error, a warning or an information.
void ShowWorkflowError(const std::string& szText);
void ShowWorkflowWarning(const std::string& szText);
void ShowWorkflowInformation(const std::string& szText);

}  // namespace brumalis
