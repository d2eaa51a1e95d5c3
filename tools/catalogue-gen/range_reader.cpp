#include "tools/catalogue-gen/range_reader.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace brumalis::catgen {
namespace {

constexpr double kTempMin = -60.0;
constexpr double kTempMax = 100.0;

TGrid ReadGrid(const TJsonNode& node) {
    TGrid grid;
    grid.from = node.Number("from", kTempMin, kTempMax);
    grid.to = node.Number("to", grid.from, kTempMax);
    grid.step = node.Number("step", 0.1, 50.0);
    return grid;
}

TSpan ReadSpan(const TJsonNode& node) {
    TSpan span;
    span.from = node.Number("from", kTempMin, 1e7);
    span.to = node.Number("to", span.from, 1e7);
    return span;
}

// Text members that must not be empty.
std::string Name(const TJsonNode& node, const std::string& szKey = "name") {
    std::string name = node.String(szKey);
    if (name.empty()) node.Member(szKey).Fail("must not be empty");
    return name;
}

template <class T, class Key>
void RequireUnique(const std::vector<T>& items, Key key, const std::string& szWhat) {
    std::set<std::string> seen;
    for (const T& item : items) {
        if (!seen.insert(key(item)).second) throw TInputError("duplicate " + szWhat + " \"" + key(item) + "\"");
    }
}

void ReadVersion(const TJsonNode& root, TRangeDescription& range) {
    range.dbVersion = Name(root, "db_version");
    range.dataVersion = Name(root, "data_version");
    const TJsonNode limits = root.Member("limits");
    for (const std::string& key : limits.Keys()) range.limits[key] = limits.Member(key).Number(-1000.0, 1000.0);
}

void ReadRefrigerants(const TJsonNode& root, TRangeDescription& range) {
    for (const TJsonNode& e : root.Elements()) range.refrigerants.emplace_back(Name(e), e.Integer("rank", 0, 1000));
    RequireUnique(range.refrigerants, [](const auto& r) { return r.first; }, "refrigerant");
}

void ReadCompressors(const TJsonNode& root, TRangeDescription& range) {
    for (const TJsonNode& e : root.Elements()) range.compressors.push_back(Name(e));
    RequireUnique(range.compressors, [](const std::string& s) { return s; }, "compressor");
}

void ReadPowerSupplies(const TJsonNode& root, TRangeDescription& range) {
    for (const TJsonNode& e : root.Elements()) {
        TPowerSupplyDef ps;
        ps.name = Name(e);
        ps.voltage = Name(e, "voltage");
        ps.range = Name(e, "range");
        ps.frequency = Name(e, "frequency");
        ps.phases = Name(e, "phases");
        ps.phaseNames = Name(e, "phase_names");
        ps.isDefault = e.Boolean("default", false);
        ps.volts = e.Number("volts", 100.0, 1000.0);
        ps.singlePhase = e.Boolean("single_phase", false);
        range.powerSupplies.push_back(ps);
    }
    RequireUnique(range.powerSupplies, [](const auto& p) { return p.name; }, "power supply");
    if (std::count_if(range.powerSupplies.begin(), range.powerSupplies.end(),
                      [](const auto& p) { return p.isDefault; }) != 1) {
        root.Fail("must mark exactly one power supply as default");
    }
}

void ReadBrines(const TJsonNode& root, TRangeDescription& range) {
    for (const TJsonNode& e : root.Elements()) {
        range.brines.push_back({Name(e), Name(e, "fluid"), e.Number("freeze_margin_K", 0.0, 20.0)});
    }
    RequireUnique(range.brines, [](const auto& b) { return b.name; }, "brine");
}

void ReadControllers(const TJsonNode& root, TRangeDescription& range) {
    for (const TJsonNode& e : root.Elements()) {
        TControllerDef c;
        c.name = Name(e);
        for (const TJsonNode& s : e.Member("steps").Elements()) c.steps.push_back(s.Number(-30.0, 40.0));
        if (c.steps.empty() || !std::is_sorted(c.steps.begin(), c.steps.end())) {
            e.Member("steps").Fail("must list ascending temperatures");
        }
        c.brineBelow = e.Number("brine_below", -30.0, 40.0);
        c.brineOption = Name(e, "brine_option");
        range.controllers.push_back(c);
    }
    RequireUnique(range.controllers, [](const auto& c) { return c.name; }, "controller");
}

void ReadOptions(const TJsonNode& root, TRangeDescription& range) {
    for (const TJsonNode& e : root.Member("options").Elements()) {
        TOptionDef o;
        o.name = Name(e);
        o.description = Name(e, "description");
        o.type = e.Integer("type", 0, 9);
        if (o.type == 1) e.Member("type").Fail("1 is not an option type");
        o.kit = e.Boolean("kit", false);
        o.width = e.Number("width", 0.0, 20000.0, 0.0);
        o.depth = e.Number("depth", 0.0, 20000.0, 0.0);
        o.height = e.Number("height", 0.0, 20000.0, 0.0);
        // The data each special type carries into its combinations.
        if (o.type == 2) {
            o.soundReductionDb = e.Number("sound_reduction_dB", 0.0, 30.0);
            o.fanShiftK = e.Number("fan_shift_K", 0.0, 10.0);
        }
        if (o.type == 4) o.shutoffHeadKPa = e.Number("shutoff_head_kPa", 20.0, 1000.0);
        if (o.type == 6) o.recoveryShare = e.Number("recovery_share", 0.05, 1.0);
        range.options.push_back(o);
    }
    RequireUnique(range.options, [](const auto& o) { return o.name; }, "option");
    for (const TJsonNode& pair : root.Member("exclusions").Elements()) {
        const std::vector<TJsonNode> names = pair.Elements();
        if (names.size() != 2) pair.Fail("must name two options");
        range.exclusions.emplace_back(names[0].String(), names[1].String());
    }
}

void ReadOptionSets(const TJsonNode& root, TRangeDescription& range) {
    for (const std::string& key : root.Keys()) {
        std::vector<TOptionUse>& uses = range.optionSets[key];
        for (const TJsonNode& e : root.Member(key).Elements()) {
            uses.push_back({Name(e, "option"), e.Boolean("standard", false), e.Boolean("preferred", false)});
        }
        RequireUnique(uses, [](const auto& u) { return u.option; }, "option in set " + key);
    }
}

void ReadOptionCodes(const TJsonNode& root, TRangeDescription& range) {
    for (const TJsonNode& e : root.Elements()) {
        TCodePosition pos;
        pos.digit = e.Integer("digit", 0, 99);
        for (const TJsonNode& s : e.Member("slots").Elements()) {
            if (s.String().empty()) s.Fail("must name an option");
            pos.slots.push_back(s.String());
        }
        if (pos.slots.empty() || pos.slots.size() > 10) e.Member("slots").Fail("must hold 1 to 10 slots");
        const TJsonNode codes = e.Member("codes");
        for (const std::string& pattern : codes.Keys()) {
            if (pattern.size() != pos.slots.size() || pattern.find_first_not_of("01") != std::string::npos) {
                codes.Fail("key \"" + pattern + "\" must be one 0 or 1 per slot");
            }
            const std::string ch = codes.Member(pattern).String();
            if (ch.size() != 1) codes.Member(pattern).Fail("must be one character");
            pos.codes[pattern] = ch;
        }
        range.optionCodes.push_back(pos);
    }
}

void ReadVariants(const TJsonNode& root, TRangeDescription& range) {
    for (const TJsonNode& e : root.Elements()) {
        TVariantDef v;
        v.suffix = e.String("suffix");
        const bool bApplication = v.suffix.size() == 3 && std::string("SXP").find(v.suffix[1]) != std::string::npos &&
                                  std::string("SLRX").find(v.suffix[2]) != std::string::npos;
        if (!v.suffix.empty() && !bApplication) {
            e.Member("suffix").Fail("must be empty or three characters: any, then S/X/P, then S/L/R/X");
        }
        v.eerFactor = e.Number("eer_factor", 0.5, 1.5);
        v.fanShiftK = e.Number("fan_shift_K", 0.0, 10.0, 0.0);
        v.soundDeltaDb = e.Number("sound_delta_dB", -20.0, 10.0, 0.0);
        range.variants.push_back(v);
    }
    RequireUnique(range.variants, [](const auto& v) { return v.suffix; }, "variant");
}

TCondenser ReadCondenser(const TJsonNode& node) {
    const std::string s = node.String();
    if (s == "air") return TCondenser::Air;
    if (s == "water") return TCondenser::Water;
    if (s == "remote") return TCondenser::Remote;
    node.Fail("must be air, water or remote");
}

TFamily ReadFamily(const TJsonNode& node) {
    const int n = node.Integer(1, 16);
    if (n != 1 && n != 2 && n != 4 && n != 8 && n != 16) node.Fail("must be 1, 2, 4, 8 or 16");
    return static_cast<TFamily>(n);
}

bool Heats(TFamily family) { return family == TFamily::HeatPump || family == TFamily::HeatingOnly; }
bool Cools(TFamily family) { return family != TFamily::HeatingOnly; }

void ReadProfiles(const TJsonNode& root, TRangeDescription& range) {
    for (const TJsonNode& e : root.Elements()) {
        TProfileDef p;
        p.name = Name(e);
        p.condenser = ReadCondenser(e.Member("condenser"));
        p.family = ReadFamily(e.Member("family"));
        if (Cools(p.family)) {
            p.coolRows = ReadGrid(e.Member("cool_rows"));
            p.coolX = ReadSpan(e.Member("cool_x"));
        }
        if (Heats(p.family)) {
            p.heatRows = ReadGrid(e.Member("heat_rows"));
            p.heatX = ReadSpan(e.Member("heat_x"));
            p.cop = e.Number("cop", 1.5, 9.0);
        }
        p.envelopeMargin = e.Number("envelope_margin_K", 0.5, 10.0);
        p.heatRatio = e.Number("heat_ratio", 0.5, 2.0, 1.1);
        p.pdEvapKPa = e.Number("pd_evaporator_kPa", 1.0, 200.0);
        p.pdCondKPa = e.Number("pd_condenser_kPa", 1.0, 200.0, 30.0);
        p.kWPerFan = e.Number("kW_per_fan", 0.0, 500.0, 0.0);
        p.deltaTMin = e.Number("delta_T_min", 1.0, 10.0);
        p.deltaTMax = e.Number("delta_T_max", p.deltaTMin, 20.0);
        p.hrKey = e.String("heat_recovery_key", "");
        if (!p.hrKey.empty() && p.hrKey != "ewc" && p.hrKey != "lwe") e.Member("heat_recovery_key").Fail("must be ewc or lwe");
        if (p.family == TFamily::HeatRecovery && p.hrKey.empty()) e.Fail("needs heat_recovery_key for family 1");
        p.defrost = e.Boolean("defrost", false);
        range.profiles.push_back(p);
    }
    RequireUnique(range.profiles, [](const auto& p) { return p.name; }, "profile");
}

std::vector<std::string> Texts(const TJsonNode& node) {
    std::vector<std::string> texts;
    for (const TJsonNode& e : node.Elements()) texts.push_back(e.String());
    return texts;
}

TSeriesDef ReadOneSeries(const TJsonNode& e) {
    TSeriesDef s;
    s.name = Name(e);
    s.title = Name(e, "title");
    s.profile = Name(e, "profile");
    s.compressor = Name(e, "compressor");
    s.refrigerant = Name(e, "refrigerant");
    s.controller = Name(e, "controller");
    s.optionSet = Name(e, "option_set");
    s.capacity = ReadSpan(e.Member("capacity_kW"));
    if (s.capacity.from < 1.0 || s.capacity.to > 5000.0) e.Member("capacity_kW").Fail("must lie within 1 to 5000 kW");
    s.models = e.Integer("models", 1, 60);
    s.eer = e.Number("eer", 1.5, 9.0, 0.0);
    s.cop = e.Number("cop", 1.5, 9.0, 0.0);
    s.kWPerCompressor = e.Number("kW_per_compressor", 1.0, 3000.0);
    s.curvePick = e.Integer("curve_pick", 0, 50, 0);
    s.partLoadPath = e.String("part_load_path", "A");
    if (s.partLoadPath != "A" && s.partLoadPath != "B") e.Member("part_load_path").Fail("must be A or B");
    s.variants = Texts(e.Member("variants"));
    s.powerSupplies = Texts(e.Member("power_supplies"));
    s.singlePhaseUpToKW = e.Number("single_phase_up_to_kW", 0.0, 100.0, 0.0);
    s.optionCodes = e.Boolean("option_codes", false);
    s.lowNoiseRows = e.Boolean("low_noise_rows", false);
    s.lowNoiseModes = e.String("low_noise_modes", "both");
    if (s.lowNoiseModes != "both" && s.lowNoiseModes != "cooling" && s.lowNoiseModes != "heating") {
        e.Member("low_noise_modes").Fail("must be both, cooling or heating");
    }
    if (!s.lowNoiseRows && e.Has("low_noise_modes")) e.Member("low_noise_modes").Fail("needs low_noise_rows");
    s.eurovent = e.Boolean("eurovent", false);
    if (e.Has("flow_limit_capacities")) {
        s.flowLimitCapacities = ReadSpan(e.Member("flow_limit_capacities"));
        if (s.flowLimitCapacities.from < 0.3 || s.flowLimitCapacities.from > 1.0 ||
            s.flowLimitCapacities.to < 1.0 || s.flowLimitCapacities.to > 2.0) {
            e.Member("flow_limit_capacities").Fail("must run from 0.3..1 to 1..2");
        }
    }
    s.pressureDropZeroAt = e.Number("pressure_drop_zero_at", 0.0, 0.55, 0.0);
    return s;
}

template <class T, class Key>
bool Contains(const std::vector<T>& items, Key key, const std::string& szName) {
    return std::any_of(items.begin(), items.end(), [&](const T& item) { return key(item) == szName; });
}

void CheckSeries(const TRangeDescription& range, const TSeriesDef& s) {
    const auto fail = [&](const std::string& szWhat) { throw TInputError("series \"" + s.name + "\": " + szWhat); };
    const auto byName = [](const auto& x) { return x.name; };
    if (!Contains(range.profiles, byName, s.profile)) fail("unknown profile \"" + s.profile + "\"");
    if (!Contains(range.compressors, [](const std::string& c) { return c; }, s.compressor)) fail("unknown compressor");
    if (!Contains(range.refrigerants, [](const auto& r) { return r.first; }, s.refrigerant)) fail("unknown refrigerant");
    if (!Contains(range.controllers, byName, s.controller)) fail("unknown controller");
    if (!range.optionSets.count(s.optionSet)) fail("unknown option set \"" + s.optionSet + "\"");
    for (const std::string& v : s.variants) {
        if (!Contains(range.variants, [](const auto& d) { return d.suffix; }, v)) fail("unknown variant \"" + v + "\"");
    }
    for (const std::string& p : s.powerSupplies) {
        if (!Contains(range.powerSupplies, byName, p)) fail("unknown power supply \"" + p + "\"");
    }
    if (s.variants.empty() || s.powerSupplies.empty()) fail("needs at least one variant and one power supply");
    const TProfileDef& profile = range.Profile(s.profile);
    if (Heats(profile.family) && profile.cop <= 0.0 && s.cop <= 0.0) fail("needs a COP");
    if (Cools(profile.family) && s.eer <= 0.0) fail("needs an EER");
}

void CheckReferences(const TRangeDescription& range) {
    const auto requireOption = [&](const std::string& szName, const std::string& szWhere) {
        if (!szName.empty() && !range.FindOption(szName)) {
            throw TInputError(szWhere + ": unknown option \"" + szName + "\"");
        }
    };
    for (const auto& [a, b] : range.exclusions) {
        requireOption(a, "exclusion");
        requireOption(b, "exclusion");
    }
    for (const auto& [name, uses] : range.optionSets) {
        for (const TOptionUse& u : uses) requireOption(u.option, "option set " + name);
    }
    for (const TCodePosition& pos : range.optionCodes) {
        for (const std::string& slot : pos.slots) requireOption(slot, "option code digit " + std::to_string(pos.digit));
    }
    for (const TControllerDef& c : range.controllers) requireOption(c.brineOption, "controller " + c.name);
    for (const TSeriesDef& s : range.series) CheckSeries(range, s);
}

}  // namespace

