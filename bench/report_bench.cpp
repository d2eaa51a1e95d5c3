// The basket report with every section of ten solutions into memory (the
// program started once, the units computed), and "brumalis report select"
// as a whole process.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "workflow/report_commands.h"
#include "workflow/selection_list.h"
#include "workflow/start_up.h"

namespace brumalis {
namespace {

struct TTenSolutions {
    TTenSolutions() {
        setenv("BRUMALIS_LANGUAGE", "en", 1);
        if (!start.Run().Ok) return;
        TMainSession& session = start.Session();
        TSelTempData t;
        t.CoolLeavingE = 7.0, t.CoolDeltaTE = 5.0, t.CoolLeavingC = 35.0, t.CoolDeltaTC = 5.0, t.Summer = 35.0;
        t.HeatLeavingC = 45.0, t.HeatDeltaTC = 5.0, t.Winter = 7.0;
        const char* names[] = {"ACQ 100", "ACQ 160", "AHS 100", "AHT 090", "WCT 300",
                               "ARZ 320", "ACW 350", "ACQ 215", "ACQ 250", "ACQ 295"};
        for (const char* szName : names) {
            for (Cls_ChOutdoorUnit* pUnit : session.v_PrefChillers) {
                if (DisplayName(*pUnit) != szName) continue;
                const std::int32_t nSeqNr = session.NextBasketSeqNr();
                pUnit->IsCandidateChiller(nSeqNr, false, t, session.v_Controllers, nullptr, 0.0,
                                          TSoundArray{1.0, 5.0, 10.0}, nullptr, nullptr, nullptr, nullptr, 100.0, 0.0,
                                          kUnboundedCapacity, 0.0, 0.0, kUnboundedCapacity);
                basket.Add(std::make_unique<TSolution>(nSeqNr, 0.0, 100.0, std::vector<Cls_ChOutdoorUnit*>{pUnit}));
                break;
            }
        }
        box.Chk_OperationRange.Checked = box.Chk_PressureDrop.Checked = box.Chk_Dimensional.Checked = true;
    }
    ~TTenSolutions() { basket.Replace({}); }
    TProgramStart start;
    TSolutionBasket basket;
    TBoxReporting box;
};

void BM_TenSolutionReportToMemory(benchmark::State& state) {
    static TTenSolutions ten;
    std::size_t nBytes = 0;
    for (auto _ : state) {
        CTMemoryStream sink;
        const TReportOutcome outcome = TReportCommands::Bib_MSWordClick(sink, ten.start.Session(), ten.basket, ten.box);
        if (!outcome.Ok) state.SkipWithError(outcome.Error.c_str());
        nBytes = sink.Data().size();
    }
    state.counters["solutions"] = ten.basket.Count();
    state.counters["bytes"] = static_cast<double>(nBytes);
}
BENCHMARK(BM_TenSolutionReportToMemory)->Unit(benchmark::kMillisecond);

void BM_ReportSelectProcess(benchmark::State& state) {
    const std::string command = std::string(BRUMALIS_PROGRAM) +
                                " report select --condenser air --family cooling --cooling 350 --no-store -o - > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("brumalis report select failed");
    }
}
BENCHMARK(BM_ReportSelectProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brumalis
