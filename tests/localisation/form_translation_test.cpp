#include "localisation/form_translation.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace brumalis {
namespace {

// A component as a toolkit adapter would present it; replacing the items
// drops the selection, as list widgets do.
class FakeComponent : public CTTranslatableComponent {
public:
    explicit FakeComponent(TComponentKind kind) : v_kind(kind) {}

    TComponentKind Kind() const override { return v_kind; }
    std::optional<std::string> GetText(std::string_view szProperty) const override {
        const auto it = texts.find(std::string(szProperty));
        if (it == texts.end()) return std::nullopt;
        return it->second;
    }
    void SetText(std::string_view szProperty, const std::string& szValue) override {
        texts[std::string(szProperty)] = szValue;
    }
    std::vector<std::string> GetItems() const override { return items; }
    void SetItems(const std::vector<std::string>& newItems) override {
        items = newItems;
        itemIndex = -1;
    }
    int GetItemIndex() const override { return itemIndex; }
    void SetItemIndex(int n) override { itemIndex = n; }
    void SetFontCharset(std::uint8_t n) override { fontCharset = n; }
    std::vector<CTTranslatableComponent*> OwnedComponents() const override {
        std::vector<CTTranslatableComponent*> v;
        for (const auto& p : children) v.push_back(p.get());
        return v;
    }

    FakeComponent& Add(TComponentKind kind) { return *children.emplace_back(std::make_unique<FakeComponent>(kind)); }

    std::map<std::string, std::string> texts;
    std::vector<std::string> items;
    int itemIndex = -1;
    int fontCharset = -1;
    std::vector<std::unique_ptr<FakeComponent>> children;

private:
    TComponentKind v_kind;
};

class FormTranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        glos.SetDefaultCharset(204);
        for (const auto& [term, translation] : std::vector<std::pair<std::string, std::string>>{
                 {"Cancel", "\xCE\xF2\xEC\xE5\xED\xE0"}, {"Water", "\xC2\xEE\xE4\xE0"}, {"Brine", "\xD0\xE0"},
                 {"Flow", "\xD0\xE0\xF1"}, {"Open", "\xCE"}, {"Files|*.cpf", "\xD4|*.cpf"}, {"Hint", "\xCF"}}) {
            glos.AddTermAndTranslation(term, translation, 204, false, false);
        }
        glos.AddTermAndTranslation("Twice", "\xC0", 204, false, false);
        glos.AddTermAndTranslation("Twice", "\xC1", 204, false, false);
    }
    CTGlossary glos;
};

TEST_F(FormTranslationTest, CaptionsAndHintsOfTheWholeTreeAreTranslatedExactly) {
    FakeComponent form(TComponentKind::Form);
    form.texts = {{"Caption", "Open"}, {"Hint", "Hint"}};
    FakeComponent& panel = form.Add(TComponentKind::Other);
    FakeComponent& ok = panel.Add(TComponentKind::Other);
    ok.texts = {{"Caption", "Cancel"}, {"Hint", "Twice"}};
    FakeComponent& lower = panel.Add(TComponentKind::Other);
    lower.texts = {{"Caption", "cancel"}};
    FakeComponent& spaced = panel.Add(TComponentKind::Other);
    spaced.texts = {{"Caption", "Cancel "}, {"CaptionTitle", "Flow"}};
    FakeComponent& dim = panel.Add(TComponentKind::DimValue);
    dim.texts = {{"Caption", "Cancel"}, {"CaptionTitle", "Flow"}};

    TranslateFormAtRuntime(glos, form);
    EXPECT_EQ(form.texts["Caption"], "О");
    EXPECT_EQ(form.texts["Hint"], "П");
    EXPECT_EQ(ok.texts["Caption"], "Отмена");
    EXPECT_EQ(ok.texts["Hint"], "Twice");  // two translations: left alone
    EXPECT_EQ(lower.texts["Caption"], "cancel");
    EXPECT_EQ(spaced.texts["Caption"], "Cancel ");
    EXPECT_EQ(spaced.texts["CaptionTitle"], "Flow");  // only the unit-value control has one
    EXPECT_EQ(dim.texts["Caption"], "Cancel");
    EXPECT_EQ(dim.texts["CaptionTitle"], "Рас");
    EXPECT_EQ(form.fontCharset, 204);
    EXPECT_EQ(panel.fontCharset, -1);
}

TEST_F(FormTranslationTest, ListsKeepTheirSelectedIndex) {
    FakeComponent top(TComponentKind::Other);
    FakeComponent& combo = top.Add(TComponentKind::ComboBox);
    combo.items = {"Water", "Brine", "Glycol"};
    combo.itemIndex = 1;
    FakeComponent& radio = top.Add(TComponentKind::RadioGroup);
    radio.items = {"Water", ""};
    radio.itemIndex = 0;
    radio.texts = {{"Caption", "Flow"}};
    FakeComponent& memo = top.Add(TComponentKind::Memo);
    memo.items = {"Water", "Twice"};
    FakeComponent& dialog = top.Add(TComponentKind::FileDialog);
    dialog.texts = {{"Title", "Open"}, {"Filter", "Files|*.cpf"}, {"Caption", "Open"}};

    TranslateFormAtRuntime(glos, top);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"Вода", "Ра", "Glycol"}));
    EXPECT_EQ(combo.itemIndex, 1);
    EXPECT_EQ(radio.items, (std::vector<std::string>{"Вода", ""}));
    EXPECT_EQ(radio.itemIndex, 0);
    EXPECT_EQ(radio.texts["Caption"], "Рас");
    EXPECT_EQ(memo.items, (std::vector<std::string>{"Вода", "Twice"}));
    EXPECT_EQ(dialog.texts["Title"], "О");
    EXPECT_EQ(dialog.texts["Filter"], "Ф|*.cpf");
    EXPECT_EQ(dialog.texts["Caption"], "Open");
    EXPECT_EQ(top.fontCharset, -1);  // not a form
}

}  // namespace
}  // namespace brumalis
