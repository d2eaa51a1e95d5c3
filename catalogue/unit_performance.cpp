// Cls_ChOutdoorUnit: tables, data sets and the performance calculation.
#include <algorithm>
#include <array>
#include <map>

#include "catalogue/freeze_up.h"
#include "catalogue/records.h"

namespace brumalis {

// The unit's tables, loaded together on first use.
struct Cls_ChOutdoorUnit::TTables {
    std::array<std::unique_ptr<Cls_ChOutCapacity>, 2> pdPolys;     // types 1 and 2
    std::array<std::unique_ptr<TPolyCapListCh>, 4> capPITables;    // types 3 to 6
    std::map<std::int32_t, std::array<std::unique_ptr<TPolyCapListCh>, 4>> lowNoiseTables;  // by combination ID
};

Cls_ChOutdoorUnit::Cls_ChOutdoorUnit(std::int32_t nObjID, CTBaseFactory* pFactory)
    : Cls_OutdoorDevice(kClassID, nObjID, pFactory) {}

Cls_ChOutdoorUnit::~Cls_ChOutdoorUnit() = default;

void Cls_ChOutdoorUnit::ClearCache() {
    v_AllPowerSupplies.clear();
    v_FreezeUpTable.reset();
    v_Doc.reset();
    v_Controller.reset();
    v_ControllerLoaded = false;
    v_Tables.reset();
}

TChillerDataSet* Cls_ChOutdoorUnit::FindDataSet(std::int32_t SeqNr) {
    for (auto& pSet : v_DataSetList) {
        if (pSet->v_SeqNr == SeqNr) return pSet.get();
    }
    return nullptr;
}

TChillerDataSet& Cls_ChOutdoorUnit::DataSet(std::int32_t SeqNr) {
    if (TChillerDataSet* pSet = FindDataSet(SeqNr)) return *pSet;
    v_DataSetList.push_back(std::make_unique<TChillerDataSet>(SeqNr));
    return *v_DataSetList.back();
}

CTRecordList<Cls_ChOptAllowed>& Cls_ChOutdoorUnit::GetOptCombs(std::int32_t SeqNr) {
    TChillerDataSet& set = DataSet(SeqNr);
    if (!set.v_OptionCombsLoaded) {
        set.v_OptionCombs = RecordsAs<Cls_ChOptAllowed>(ReferencingRecords(*this, Cls_ChOptAllowed::kClassID,
                                                                            Cls_DevOptCombination::fldDevice));
        set.v_OptionCombsLoaded = true;
    }
    return set.v_OptionCombs;
}

void Cls_ChOutdoorUnit::Remove() {
    for (auto& pSupply : GetAllDevPSAllowed()) pSupply->Remove();
    for (auto& pComb : RecordsAs<Cls_ChOptAllowed>(
             ReferencingRecords(*this, Cls_ChOptAllowed::kClassID, Cls_DevOptCombination::fldDevice))) {
        pComb->RemoveWithAttachedData();
    }
    for (auto& pRow : GetAllChFreezeUp()) pRow->Remove();
    for (auto& pRow : GetAllChOutCapacity()) pRow->Remove();
    for (auto& pRow : GetAllChDeviceHR()) pRow->Remove();
    ClearCache();
    CTDbObject::Remove();
}

}  // namespace brumalis
