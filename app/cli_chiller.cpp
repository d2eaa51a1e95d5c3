#include "app/cli_chiller.h"

#include <filesystem>

#include "app/cli_args.h"
#include "app/cli_commands.h"
#include "app/cli_output.h"
#include "catalogue/capacity_table.h"
#include "catalogue/freeze_up.h"
#include "dialogs/messages.h"
#include "platform/atomic_file.h"
#include "platform/settings_store.h"
#include "workflow/chiller_page.h"
#include "workflow/grid_texts.h"
#include "workflow/selection_list.h"

namespace brumalis::app {
namespace {

std::string Tr(const std::string& szEnglish) { return dialogs::TBaseMsg::Translate(szEnglish); }

void PrintItems(const char* szTitle, const std::vector<TFrm_ChillerSelect::TItem>& items, int nChosen,
                std::ostream& out) {
    out << Tr(szTitle) << '\n';
    if (items.empty()) out << "   (" << Tr("none") << ")\n";
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        out << "   [" << (i == nChosen ? 'x' : ' ') << "] " << items[static_cast<std::size_t>(i)].Text << '\n';
    }
}

template <class Matches>
int LineNamed(const std::vector<TFrm_ChillerSelect::TItem>& items, Matches matches) {
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (matches(items[static_cast<std::size_t>(i)])) return i;
    }
    return -1;
}

int Chooser(const TCliArgs& parsed, TMainSession& session, std::ostream& out) {
    TFrm_ChillerSelect chooser;
    chooser.SetChillers(&session.v_PrefChillers);
    if (const auto condenser = parsed.Value("condenser")) {
        const std::int32_t nCondenser = CondenserOf(*condenser);
        chooser.ChooseCondenser(LineNamed(chooser.Condensers(), [&](const auto& i) { return i.Value == nCondenser; }));
    }
    if (const auto family = parsed.Value("family")) {
        if (chooser.GetCondenser() < 0) throw CTCriteriaError(CliText("--family needs --condenser"));
        const std::int32_t nFamily = FamilyOf(*family);
        chooser.ChooseFamily(LineNamed(chooser.Families(), [&](const auto& i) { return i.Value == nFamily; }));
    }
    if (const auto series = parsed.Value("series")) {
        if (chooser.GetFamily() == 0) throw CTCriteriaError(CliText("--series needs --condenser and --family"));
        const int nLine = LineNamed(chooser.Series(), [&](const auto& i) { return platform::EqualsIgnoringCase(i.Text, *series); });
        if (nLine < 0) throw CTCriteriaError(CliText("--series: no series '$1' of that condenser and family", {*series}));
        chooser.ChooseSeries(nLine);
    }
    PrintItems("Condenser", chooser.Condensers(), chooser.CondenserLine(), out);
    PrintItems("Family", chooser.Families(), chooser.FamilyLine(), out);
    PrintItems("Series", chooser.Series(), chooser.SeriesLine(), out);
    PrintItems("Chillers", chooser.Chillers(), chooser.ChillerLine(), out);
    return 0;
}

// The combos an option flag chooses in, by the item's name or descriptive name.
struct TComboFlag {
    const char* flag;
    std::vector<TSheetCombo> combos;
};

void ChooseOptions(const TCliArgs& parsed, TChillerDataSheet& sheet) {
    const TComboFlag kFlags[] = {
        {"low-noise", {TSheetCombo::CoolLowNoise, TSheetCombo::HeatLowNoise, TSheetCombo::LowNoiseOption}},
        {"extension", {TSheetCombo::CoolTempExtend, TSheetCombo::HeatTempExtend}},
        {"pump", {TSheetCombo::Pump}},
        {"hr", {TSheetCombo::HeatRecovery, TSheetCombo::HRPressureDrop}},
    };
    for (const TComboFlag& f : kFlags) {
        const auto name = parsed.Value(f.flag);
        if (!name) continue;
        const TSheetComboItems& items = sheet.Combo(f.combos.front());
        int nItem = -1;
        std::string szKnown;
        for (int i = 1; i < static_cast<int>(items.Items.size()); ++i) {
            const std::string& szText = items.Items[static_cast<std::size_t>(i)].Text;
            szKnown += (szKnown.empty() ? "" : ", ") + szText;
            if (platform::EqualsIgnoringCase(szText, *name) ||
                platform::EqualsIgnoringCase(szText.substr(0, szText.find(" - ")), *name)) {
                nItem = i;
            }
        }
        if (nItem < 0) {
            throw CTCriteriaError(CliText("--$1: no '$2' (the unit offers: $3)",
                                          {f.flag, *name, szKnown.empty() ? Tr("none") : szKnown}));
        }
        for (TSheetCombo combo : f.combos) sheet.ChooseOption(combo, nItem);
    }
}

std::string PictureText(const graphics::CTGraphic& picture) {
    if (picture.IsEmpty()) return Tr("none") + (picture.Reason().empty() ? "" : " (" + Tr(picture.Reason()) + ")");
    return std::to_string(picture.Width()) + " x " + std::to_string(picture.Height());
}

// The pictures as metafiles, written atomically.
void WritePictures(const TChillerDataSheet& sheet, const std::string& szFolder, std::ostream& out) {
    if (!std::filesystem::is_directory(szFolder)) throw CTCriteriaError(CliText("--pictures: '$1' is no folder", {szFolder}));
    const std::pair<const char*, const graphics::CTGraphic*> pictures[] = {{"photo", &sheet.Photograph()},
                                                                           {"drawing", &sheet.Drawing()}};
    for (const auto& [szKind, pPicture] : pictures) {
        if (pPicture->IsEmpty()) continue;
        std::string szName = DisplayName(*sheet.Unit()) + "-" + szKind + ".emf";
        for (char& c : szName) c = (c == ' ' || c == '/') ? '_' : c;
        const std::string szPath = (std::filesystem::path(szFolder) / szName).string();
        try {
            platform::CTAtomicFileWriter file(szPath);
            const std::string& bytes = pPicture->MetafileBytes();
            file.Write(bytes.data(), bytes.size());
            file.Commit();
        } catch (const platform::CTFileError&) {
            throw CTCriteriaError(CliText("--pictures: '$1' cannot be written", {szPath}));
        }
        out << Tr("Written") << ": " << szPath << '\n';
    }
}

