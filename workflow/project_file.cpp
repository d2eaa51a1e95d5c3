#include "workflow/project_file.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>

#include "catalogue/project_records.h"
#include "catalogue/unit_records.h"
#include "catalogue/user_dialog.h"
#include "dialogs/messages.h"
#include "objectstore/compressed_container.h"
#include "objectstore/database_set.h"
#include "objectstore/edi_database.h"
#include "objectstore/mem_engine.h"
#include "workflow/main_session.h"
#include "workflow/workflow_texts.h"

namespace brumalis {
namespace {

using TDataRef = double& (*)(TChillerData&);

// The stored numbers of a unit and where they live in its data set.
#define BRUMALIS_DATA_FIELD(Field, Member) \
    {Cls_ChSelChiller::fld##Field, [](TChillerData& d) -> double& { return d.Member; }}
const std::pair<int, TDataRef> kDataFields[] = {
    BRUMALIS_DATA_FIELD(CoolLeavingE, TempSelData.CoolLeavingE),
    BRUMALIS_DATA_FIELD(CoolLeavingC, TempSelData.CoolLeavingC),
    BRUMALIS_DATA_FIELD(CoolDeltaTE, TempSelData.CoolDeltaTE),
    BRUMALIS_DATA_FIELD(CoolDeltaTC, TempSelData.CoolDeltaTC),
    BRUMALIS_DATA_FIELD(Summer, TempSelData.Summer),
    BRUMALIS_DATA_FIELD(HeatLeavingE, TempSelData.HeatLeavingE),
    BRUMALIS_DATA_FIELD(HeatLeavingC, TempSelData.HeatLeavingC),
    BRUMALIS_DATA_FIELD(HeatDeltaTE, TempSelData.HeatDeltaTE),
    BRUMALIS_DATA_FIELD(HeatDeltaTC, TempSelData.HeatDeltaTC),
    BRUMALIS_DATA_FIELD(Winter, TempSelData.Winter),
    BRUMALIS_DATA_FIELD(HRLeaving, TempSelData.HRLeaving),
    BRUMALIS_DATA_FIELD(HRDeltaT, TempSelData.HRDeltaT),
    BRUMALIS_DATA_FIELD(CoolCapNoGlycol, CoolData.CapNoGlycol),
    BRUMALIS_DATA_FIELD(CoolCap, CoolData.Cap),
    BRUMALIS_DATA_FIELD(CoolPINoGlycol, CoolData.PINoGlycol),
    BRUMALIS_DATA_FIELD(CoolPI, CoolData.PI),
    BRUMALIS_DATA_FIELD(CoolEER, CoolData.EERCOP),
    BRUMALIS_DATA_FIELD(CoolDeviation, CoolData.Deviation),
    BRUMALIS_DATA_FIELD(HeatCapNoGlycol, HeatData.CapNoGlycol),
    BRUMALIS_DATA_FIELD(HeatCap, HeatData.Cap),
    BRUMALIS_DATA_FIELD(HeatPINoGlycol, HeatData.PINoGlycol),
    BRUMALIS_DATA_FIELD(HeatPI, HeatData.PI),
    BRUMALIS_DATA_FIELD(HeatCOP, HeatData.EERCOP),
    BRUMALIS_DATA_FIELD(HeatDeviation, HeatData.Deviation),
    BRUMALIS_DATA_FIELD(HRCC, HRData.CC),
    BRUMALIS_DATA_FIELD(HRPI, HRData.PI),
    BRUMALIS_DATA_FIELD(HRHR, HRData.HR),
    BRUMALIS_DATA_FIELD(HRPercentage, HRData.HRPercentage),
    BRUMALIS_DATA_FIELD(HRCop, HRData.HRCOP),
    BRUMALIS_DATA_FIELD(EBrinePercent, Evaporator.BrinePercent),
    BRUMALIS_DATA_FIELD(EDeltaT, Evaporator.DeltaT),
    BRUMALIS_DATA_FIELD(EWFRNoGlycol, Evaporator.WFRNoGlycol),
    BRUMALIS_DATA_FIELD(EWFR, Evaporator.WFR),
    BRUMALIS_DATA_FIELD(EPD, Evaporator.PD),
    BRUMALIS_DATA_FIELD(CBrinePercent, Condenser.BrinePercent),
    BRUMALIS_DATA_FIELD(CDeltaT, Condenser.DeltaT),
    BRUMALIS_DATA_FIELD(CWFRNoGlycol, Condenser.WFRNoGlycol),
    BRUMALIS_DATA_FIELD(CWFR, Condenser.WFR),
    BRUMALIS_DATA_FIELD(CPD, Condenser.PD),
    BRUMALIS_DATA_FIELD(HRBrinePercent, HRCondenser.BrinePercent),
    BRUMALIS_DATA_FIELD(HRFluidDeltaT, HRCondenser.DeltaT),
    BRUMALIS_DATA_FIELD(HRWFRNoGlycol, HRCondenser.WFRNoGlycol),
    BRUMALIS_DATA_FIELD(HRWFR, HRCondenser.WFR),
    BRUMALIS_DATA_FIELD(HRPD, HRCondenser.PD),
    BRUMALIS_DATA_FIELD(SoundPower, SoundPower),
    BRUMALIS_DATA_FIELD(SoundDistance1, SoundDistances[0]),
    BRUMALIS_DATA_FIELD(SoundDistance2, SoundDistances[1]),
    BRUMALIS_DATA_FIELD(SoundDistance3, SoundDistances[2]),
    BRUMALIS_DATA_FIELD(SoundPressure1, SoundPressures[0]),
    BRUMALIS_DATA_FIELD(SoundPressure2, SoundPressures[1]),
    BRUMALIS_DATA_FIELD(SoundPressure3, SoundPressures[2]),
};
#undef BRUMALIS_DATA_FIELD

// The brine fields of a unit record: class ID field and the circuit.
const std::pair<int, TRepFluid TChillerData::*> kBrineFields[] = {
    {Cls_ChSelChiller::fldEBrineClsId, &TChillerData::Evaporator},
    {Cls_ChSelChiller::fldCBrineClsId, &TChillerData::Condenser},
    {Cls_ChSelChiller::fldHRBrineClsId, &TChillerData::HRCondenser},
};

// Why a file cannot be read; the message names the file.
class TUnreadable : public std::exception {
public:
    explicit TUnreadable(std::string szReason) : v_reason(std::move(szReason)) {}
    const char* what() const noexcept override { return v_reason.c_str(); }

private:
    std::string v_reason;
};
// Another project version, or no project record.
class TOldVersion : public std::exception {};

const char* const kOldVersion =
    "The Brumalis program cannot read this chiller project file. Reason: old version database.";
const char* const kCannotRead = "The Brumalis program cannot read this chiller project file. Reason: $1";

// Database 2 loaded from a file, with the reason when it cannot be.
class CTProjectEngine : public CTMemDbEngine {
public:
    CTProjectEngine(CTBaseFactory& factory, const std::string& szFileName)
        : CTMemDbEngine(factory, factory.GetLogicalName(dbChillerProject), szFileName, false, dbChillerProject) {}

    // From the file, or from its bytes when the caller read them already.
    void Load(const std::string* pBytes) {
        if (!pBytes && std::filesystem::is_directory(GetDatabaseName())) {
            throw TUnreadable(WorkflowText("it is a folder, not a file"));
        }
        // Said here, as the system's own text for it is English only.
        if (!pBytes && !std::filesystem::exists(GetDatabaseName())) throw TUnreadable(WorkflowText("the file does not exist"));
        try {
            const std::string text = pBytes ? PayloadOfBytes(*pBytes) : PayloadOfFile(GetDatabaseName());
            // The engine stops after the records; a file cut in its last
            // section must not pass for a whole one.
            CTByteViewStream whole(text);
            CTEdiDatabase().Read(whole);
            CTByteViewStream records(text);
            CTStreamIO io(records);
            ReadFrom(io);
        } catch (const std::exception& e) {
            throw TUnreadable(e.what());
        }
        SetConnected(true);
    }

private:
    static std::string PayloadOfFile(const std::string& szFileName) {
        CTMyFileStream file(szFileName, CTMyFileStream::Mode::OpenReadDenyWrite);
        return PayloadOf(file);
    }
    static std::string PayloadOfBytes(std::string_view bytes) {
        CTByteViewStream file(bytes);
        return PayloadOf(file);
    }
    // The EDI text of the file, expanded; at most a few times the file's size.
    static std::string PayloadOf(CTStream& file) {
        const std::unique_ptr<CTStream> payload = OpenContainerPayload(file, CompressionSettings());
        std::string text;
        char block[16384];
        while (const std::size_t n = payload->Read(block, sizeof block)) text.append(block, n);
        return text;
    }
};

template <class T>
CTRecordList<T> ByID(CTRecordList<T> list) {
    std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a->GetID() < b->GetID(); });
    return list;
}

void RequireFinite(const CTDbObject& record, int nField, const char* szWhat) {
    if (!std::isfinite(record.Values().GetDoubleValue(nField))) {
        throw TUnreadable(std::string("a number that is not finite (") + szWhat + " of record " +
                          std::to_string(record.GetID()) + ")");
    }
}

Cls_ChGlycol* FindBrine(const CTRecordList<Cls_ChGlycol>& brines, std::int32_t nCls, std::int32_t nObj) {
    if (nObj == 0) return nullptr;
    for (const auto& p : brines) {
        if (p->TableIndex() == nCls && p->GetID() == nObj) return p.get();
    }
    return nullptr;
}

Cls_ChOption* FindOption(const CTRecordList<Cls_ChOption>& options, std::int32_t nCls, std::int32_t nObj) {
    for (const auto& p : options) {
        if (p->TableIndex() == nCls && p->GetID() == nObj) return p.get();
    }
    return nullptr;
}

// Reads the basket of the project database (connected to the file) into new
// solutions; raises TUnreadable for a file that does not hold a sound project.
class TBasketReader {
public:
    TBasketReader(CTFactory& factory, TMainSession& session, std::vector<std::string>& skipped)
        : v_factory(factory), v_session(session), v_skipped(skipped) {}

