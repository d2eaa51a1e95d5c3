// The solution basket: the solutions the engineer keeps, in the order they
// are compared, with the column selection of the basket grid. Every change
// reports itself, so the project knows it has unsaved changes.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "workflow/solution.h"

namespace brumalis {

class TSolutionBasket {
public:
    using TSolutionList = std::vector<std::unique_ptr<TSolution>>;

    // Called after every change of the solutions or their order.
    void SetOnChanged(std::function<void()> onChanged) { v_onChanged = std::move(onChanged); }

    int Count() const { return static_cast<int>(v_Solutions.size()); }
    bool Empty() const { return v_Solutions.empty(); }
    TSolution& At(int nIndex) const { return *v_Solutions.at(static_cast<std::size_t>(nIndex)); }
    const TSolutionList& Solutions() const { return v_Solutions; }

    // Appends and selects the new solution.
    void Add(std::unique_ptr<TSolution> pSolution);
    // Takes a solution out (not destroyed: an edit still needs its data
    // sets); the last one becomes selected. None for a bad index.
    std::unique_ptr<TSolution> Take(int nIndex);
    // Destroys a solution; false for a bad index.
    bool Remove(int nIndex);
    // Swaps with the left or right neighbour and keeps it selected; false
    // at the ends.
    bool Move(int nIndex, bool bRight);
    // Puts a whole list in place of the current one (opening a project);
    // answers the previous list.
    TSolutionList Replace(TSolutionList solutions);

    // The selected solution (-1: none).
    int Selected() const { return v_selected; }
    void Select(int nIndex);
    bool CanMoveLeft() const { return v_selected > 0; }
    bool CanMoveRight() const { return v_selected >= 0 && v_selected + 1 < Count(); }
    bool CanRemove() const { return v_selected >= 0; }
    // "Edit" goes with "Remove": both need a selected solution.
    bool CanEdit() const { return CanRemove(); }

private:
    void Changed();

    TSolutionList v_Solutions;
    int v_selected = -1;
    std::function<void()> v_onChanged;
};

}  // namespace brumalis
