// A combo shown from a model's list of texts.
#pragma once

#include <string>
#include <vector>

class QComboBox;

namespace brumalis::ui {

// Fills the combo with the texts unless it holds them already, so that the
// combo chosen from keeps its items while its own signal is handled.
void ShowComboItems(QComboBox& combo, const std::vector<std::string>& texts);

}  // namespace brumalis::ui