    // Of the project record, once Read found it.
    std::string v_dataVersion;

    TSolutionBasket::TSolutionList Read() {
        CTRecordList<Cls_ChProject> projects =
            ByID(RecordsAs<Cls_ChProject>(CTDbObject::GetAllRecords(Cls_ChProject::kClassID, false, &v_factory)));
        if (projects.empty() || projects.front()->GetDBVersion() != TProjectFile::kProjectVersion) {
            throw TOldVersion();
        }
        v_dataVersion = projects.front()->GetOrvaneDefinedVersion();
        TSolutionBasket::TSolutionList solutions;
        for (const auto& pRecord : ByID(projects.front()->GetAllChSolution())) {
            if (auto pSolution = ReadSolution(*pRecord, static_cast<int>(solutions.size()) + 1)) {
                solutions.push_back(std::move(pSolution));
            }
        }
        return solutions;
    }

private:
    std::unique_ptr<TSolution> ReadSolution(const Cls_ChSolution& record, int nPosition) {
        RequireFinite(record, Cls_ChSolution::fldReqCoolCap, "Fld_ReqCoolCap");
        RequireFinite(record, Cls_ChSolution::fldReqHeatCap, "Fld_ReqHeatCap");
        const CTRecordList<Cls_ChSelChiller> units = ByID(record.GetAllChSelChiller());
        for (const auto& pUnit : units) {
            for (const auto& [nField, ref] : kDataFields) RequireFinite(*pUnit, nField, "a unit value");
        }
        const std::int32_t nSeqNr = v_session.NextBasketSeqNr(static_cast<std::int32_t>(units.size()));
        std::vector<Cls_ChOutdoorUnit*> found;
        for (const auto& pUnit : units) {
            Cls_ChOutdoorUnit* pChiller = FindUnit(*pUnit, nPosition);
            if (!pChiller) continue;
            const std::int32_t nUnitSeqNr = nSeqNr + static_cast<std::int32_t>(found.size());
            pChiller->RemoveChillerData(nUnitSeqNr);
            pChiller->SetChillerData(nUnitSeqNr, DataSetOf(*pUnit));
            ApplyOptions(*pUnit, *pChiller, nUnitSeqNr);
            RefillSeasonalFigures(*pChiller, nUnitSeqNr);
            found.push_back(pChiller);
        }
        if (found.empty()) return nullptr;
        return std::make_unique<TSolution>(nSeqNr, record.GetReqHeatCap(), record.GetReqCoolCap(), std::move(found));
    }