std::vector<double> TGrid::Values() const {
    std::vector<double> values;
    const auto n = static_cast<int>(std::floor((to - from) / step + 1e-9));
    for (int i = 0; i <= n; ++i) values.push_back(from + i * step);
    return values;
}

const TOptionDef* TRangeDescription::FindOption(const std::string& szName) const {
    for (const TOptionDef& o : options) {
        if (o.name == szName) return &o;
    }
    return nullptr;
}

const TProfileDef& TRangeDescription::Profile(const std::string& szName) const {
    for (const TProfileDef& p : profiles) {
        if (p.name == szName) return p;
    }
    throw TInputError("unknown profile \"" + szName + "\"");
}

const TVariantDef& TRangeDescription::Variant(const std::string& szSuffix) const {
    for (const TVariantDef& v : variants) {
        if (v.suffix == szSuffix) return v;
    }
    throw TInputError("unknown variant \"" + szSuffix + "\"");
}

TRangeDescription ReadRangeDescription(const std::string& szFolder) {
    const auto load = [&](const char* szFile) { return TJsonNode::LoadFile(szFolder + "/" + szFile); };
    TRangeDescription range;
    ReadVersion(load("version.json"), range);
    ReadRefrigerants(load("refrigerants.json"), range);
    ReadCompressors(load("compressors.json"), range);
    ReadPowerSupplies(load("power_supplies.json"), range);
    ReadBrines(load("brines.json"), range);
    ReadControllers(load("controllers.json"), range);
    ReadOptions(load("options.json"), range);
    ReadOptionSets(load("option_sets.json"), range);
    ReadOptionCodes(load("option_codes.json"), range);
    ReadVariants(load("variants.json"), range);
    ReadProfiles(load("profiles.json"), range);
    for (const TJsonNode& e : load("series.json").Elements()) range.series.push_back(ReadOneSeries(e));
    RequireUnique(range.series, [](const auto& s) { return s.name; }, "series");
    CheckReferences(range);
    return range;
}

}  // namespace brumalis::catgen
