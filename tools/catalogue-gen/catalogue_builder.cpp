#include "tools/catalogue-gen/catalogue_builder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "catalogue/catalogue_schema.h"
#include "catalogue/records.h"
#include "objectstore/compressed_container.h"
#include "objectstore/edi_writer.h"
#include "objectstore/mem_engine.h"
#include "tools/catalogue-gen/brine_model.h"
#include "tools/catalogue-gen/pictures.h"
#include "tools/catalogue-gen/poly_fit.h"
#include "tools/catalogue-gen/seasonal.h"
#include "tools/catalogue-gen/unit_design.h"

namespace brumalis::catgen {
namespace {

const TCompressionSettings kShippedContainer{true, "QXZ"};
constexpr double kRecoveryPD = 25.0;            // kPa at the nominal recovery flow
constexpr double kDefrostHumidity = 80.0;       // % RH of the freeze-up rows
constexpr double kTankLitresPerKW = 5.0;
constexpr double kPumpFlowMin = 0.5, kPumpFlowMax = 1.4;  // of the nominal evaporator flow

// The memory engines of a private factory with the whole schema; the
// factory is the default one while the builder lives. Every database must
// start empty, so no other engine (an embedded blob's) may be offered one.
class TStore {
public:
    TStore() {
        v_previousCompression = CTMemDbEngine::UseCompression(false);
        CTBaseFactory::ClearRegisteredEngines();
        CTMemDbEngine::RegisterScratchEngine();
        v_factory = CreateCatalogueFactory();
        v_previousDefault = CTDbObject::GetDefaultFactory();
        CTDbObject::SetDefaultFactory(v_factory.get());
        if (!v_factory->Connect(false)) throw TInputError("the object store did not connect");
    }
    ~TStore() {
        CTDbObject::SetDefaultFactory(v_previousDefault);
        v_factory.reset();
        CTBaseFactory::ClearRegisteredEngines();
        CTMemDbEngine::UseCompression(v_previousCompression);
    }
    TStore(const TStore&) = delete;
    TStore& operator=(const TStore&) = delete;

    template <class T>
    std::unique_ptr<T> New() {
        return RecordAs<T>(v_factory->CreateObject(T::kClassID, 0));
    }
    // Inserts and answers the record; the object store swallows its errors,
    // so the status tells whether it is stored.
    template <class T>
    std::unique_ptr<T> Stored(std::unique_ptr<T> pRecord) {
        pRecord->Insert();
        if (pRecord->GetStatus() != stStored) {
            throw TInputError("the object store refused a record of " + pRecord->TableInfo().GetTableName());
        }
        return pRecord;
    }
    // The plain EDI text of one database.
    std::string Text(int nDb) {
        CTMemoryStream out;
        v_factory->Engine(nDb)->WriteToStream(out);
        return out.TakeData();
    }

private:
    std::unique_ptr<CTFactory> v_factory;
    CTBaseFactory* v_previousDefault = nullptr;
    bool v_previousCompression = false;
};

std::string Compressed(const std::string& text) {
    CTMemoryStream out;
    CTContainerWriter writer(out, kShippedContainer);
    writer.Payload().WriteAll(text);
    writer.Finish();
    return out.TakeData();
}

void SetCoefficients(Cls_Polynomial& rec, const TPolynomial& p) {
    rec.SetA0(p.a[0]), rec.SetA1(p.a[1]), rec.SetA2(p.a[2]), rec.SetA3(p.a[3]);
    rec.SetA4(p.a[4]), rec.SetA5(p.a[5]), rec.SetA6(p.a[6]), rec.SetA7(p.a[7]);
}

// A flow-dependent curve: the power law through the nominal point, fitted
// over its valid flows.
TPolynomial FlowCurve(double fMin, double fMax, double fNominal, double valueAtNominal, double exponent) {
    std::vector<double> fs, vs;
    for (int i = 0; i <= 40; ++i) {
        const double f = fMin + (fMax - fMin) * i / 40.0;
        fs.push_back(f);
        vs.push_back(valueAtNominal * std::pow(f / fNominal, exponent));
    }
    return FitWithin(fs, vs, 3, 7, kMaxTableFitError, "flow curve").poly;
}

// Both recovery tables refer to their owner (unit or combination) at field 7.
constexpr int kRecoveryOwnerField = 7;
static_assert(Cls_ChDeviceHR::fldChOutdoorUnit == kRecoveryOwnerField);
static_assert(Cls_ChOptionHR::fldChOptAllowed == kRecoveryOwnerField);

struct THRRow {
    double lwe = 0.0, ewc = 0.0, lwc = 0.0, cc = 0.0, pi = 0.0, hr = 0.0;
};

// Recovery rows keyed by entering recovery water (LWE fixed at nominal) or by
// leaving evaporator water (EWC 0). Total recovery condenses into the
// recovery water; a desuperheater recovers a share of the rejected heat at
// the unit's own condensing and gives less the warmer the water.
std::vector<THRRow> RecoveryRows(const TUnitModel& m, const std::string& szKey, double share) {
    std::vector<THRRow> rows;
    const double x = m.Nominal().CoolX(m.Params().condenser);
    const auto add = [&](double lwe, double ewc, double lwc) {
        THRRow r{lwe, ewc, lwc};
        if (share >= 1.0) {
            const double tc = (ewc > 0.0 ? (ewc + lwc) / 2.0 + 4.0 : lwc + 3.0);
            m.RecoveryPoint(lwe, tc, r.cc, r.pi);
            r.hr = r.cc + r.pi;
        } else {
            r.cc = m.CoolCap(lwe, x);
            r.pi = m.CoolPower(lwe, x);
            r.hr = share * (r.cc + r.pi) * (1.0 - (lwc - 40.0) / 80.0);
        }
        rows.push_back(r);
    };
    if (szKey == "ewc") {
        for (double ewc = 30.0; ewc <= 45.0; ewc += 5.0) {
            for (double lwc = ewc + 5.0; lwc <= 55.0; lwc += 5.0) add(m.Nominal().coolLWE, ewc, lwc);
        }
    } else {
        for (double lwe : {5.0, 7.0, 10.0}) {
            for (double lwc = 40.0; lwc <= 55.0; lwc += 5.0) add(lwe, 0.0, lwc);
        }
    }
    return rows;
}

std::string EnergyClass(double eer, TCondenser condenser) {
    const double top = condenser == TCondenser::Air ? 3.1 : 5.05;
    const double step = condenser == TCondenser::Air ? 0.2 : 0.4;
    const int n = std::clamp(static_cast<int>(std::floor((top - eer) / step)) + 1, 0, 6);
    return std::string(1, static_cast<char>('A' + n));
}

class TBuilder {
public:
    TBuilder(const TRangeDescription& range, const TPublicData& data)
        : v_range(range), v_data(data), v_nominal(TNominalPoints::FromLimits(range)) {}