    Cls_ChOutdoorUnit* FindUnit(const Cls_ChSelChiller& record, int nPosition) {
        const std::int32_t nCls = record.GetChillerClsId(), nObj = record.GetChillerObjId();
        for (Cls_ChOutdoorUnit* p : v_session.v_PrefChillers) {
            if (p->TableIndex() == nCls && p->GetID() == nObj) return p;
        }
        const std::string szSolution = std::to_string(nPosition);
        for (const auto& p : v_session.v_Outdoors) {
            if (p->TableIndex() == nCls && p->GetID() == nObj) {
                v_skipped.push_back(WorkflowText("Solution $1: unit \"$2\" was left out: its refrigerant is not allowed.",
                                         {szSolution, p->GetName()}));
                return nullptr;
            }
        }
        v_skipped.push_back(WorkflowText("Solution $1: unit $2 was left out: it is not in the catalogue.",
                                 {szSolution, std::to_string(nCls) + "/" + std::to_string(nObj)}));
        return nullptr;
    }

    TChillerData DataSetOf(const Cls_ChSelChiller& record) const {
        TChillerData d = GetInitChillerData();
        d.TempSelData.SelectCooling = record.GetSelectCooling();
        for (const auto& [nField, ref] : kDataFields) ref(d) = record.Values().GetDoubleValue(nField);
        for (const auto& [nClsField, circuit] : kBrineFields) {
            (d.*circuit).Brine = FindBrine(v_session.v_Glycols, record.Values().GetIntegerValue(nClsField),
                                           record.Values().GetIntegerValue(nClsField + 1));
        }
        return d;
    }

