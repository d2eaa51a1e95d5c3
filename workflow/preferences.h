// The user's stored preferences: last selection criteria, temperatures,
// deviation window, report choices. They live in program-wide values, are
// read from the current user's settings at start (and after a reset) and
// written back after every selection run and accepted preferences change.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/chiller_data.h"
#include "catalogue/unit_records.h"

namespace brumalis {

// The largest number of solutions the preferences offer.
constexpr int kMaxSolutionsShown = 10;

// One field per stored value, named as the value is stored. Temperatures in
// °C, differences in K, deviations as fractions.
struct TPreferences {
    std::int32_t CONDENSER = 0;
    std::int32_t FAMILY = 4;
    std::int32_t COMPRESSOR = 0;  // 0: a "- - - - -" row
    std::int32_t REFRIGERANT = 0;
    bool VERSION_X = true;
    bool VERSION_P = true;
    bool VERSION_A = true;
    bool SOUND_L = true;
    bool SOUND_R = true;
    bool SOUND_X = true;
    bool SELCOOLING = true;
    double COOL_LWE = 0.0;
    double COOL_DTE = 0.0;
    double COOL_ALWC = 0.0;
    double COOL_ADTC = 0.0;
    double COOL_WLWC = 0.0;
    double COOL_WDTC = 0.0;
    double SUMMER = 0.0;
    double HEAT_LWE = 0.0;
    double HEAT_DTE = 0.0;
    double HEAT_ALWC = 0.0;
    double HEAT_ADTC = 0.0;
    double HEAT_WLWC = 0.0;
    double HEAT_WDTC = 0.0;
    double WINTER = 0.0;
    double CONDENSING = 0.0;
    double NEGCOOLING = -0.2;
    double POSCOOLING = 0.2;
    double NEGHEATING = -0.2;
    double POSHEATING = 0.2;
    std::int32_t MAXSOLUTION = 0;
    bool OPRANGE = true;
    bool PRESSUREDROP = true;
    bool DIMENSIONAL = true;
    std::string COVERPAGE;
    std::string SPECTEXTS;
    bool ESEER = true;

    bool operator==(const TPreferences&) const = default;
};

// The values of a first start: temperatures and the number of solutions
// from the limits record, delta T as the distance of entering and leaving.
TPreferences DefaultPreferences(const Cls_ChLimits& Limits);

class TFrm_Preferences {
public:
    TFrm_Preferences() = delete;

    // The program-wide values.
    static TPreferences& Values();

    // Every stored value (its default when missing or unreadable), then the
    // display units.
    static void ReadRegistry(const Cls_ChLimits& Limits);
    // Every value, then the display units; failures are ignored.
    static void WriteRegistry();
    // Forgets the stored temperatures and reads everything again, so that
    // the temperatures take the limits' defaults.
    static void ResetDefaultTemps(const Cls_ChLimits& Limits);

    // The stored temperatures as the panel takes them for a row of that
    // condenser type: water-cooled or air-cooled condenser values, and the
    // condensing temperature as summer value for condenserless units.
    static TSelTempData GetTempData(std::int32_t nCondenser);
    // A selection run's criteria into the values (not yet written): leaving
    // temperatures no lower than the limits' StoredMinTemp, the condenser
    // and summer values where GetTempData takes them from.
    static void StoreCriteria(std::int32_t nCondenser, std::int32_t nFamily, std::int32_t nRefrigerantId,
                              std::int32_t nCompressorId, const TSelTempData& TempData, const Cls_ChLimits& Limits);
};

}  // namespace brumalis
