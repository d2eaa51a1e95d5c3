#include "workflow/ui/combo_items.h"

#include <QComboBox>

#include "workflow/ui/named_widget.h"

namespace brumalis::ui {
namespace {

bool SameItems(const QComboBox& combo, const std::vector<std::string>& texts) {
    if (combo.count() != static_cast<int>(texts.size())) return false;
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i) != Q(texts[static_cast<std::size_t>(i)])) return false;
    }
    return true;
}

}  // namespace

void ShowComboItems(QComboBox& combo, const std::vector<std::string>& texts) {
    if (SameItems(combo, texts)) return;
    combo.clear();
    for (const std::string& szText : texts) combo.addItem(Q(szText));
}

}  // namespace brumalis::ui
