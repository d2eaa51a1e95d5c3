// One solution the engineer keeps: a single unit at the conditions of its
// run, or a plant of several units that together cover a requirement. Unit i
// keeps its data under the solution's first sequence number + i; the
// solution's own data set is a copy of the single unit's, or the plant totals.
#pragma once

#include <cstdint>
#include <vector>

#include "catalogue/records.h"

namespace brumalis {

class TSolution {
public:
    // Stores and computes the totals (kW). The units are catalogue records
    // and not owned; the same unit may appear more than once.
    TSolution(std::int32_t SeqNr, double ReqHeatCap, double ReqCoolCap, std::vector<Cls_ChOutdoorUnit*> Chillers);
    // Removes the data sets SeqNr .. SeqNr + n - 1 from the units.
    ~TSolution();
    TSolution(const TSolution&) = delete;
    TSolution& operator=(const TSolution&) = delete;

    void CalcTotals();
    // Replaces each positive requirement (cooling, heating) whose total
    // capacity is positive and recomputes that deviation; a requirement of 0
    // is never replaced, and a non-positive ReqCap changes nothing (it would
    // leave a requirement of 0 that is never replaced again).
    void ReplaceReqCap(double ReqCap);
    // Appends a unit whose data already sit under SeqNr + UnitCount().
    void AddChiller(Cls_ChOutdoorUnit* pUnit) { v_Chillers.push_back(pUnit); }

    double GetReqCoolCap() const { return v_ReqCoolCap; }
    double GetReqHeatCap() const { return v_ReqHeatCap; }
    std::int32_t GetSeqNr() const { return v_SeqNr; }
    const std::vector<Cls_ChOutdoorUnit*>& GetChillers() const { return v_Chillers; }
    int UnitCount() const { return static_cast<int>(v_Chillers.size()); }
    TChillerData GetDataSet() const { return v_SolutionData; }

private:
    void SumPlant();
    void ApplyDeviations();

    std::int32_t v_SeqNr;
    std::vector<Cls_ChOutdoorUnit*> v_Chillers;
    double v_ReqCoolCap;
    double v_ReqHeatCap;
    TChillerData v_SolutionData;
};

}  // namespace brumalis
