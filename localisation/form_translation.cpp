#include "localisation/form_translation.h"

#include <functional>

namespace brumalis {
namespace {

std::string TranslatedOrSame(const CTTextTranslator& glos, const std::string& sz) {
    if (sz.empty()) return sz;
    return glos.Translate(sz).value_or(sz);
}

void TranslateProperty(const CTTextTranslator& glos, CTTranslatableComponent& c, std::string_view szProperty) {
    const auto text = c.GetText(szProperty);
    if (!text || text->empty()) return;
    if (const auto translation = glos.Translate(*text)) c.SetText(szProperty, *translation);
}

void TranslateItems(const CTTextTranslator& glos, CTTranslatableComponent& c) {
    const std::vector<std::string> items = c.GetItems();
    std::vector<std::string> translated;
    translated.reserve(items.size());
    for (const std::string& item : items) translated.push_back(TranslatedOrSame(glos, item));
    if (translated == items) return;
    const int nSelected = c.GetItemIndex();
    c.SetItems(translated);
    c.SetItemIndex(nSelected);
}

void TranslateCaptions(const CTTextTranslator& glos, CTTranslatableComponent& c) {
    switch (c.Kind()) {
        case TComponentKind::DimValue:
            TranslateProperty(glos, c, "CaptionTitle");
            break;
        case TComponentKind::Memo:
        case TComponentKind::ListView:
        case TComponentKind::ComboBox:
        case TComponentKind::ListBox:
            TranslateItems(glos, c);
            break;
        case TComponentKind::RadioGroup:
            TranslateItems(glos, c);
            TranslateProperty(glos, c, "Caption");
            break;
        case TComponentKind::FileDialog:
            TranslateProperty(glos, c, "Title");
            TranslateProperty(glos, c, "Filter");
            break;
        case TComponentKind::Form:
        case TComponentKind::Other:
            TranslateProperty(glos, c, "Caption");
            break;
    }
}

// c first, then what it owns, depth-first.
void ForEachComponent(CTTranslatableComponent& c, const std::function<void(CTTranslatableComponent&)>& action) {
    action(c);
    for (CTTranslatableComponent* pChild : c.OwnedComponents()) ForEachComponent(*pChild, action);
}

}  // namespace

void TranslateFormAtRuntime(const CTGlossary& glos, CTTranslatableComponent& top) {
    ForEachComponent(top, [&](CTTranslatableComponent& c) { TranslateProperty(glos, c, "Hint"); });
    ForEachComponent(top, [&](CTTranslatableComponent& c) { TranslateCaptions(glos, c); });
    if (top.Kind() == TComponentKind::Form) top.SetFontCharset(glos.GetDefaultCharset());
}

}  // namespace brumalis
