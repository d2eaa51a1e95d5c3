#include "catalogue/chiller_data.h"

namespace brumalis {

TChillerData GetInitChillerData() {
    TChillerData data;
    data.CoolData.Deviation = kNoDeviation;
    data.HeatData.Deviation = kNoDeviation;
    return data;
}

}  // namespace brumalis
