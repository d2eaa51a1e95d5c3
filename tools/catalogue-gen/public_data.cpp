#include "tools/catalogue-gen/public_data.h"

#include <cmath>

#include "tools/catalogue-gen/csv_table.h"

namespace brumalis::catgen {
namespace {

TBiquadratic ReadBiquadratic(const TCsvTable& t, std::size_t r, const std::string& p) {
    TBiquadratic b;
    for (std::size_t i = 0; i < b.c.size(); ++i) b.c[i] = t.Number(r, p + "_c" + std::to_string(i + 1));
    b.xMin = t.Number(r, p + "_xmin");
    b.xMax = t.Number(r, p + "_xmax");
    b.yMin = t.Number(r, p + "_ymin");
    b.yMax = t.Number(r, p + "_ymax");
    return b;
}

// Only EIR objects with biquadratic curves that reproduce their own
// reference point (the data holds a few that do not) serve as a basis.
bool UsableChiller(const TCsvTable& t, std::size_t r) {
    if (t.Text(r, "object_type") != "Chiller:Electric:EIR") return false;
    if (t.Text(r, "capft_type") != "Biquadratic" || t.Text(r, "eirft_type") != "Biquadratic") return false;
    const std::optional<double> capAtRef = t.OptionalNumber(r, "check_capft_at_ref");
    const std::optional<double> eirAtRef = t.OptionalNumber(r, "check_eirft_at_ref");
    return capAtRef && eirAtRef && std::fabs(*capAtRef - 1.0) < 0.05 && std::fabs(*eirAtRef - 1.0) < 0.05 &&
           t.OptionalNumber(r, "ref_capacity_W").has_value();
}

void ReadChillers(const std::string& szFolder, TPublicData& data) {
    const TCsvTable t = TCsvTable::Load(szFolder + "/energyplus_chillers/chillers.csv");
    for (std::size_t r = 0; r < t.RowCount(); ++r) {
        if (!UsableChiller(t, r)) continue;
        data.chillers.push_back({t.Text(r, "id"), t.Text(r, "condenser_type"), t.Text(r, "compressor_type"),
                                 t.Number(r, "ref_capacity_W") / 1000.0, ReadBiquadratic(t, r, "capft"),
                                 ReadBiquadratic(t, r, "eirft")});
    }
    if (data.chillers.empty()) throw TInputError("no usable chiller curve sets in chillers.csv");
}

void ReadPartLoad(const std::string& szFolder, TPublicData& data) {
    const TCsvTable t = TCsvTable::Load(szFolder + "/energyplus_chillers/code_compliant_chiller_curves.csv");
    for (std::size_t r = 0; r < t.RowCount(); ++r) {
        const std::string& type = t.Text(r, "eirfplr_type");
        if (type != "Cubic" && type != "Quadratic") continue;
        TPartLoadCurve c{t.Text(r, "set_name"), t.Text(r, "condenser_type"), t.Text(r, "path"),
                         t.Text(r, "compressor_type"), {}};
        // A quadratic leaves the cubic coefficient empty.
        for (std::size_t i = 0; i < c.c.size(); ++i) {
            c.c[i] = t.OptionalNumber(r, "eirfplr_c" + std::to_string(i + 1)).value_or(0.0);
        }
        data.partLoad.push_back(c);
    }
    if (data.partLoad.empty()) throw TInputError("no part-load curves in code_compliant_chiller_curves.csv");
}

void ReadGlycol(const std::string& szFolder, TPublicData& data) {
    const TCsvTable p = TCsvTable::Load(szFolder + "/coolprop_glycol/glycol_properties.csv");
    for (std::size_t r = 0; r < p.RowCount(); ++r) {
        data.glycol.push_back({p.Text(r, "fluid"), p.Number(r, "conc_wt_pct"), p.Number(r, "T_C"),
                               p.Number(r, "density_kg_m3"), p.Number(r, "cp_J_kgK"), p.Number(r, "conductivity_W_mK"),
                               p.Number(r, "dyn_viscosity_mPa_s")});
    }
    const TCsvTable f = TCsvTable::Load(szFolder + "/coolprop_glycol/glycol_freezing_points.csv");
    for (std::size_t r = 0; r < f.RowCount(); ++r) {
        data.freezing.push_back({f.Text(r, "fluid"), f.Number(r, "conc_wt_pct"), f.Number(r, "T_freeze_C_melinder_fit")});
    }
}

void ReadDefrost(const std::string& szFolder, TPublicData& data) {
    const TCsvTable t = TCsvTable::Load(szFolder + "/energyplus_heatpump_defrost/defrost_factors.csv");
    for (std::size_t r = 0; r < t.RowCount(); ++r) {
        data.defrost.push_back({t.Number(r, "T_outdoor_C"), t.Number(r, "RH_pct"), t.Number(r, "ondemand_cap_mult")});
    }
}

}  // namespace

double TBiquadratic::operator()(double x, double y) const {
    return c[0] + c[1] * x + c[2] * x * x + c[3] * y + c[4] * y * y + c[5] * x * y;
}

double TPartLoadCurve::operator()(double plr) const { return c[0] + plr * (c[1] + plr * (c[2] + plr * c[3])); }

const TGlycolState* TPublicData::Find(const std::string& szFluid, double percent, double tempC) const {
    for (const TGlycolState& s : glycol) {
        if (s.fluid == szFluid && std::fabs(s.percent - percent) < 1e-9 && std::fabs(s.tempC - tempC) < 1e-9) return &s;
    }
    return nullptr;
}

TPublicData ReadPublicData(const std::string& szFolder) {
    TPublicData data;
    ReadChillers(szFolder, data);
    ReadPartLoad(szFolder, data);
    ReadGlycol(szFolder, data);
    ReadDefrost(szFolder, data);
    return data;
}

}  // namespace brumalis::catgen
