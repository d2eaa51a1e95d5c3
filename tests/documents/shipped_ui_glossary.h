// Translates the message service through the shipped user-interface
// glossary (Russian) for as long as it lives, as the program does at start.
#pragma once

#include <optional>
#include <string>

#include "dialogs/messages.h"
#include "localisation/glossary.h"
#include "tests/localisation/shipped_glossary.h"

namespace brumalis::test {

class TShippedUIGlossary {
public:
    TShippedUIGlossary() : v_glossary(LoadShippedGlossary("UIGLOSSARY")) {
        if (!v_glossary) return;
        v_previous = dialogs::TBaseMsg::SetTranslateFunc(
            [this](const std::string& sz) { return v_glossary->Translate(sz).value_or(sz); });
    }
    ~TShippedUIGlossary() {
        if (v_glossary) dialogs::TBaseMsg::SetTranslateFunc(v_previous);
    }
    TShippedUIGlossary(const TShippedUIGlossary&) = delete;
    TShippedUIGlossary& operator=(const TShippedUIGlossary&) = delete;

    bool Loaded() const { return v_glossary.has_value(); }

private:
    std::optional<CTGlossary> v_glossary;
    dialogs::TTranslateFunc v_previous;
};

}  // namespace brumalis::test