    void ApplyOptions(const Cls_ChSelChiller& record, Cls_ChOutdoorUnit& unit, std::int32_t nSeqNr) {
        for (const auto& pUsed : ByID(record.GetAllChUsedOption())) {
            const std::int32_t nCls = pUsed->GetOptionClsId(), nObj = pUsed->GetOptionObjId();
            Cls_ChOptAllowed* pComb = unit.GetSpecificOptComb(nCls, nObj, nSeqNr);
            Cls_ChOption* pOption = FindOption(v_session.v_Options, nCls, nObj);
            if (!pComb || !pOption) {
                v_skipped.push_back(WorkflowText("Unit \"$1\": option \"$2\" was left out: the unit no longer offers it.",
                                         {unit.GetName(), pOption ? pOption->GetName()
                                                                  : std::to_string(nCls) + "/" + std::to_string(nObj)}));
                continue;
            }
            pComb->Calculated = pUsed->GetIsCalcStandard();
            pComb->Selected = true;
            // A unit without option codes has one pump: a stored pump replaces its standard one.
            if (pOption->GetType() == 4 && !pComb->GetIsStandard()) {
                unit.ResetStdPumpOption(v_session.v_Options, pOption, nSeqNr);
                pComb->Calculated = pUsed->GetIsCalcStandard();
                pComb->Selected = true;
            }
        }
    }

