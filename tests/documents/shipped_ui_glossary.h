// Translates the message service through the shipped user-interface
// glossary (Russian) for as long as it lives, as the program does at start.
#pragma once

#include <string>

#include "dialogs/messages.h"
#include "localisation/glossary.h"
#include "objectstore/streams.h"
#include "platform/resources.h"

namespace brumalis::test {

class TShippedUIGlossary {
public:
    TShippedUIGlossary() {
        const auto blob = platform::FindBlob("UIGLOSSARY");
        if (!blob) return;
        CTGlossary::SetUseCompression(true, "QXZ");
        CTByteViewStream stream(*blob);
        v_loaded = v_glossary.LoadTermsFromStream(stream, true, true, "UIGlossary");
        v_previous = dialogs::TBaseMsg::SetTranslateFunc(
            [this](const std::string& sz) { return v_glossary.Translate(sz).value_or(sz); });
    }
    ~TShippedUIGlossary() { dialogs::TBaseMsg::SetTranslateFunc(v_previous); }
    TShippedUIGlossary(const TShippedUIGlossary&) = delete;
    TShippedUIGlossary& operator=(const TShippedUIGlossary&) = delete;

    bool Loaded() const { return v_loaded; }

private:
    CTGlossary v_glossary;
    bool v_loaded = false;
    dialogs::TTranslateFunc v_previous;
};

}  // namespace brumalis::test