void PrintPerformance(const char* szTitle, const TPerformanceView& view, std::ostream& out) {
    if (!view.Shown) return;
    out << '\n' << Tr(szTitle) << '\n';
    out << "   " << Tr("Axes") << ": " << view.YCaption << " / " << view.XCaption << '\n';
    out << "   " << Tr("Capacity table") << ": " << (view.CapTable ? std::to_string(view.CapTable->Rows().size()) : "0")
        << ' ' << Tr("rows") << ", " << Tr("power-input table") << ": "
        << (view.PITable ? std::to_string(view.PITable->Rows().size()) : "0") << ' ' << Tr("rows") << '\n';
    if (view.IdenticalLabel) out << "   " << Tr(TChillerDataSheet::kIdenticalLabel) << '\n';
    out << "   " << Tr("Operating range") << ": " << view.YCaption << ' ' << PlainCell(view.LWEMin, 1) << " .. "
        << PlainCell(view.LWEMax, 1) << ", " << view.XCaption << ' ' << PlainCell(view.XMin, 1) << " .. "
        << PlainCell(view.XMax, 1) << '\n';
    if (view.RangeExtension != TPerformanceView::kNoExtension) {
        out << "   " << Tr("Range extension") << ": " << view.RangeExtension << '\n';
    }
    if (view.FreezeUp) {
        out << "   " << Tr("Freeze-up table") << ": " << view.FreezeUp->GetTable().size() << ' ' << Tr("rows") << '\n';
    }
}

void PrintSheet(const TChillerDataSheet& sheet, std::ostream& out) {
    out << DisplayName(*sheet.Unit()) << '\n';
    std::vector<std::vector<std::string>> rows;
    for (const auto& [szCaption, szText] : sheet.Technical().Lines()) rows.push_back({"   " + szCaption, szText});
    PrintTable(rows, {false, false}, out);
    out << '\n' << Tr("Allowed options") << '\n';
    std::vector<std::vector<std::string>> options = {{"   " + Tr("Option"), Tr("Qty"), Tr("Std")}};
    for (const TAllowedOptionLine& line : sheet.AllowedOptions()) {
        options.push_back({"   " + line.Option, line.Qty, line.Standard ? "\u2714" : ""});
    }
    PrintTable(options, {false, true, false}, out);
    PrintPerformance("Cooling Data", sheet.Cooling(), out);
    PrintPerformance("Heating Data", sheet.Heating(), out);
    const TPressureDropView& pd = sheet.PressureDrop();
    out << '\n' << Tr("Pressure drop") << '\n';
    const std::pair<const char*, bool> curves[] = {{"Evaporator", pd.Evaporator != nullptr},
                                                   {"Condenser", pd.Condenser != nullptr},
                                                   {"Heat recovery", pd.Recovery != nullptr},
                                                   {"Pump", pd.Pump != nullptr}};
    for (const auto& [szCurve, bShown] : curves) {
        if (bShown) out << "   " << Tr(szCurve) << '\n';
    }
    if (sheet.HeatRecoveryFilled() || !sheet.HeatRecoveryRows().empty()) {
        out << '\n' << Tr("Heat Recovery") << ": " << sheet.HeatRecoveryRows().size() << ' ' << Tr("rows") << '\n';
    }
    out << '\n' << Tr("Photograph") << ": " << PictureText(sheet.Photograph()) << '\n';
    out << Tr("Dimensional drawing") << ": " << PictureText(sheet.Drawing()) << '\n';
}

int DataSheet(const TCliArgs& parsed, TMainSession& session, std::ostream& out) {
    Cls_ChOutdoorUnit& unit = *UnitNamed(session, parsed.Positional().front());
    TChillerDataSheet sheet(session);
    TFrm_ChillerSelect chooser;
    chooser.SetupWindow({}, [&sheet](Cls_ChOutdoorUnit* pUnit) { sheet.ShowUnit(pUnit); });
    chooser.SetChillers(&session.v_PrefChillers);
    chooser.SelectChiller(unit);
    if (parsed.Value("distance")) {
        const double dDistance = *parsed.Number("distance");
        if (dDistance < TChillerDataSheet::kMinDistance || dDistance > TChillerDataSheet::kMaxDistance) {
            throw CTCriteriaError(CliText("--distance: between 1 and 20 m"));
        }
        sheet.SetDistance(dDistance);
    }
    ChooseOptions(parsed, sheet);
    PrintSheet(sheet, out);
    if (const auto folder = parsed.Value("pictures")) WritePictures(sheet, *folder, out);
    return 0;
}

}  // namespace

int RunChiller(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const bool bUnit = !args.empty() && args.front().rfind("--", 0) != 0;
    TCommandSpec spec{{}, {}, bUnit ? 1 : 0, {}};
    if (bUnit) {
        spec.valueOptions.insert({"low-noise", "extension", "pump", "hr", "distance", "pictures"});
    } else {
        spec.valueOptions.insert({"condenser", "family", "series"});
    }
    const TCliArgs parsed(args, spec);
    TProgramStart start;
    StartProgram(start);
    return bUnit ? DataSheet(parsed, start.Session(), out) : Chooser(parsed, start.Session(), out);
}

}  // namespace brumalis::app
