// Drawing the report's operating-range figure and a capacity graph into
// metafiles, for units of the embedded catalogue.
#include <benchmark/benchmark.h>

#include "catalogue/catalogue_schema.h"
#include "catalogue/records.h"
#include "catalogue/unit_classes.h"
#include "documents/graphs/capacity_views.h"
#include "documents/graphs/graph_numbers.h"
#include "documents/graphs/report_figures.h"
#include "objectstore/mem_engine.h"
#include "platform/graphics/emf.h"
#include "platform/settings_store.h"

namespace {

using namespace brumalis;
using namespace brumalis::graphs;

// The embedded catalogue, connected once for all benchmarks; the legends the
// views keep go to a registry in memory, not to the user's settings.
class TShippedUnits {
public:
    TShippedUnits() {
        CTBaseFactory::ClearRegisteredEngines();
        CTResDbEngine::RegisterEngine();
        CTMemDbEngine::RegisterScratchEngine();
        CTMemDbEngine::UseCompression(true);
        CTMemDbEngine::SetCompressionSignature("QXZ");
        v_factory = CreateCatalogueFactory();
        CTDbObject::SetDefaultFactory(v_factory.get());
        if (v_factory->Connect(false)) {
            v_units = RecordsAs<Cls_ChOutdoorUnit>(CTDbObject::GetAllRecords(Cls_ChOutdoorUnit::kClassID, false));
        }
    }
    // The first air-cooled unit with a cooling table.
    Cls_ChOutdoorUnit* CoolingUnit() {
        for (auto& pUnit : v_units) {
            if (pUnit->GetCondenserType() == ctAirCooled && pUnit->GetTable(cttCoolCap)) return pUnit.get();
        }
        return nullptr;
    }

private:
    platform::CTRegistry v_registry{std::make_shared<platform::CTMemorySettingsStore>(),
                                    std::make_shared<platform::CTMemorySettingsStore>(true)};
    platform::CTRegistrySubstitute v_substitute{v_registry};
    std::unique_ptr<CTFactory> v_factory;
    CTRecordList<Cls_ChOutdoorUnit> v_units;
};

// The unit the benchmarks draw, or nothing (the benchmark then says why).
Cls_ChOutdoorUnit* CoolingUnit(benchmark::State& state) {
    static TShippedUnits units;
    Cls_ChOutdoorUnit* pUnit = units.CoolingUnit();
    if (!pUnit) state.SkipWithError("no air-cooled unit with a cooling table");
    return pUnit;
}

void BM_OperatingRangeFigure(benchmark::State& state) {
    Cls_ChOutdoorUnit* pUnit = CoolingUnit(state);
    if (!pUnit) return;
    const TPolyCapListCh& table = *pUnit->GetTable(cttCoolCap);
    for (auto _ : state) {
        const graphics::CTGraphic figure = OperatingRangeFigure(*pUnit, table, kNotSet);
        benchmark::DoNotOptimize(figure.MetafileBytes().size());
    }
}
BENCHMARK(BM_OperatingRangeFigure)->Unit(benchmark::kMicrosecond);

void BM_CapacityGraphSixSeries(benchmark::State& state) {
    Cls_ChOutdoorUnit* pUnit = CoolingUnit(state);
    if (!pUnit) return;
    // Six rows across the unit's leaving-water range, shaped like its first row.
    const TPolyCapListCh& own = *pUnit->GetTable(cttCoolCap);
    double dMin = 0.0, dMax = 0.0;
    own.GetLWETempRange(dMin, dMax);
    std::vector<TCapRow> rows;
    for (int k = 0; k < 6; ++k) {
        TCapRow row = own.Rows().front();
        row.Select1 = dMin + (dMax - dMin) * k / 5.0;
        rows.push_back(row);
    }
    const TPolyCapListCh table(*pUnit, cttCoolCap, std::move(rows));
    TFrm_ChillerCapPIGraph view;
    view.SetupWindow(&table, true, "Ambient temperature", "Cooling capacity");
    for (auto _ : state) {
        graphics::CTEmfCanvas canvas(kReportFigureWidth, kReportFigureHeight);
        view.Paint(canvas);
        benchmark::DoNotOptimize(canvas.Finish().size());
    }
}
BENCHMARK(BM_CapacityGraphSixSeries)->Unit(benchmark::kMicrosecond);

}  // namespace
