#include "app/cli_output.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "app/json_writer.h"
#include "dialogs/messages.h"
#include "workflow/selection_list.h"

namespace brumalis::app {
namespace {

using Kind = TFrm_ChResultGrid::TRowKind;

std::size_t Glyphs(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Padded(const std::string& text, std::size_t nWidth) {
    const std::size_t n = Glyphs(text);
    return text + std::string(nWidth > n ? nWidth - n : 0, ' ');
}

bool HasRow(const TFrm_ChResultGrid& grid, Kind kind) {
    for (int r = 0; r < grid.RowCount(); ++r) {
        if (grid.Row(r).kind == kind) return true;
    }
    return false;
}

// The grid's rule for the JSON: a value where the grid shows one, else null.
std::optional<double> Shown(const TFrm_ChResultGrid& grid, Kind kind, double dValue) {
    if (!HasRow(grid, kind) || dValue == 0.0 || !std::isfinite(dValue)) return std::nullopt;
    return dValue;
}


void WriteFluid(TJsonWriter& json, const TFrm_ChResultGrid& grid, const TRepFluid& fluid, Kind flowRow,
                Kind pdRow) {
    if (!HasRow(grid, flowRow)) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("brine");
    fluid.Brine ? json.String(fluid.Brine->GetName()) : json.Null();
    json.Key("brine_percent").NumberOrNull(fluid.Brine ? std::optional<double>(fluid.BrinePercent) : std::nullopt);
    json.Key("delta_t_k").NumberOrNull(Shown(grid, flowRow, fluid.DeltaT));
    json.Key("flow_l_s").NumberOrNull(Shown(grid, flowRow, fluid.WFR / 60.0));
    json.Key("pressure_drop_kpa").NumberOrNull(Shown(grid, pdRow, fluid.PD));
    json.EndObject();
}

void WriteCapacity(TJsonWriter& json, const TFrm_ChResultGrid& grid, const TRepCap& cap, bool bCooling,
                   double dRequired) {
    const Kind capRow = bCooling ? Kind::rkCoolCapacity : Kind::rkHeatCapacity;
    if (!HasRow(grid, capRow)) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("required_kw").NumberOrNull(Shown(grid, bCooling ? Kind::rkCoolRequired : Kind::rkHeatRequired, dRequired));
    json.Key("deviation_pct").NumberOrNull(Shown(grid, bCooling ? Kind::rkCoolDeviation : Kind::rkHeatDeviation,
                                                 cap.Deviation == kNoDeviation ? 0.0 : cap.Deviation));
    json.Key("capacity_kw").NumberOrNull(Shown(grid, capRow, cap.Cap));
    json.Key("capacity_no_glycol_kw").NumberOrNull(Shown(grid, capRow, cap.CapNoGlycol));
    json.Key("power_input_kw").NumberOrNull(Shown(grid, bCooling ? Kind::rkCoolPower : Kind::rkHeatPower, cap.PI));
    json.Key(bCooling ? "eer" : "cop").NumberOrNull(Shown(grid, bCooling ? Kind::rkEER : Kind::rkCOP, cap.EERCOP));
    json.EndObject();
}

void WriteHeatRecovery(TJsonWriter& json, const TChillerData& d) {
    const bool bHR = d.HRData.HR > 0.0;
    const auto v = [bHR](double x) { return bHR && x != 0.0 ? std::optional<double>(x) : std::nullopt; };
    json.BeginObject();
    json.Key("cc_kw").NumberOrNull(v(d.HRData.CC));
    json.Key("pi_kw").NumberOrNull(v(d.HRData.PI));
    json.Key("hr_kw").NumberOrNull(v(d.HRData.HR));
    json.Key("hr_percent").NumberOrNull(v(d.HRData.HRPercentage * 100.0));
    json.Key("hr_cop").NumberOrNull(v(d.HRData.HRCOP));
    json.Key("flow_l_s").NumberOrNull(v(d.HRCondenser.WFR / 60.0));
    json.Key("pressure_drop_kpa").NumberOrNull(v(d.HRCondenser.PD));
    json.EndObject();
}

void WriteSound(TJsonWriter& json, const TChillerData& d) {
    json.BeginObject();
    json.Key("power_dba").NumberOrNull(d.SoundPower != 0.0 ? std::optional<double>(d.SoundPower) : std::nullopt);
    json.Key("distances_m").BeginArray();
    for (double x : d.SoundDistances) json.Number(x);
    json.EndArray();
    json.Key("pressures_dba").BeginArray();
    for (double x : d.SoundPressures) json.NumberOrNull(x != 0.0 ? std::optional<double>(x) : std::nullopt);
    json.EndArray();
    json.EndObject();
}

// The figures of a data set as the grid shows them.
void WriteFigures(TJsonWriter& json, const TFrm_ChResultGrid& grid, const TChillerData& d, double dReqCool,
                  double dReqHeat) {
    json.Key("cooling");
    WriteCapacity(json, grid, d.CoolData, true, dReqCool);
    json.Key("heating");
    WriteCapacity(json, grid, d.HeatData, false, dReqHeat);
    json.Key("evaporator");
    WriteFluid(json, grid, d.Evaporator, Kind::rkEvapFlow, Kind::rkEvapPD);
    json.Key("condenser");
    WriteFluid(json, grid, d.Condenser, Kind::rkCondFlow, Kind::rkCondPD);
    json.Key("heat_recovery");
    WriteHeatRecovery(json, d);
    json.Key("sound");
    WriteSound(json, d);
    json.Key("eseer").NumberOrNull(d.ESEER != 0.0 ? std::optional<double>(d.ESEER) : std::nullopt);
    json.Key("iplv").NumberOrNull(d.IPLV != 0.0 ? std::optional<double>(d.IPLV) : std::nullopt);
}

void WriteCriteria(TJsonWriter& json, const TSelTempData& t, double dReqCool, double dReqHeat) {
    json.BeginObject();
    json.Key("select_cooling").Bool(t.SelectCooling);
    const std::pair<const char*, double> values[] = {
        {"cool_leaving_e", t.CoolLeavingE}, {"cool_leaving_c", t.CoolLeavingC}, {"cool_delta_te", t.CoolDeltaTE},
        {"cool_delta_tc", t.CoolDeltaTC},   {"summer", t.Summer},             {"heat_leaving_e", t.HeatLeavingE},
        {"heat_leaving_c", t.HeatLeavingC}, {"winter", t.Winter},             {"heat_delta_te", t.HeatDeltaTE},
        {"heat_delta_tc", t.HeatDeltaTC},   {"hr_delta_t", t.HRDeltaT},       {"hr_leaving", t.HRLeaving},
        {"required_cooling_kw", dReqCool},  {"required_heating_kw", dReqHeat}};
    for (const auto& [szName, dValue] : values) json.Key(szName).Number(dValue);
    json.EndObject();
}

}  // namespace

void WriteResult(TJsonWriter& json, const TFrm_ChResultGrid& grid, int nUnit, double dReqCool, double dReqHeat) {
    const TFrm_ChResultGrid::TColumn& column = grid.Column(nUnit);
    Cls_ChOutdoorUnit& unit = *column.unit;
    const TChillerData d = unit.GetChillerData(column.SeqNr);
    const auto cell = [&](Kind kind) {
        for (int r = 0; r < grid.RowCount(); ++r) {
            if (grid.Row(r).kind == kind) return grid.CellText(nUnit, r);
        }
        return std::string();
    };
    json.BeginObject();
    json.Key("model").String(unit.GetName());
    json.Key("application").String(cell(Kind::rkApplication));
    json.Key("option_code").String(cell(Kind::rkOptionCode));
    json.Key("code").Integer(d.ErrCode);
    json.Key("status_light").Integer(unit.GetStatusLight(column.SeqNr));
    WriteFigures(json, grid, d, dReqCool, dReqHeat);
    json.Key("eurovent").Bool(unit.GetEurovent());
    json.Key("eer_at_100").NumberOrNull(d.ESEEREER100 > 0.0 ? std::optional<double>(d.ESEEREER100) : std::nullopt);
    json.EndObject();
}

void WriteTotals(TJsonWriter& json, const TFrm_ChResultGrid& grid, const TChillerData& totals, double dReqCool,
                 double dReqHeat) {
    json.BeginObject();
    WriteFigures(json, grid, totals, dReqCool, dReqHeat);
    json.EndObject();
}

void PrintGrid(const TFrm_ChResultGrid& grid, std::ostream& out) {
    std::size_t nTitle = 0;
    for (int r = 0; r < grid.RowCount(); ++r) nTitle = std::max(nTitle, Glyphs(grid.Row(r).title));
    // A plant's total column follows its units, titled on the model row.
    const int nColumns = grid.UnitCount() + (grid.HasTotalColumn() ? 1 : 0);
    std::vector<std::size_t> widths(static_cast<std::size_t>(nColumns), 0);
    const auto text = [&](int u, int r) {
        if (grid.Row(r).kind == Kind::rkModel && u == grid.UnitCount()) return grid.ColumnTitle(u);
        std::string cell = grid.CellText(u, r);
        if (grid.Row(r).kind == Kind::rkModel && u == grid.GetCurrentPosition()) cell = "[" + cell + "]";
        return cell;
    };
    for (int u = 0; u < nColumns; ++u) {
        for (int r = 0; r < grid.RowCount(); ++r) {
            widths[static_cast<std::size_t>(u)] = std::max(widths[static_cast<std::size_t>(u)], Glyphs(text(u, r)));
        }
    }
    for (int r = 0; r < grid.RowCount(); ++r) {
        std::string line = Padded(grid.Row(r).title, nTitle) + " " + Padded(grid.SortMarker(r), 1);
        for (int u = 0; u < nColumns; ++u) line += "  " + Padded(text(u, r), widths[static_cast<std::size_t>(u)]);
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

void PrintTable(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& rightAligned,
                std::ostream& out) {
    std::vector<std::size_t> widths(rightAligned.size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) widths[c] = std::max(widths[c], Glyphs(row[c]));
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
            const std::string pad(widths[c] - Glyphs(row[c]), ' ');
            line += (c ? "  " : "") + (rightAligned[c] ? pad + row[c] : row[c] + pad);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

void PrintRejected(const std::vector<TRejection>& rejected, std::ostream& out) {
    out << '\n' << dialogs::TBaseMsg::Translate("Rejected selections") << '\n';
    if (rejected.empty()) out << "   (" << dialogs::TBaseMsg::Translate("none") << ")\n";
    for (const TRejection& r : rejected) {
        out << "   " << r.model << ": " << r.details.Message << '\n';
        if (const auto& extra = r.details.Extra) {
            out << "      " << extra->Title << ": " << extra->Available << " (" << extra->Minimum << " .. "
                << extra->Maximum << ")\n";
        }
    }
}

void WriteJson(const TFrm_ChResultGrid& grid, const TSelTempData& criteria, double dReqCool, double dReqHeat,
               const std::vector<TRejection>& rejected, std::ostream& out) {
    TJsonWriter json(out);
    json.BeginObject();
    json.Key("criteria");
    WriteCriteria(json, criteria, dReqCool, dReqHeat);
    json.Key("results").BeginArray();
    for (int u = 0; u < grid.UnitCount(); ++u) WriteResult(json, grid, u, dReqCool, dReqHeat);
    json.EndArray();
    json.Key("current");
    grid.GetCurrentPosition() >= 0 ? json.Integer(grid.GetCurrentPosition()) : json.Null();
    json.Key("rejected").BeginArray();
    for (const TRejection& r : rejected) {
        json.BeginObject();
        json.Key("model").String(r.model);
        json.Key("code").Integer(r.details.Code);
        json.Key("message").String(r.details.Message);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << '\n';
}

}  // namespace brumalis::app