    // The seasonal figures are not stored: they follow from the unit and its low-noise version.
    void RefillSeasonalFigures(Cls_ChOutdoorUnit& unit, std::int32_t nSeqNr) const {
        Cls_ChOptAllowed *pTank = nullptr, *pPump = nullptr, *pLowNoise = nullptr, *pRecovery = nullptr,
                         *pRange = nullptr;
        unit.GetSelectedAttrOptionCombs(v_session.v_Options, nSeqNr, pTank, pPump, pLowNoise, pRecovery, pRange);
        TChillerData d = unit.GetChillerData(nSeqNr);
        unit.GetESEERIPLV(pLowNoise, d.ESEER, d.ESEEREER100, d.IPLV, d.IPLVEER100);
        unit.SetChillerData(nSeqNr, d);
    }

    CTFactory& v_factory;
    TMainSession& v_session;
    std::vector<std::string>& v_skipped;
};

}  // namespace

std::string WithDefaultExtension(const std::string& szFileName) {
    return std::filesystem::path(szFileName).has_extension() ? szFileName
                                                             : szFileName + "." + TProjectFile::kDefaultExt;
}

TProjectFile::TProjectFile(CTFactory& factory, TMainSession& session)
    : v_factory(factory), v_session(session), v_basket(session.Basket()) {}

bool TProjectFile::AskFileName(bool bSave, std::string& szFileName) const {
    if (!v_fileDialog) return false;
    const TFileDialogRequest request{bSave, WorkflowText(bSave ? "Save project" : "Open project"), kDefaultExt,
                                     WorkflowText("Chiller project files (*.cpf)|*.cpf|All files (*.*)|*.*")};
    return v_fileDialog(request, szFileName) && !szFileName.empty();
}

void TProjectFile::FillProjectDatabase(const std::string& szFileName) {
    v_factory.SetDatabaseName(dbChillerProject, std::string());
    v_factory.DisconnectDatabase(dbChillerProject);
    v_factory.ConnectDatabase(dbChillerProject);
    auto pProject = RecordAs<Cls_ChProject>(v_factory.CreateObject(Cls_ChProject::kClassID, 0));
    pProject->SetName(std::filesystem::path(szFileName).extension().string());
    pProject->SetOrvaneDefinedVersion(Cls_DdbVersionInfo::GetOrvaneVersion());
    pProject->Insert();
    for (const auto& pSolution : v_basket.Solutions()) {
        auto pRecord = RecordAs<Cls_ChSolution>(v_factory.CreateObject(Cls_ChSolution::kClassID, 0));
        pRecord->SetReqCoolCap(pSolution->GetReqCoolCap());
        pRecord->SetReqHeatCap(pSolution->GetReqHeatCap());
        pRecord->SetChProject(pProject.get());
        pRecord->Insert();
        for (int i = 0; i < pSolution->UnitCount(); ++i) {
            Cls_ChOutdoorUnit& unit = *pSolution->GetChillers()[static_cast<std::size_t>(i)];
            const std::int32_t nSeqNr = pSolution->GetSeqNr() + i;
            TChillerData d = unit.GetChillerData(nSeqNr);
            auto pUnit = RecordAs<Cls_ChSelChiller>(v_factory.CreateObject(Cls_ChSelChiller::kClassID, 0));
            pUnit->SetChillerClsId(unit.TableIndex());
            pUnit->SetChillerObjId(unit.GetID());
            pUnit->SetSelectCooling(d.TempSelData.SelectCooling);
            for (const auto& [nField, ref] : kDataFields) pUnit->Values().SetDoubleValue(nField, ref(d));
            for (const auto& [nClsField, circuit] : kBrineFields) {
                if (const Cls_ChGlycol* pBrine = (d.*circuit).Brine) {
                    pUnit->Values().SetIntegerValue(nClsField, pBrine->TableIndex());
                    pUnit->Values().SetIntegerValue(nClsField + 1, pBrine->GetID());
                }
            }
            pUnit->SetChSolution(pRecord.get());
            pUnit->Insert();
            for (const auto& pComb : unit.GetOptCombs(nSeqNr)) {
                if (!pComb->GetSelected()) continue;
                std::int32_t nCls = 0, nObj = 0;
                pComb->GetDeviceOption_REF(nCls, nObj);
                auto pUsed = RecordAs<Cls_ChUsedOption>(v_factory.CreateObject(Cls_ChUsedOption::kClassID, 0));
                pUsed->SetOptionClsId(nCls);
                pUsed->SetOptionObjId(nObj);
                pUsed->SetIsCalcStandard(pComb->Calculated);
                pUsed->SetChSelChiller(pUnit.get());
                pUsed->Insert();
            }
        }
    }
}

