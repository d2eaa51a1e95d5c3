// One helper for every numeric field: each edit the user makes is replaced
// by its cleaned form, the caret kept behind the same typed character.
#pragma once

class QLineEdit;

namespace brumalis::dialogs::ui {

// The helper lives as a child of pEdit; programmatic setText is not
// filtered, so stored values show as they are.
void AttachNumericEdit(QLineEdit* pEdit);

}  // namespace brumalis::dialogs::ui