    TGeneratedCatalogue Build();

private:
    void BuildVersionAndLimits();
    void BuildReferenceTables();
    void BuildBrines();
    void BuildOptions();
    void BuildControllers();
    void BuildOptionCodes();
    void BuildPictures(const std::vector<TUnitPlan>& plans);
    void BuildUnit(const TUnitPlan& plan);
    void StoreUnit(const TUnitPlan& plan);
    void SetUnitFields(Cls_ChOutdoorUnit& u, const TUnitDesign& d);
    void SetEnvelope(Cls_ChOutdoorUnit& u, const TUnitDesign& d);
    void StoreTables(const Cls_ChOutdoorUnit& u, const TUnitDesign& d);
    void StoreSeasonal(Cls_ChOutdoorUnit& u, const TUnitDesign& d);
    void StoreDocumentation(const Cls_ChOutdoorUnit& u, const TUnitDesign& d);
    void StorePowerSupplies(const Cls_ChOutdoorUnit& u, const TUnitDesign& d);
    void StoreFreezeUp(const Cls_ChOutdoorUnit& u);
    template <class T>
    void StoreRecoveryRows(const std::vector<THRRow>& rows, const CTDbObject& owner);
    void StoreOptions(const Cls_ChOutdoorUnit& u, const TUnitDesign& d);
    void StorePrice(const Cls_ChOutdoorUnit& u, const TUnitDesign& d);
    void StoreLowNoise(const Cls_ChOutdoorUnit& u, const TUnitDesign& d, const Cls_ChOptAllowed& comb, const TOptionDef& o);
    void StorePump(const TUnitDesign& d, const Cls_ChOptAllowed& comb, const TOptionDef& o);
    void StoreRecoveryOption(const TUnitDesign& d, const Cls_ChOptAllowed& comb, const TOptionDef& o);