bool TProjectFile::WriteFile(const std::string& szFileName) {
    FillProjectDatabase(szFileName);
    v_factory.SetDatabaseName(dbChillerProject, szFileName);
    if (v_factory.SaveFile(dbChillerProject, true)) return true;
    v_factory.SetDatabaseName(dbChillerProject, std::string());
    return false;
}

bool TProjectFile::SaveAs(const std::string& szFileName) {
    const std::string szName = WithDefaultExtension(szFileName);
    if (!WriteFile(szName)) return false;
    v_session.v_ProjectFileName = szName;
    v_session.v_ProjectModified = false;
    return true;
}

bool TProjectFile::Save() {
    // A known file that cannot be written (read-only, gone) still leaves the
    // user one chance to keep the basket elsewhere.
    if (!v_session.v_ProjectFileName.empty() && SaveAs(v_session.v_ProjectFileName)) return true;
    std::string szName;
    return AskFileName(true, szName) && SaveAs(szName);
}

bool TProjectFile::QueryUnsavedChanges() {
    if (!v_session.v_ProjectModified) return true;
    switch (AskUserYesNoCancel(dialogs::msgAllParameters,
                               {WorkflowText("Chiller project data have been adapted. Save them first?")})) {
        case TDialogAnswer::Yes: return Save();
        case TDialogAnswer::No: return true;  // the flag stays until an open succeeds
        case TDialogAnswer::Cancel: return false;
    }
    return false;
}

bool TProjectFile::Open() {
    if (!QueryUnsavedChanges()) return false;
    std::string szName;
    return AskFileName(false, szName) && OpenFile(szName);
}

bool TProjectFile::OpenFailed(const std::string& szFileName, const std::string& szMessage,
                              std::unique_ptr<CTDbEngine> pPrevious) {
    if (pPrevious) v_factory.ExchangeEngine(dbChillerProject, std::move(pPrevious));
    ShowWorkflowError(szFileName + ": " + szMessage);
    return false;
}

bool TProjectFile::OpenFile(const std::string& szFileName) { return Load(szFileName, nullptr); }

bool TProjectFile::OpenBytes(const std::string& szFileName, const std::string& bytes) { return Load(szFileName, &bytes); }

bool TProjectFile::Load(const std::string& szFileName, const std::string* pBytes) {
    auto pEngine = std::make_unique<CTProjectEngine>(v_factory, szFileName);
    std::unique_ptr<CTDbEngine> pPrevious;
    std::vector<std::string> skipped;
    std::string dataVersion;
    TSolutionBasket::TSolutionList solutions;
    try {
        pEngine->Load(pBytes);
        pPrevious = v_factory.ExchangeEngine(dbChillerProject, std::move(pEngine));
        TBasketReader reader(v_factory, v_session, skipped);
        solutions = reader.Read();
        dataVersion = reader.v_dataVersion;
    } catch (const TOldVersion&) {
        return OpenFailed(szFileName, WorkflowText(kOldVersion), std::move(pPrevious));
    } catch (const std::exception& e) {
        return OpenFailed(szFileName, WorkflowText(kCannotRead, {e.what()}), std::move(pPrevious));
    }
    if (pPrevious) pPrevious->Disconnect();
    v_factory.SetDatabaseName(dbChillerProject, szFileName);
    v_basket.Replace(std::move(solutions));
    v_session.v_ProjectFileName = szFileName;
    v_session.v_ProjectModified = false;
    v_Skipped = std::move(skipped);
    v_DataVersion = std::move(dataVersion);
    for (const std::string& szSkipped : v_Skipped) ShowWorkflowWarning(szSkipped);
    return true;
}

}  // namespace brumalis
