#include "catalogue/catalogue_schema.h"

#include <algorithm>
#include <array>
#include <string>

#include "catalogue/records.h"

namespace brumalis {
namespace {

template <class T>
std::unique_ptr<CTDbObject> MakeRecord(std::int32_t nObjID, CTBaseFactory& factory) {
    return std::make_unique<T>(nObjID, &factory);
}

struct TTableEntry {
    std::int32_t nClsID;
    const char* szModelName;
    std::int32_t nParentID;
    std::int32_t nDbID;
    bool bNameRequired;
    bool bAbstract;
    void (*initialize)(CTTableInfo&, const std::string&);
    std::unique_ptr<CTDbObject> (*create)(std::int32_t, CTBaseFactory&);  // none for abstract tables
};

struct TLinkEntry {
    std::int32_t nFromClsID;
    std::int32_t nToClsID;
    std::int32_t nToFieldIx;
    const char* szAssociationName;
    std::int32_t nAssociationID;
    TLinkFlags flags;  // one-to-one, referential integrity, cascading delete, ordered
};

// Listed in class-ID order; the order of registration follows this list.
const TTableEntry kTables[] = {
    {Cls_ChController::kClassID, "ChController", -1, 0, true, false, &Cls_ChController::Initialize, &MakeRecord<Cls_ChController>},
    {Cls_ChEvapGlycolPerc::kClassID, "ChEvapGlycolPerc", -1, 0, false, false, &Cls_ChEvapGlycolPerc::Initialize, &MakeRecord<Cls_ChEvapGlycolPerc>},
    {Cls_ChFreezeUp::kClassID, "ChFreezeUp", -1, 0, false, false, &Cls_ChFreezeUp::Initialize, &MakeRecord<Cls_ChFreezeUp>},
    {Cls_ChGlycol::kClassID, "ChGlycol", 337, 0, true, false, &Cls_ChGlycol::Initialize, &MakeRecord<Cls_ChGlycol>},
    {Cls_ChGlyPolynomial::kClassID, "ChGlyPolynomial", 121, 0, false, false, &Cls_ChGlyPolynomial::Initialize, &MakeRecord<Cls_ChGlyPolynomial>},
    {Cls_ChLWEStep::kClassID, "ChLWEStep", -1, 0, false, false, &Cls_ChLWEStep::Initialize, &MakeRecord<Cls_ChLWEStep>},
    {Cls_ChOptAllowed::kClassID, "ChOptAllowed", 164, 0, false, false, &Cls_ChOptAllowed::Initialize, &MakeRecord<Cls_ChOptAllowed>},
    {Cls_ChOptExcludes::kClassID, "ChOptExcludes", -1, 0, false, false, &Cls_ChOptExcludes::Initialize, &MakeRecord<Cls_ChOptExcludes>},
    {Cls_ChOption::kClassID, "ChOption", 163, 0, true, false, &Cls_ChOption::Initialize, &MakeRecord<Cls_ChOption>},
    {Cls_ChOutCapacity::kClassID, "ChOutCapacity", 121, 0, false, false, &Cls_ChOutCapacity::Initialize, &MakeRecord<Cls_ChOutCapacity>},
    {Cls_ChOutDocumentation::kClassID, "ChOutDocumentation", 167, 0, false, false, &Cls_ChOutDocumentation::Initialize, &MakeRecord<Cls_ChOutDocumentation>},
    {Cls_ChOutdoorUnit::kClassID, "ChOutdoorUnit", 168, 0, true, false, &Cls_ChOutdoorUnit::Initialize, &MakeRecord<Cls_ChOutdoorUnit>},
    {Cls_ChPSAllowed::kClassID, "ChPSAllowed", 165, 0, false, false, &Cls_ChPSAllowed::Initialize, &MakeRecord<Cls_ChPSAllowed>},
    {Cls_Polynomial::kClassID, "Polynomial", -1, -1, false, true, &Cls_Polynomial::Initialize, nullptr},
    {Cls_PowerSupply::kClassID, "PowerSupply", -1, 0, true, false, &Cls_PowerSupply::Initialize, &MakeRecord<Cls_PowerSupply>},
    {Cls_Refrigerant::kClassID, "Refrigerant", -1, 0, true, false, &Cls_Refrigerant::Initialize, &MakeRecord<Cls_Refrigerant>},
    {Cls_Device::kClassID, "Device", -1, -1, false, true, &Cls_Device::Initialize, nullptr},
    {Cls_DeviceOption::kClassID, "DeviceOption", -1, -1, false, true, &Cls_DeviceOption::Initialize, nullptr},
    {Cls_DevOptCombination::kClassID, "DevOptCombination", -1, 0, false, false, &Cls_DevOptCombination::Initialize, &MakeRecord<Cls_DevOptCombination>},
    {Cls_DevPSAllowed::kClassID, "DevPSAllowed", -1, -1, false, true, &Cls_DevPSAllowed::Initialize, nullptr},
    {Cls_DeviceDocumentation::kClassID, "DeviceDocumentation", -1, -1, false, true, &Cls_DeviceDocumentation::Initialize, nullptr},
    {Cls_OutdoorDocumentation::kClassID, "OutdoorDocumentation", 166, -1, false, true, &Cls_OutdoorDocumentation::Initialize, nullptr},
    {Cls_OutdoorDevice::kClassID, "OutdoorDevice", 162, -1, true, true, &Cls_OutdoorDevice::Initialize, nullptr},
    {Cls_ChCompressor::kClassID, "ChCompressor", -1, 0, true, false, &Cls_ChCompressor::Initialize, &MakeRecord<Cls_ChCompressor>},
    {Cls_ChLimits::kClassID, "ChLimits", -1, 0, false, false, &Cls_ChLimits::Initialize, &MakeRecord<Cls_ChLimits>},
    {Cls_Visualization::kClassID, "Visualization", -1, 0, true, false, &Cls_Visualization::Initialize, &MakeRecord<Cls_Visualization>},
    {Cls_ChOptionCode::kClassID, "ChOptionCode", -1, 0, false, false, &Cls_ChOptionCode::Initialize, &MakeRecord<Cls_ChOptionCode>},
    {Cls_ChOptionCodeCombination::kClassID, "ChOptionCodeCombination", -1, 0, false, false, &Cls_ChOptionCodeCombination::Initialize, &MakeRecord<Cls_ChOptionCodeCombination>},
    {Cls_ChDeviceHR::kClassID, "ChDeviceHR", 232, 0, false, false, &Cls_ChDeviceHR::Initialize, &MakeRecord<Cls_ChDeviceHR>},
    {Cls_ChLowNoise::kClassID, "ChLowNoise", -1, 0, false, false, &Cls_ChLowNoise::Initialize, &MakeRecord<Cls_ChLowNoise>},
    {Cls_ChLowNoiseCapacity::kClassID, "ChLowNoiseCapacity", 121, 0, false, false, &Cls_ChLowNoiseCapacity::Initialize, &MakeRecord<Cls_ChLowNoiseCapacity>},
    {Cls_ChPumpData::kClassID, "ChPumpData", 121, 0, false, false, &Cls_ChPumpData::Initialize, &MakeRecord<Cls_ChPumpData>},
    {Cls_ChOptionHR::kClassID, "ChOptionHR", 232, 0, false, false, &Cls_ChOptionHR::Initialize, &MakeRecord<Cls_ChOptionHR>},
    {Cls_ChHRTotalPartial::kClassID, "ChHRTotalPartial", -1, -1, false, true, &Cls_ChHRTotalPartial::Initialize, nullptr},
    {Cls_ChOptionPD::kClassID, "ChOptionPD", 121, 0, false, false, &Cls_ChOptionPD::Initialize, &MakeRecord<Cls_ChOptionPD>},
    {Cls_PriceEntry::kClassID, "PriceEntry", -1, 1, false, false, &Cls_PriceEntry::Initialize, &MakeRecord<Cls_PriceEntry>},
    {Cls_PriceAndPrefsFile::kClassID, "PriceAndPrefsFile", -1, 1, false, false, &Cls_PriceAndPrefsFile::Initialize, &MakeRecord<Cls_PriceAndPrefsFile>},
    {Cls_ChProject::kClassID, "ChProject", -1, 2, true, false, &Cls_ChProject::Initialize, &MakeRecord<Cls_ChProject>},
    {Cls_ChSolution::kClassID, "ChSolution", -1, 2, false, false, &Cls_ChSolution::Initialize, &MakeRecord<Cls_ChSolution>},
    {Cls_ChSelChiller::kClassID, "ChSelChiller", -1, 2, false, false, &Cls_ChSelChiller::Initialize, &MakeRecord<Cls_ChSelChiller>},
    {Cls_ChUsedOption::kClassID, "ChUsedOption", -1, 2, false, false, &Cls_ChUsedOption::Initialize, &MakeRecord<Cls_ChUsedOption>},
    {Cls_ChVisualization::kClassID, "ChVisualization", -1, 3, true, false, &Cls_ChVisualization::Initialize, &MakeRecord<Cls_ChVisualization>},
    {Cls_Glycol::kClassID, "Glycol", -1, 0, true, false, &Cls_Glycol::Initialize, &MakeRecord<Cls_Glycol>},
};

const TLinkEntry kLinks[] = {
    {Cls_ChController::kClassID, Cls_ChLWEStep::kClassID, Cls_ChLWEStep::fldChController, "ChControllerSteps", 22, {false, true, true, false}},
    {Cls_ChController::kClassID, Cls_ChOutdoorUnit::kClassID, Cls_ChOutdoorUnit::fldChController, "ChOutdoorControllers", 23, {false, true, true, false}},
    {Cls_ChGlycol::kClassID, Cls_ChEvapGlycolPerc::kClassID, Cls_ChEvapGlycolPerc::fldChGlycol, "ChGlycolPercentages", 24, {false, true, true, false}},
    {Cls_ChLWEStep::kClassID, Cls_ChEvapGlycolPerc::kClassID, Cls_ChEvapGlycolPerc::fldChLWEStep, "ChControllerSteps_GlycolPercentage", 26, {false, true, true, false}},
    {Cls_ChOptAllowed::kClassID, Cls_ChLowNoise::kClassID, Cls_ChLowNoise::fldChOptAllowed, "ChLowNoiseData", 312, {true, true, false, false}},
    {Cls_ChOptAllowed::kClassID, Cls_ChPumpData::kClassID, Cls_ChPumpData::fldChOptAllowed, "ChPumpCharacteristics", 314, {true, true, false, false}},
    {Cls_ChOptAllowed::kClassID, Cls_ChOptionHR::kClassID, Cls_ChOptionHR::fldChOptAllowed, "ChHRecoveryData", 315, {false, true, false, false}},
    {Cls_ChOptAllowed::kClassID, Cls_ChOptionPD::kClassID, Cls_ChOptionPD::fldChOptAllowed, "ChPressureDropData", 316, {true, true, false, false}},
    {Cls_ChOption::kClassID, Cls_ChLWEStep::kClassID, Cls_ChLWEStep::fldChOption, "ChAss5", 7, {false, false, false, false}},
    {Cls_ChOption::kClassID, Cls_ChOptExcludes::kClassID, Cls_ChOptExcludes::fldChOption, "ChAss2", 30, {false, true, true, false}},
    {Cls_ChOption::kClassID, Cls_ChOptExcludes::kClassID, Cls_ChOptExcludes::fldChOption2, "ChAss3", 31, {false, true, true, false}},
    {Cls_ChOutdoorUnit::kClassID, Cls_ChFreezeUp::kClassID, Cls_ChFreezeUp::fldChOutdoorUnit, "ChFreezeupCoefficients", 33, {false, true, true, false}},
    {Cls_ChOutdoorUnit::kClassID, Cls_ChOutCapacity::kClassID, Cls_ChOutCapacity::fldChOutdoorUnit, "ChOutdoorCapacities", 36, {false, true, true, false}},
    {Cls_ChOutdoorUnit::kClassID, Cls_ChDeviceHR::kClassID, Cls_ChDeviceHR::fldChOutdoorUnit, "HeatRecoveryData", 309, {false, true, true, false}},
    {Cls_PowerSupply::kClassID, Cls_DevPSAllowed::kClassID, Cls_DevPSAllowed::fldPowerSupply, "PowerSupply_Device", 243, {false, false, false, false}},
    {Cls_Refrigerant::kClassID, Cls_OutdoorDevice::kClassID, Cls_OutdoorDevice::fldRefrigerant, "Refrigerants", 403, {false, true, true, false}},
    {Cls_Device::kClassID, Cls_DevOptCombination::kClassID, Cls_DevOptCombination::fldDevice, "Device_Option", 239, {false, true, true, false}},
    {Cls_Device::kClassID, Cls_DevPSAllowed::kClassID, Cls_DevPSAllowed::fldDevice, "Device_Powersupply", 242, {false, true, true, false}},
    {Cls_Device::kClassID, Cls_DeviceDocumentation::kClassID, Cls_DeviceDocumentation::fldDevice, "Device_Documentation", 244, {true, true, true, false}},
    {Cls_DeviceOption::kClassID, Cls_DevOptCombination::kClassID, Cls_DevOptCombination::fldDeviceOption, "Option_Device", 240, {false, true, true, false}},
    {Cls_ChCompressor::kClassID, Cls_ChOutdoorUnit::kClassID, Cls_ChOutdoorUnit::fldChCompressor, "ChOutdoorCompressors", 280, {false, true, true, false}},
    {Cls_Visualization::kClassID, Cls_Device::kClassID, Cls_Device::fldVisualization, "DevicePictures", 424, {false, false, false, false}},
    {Cls_ChOptionCode::kClassID, Cls_ChOptionCodeCombination::kClassID, Cls_ChOptionCodeCombination::fldChOptionCode, "ChCodeCombinations", 308, {false, true, true, false}},
    {Cls_ChLowNoise::kClassID, Cls_ChLowNoiseCapacity::kClassID, Cls_ChLowNoiseCapacity::fldChLowNoise, "ChLowNoiseCapacities", 311, {false, true, true, false}},
    {Cls_Glycol::kClassID, Cls_ChGlyPolynomial::kClassID, Cls_ChGlyPolynomial::fldGlycol, "GlycolPolynomials", 445, {false, true, true, false}},
    {Cls_ChProject::kClassID, Cls_ChSolution::kClassID, Cls_ChSolution::fldChProject, "Solutions", 332, {false, true, true, false}},
    {Cls_ChSolution::kClassID, Cls_ChSelChiller::kClassID, Cls_ChSelChiller::fldChSolution, "SolutionChillers", 333, {false, true, true, false}},
    {Cls_ChSelChiller::kClassID, Cls_ChUsedOption::kClassID, Cls_ChUsedOption::fldChSelChiller, "chillerOptionsUsed", 337, {false, true, false, false}},
    {Cls_ChVisualization::kClassID, Cls_ChOutdoorUnit::kClassID, Cls_ChOutdoorUnit::fldChVisualization, "ChFoto", 422, {false, false, false, false}},
    {Cls_ChVisualization::kClassID, Cls_ChOutdoorUnit::kClassID, Cls_ChOutdoorUnit::fldChVisualization2, "ChDrawing", 423, {false, false, false, false}},
};

void RegisterTable(CTFactory& factory, const TTableEntry& entry) {
    auto pTable = std::make_unique<CTTableInfo>(entry.nClsID, entry.nDbID, entry.szModelName, entry.nParentID,
                                                entry.bAbstract, entry.bNameRequired);
    entry.initialize(*pTable, std::string());
    CTTableInfo& table = factory.RegisterTable(std::move(pTable));
    if (entry.create) factory.RegisterRecordClass(entry.nClsID, entry.create);
    for (const TLinkEntry& link : kLinks) {
        if (link.nFromClsID != entry.nClsID) continue;
        factory.AddLink(table, link.nAssociationID, link.szAssociationName, link.nToClsID, link.nToFieldIx,
                        link.flags);
    }
}

}  // namespace

void RegisterCatalogueSchema(CTFactory& factory) {
    for (const TTableEntry& entry : kTables) RegisterTable(factory, entry);
}

std::unique_ptr<CTFactory> CreateCatalogueFactory(std::string szName, std::int32_t nVerMul100,
                                                  std::int32_t nMinVerMul100) {
    return std::make_unique<CTFactory>(std::move(szName), nVerMul100, nMinVerMul100, RegisterCatalogueSchema);
}

std::unique_ptr<CTFactory> SetUpCatalogueDatabaseSet() { return SetUpDatabaseSet(RegisterCatalogueSchema); }

}  // namespace brumalis
