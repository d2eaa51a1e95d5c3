// Run-time translation of a form: which texts of which components are looked
// up in the glossary. The user-interface toolkit is reached only through
// CTTranslatableComponent, which the GUI implements over its widgets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/glossary.h"

namespace brumalis {

enum class TComponentKind {
    Form,
    DimValue,    // the unit-value control: its caption is "CaptionTitle"
    Memo,        // items are the lines of its text
    ListView,    // items are the column captions
    ComboBox,
    ListBox,
    RadioGroup,
    FileDialog,  // open or save dialog: "Title" and "Filter"
    Other,
};

// One component of a form, as the translation sees it. Texts are UTF-8.
class CTTranslatableComponent {
public:
    virtual ~CTTranslatableComponent() = default;

    virtual TComponentKind Kind() const = 0;
    // A string property ("Caption", "Hint", ...); nothing when the component
    // has no such string property.
    virtual std::optional<std::string> GetText(std::string_view szProperty) const = 0;
    virtual void SetText(std::string_view szProperty, const std::string& szValue) = 0;
    // The item texts of lists, memos and list views; replacing them may lose
    // the selection, which the caller restores.
    virtual std::vector<std::string> GetItems() const { return {}; }
    virtual void SetItems(const std::vector<std::string>&) {}
    virtual int GetItemIndex() const { return -1; }
    virtual void SetItemIndex(int) {}
    // Forms only: the character set of the form's font.
    virtual void SetFontCharset(std::uint8_t) {}
    // The components this one owns, in order.
    virtual std::vector<CTTranslatableComponent*> OwnedComponents() const = 0;
};

// Replaces hints, captions and item texts of pTop and everything it owns by
// their translations; a text is replaced only when the glossary has exactly
// one non-empty translation for it.
void TranslateFormAtRuntime(const CTGlossary& glos, CTTranslatableComponent& top);

}  // namespace brumalis
