// Form translation over Qt's object tree: every widget and action of a window
// seen as a translatable component. Hint is a widget's tool and status tip;
// Caption is its text, group title, tab text, window title or action text;
// combo boxes, list widgets and radio groups have items (the selection kept),
// tree and table widgets their header captions, file dialogs a title and a
// filter kept in the glossary's "Text|pattern" form.
#pragma once

#include <memory>
#include <string>

#include "localisation/form_translation.h"

class QFileDialog;
class QGroupBox;
class QObject;

namespace brumalis::ui {

// A group box whose radio buttons are the items of one choice.
void MarkAsRadioGroup(QGroupBox& group);
// The hint of a widget or an action: its tool tip and its status tip.
void SetHint(QObject& object, const std::string& szHint);
// The filter in "Text|pattern|..." form; the dialog gets its name filters.
void SetFileDialogFilter(QFileDialog& dialog, const std::string& szFilter);

// The component tree of top, valid while the objects live.
std::unique_ptr<CTTranslatableComponent> TranslatableTree(QObject& top);

// Translates top and everything it owns through the glossary.
void TranslateWidgets(const CTGlossary& glossary, QObject& top);

}  // namespace brumalis::ui
