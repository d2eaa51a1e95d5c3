#include "workflow/basket.h"

#include <utility>

namespace brumalis {

void TSolutionBasket::Changed() {
    if (v_onChanged) v_onChanged();
}

void TSolutionBasket::Add(std::unique_ptr<TSolution> pSolution) {
    v_Solutions.push_back(std::move(pSolution));
    v_selected = Count() - 1;
    Changed();
}

std::unique_ptr<TSolution> TSolutionBasket::Take(int nIndex) {
    if (nIndex < 0 || nIndex >= Count()) return nullptr;
    std::unique_ptr<TSolution> pSolution = std::move(v_Solutions[static_cast<std::size_t>(nIndex)]);
    v_Solutions.erase(v_Solutions.begin() + nIndex);
    v_selected = Count() - 1;
    Changed();
    return pSolution;
}

bool TSolutionBasket::Remove(int nIndex) { return Take(nIndex) != nullptr; }

bool TSolutionBasket::Move(int nIndex, bool bRight) {
    const int nOther = bRight ? nIndex + 1 : nIndex - 1;
    if (nIndex < 0 || nIndex >= Count() || nOther < 0 || nOther >= Count()) return false;
    std::swap(v_Solutions[static_cast<std::size_t>(nIndex)], v_Solutions[static_cast<std::size_t>(nOther)]);
    v_selected = nOther;
    Changed();
    return true;
}

TSolutionBasket::TSolutionList TSolutionBasket::Replace(TSolutionList solutions) {
    std::swap(v_Solutions, solutions);
    v_selected = Count() - 1;
    return solutions;
}

void TSolutionBasket::Select(int nIndex) { v_selected = nIndex >= 0 && nIndex < Count() ? nIndex : -1; }

}  // namespace brumalis