    const TRangeDescription& v_range;
    const TPublicData& v_data;
    TNominalPoints v_nominal;
    TStore v_store;
    std::map<std::string, std::unique_ptr<CTDbObject>> v_refrigerants, v_compressors, v_supplies, v_controllers;
    std::map<std::string, std::unique_ptr<Cls_ChOption>> v_options;
    // Series -> photograph and dimensional drawing.
    std::map<std::string, std::pair<std::unique_ptr<Cls_ChVisualization>, std::unique_ptr<Cls_ChVisualization>>> v_pictures;
    int v_units = 0;
};

void TBuilder::BuildVersionAndLimits() {
    auto version = std::make_unique<Cls_DdbVersionInfo>();
    version->SetDbVersion(v_range.dbVersion);
    version->SetDataVersion(v_range.dataVersion);
    v_store.Stored(std::move(version));
    auto limits = v_store.New<Cls_ChLimits>();
    for (const auto& [name, value] : v_range.limits) {
        const int ix = limits->TableInfo().IndexOfField(name, 1);
        if (ix < 1) throw TInputError("version.json: the limits record has no field \"" + name + "\"");
        if (limits->Values().TypeAt(ix) == FieldType::Integer) {
            if (value != std::floor(value)) throw TInputError("version.json: " + name + " must be a whole number");
            limits->Values().SetIntegerValue(ix, static_cast<std::int32_t>(value));
        } else {
            limits->Values().SetDoubleValue(ix, value);
        }
    }
    v_store.Stored(std::move(limits));
}

void TBuilder::BuildReferenceTables() {
    for (const auto& [name, rank] : v_range.refrigerants) {
        auto r = v_store.New<Cls_Refrigerant>();
        r->SetName(name);
        r->SetRank(rank);
        v_refrigerants[name] = v_store.Stored(std::move(r));
    }
    for (const std::string& name : v_range.compressors) {
        auto c = v_store.New<Cls_ChCompressor>();
        c->SetName(name);
        v_compressors[name] = v_store.Stored(std::move(c));
    }
    for (const TPowerSupplyDef& def : v_range.powerSupplies) {
        auto p = v_store.New<Cls_PowerSupply>();
        p->SetName(def.name), p->SetVoltage(def.voltage), p->SetRange(def.range), p->SetFrequency(def.frequency);
        p->SetPhases(def.phases), p->SetPhaseNames(def.phaseNames), p->SetDefault(def.isDefault);
        v_supplies[def.name] = v_store.Stored(std::move(p));
    }
}

void TBuilder::BuildBrines() {
    for (const TBrineDef& def : v_range.brines) {
        auto brine = v_store.New<Cls_ChGlycol>();
        brine->SetName(def.name);
        auto stored = v_store.Stored(std::move(brine));
        for (const auto& [type, poly] : BrinePolynomials(v_data, def)) {
            auto row = v_store.New<Cls_ChGlyPolynomial>();
            row->SetType(type);
            SetCoefficients(*row, poly);
            row->SetGlycol(stored.get());
            v_store.Stored(std::move(row));
        }
    }
}

void TBuilder::BuildOptions() {
    for (const TOptionDef& def : v_range.options) {
        auto o = v_store.New<Cls_ChOption>();
        o->SetName(def.name), o->SetDescription(def.description), o->SetType(def.type), o->SetIsKit(def.kit);
        o->SetWidth(def.width), o->SetDepth(def.depth), o->SetHeight(def.height);
        v_options[def.name] = v_store.Stored(std::move(o));
    }
    for (const auto& [a, b] : v_range.exclusions) {
        auto x = v_store.New<Cls_ChOptExcludes>();
        x->SetChOption(v_options.at(a).get());
        x->SetChOption2(v_options.at(b).get());
        v_store.Stored(std::move(x));
    }
}

void TBuilder::BuildControllers() {
    CTRecordList<Cls_ChGlycol> brines = RecordsAs<Cls_ChGlycol>(CTDbObject::GetAllRecords(Cls_ChGlycol::kClassID, false));
    for (const TControllerDef& def : v_range.controllers) {
        auto c = v_store.New<Cls_ChController>();
        c->SetName(def.name);
        auto controller = v_store.Stored(std::move(c));
        for (double lwe : def.steps) {
            auto step = v_store.New<Cls_ChLWEStep>();
            step->SetLWE(lwe);
            step->SetChController(controller.get());
            const bool bBrine = lwe < def.brineBelow;
            if (bBrine) step->SetChOption(v_options.at(def.brineOption).get());
            auto stored = v_store.Stored(std::move(step));
            for (std::size_t i = 0; bBrine && i < brines.size(); ++i) {
                auto perc = v_store.New<Cls_ChEvapGlycolPerc>();
                perc->SetPercentage(std::ceil(RequiredPercent(v_data, v_range.brines[i], lwe)));
                perc->SetChGlycol(brines[i].get());
                perc->SetChLWEStep(stored.get());
                v_store.Stored(std::move(perc));
            }
        }
        v_controllers[def.name] = std::move(controller);
    }
}

void TBuilder::BuildOptionCodes() {
    static const int kSlotFields[] = {Cls_ChOptionCode::fldOpt1Ref, Cls_ChOptionCode::fldOpt2Ref,
                                      Cls_ChOptionCode::fldOpt3Ref, Cls_ChOptionCode::fldOpt4Ref,
                                      Cls_ChOptionCode::fldOpt5Ref, Cls_ChOptionCode::fldOpt6Ref,
                                      Cls_ChOptionCode::fldOpt7Ref, Cls_ChOptionCode::fldOpt8Ref,
                                      Cls_ChOptionCode::fldOpt9Ref, Cls_ChOptionCode::fldOpt10Ref};
    for (const TCodePosition& pos : v_range.optionCodes) {
        auto code = v_store.New<Cls_ChOptionCode>();
        code->SetDigitCode(pos.digit);
        for (std::size_t i = 0; i < pos.slots.size(); ++i) {
            code->Values().SetIntegerValue(kSlotFields[i], v_options.at(pos.slots[i])->GetID());
        }
        auto stored = v_store.Stored(std::move(code));
        for (const auto& [pattern, ch] : pos.codes) {
            auto comb = v_store.New<Cls_ChOptionCodeCombination>();
            comb->SetCharCode(ch);
            comb->SetCombination(static_cast<std::int32_t>(std::stoi(pattern, nullptr, 2)));
            comb->SetChOptionCode(stored.get());
            v_store.Stored(std::move(comb));
        }
    }
}

void TBuilder::BuildPictures(const std::vector<TUnitPlan>& plans) {
    // The series' largest standard model stands for the series.
    std::map<std::string, const TUnitPlan*> largest;
    for (const TUnitPlan& p : plans) {
        const TUnitPlan*& pBest = largest[p.series->name];
        if (!pBest || p.capacityKW > pBest->capacityKW) pBest = &p;
    }
    for (const TSeriesDef& s : v_range.series) {
        const TUnitDesign d = DesignUnit(*largest.at(s.name), v_range, v_data, v_nominal);
        const auto store = [&](const std::string& jpeg, const std::string& szKind, std::int32_t nType) {
            auto pic = v_store.New<Cls_ChVisualization>();
            pic->SetName(s.name + " " + szKind);
            pic->SetType(nType);
            auto stored = v_store.Stored(std::move(pic));
            CTMemoryStream bytes(jpeg);
            stored->SetDrawing(&bytes);
            return stored;
        };
        auto photo = store(RenderPhoto(d), "photo", 0);
        v_pictures[s.name] = {std::move(photo), store(RenderDrawing(d), "drawing", 1)};
    }
}

void TBuilder::SetEnvelope(Cls_ChOutdoorUnit& u, const TUnitDesign& d) {
    const TEnvelope& c = d.coolEnvelope;
    u.SetCMinITemp(c.minI), u.SetCMaxITemp(c.maxI), u.SetCMinOTemp(c.minO), u.SetCMaxOTemp(c.maxO);
    u.SetCDIndUL(c.ulW), u.SetCDOutUL(c.ulH), u.SetCDIndUR(c.urW), u.SetCDOutUR(c.urH);
    u.SetCDIndLR(c.lrW), u.SetCDOutLR(c.lrH), u.SetCDIndLL(c.llW), u.SetCDOutLL(c.llH);
    const TEnvelope& h = d.heatEnvelope;
    u.SetHMinITemp(h.minI), u.SetHMaxITemp(h.maxI), u.SetHMinOTemp(h.minO), u.SetHMaxOTemp(h.maxO);
    u.SetHDIndUL(h.ulW), u.SetHDOutUL(h.ulH), u.SetHDIndUR(h.urW), u.SetHDOutUR(h.urH);
    u.SetHDIndLR(h.lrW), u.SetHDOutLR(h.lrH), u.SetHDIndLL(h.llW), u.SetHDOutLL(h.llH);
    const TProfileDef& p = *d.plan.profile;
    if (FamilyCools(p.family)) u.SetCIndLowerLimit(p.coolX.from), u.SetCIndUpperLimit(p.coolX.to);
    if (FamilyHeats(p.family)) u.SetHIndLowerLimit(p.heatX.from), u.SetHIndUpperLimit(p.heatX.to);
}

void TBuilder::SetUnitFields(Cls_ChOutdoorUnit& u, const TUnitDesign& d) {
    const TSeriesDef& s = *d.plan.series;
    const TProfileDef& p = *d.plan.profile;
    u.SetName(d.plan.name);
    u.SetGroupName(s.title);
    u.SetSeries(s.name);
    // The field's default is one blank; standard units have an empty suffix.
    u.SetNameSuffix(d.plan.variant->suffix);
    u.SetFamily(static_cast<std::int32_t>(p.family));
    u.SetProductFamily(FamilyHeats(p.family) ? 1 : 0);
    u.SetCondenserType(static_cast<std::int32_t>(p.condenser));
    u.SetOutside(p.condenser == TCondenser::Air);
    u.SetEurovent(s.eurovent);
    u.SetHasOptionCodes(s.optionCodes);
    u.SetHasPressureDropData(p.family != TFamily::CondensingUnit);
    u.SetComprQuantity(d.compressors);
    u.SetComprStep(s.compressor == "Scroll" ? std::to_string(d.compressors) : "stepless");
    u.SetRefrigerant(v_refrigerants.at(s.refrigerant).get());
    u.SetChCompressor(v_compressors.at(s.compressor).get());
    u.SetChController(v_controllers.at(s.controller).get());
    u.SetChVisualization(v_pictures.at(s.name).first.get());
    u.SetChVisualization2(v_pictures.at(s.name).second.get());
    SetEnvelope(u, d);
    u.SetMinDTE(d.evaporator.minDT), u.SetMaxDTE(d.evaporator.maxDT);
    u.SetMinWFRE(d.evaporator.minFlow), u.SetMaxWFRE(d.evaporator.maxFlow);
    // Heat pumps and heating-only units check the heated water against the
    // condenser delta T range.
    const TFluidSide& heated = p.condenser == TCondenser::Water ? d.condenser : d.evaporator;
    u.SetMinDTC(heated.minDT), u.SetMaxDTC(heated.maxDT);
    u.SetMinWFRC(d.condenser.minFlow), u.SetMaxWFRC(d.condenser.maxFlow);
    if (FamilyHeats(p.family)) {
        const bool bAir = p.condenser == TCondenser::Air;
        const double row = bAir ? v_nominal.heatRowAir : v_nominal.heatRowWater;
        const double x = bAir ? v_nominal.heatXAir : v_nominal.heatXWater;
        u.SetCOP100(d.model.HeatCap(row, x) / d.model.HeatPower(row, x));
    }
}

void TBuilder::StoreTables(const Cls_ChOutdoorUnit& u, const TUnitDesign& d) {
    const auto store = [&](const TFittedTable& table, std::int32_t type) {
        for (const TCapRow& r : table.rows) {
            auto row = v_store.New<Cls_ChOutCapacity>();
            row->SetType(type), row->SetSelect1(r.Select1), row->SetSelect2(r.Select2);
            SetCoefficients(*row, r.Poly);
            row->SetChOutdoorUnit(&u);
            v_store.Stored(std::move(row));
        }
    };
    store(d.coolCap, cttCoolCap), store(d.heatCap, cttHeatCap), store(d.coolPI, cttCoolPI), store(d.heatPI, cttHeatPI);
    const auto pd = [&](const TFluidSide& side, std::int32_t type) {
        if (!side.pressureDrop) return;
        auto row = v_store.New<Cls_ChOutCapacity>();
        row->SetType(type), row->SetSelect1(side.minFlow), row->SetSelect2(side.maxFlow);
        SetCoefficients(*row, *side.pressureDrop);
        row->SetChOutdoorUnit(&u);
        v_store.Stored(std::move(row));
    };
    pd(d.evaporator, cttEvapPressureDrop), pd(d.condenser, cttCondPressureDrop);
}

// The seasonal fields of units and of low-noise records share their names.
template <class T>
void SetSeasonal(T& r, const TSeasonal& s) {
    r.SetESEER(s.eseer.value), r.SetIPLV(s.iplv.value);
    const auto& e = s.eseer.points;
    r.SetESEEREER100(e[0].eer), r.SetESEEREER75(e[1].eer), r.SetESEEREER50(e[2].eer), r.SetESEEREER25(e[3].eer);
    r.SetESEERCC100(e[0].capacity), r.SetESEERCC75(e[1].capacity), r.SetESEERCC50(e[2].capacity), r.SetESEERCC25(e[3].capacity);
    r.SetESEERPI100(e[0].power), r.SetESEERPI75(e[1].power), r.SetESEERPI50(e[2].power), r.SetESEERPI25(e[3].power);
    const auto& i = s.iplv.points;
    r.SetIPLVEER100(i[0].eer), r.SetIPLVEER75(i[1].eer), r.SetIPLVEER50(i[2].eer), r.SetIPLVEER25(i[3].eer);
    r.SetIPLVCC100(i[0].capacity), r.SetIPLVCC75(i[1].capacity), r.SetIPLVCC50(i[2].capacity), r.SetIPLVCC25(i[3].capacity);
    r.SetIPLVPI100(i[0].power), r.SetIPLVPI75(i[1].power), r.SetIPLVPI50(i[2].power), r.SetIPLVPI25(i[3].power);
}

void TBuilder::StoreSeasonal(Cls_ChOutdoorUnit& u, const TUnitDesign& d) {
    if (!FamilyCools(d.plan.profile->family)) return;
    const TPolyCapListCh cap(u, cttCoolCap, d.coolCap.rows), pi(u, cttCoolPI, d.coolPI.rows);
    const TSeasonal s = ComputeSeasonal(cap, pi, d.model);
    SetSeasonal(u, s);
    u.SetESEERLWE(s.lwe), u.SetIPLVLWE(s.lwe);
    u.SetESEERAmb100(s.eseer.points[0].condition), u.SetESEERAmb75(s.eseer.points[1].condition);
    u.SetESEERAmb50(s.eseer.points[2].condition), u.SetESEERAmb25(s.eseer.points[3].condition);
    u.SetIPLVAmb100(s.iplv.points[0].condition), u.SetIPLVAmb75(s.iplv.points[1].condition);
    u.SetIPLVAmb50(s.iplv.points[2].condition), u.SetIPLVAmb25(s.iplv.points[3].condition);
    u.SetEClass(EnergyClass(s.eseer.points[0].eer, d.plan.profile->condenser));
}

void TBuilder::StoreDocumentation(const Cls_ChOutdoorUnit& u, const TUnitDesign& d) {
    auto doc = v_store.New<Cls_ChOutDocumentation>();
    doc->SetWidth(d.width), doc->SetDepth(d.depth), doc->SetHeight(d.height), doc->SetWeight(d.weight);
    doc->SetSide(d.clearSide), doc->SetFront(d.clearFront), doc->SetBack(d.clearBack);
    doc->SetSoundPower(d.sound.soundPower);
    // The free-field pressure at 10 m over a reflecting plane.
    doc->SetSoundPressure(std::round((d.sound.soundPower - 20.0 * std::log10(10.0) - 8.0) * 10.0) / 10.0);
    const auto& b = d.sound.spectrum;
    doc->SetSoundSpec63(b[0]), doc->SetSoundSpec125(b[1]), doc->SetSoundSpec250(b[2]), doc->SetSoundSpec500(b[3]);
    doc->SetSoundSpec1000(b[4]), doc->SetSoundSpec2000(b[5]), doc->SetSoundSpec4000(b[6]), doc->SetSoundSpec8000(b[7]);
    doc->SetDevice(&u);
    v_store.Stored(std::move(doc));
}

void TBuilder::StorePowerSupplies(const Cls_ChOutdoorUnit& u, const TUnitDesign& d) {
    for (const TElectrical& e : d.electrical) {
        auto ps = v_store.New<Cls_ChPSAllowed>();
        ps->SetDevice(&u);
        ps->SetPowerSupply(v_supplies.at(e.supply).get());
        ps->SetFuses(e.fuses);
        ps->SetStartingCurrent(e.startingA), ps->SetMaxCurrentUnit(e.runningA), ps->SetMaxCurrentCompr(e.compressorA);
        v_store.Stored(std::move(ps));
    }
}

void TBuilder::StoreFreezeUp(const Cls_ChOutdoorUnit& u) {
    static const double kTemps[] = {-20, -15, -10, -7, -5, -3, -1, 0, 1, 3, 5, 6, 7};
    for (double t : kTemps) {
        const auto it = std::find_if(v_data.defrost.begin(), v_data.defrost.end(), [&](const TDefrostPoint& p) {
            return p.tempC == t && p.rhPercent == kDefrostHumidity;
        });
        if (it == v_data.defrost.end()) throw TInputError("no defrost factor at " + std::to_string(t) + " °C");
        auto row = v_store.New<Cls_ChFreezeUp>();
        row->SetTemp(t);
        row->SetCorr(std::round(it->capMultOnDemand * 1000.0) / 1000.0);
        row->SetChOutdoorUnit(&u);
        v_store.Stored(std::move(row));
    }
}

template <class T>
void TBuilder::StoreRecoveryRows(const std::vector<THRRow>& rows, const CTDbObject& owner) {
    for (const THRRow& r : rows) {
        auto row = v_store.New<T>();
        row->SetLWE(r.lwe), row->SetEWC(r.ewc), row->SetLWC(r.lwc);
        row->SetCoolCap(r.cc), row->SetCoolPI(r.pi), row->SetHeatRecovered(r.hr);
        row->SetRelationByIx(kRecoveryOwnerField, &owner);
        v_store.Stored(std::move(row));
    }
}

void TBuilder::StoreLowNoise(const Cls_ChOutdoorUnit& u, const TUnitDesign& d, const Cls_ChOptAllowed& comb,
                             const TOptionDef& o) {
    auto ln = v_store.New<Cls_ChLowNoise>();
    const double lw = d.sound.soundPower - o.soundReductionDb;
    const std::array<double, 8> b = SpectrumOf(lw, d.plan.profile->condenser);
    ln->SetSoundPower(lw);
    ln->SetSoundSpec63(b[0]), ln->SetSoundSpec125(b[1]), ln->SetSoundSpec250(b[2]), ln->SetSoundSpec500(b[3]);
    ln->SetSoundSpec1000(b[4]), ln->SetSoundSpec2000(b[5]), ln->SetSoundSpec4000(b[6]), ln->SetSoundSpec8000(b[7]);
    // Acoustic enclosures add weight, not size.
    ln->SetWidth(d.width), ln->SetDepth(d.depth), ln->SetHeight(d.height), ln->SetWeight(std::round(d.weight * 1.04));
    ln->SetChOptAllowed(&comb);
    if (!d.plan.series->lowNoiseRows) {
        v_store.Stored(std::move(ln));
        return;
    }
    // Slower fans: the same unit condensing warmer, with its own tables.
    TModelParams params = d.model.Params();
    params.fanShiftK += o.fanShiftK;
    TUnitDesign quiet(d.plan, TUnitModel(params, v_nominal));
    FitTables(quiet.model, *d.plan.profile, quiet);
    // A kit rated in one mode only (a night-time heating kit, say) has no
    // rows for the other mode; the program then finds that table empty.
    const std::string& modes = d.plan.series->lowNoiseModes;
    const bool bCoolRows = modes != "heating", bHeatRows = modes != "cooling";
    if (bCoolRows && !quiet.coolCap.rows.empty()) {
        const TPolyCapListCh cap(u, cttCoolCap, quiet.coolCap.rows), pi(u, cttCoolPI, quiet.coolPI.rows);
        SetSeasonal(*ln, ComputeSeasonal(cap, pi, quiet.model));
        ln->SetCIndLowerLimit(d.coolX.from), ln->SetCIndUpperLimit(d.coolX.to);
    }
    auto stored = v_store.Stored(std::move(ln));
    const auto store = [&](const TFittedTable& table, std::int32_t type) {
        for (const TCapRow& r : table.rows) {
            auto row = v_store.New<Cls_ChLowNoiseCapacity>();
            row->SetType(type), row->SetSelect1(r.Select1), row->SetSelect2(r.Select2);
            SetCoefficients(*row, r.Poly);
            row->SetChLowNoise(stored.get());
            v_store.Stored(std::move(row));
        }
    };
    if (bCoolRows) store(quiet.coolCap, cttCoolCap), store(quiet.coolPI, cttCoolPI);
    if (bHeatRows) store(quiet.heatCap, cttHeatCap), store(quiet.heatPI, cttHeatPI);
}

void TBuilder::StorePump(const TUnitDesign& d, const Cls_ChOptAllowed& comb, const TOptionDef& o) {
    // Available pressure: the pump's parabola from its shut-off head, less
    // the unit's own evaporator pressure drop.
    const double fn = d.evaporator.nominalFlow;
    const double fMin = kPumpFlowMin * fn, fMax = kPumpFlowMax * fn;
    std::vector<double> fs, esp;
    for (int i = 0; i <= 40; ++i) {
        const double f = fMin + (fMax - fMin) * i / 40.0;
        fs.push_back(f);
        esp.push_back(o.shutoffHeadKPa * (1.0 - std::pow(f / (2.0 * fn), 2.0)) - d.evaporator.pressureDrop->Evaluate(f));
    }
    auto pump = v_store.New<Cls_ChPumpData>();
    SetCoefficients(*pump, FitWithin(fs, esp, 2, 7, kMaxTableFitError, "pump curve").poly);
    pump->SetSelect1(fMin), pump->SetSelect2(fMax);
    pump->SetChOptAllowed(&comb);
    v_store.Stored(std::move(pump));
}

void TBuilder::StoreRecoveryOption(const TUnitDesign& d, const Cls_ChOptAllowed& comb, const TOptionDef& o) {
    const std::string key = d.plan.profile->hrKey.empty() ? "lwe" : d.plan.profile->hrKey;
    const std::vector<THRRow> rows = RecoveryRows(d.model, key, o.recoveryShare);
    StoreRecoveryRows<Cls_ChOptionHR>(rows, comb);
    double hrMax = 0.0;
    for (const THRRow& r : rows) hrMax = std::max(hrMax, r.hr);
    const double fn = FlowLPerMin(hrMax, 5.0);
    auto pd = v_store.New<Cls_ChOptionPD>();
    SetCoefficients(*pd, FlowCurve(0.3 * fn, 2.0 * fn, fn, kRecoveryPD, 1.9));
    pd->SetSelect1(0.3 * fn), pd->SetSelect2(2.0 * fn);
    pd->SetChOptAllowed(&comb);
    v_store.Stored(std::move(pd));
}

void TBuilder::StoreOptions(const Cls_ChOutdoorUnit& u, const TUnitDesign& d) {
    for (const TOptionUse& use : v_range.optionSets.at(d.plan.series->optionSet)) {
        const TOptionDef& o = *v_range.FindOption(use.option);
        auto comb = v_store.New<Cls_ChOptAllowed>();
        comb->SetDevice(&u);
        comb->SetDeviceOption(v_options.at(o.name).get());
        comb->SetIsStandard(use.standard), comb->SetIsPreferred(use.preferred);
        if (o.type == 7) comb->SetGeneric(std::max(50.0, std::round(kTankLitresPerKW * d.plan.capacityKW / 10.0) * 10.0));
        if (o.type == 2) comb->SetGeneric(o.soundReductionDb);
        auto stored = v_store.Stored(std::move(comb));
        if (o.type == 2) StoreLowNoise(u, d, *stored, o);
        if (o.type == 4 && d.evaporator.pressureDrop) StorePump(d, *stored, o);
        if (o.type == 6) StoreRecoveryOption(d, *stored, o);
    }
}

void TBuilder::BuildUnit(const TUnitPlan& plan) {
    try {
        StoreUnit(plan);
    } catch (const TInputError& e) {
        throw TInputError(plan.name + plan.variant->suffix + ": " + e.what());
    }
    ++v_units;
}

void TBuilder::StoreUnit(const TUnitPlan& plan) {
    const TUnitDesign d = DesignUnit(plan, v_range, v_data, v_nominal);
    auto unit = v_store.New<Cls_ChOutdoorUnit>();
    SetUnitFields(*unit, d);
    StoreSeasonal(*unit, d);
    auto u = v_store.Stored(std::move(unit));
    StoreTables(*u, d);
    StoreDocumentation(*u, d);
    StorePowerSupplies(*u, d);
    if (plan.profile->defrost) StoreFreezeUp(*u);
    if (plan.profile->family == TFamily::HeatRecovery) {
        StoreRecoveryRows<Cls_ChDeviceHR>(RecoveryRows(d.model, plan.profile->hrKey, 1.0), *u);
    }
    StoreOptions(*u, d);
    StorePrice(*u, d);
}

// An example list price: a fixed part plus a part growing less than
// proportionally with capacity, dearer for heat pumps, recovery, water-side
// build, higher efficiency and quieter versions.
void TBuilder::StorePrice(const Cls_ChOutdoorUnit& u, const TUnitDesign& d) {
    const TProfileDef& p = *d.plan.profile;
    double perKW = p.condenser == TCondenser::Air ? 900.0 : (p.condenser == TCondenser::Water ? 650.0 : 600.0);
    if (FamilyHeats(p.family)) perKW *= 1.25;
    if (p.family == TFamily::HeatRecovery) perKW *= 1.15;
    if (p.family == TFamily::CondensingUnit) perKW *= 0.7;
    const TVariantDef& v = *d.plan.variant;
    const double factor = (1.0 + 2.0 * (v.eerFactor - 1.0)) * (1.0 + 0.02 * std::fabs(v.soundDeltaDb));
    const double price = std::round((4000.0 + perKW * std::pow(d.plan.capacityKW, 0.8)) * factor / 10.0) * 10.0;
    auto entry = v_store.New<Cls_PriceEntry>();
    entry->SetRefClsID(Cls_ChOutdoorUnit::kClassID);
    entry->SetRefObjID(u.GetID());
    entry->SetName(u.GetName());
    entry->SetDescription(d.plan.series->title + (v.suffix.empty() ? "" : " " + v.suffix));
    entry->SetMaterialCost(price);
    entry->SetInstallationCost(std::round(price * 0.08 / 10.0) * 10.0);
    v_store.Stored(std::move(entry));
}

TGeneratedCatalogue TBuilder::Build() {
    const std::vector<TUnitPlan> plans = PlanUnits(v_range);
    auto header = v_store.New<Cls_PriceAndPrefsFile>();
    header->SetCurrencyUsed("EUR");
    header->SetOrvaneDefinedVersion(v_range.dataVersion);
    v_store.Stored(std::move(header));
    BuildVersionAndLimits();
    BuildReferenceTables();
    BuildBrines();
    BuildOptions();
    BuildControllers();
    BuildOptionCodes();
    BuildPictures(plans);
    for (const TUnitPlan& plan : plans) BuildUnit(plan);
    TGeneratedCatalogue out;
    const std::string text = v_store.Text(dbDeviceDatabase);
    out.expandedSize = text.size();
    out.database = Compressed(text);
    out.pictures = Compressed(v_store.Text(dbChillerPictures));
    out.prices = v_store.Text(dbPricingAndPrefs);
    out.units = v_units;
    out.series = static_cast<int>(v_range.series.size());
    return out;
}

// The version table with only the ID and the structure version, so that the
// text ends with the version the program expects, then the end mark.
std::string ReferenceText(const std::string& szDbVersion, const std::string& szSignature) {
    CTTableInfo table(Cls_DdbVersionInfo::kClassID, dbDeviceDatabase, "DdbVersionInfo", -1, false, false);
    table.AddFieldInfo(0, CTFieldInfo::CreateInteger("DVI_ID", 0));
    table.AddFieldInfo(1, CTFieldInfo::CreateUnicodeString("DVI_DbVersion", "", false));
    CTMemoryStream out;
    CTEdiWriter writer(out);
    writer.WriteSignature(szSignature);
    writer.WriteStructure({&table});
    writer.BeginRecords(Cls_DdbVersionInfo::kClassID, 1, 1);
    writer.WriteInteger(1);
    writer.WriteBytes(FieldType::UnicodeString, szDbVersion);
    writer.EndRecord();
    writer.EndRecords();
    writer.Flush();
    // The program reads the expected version as the text after the last
    // blank up to the line end, so no line may end in the separator blank.
    std::string text = out.TakeData();
    for (std::size_t at = text.find(" \r\n"); at != std::string::npos; at = text.find(" \r\n", at)) text.erase(at, 1);
    return text;
}

}  // namespace

TGeneratedCatalogue GenerateCatalogue(const TRangeDescription& range, const TPublicData& data) {
    TGeneratedCatalogue out = TBuilder(range, data).Build();
    out.reference = ReferenceText(range.dbVersion, "EDI100");
    return out;
}

}  // namespace brumalis::catgen
