// The selection criteria and the results of one unit's calculation for one
// calculation context (sequence number), and the per-context data set a unit
// keeps: results, option-combination flags and price.
#pragma once

#include <array>
#include <cstdint>

#include "catalogue/option_records.h"

namespace brumalis {

// Stands for "no value" in deviations and open capacity bands.
constexpr double kNoDeviation = 2147483647.0;
constexpr double kUnboundedCapacity = 2147483647.0;

// The selection criteria (°C and K).
struct TSelTempData {
    bool SelectCooling = true;  // heat pumps: the requirement is cooling
    double CoolLeavingE = 0.0;
    double CoolLeavingC = 0.0;
    double CoolDeltaTE = 0.0;
    double CoolDeltaTC = 0.0;
    double Summer = 0.0;  // ambient, or condensing temperature of condenserless units
    double HeatLeavingE = 0.0;
    double HeatLeavingC = 0.0;
    double Winter = 0.0;
    double HeatDeltaTE = 0.0;
    double HeatDeltaTC = 0.0;
    double HRDeltaT = 0.0;
    double HRLeaving = 0.0;

    bool operator==(const TSelTempData&) const = default;
};

// Capacity and power input (kW), EER or COP, deviation from the requirement (%).
struct TRepCap {
    double CapNoGlycol = 0.0;
    double Cap = 0.0;
    double PINoGlycol = 0.0;
    double PI = 0.0;
    double EERCOP = 0.0;
    double Deviation = 0.0;
};

// One water circuit: brine, ΔT (K), flows (l/min) without and with the brine
// factor, pressure drop (kPa).
struct TRepFluid {
    Cls_ChGlycol* Brine = nullptr;  // not owned
    double BrinePercent = 0.0;
    double DeltaT = 0.0;
    double WFRNoGlycol = 0.0;
    double WFR = 0.0;
    double PD = 0.0;
};

// Heat recovery: cooling capacity, power input and recovered heat (kW), the
// recovered share (a fraction) and the COP counting both.
struct TRepHeatRecovery {
    double CC = 0.0;
    double PI = 0.0;
    double HR = 0.0;
    double HRPercentage = 0.0;
    double HRCOP = 0.0;
};

using TSoundArray = std::array<double, 3>;

enum TSpectrumFreqs : int { Hz63, Hz125, Hz250, Hz500, Hz1000, Hz2000, Hz4000, Hz8000 };
using TRepSpectrum = std::array<double, 8>;

enum TESEEREntries : int {
    ESEER, ESEEREER100, ESEEREER75, ESEEREER50, ESEEREER25, ESEERCC100, ESEERPI100, ESEERCC75, ESEERPI75,
    ESEERCC50, ESEERPI50, ESEERCC25, ESEERPI25, IPLV, IPLVEER100, IPLVEER75, IPLVEER50, IPLVEER25, IPLVCC100,
    IPLVPI100, IPLVCC75, IPLVPI75, IPLVCC50, IPLVPI50, IPLVCC25, IPLVPI25,
};
using TESEERIPLVData = std::array<double, 26>;

// The result for one unit and one sequence number.
struct TChillerData {
    std::int32_t ErrCode = 0;
    TSelTempData TempSelData;
    TRepCap CoolData;
    TRepCap HeatData;
    TRepHeatRecovery HRData;
    TRepFluid Evaporator;
    TRepFluid Condenser;
    TRepFluid HRCondenser;
    double SoundPower = 0.0;
    TSoundArray SoundDistances{};
    TSoundArray SoundPressures{};
    double ESEER = 0.0;
    double ESEEREER100 = 0.0;
    double IPLV = 0.0;
    double IPLVEER100 = 0.0;
};

// Everything 0 or none, cooling selected, deviations "none".
TChillerData GetInitChillerData();

// One unit's state for one sequence number: results, its own combination
// objects (so that every context has its own flags) and the price.
class TChillerDataSet {
public:
    explicit TChillerDataSet(std::int32_t nSeqNr) : v_SeqNr(nSeqNr), v_DataSet(GetInitChillerData()) {}

    std::int32_t v_SeqNr;
    CTRecordList<Cls_ChOptAllowed> v_OptionCombs;
    bool v_OptionCombsLoaded = false;
    double v_Price = 0.0;
    TChillerData v_DataSet;
    // The controller (of the caller's list) whose brine factors the last
    // calculation used; not owned.
    Cls_ChController* v_UsedController = nullptr;
};

}  // namespace brumalis
