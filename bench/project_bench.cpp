// A project of 50 solutions (30 units, 20 plants of three, options ticked)
// on the shipped catalogue: opening it with its basket grid, saving it, and
// "brumalis project show" of it as a whole process; an option change with
// its recomputation, and the Chillers page of the largest unit.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "workflow/basket_page.h"
#include "workflow/chiller_page.h"
#include "workflow/option_steps.h"
#include "workflow/plant_builder.h"
#include "workflow/project_file.h"
#include "workflow/selection_list.h"
#include "workflow/start_up.h"

namespace brumalis {
namespace {

struct TProject {
    TProject() {
        start.Run();
        TMainSession& session = start.Session();
        TSelectionRequest request;
        request.Units = session.v_PrefChillers;
        request.Temperatures.CoolLeavingE = 7.0, request.Temperatures.CoolDeltaTE = 5.0;
        request.Temperatures.CoolLeavingC = 35.0, request.Temperatures.CoolDeltaTC = 5.0;
        request.Temperatures.Summer = 35.0, request.Temperatures.Winter = 7.0;
        request.Temperatures.HeatLeavingC = 45.0, request.Temperatures.HeatDeltaTC = 5.0;
        request.ReqCool = 350.0;
        request.NegCooling = -0.9, request.PosCooling = 9.0;  // a wide band: many computed units
        session.RunSelection(request);
        this->request = request;
        project = std::make_unique<TProjectFile>(start.Factory(), session);
        page = std::make_unique<TBasketPage>(session);
        const std::vector<Cls_ChOutdoorUnit*>& units = session.v_Candidates;
        for (int i = 0; i < 50 && !units.empty(); ++i) {
            Cls_ChOutdoorUnit& unit = *units[static_cast<std::size_t>(i) % units.size()];
            for (const auto& pComb : unit.GetOptCombs(1)) {
                if (!pComb->GetIsStandard()) pComb->Selected = true;  // options saved with the unit
                break;
            }
            const int nUnits = i < 30 ? 1 : 3;
            const std::int32_t nSeqNr = session.NextBasketSeqNr(nUnits);
            for (int k = 0; k < nUnits; ++k) unit.CopyChillerData(1, nSeqNr + k);
            session.Basket().Add(std::make_unique<TSolution>(nSeqNr, 0.0, 350.0 * nUnits,
                                                   std::vector<Cls_ChOutdoorUnit*>(static_cast<std::size_t>(nUnits), &unit)));
        }
        file = (std::filesystem::temp_directory_path() / "brumalis-bench-project.cpf").string();
        project->SaveAs(file);
    }
    ~TProject() { std::filesystem::remove(file); }

    TProgramStart start;
    std::unique_ptr<TProjectFile> project;
    std::unique_ptr<TBasketPage> page;
    std::string file;
    TSelectionRequest request;
};

TProject& Project() {
    static TProject project;
    return project;
}

void BM_OpenProjectWithBasketGrid(benchmark::State& state) {
    TProject& p = Project();
    std::size_t nChars = 0;
    for (auto _ : state) {
        if (!p.project->OpenFile(p.file)) state.SkipWithError("the project did not open");
        for (int c = 0; c < p.page->ColumnCount(); ++c) {
            for (int r = 0; r < TBasketGrid::kRowCount; ++r) nChars += p.page->CellText(c, r).size();
        }
    }
    benchmark::DoNotOptimize(nChars);
    state.counters["solutions"] = static_cast<double>(p.start.Session().Basket().Count());
}
BENCHMARK(BM_OpenProjectWithBasketGrid)->Unit(benchmark::kMillisecond);

void BM_SaveProject(benchmark::State& state) {
    TProject& p = Project();
    for (auto _ : state) {
        if (!p.project->SaveAs(p.file)) state.SkipWithError("the project was not saved");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(p.file));
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

// A low-noise tick and untick on the current result: the checks, the
// recomputation and the column rewritten, as the results frame does them.
void BM_OptionChangeWithRecomputation(benchmark::State& state) {
    TProject& p = Project();
    TMainSession& session = p.start.Session();
    Cls_ChOutdoorUnit* pUnit = nullptr;
    for (Cls_ChOutdoorUnit* pCandidate : session.v_Candidates) {
        if (!pCandidate->GetSpecialOptCombs(session.v_Options, 1, 2).empty()) pUnit = pCandidate;
    }
    if (!pUnit) {
        state.SkipWithError("no unit with a low-noise option");
        return;
    }
    TFrm_ChResultGrid grid;
    grid.SetupWindow(true, 1, &session.v_OptionCodes);
    grid.PutHeaders(pUnit->GetCondenserType(), pUnit->GetFamily(), 0.0, "STD", true, true, 0.0, 350.0, false);
    grid.AddChiller(pUnit, 1);
    grid.SetCurrentPosition(0);
    TWiredOptionFrame frame(session, grid, [&p] { return p.request; }, [] {}, [] {});
    frame.ShowCurrentUnit();
    const Cls_ChOption* pLowNoise = OptionOf(*pUnit->GetSpecialOptCombs(session.v_Options, 1, 2).front(), session.v_Options);
    const TOptionStep tick{TOptionStep::TKind::Tick, pLowNoise->GetName()};
    const TOptionStep untick{TOptionStep::TKind::Untick, pLowNoise->GetName()};
    std::size_t nChars = 0;
    bool bTicked = false;
    for (auto _ : state) {
        frame.Apply(bTicked ? untick : tick);
        bTicked = !bTicked;
        for (int r = 0; r < grid.RowCount(); ++r) nChars += grid.CellText(0, r).size();
    }
    benchmark::DoNotOptimize(nChars);
}
BENCHMARK(BM_OptionChangeWithRecomputation)->Unit(benchmark::kMicrosecond);

// The Chillers page of the largest unit: every step of showing it, its
// photograph and drawing decoded.
void BM_ChillersPageOfTheLargestUnit(benchmark::State& state) {
    TMainSession& session = Project().start.Session();
    Cls_ChOutdoorUnit* pLargest = nullptr;
    double dLargest = 0.0;
    for (Cls_ChOutdoorUnit* pUnit : session.v_PrefChillers) {
        double dCap = 0.0, dPI = 0.0;
        pUnit->GetCoolNomCapPI(nullptr, *session.v_Limits, dCap, dPI);
        if (dCap > dLargest) pLargest = pUnit, dLargest = dCap;
    }
    TChillerDataSheet sheet(session);
    int nPixels = 0;
    for (auto _ : state) {
        sheet.ShowUnit(pLargest);
        nPixels += sheet.Photograph().Width() + sheet.Drawing().Width();
    }
    benchmark::DoNotOptimize(nPixels);
    state.counters["nominal_kw"] = dLargest;
}
BENCHMARK(BM_ChillersPageOfTheLargestUnit)->Unit(benchmark::kMillisecond);

void BM_ProjectShowProcess(benchmark::State& state) {
    const std::string command = std::string(BRUMALIS_PROGRAM) + " project show " + Project().file + " > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("brumalis project show failed");
    }
}
BENCHMARK(BM_ProjectShowProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectCommandProcessBeside(benchmark::State& state) {
    const std::string command = std::string(BRUMALIS_PROGRAM) +
                                " select --condenser air --family cooling --cooling 350 --no-store > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("brumalis select failed");
    }
}
BENCHMARK(BM_SelectCommandProcessBeside)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brumalis
