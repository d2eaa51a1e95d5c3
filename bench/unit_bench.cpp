// The candidate test runs for every unit of the catalogue on every selection:
// a thousand units with realistic tables, first run (tables loaded from the
// store) and later runs.
#include <benchmark/benchmark.h>

#include "catalogue/catalogue_schema.h"
#include "catalogue/records.h"
#include "objectstore/mem_engine.h"

namespace brumalis {
namespace {

constexpr int kUnits = 1000;

class Catalogue {
public:
    Catalogue() {
        CTBaseFactory::ClearRegisteredEngines();
        CTMemDbEngine::RegisterScratchEngine();
        factory = CreateCatalogueFactory();
        CTDbObject::SetDefaultFactory(factory.get());
        factory->Connect(false);
        auto pController = std::make_unique<Cls_ChController>(0, factory.get());
        pController->SetName("Controller");
        pController->Insert();
        controllers.push_back(std::move(pController));
        for (int i = 0; i < kUnits; ++i) ids.push_back(AddUnit(i));
    }
    ~Catalogue() {
        controllers.clear();
        CTDbObject::SetDefaultFactory(nullptr);
        factory.reset();
        CTBaseFactory::ClearRegisteredEngines();
    }

    std::vector<std::unique_ptr<Cls_ChOutdoorUnit>> LoadUnits() const {
        std::vector<std::unique_ptr<Cls_ChOutdoorUnit>> units;
        for (std::int32_t id : ids) units.push_back(std::make_unique<Cls_ChOutdoorUnit>(id, factory.get()));
        return units;
    }

    std::unique_ptr<CTFactory> factory;
    CTRecordList<Cls_ChController> controllers;
    std::vector<std::int32_t> ids;

private:
    template <class T>
    std::unique_ptr<T> Make() {
        return std::make_unique<T>(0, factory.get());
    }

    std::int32_t AddUnit(int i) {
        const double nominal = 50.0 + 2.0 * i;
        auto pUnit = Make<Cls_ChOutdoorUnit>();
        pUnit->SetName("Unit " + std::to_string(i));
        pUnit->SetFamily(i % 3 == 0 ? 2 : 4);
        pUnit->SetCMinITemp(-8.0), pUnit->SetCMaxITemp(18.0), pUnit->SetCMinOTemp(-15.0), pUnit->SetCMaxOTemp(48.0);
        pUnit->SetCDIndUL(6.0), pUnit->SetCDOutUL(5.0);
        pUnit->SetHMinITemp(25.0), pUnit->SetHMaxITemp(58.0), pUnit->SetHMinOTemp(-20.0), pUnit->SetHMaxOTemp(25.0);
        pUnit->SetCIndLowerLimit(-10.0), pUnit->SetCIndUpperLimit(46.0);
        pUnit->SetHIndLowerLimit(-15.0), pUnit->SetHIndUpperLimit(20.0);
        pUnit->SetMinWFRE(nominal * 1.2), pUnit->SetMaxWFRE(nominal * 4.0);
        pUnit->SetMinDTE(3.0), pUnit->SetMaxDTE(8.0), pUnit->SetMinDTC(3.0), pUnit->SetMaxDTC(8.0);
        pUnit->SetChController(controllers.front().get());
        pUnit->Insert();
        for (int r = 0; r < 9; ++r) {
            const double lwe = -5.0 + 2.5 * r;
            AddRow(*pUnit, cttCoolCap, lwe, nominal * (1.3 + 0.03 * lwe), -nominal * 0.008, 1e-5 * nominal);
            AddRow(*pUnit, cttCoolPI, lwe, nominal * 0.22, nominal * 0.003, 1e-6 * nominal);
            AddRow(*pUnit, cttHeatCap, 30.0 + 3.0 * r, nominal * 1.05, nominal * 0.02, 1e-5 * nominal);
            AddRow(*pUnit, cttHeatPI, 30.0 + 3.0 * r, nominal * 0.3, nominal * 0.001, 0.0);
        }
        AddRow(*pUnit, cttEvapPressureDrop, 0.0, 0.0, 0.0, 40.0 / (nominal * nominal * 9.0));
        for (int o = 0; o < 3; ++o) {
            auto pOption = Make<Cls_ChOption>();
            pOption->SetName("Option " + std::to_string(i) + "/" + std::to_string(o));
            pOption->SetType(o == 0 ? 4 : 0);
            pOption->Insert();
            auto pComb = Make<Cls_ChOptAllowed>();
            pComb->SetDevice(pUnit.get());
            pComb->SetDeviceOption(pOption.get());
            pComb->Insert();
        }
        return pUnit->GetID();
    }

    void AddRow(Cls_ChOutdoorUnit& unit, std::int32_t nType, double lwe, double a0, double a1, double a2) {
        auto pRow = Make<Cls_ChOutCapacity>();
        pRow->SetType(nType);
        pRow->SetLWETemp(lwe);
        pRow->SetA0(a0), pRow->SetA1(a1), pRow->SetA2(a2), pRow->SetA3(-1e-7 * a0);
        pRow->SetSelect2(1000000.0);
        pRow->SetChOutdoorUnit(&unit);
        pRow->Insert();
    }
};

TSelTempData Criteria() {
    TSelTempData t;
    t.CoolLeavingE = 7.0, t.CoolDeltaTE = 5.0, t.Summer = 35.0;
    t.HeatLeavingC = 45.0, t.HeatDeltaTC = 5.0, t.Winter = 7.0;
    return t;
}

int RunAll(std::vector<std::unique_ptr<Cls_ChOutdoorUnit>>& units, const Catalogue& catalogue) {
    const TSelTempData t = Criteria();
    int nCandidates = 0;
    for (auto& pUnit : units) {
        const std::int32_t nCode = pUnit->IsCandidateChiller(
            1, true, t, catalogue.controllers, nullptr, 0.0, Cls_ChOutdoorUnit::GetInitSoundDistances(), nullptr,
            nullptr, nullptr, nullptr, 1000.0, 800.0, 1200.0, 0.0, 0.0, kUnboundedCapacity);
        nCandidates += nCode == 0 ? 1 : 0;
    }
    return nCandidates;
}

const Catalogue& SharedCatalogue() {
    static const Catalogue catalogue;
    return catalogue;
}

// The first run of a selection: every unit loads its tables from the store.
void BM_CandidateFirstRun(benchmark::State& state) {
    const Catalogue& catalogue = SharedCatalogue();
    for (auto _ : state) {
        state.PauseTiming();
        auto units = catalogue.LoadUnits();
        state.ResumeTiming();
        benchmark::DoNotOptimize(RunAll(units, catalogue));
        state.PauseTiming();
        units.clear();
        state.ResumeTiming();
    }
    state.counters["units"] = kUnits;
}
BENCHMARK(BM_CandidateFirstRun)->Unit(benchmark::kMillisecond);

// Later runs: tables in memory.
void BM_CandidatePerUnit(benchmark::State& state) {
    const Catalogue& catalogue = SharedCatalogue();
    auto units = catalogue.LoadUnits();
    int nCandidates = RunAll(units, catalogue);
    for (auto _ : state) benchmark::DoNotOptimize(nCandidates = RunAll(units, catalogue));
    state.SetItemsProcessed(state.iterations() * kUnits);
    state.counters["candidates"] = nCandidates;
    state.counters["us_per_unit"] =
        benchmark::Counter(static_cast<double>(kUnits) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                                                    benchmark::Counter::kInvert);
}
BENCHMARK(BM_CandidatePerUnit)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brumalis
