#include "workflow/report_commands.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

#include "catalogue/unit_classes.h"
#include "catalogue/value_texts.h"
#include "dialogs/messages.h"
#include "localisation/number_text.h"
#include "documents/graphs/graph_numbers.h"
#include "documents/graphs/report_figures.h"
#include "documents/print_params.h"
#include "documents/rtf_output.h"
#include "documents/spec_texts.h"
#include "platform/atomic_file.h"
#include "platform/shell_open.h"
#include "workflow/basket_grid.h"
#include "workflow/chiller_page.h"
#include "workflow/grid_texts.h"
#include "workflow/registration_steps.h"

namespace brumalis {
namespace {

namespace fs = std::filesystem;
using R = TChReporting;

std::string Msg(int nMsgNr) { return dialogs::TBaseMsg::GetUnicodeString(nMsgNr); }

bool Exists(const std::string& szName, bool bFolder) {
    std::error_code ec;
    return !szName.empty() && (bFolder ? fs::is_directory(szName, ec) : fs::exists(szName, ec));
}

// What every report shares: the document, the report grid and what was left out.
class CTReportRun {
public:
    explicit CTReportRun(CTDocOutput& Doc) : v_doc(Doc) {
        v_grid.SetFont(graphics::TFont{CTDocOutput::BaseFontName(), 8, {}, graphics::clWindowText});
        const std::string szLogo = TDlgPrintParams::GetLogoFile();
        if (!szLogo.empty()) {
            const graphics::CTGraphic logo = graphics::LoadPictureFile(szLogo);
            if (logo.IsEmpty()) v_pictures.Skip(szLogo, TDlgPrintParams::UnreadableLogo(logo));
        }
    }

    CTDocOutput& Doc() { return v_doc; }
    TGridData& Grid() { return v_grid; }
    CTReportPictures& Pictures() { return v_pictures; }

    // A page break when something is on the page.
    void BreakIfNeeded() {
        if (v_bPage) v_doc.NewPage();
    }
    void SetPageFlag(bool b) { v_bPage = b; }

    // Prints a specification text; one that cannot be read or parsed is left out and noted.
    bool PrintSpecText(const std::string& szFileName) {
        TSpecTextDocument doc;
        TRepSpecTexts::LoadFile(szFileName, doc);
        if (!doc.Ok) {
            v_pictures.Skip(szFileName, doc.Error);
            return false;
        }
        TRepSpecTexts::PrintXMLDocument(doc.Document, v_doc);
        return true;
    }

    TReportOutcome Finish(TReportOutcome outcome) {
        outcome.Ok = true;
        outcome.Skipped = v_pictures.Skipped();
        outcome.Pictures = v_pictures.Decoded();
        return outcome;
    }

private:
    CTDocOutput& v_doc;
    TGridData v_grid;
    CTReportPictures v_pictures;
    bool v_bPage = false;
};

// An RTF document on A4 with the print parameters' page decorations; the
// body writes into it, and the outcome fails when the stream did.
TReportOutcome WriteRtf(CTStream& Sink, double dMarginLeft, double dMarginRight,
                        const std::function<TReportOutcome(CTDocOutput&)>& body) {
    const auto decorations = TDlgPrintParams::GetPageDecorations();
    CTRTFOutput rtf(Sink, TRegistrationSteps::kApplicationTitle, decorations.get(), TReportCommands::kPaperWidthCm,
                    TReportCommands::kPaperHeightCm, dMarginLeft, dMarginRight, TReportCommands::kMarginTopBottomCm,
                    TReportCommands::kMarginTopBottomCm);
    TReportOutcome outcome = body(rtf);
    if (!outcome.Ok) return outcome;
    if (!rtf.Finish()) {
        outcome.Ok = false;
        outcome.Error = rtf.Error();
    }
    return outcome;
}

graphs::TFigureFont FigureFont(const CTDocOutput& Doc) {
    doc::TFont normal;
    Doc.GetNormalFontCharacteristics(normal);
    return graphs::TFigureFont{normal.Name, normal.Size};
}

void PutFigure(CTDocOutput& Doc, const graphics::CTGraphic& figure, TReportOutcome& outcome) {
    if (figure.IsEmpty()) return;
    Doc.PutGraphic(0.7, figure, true);
    Doc.TextWriteln();
    ++outcome.Figures;
}

void RangeFigures(CTReportRun& run, TMainSession& Session, Cls_ChOutdoorUnit& Unit, std::int32_t nSeqNr,
                  TReportOutcome& outcome) {
    Cls_ChOptAllowed *pTank = nullptr, *pPump = nullptr, *pLowNoise = nullptr, *pRecovery = nullptr,
                     *pRange = nullptr;
    Unit.GetSelectedAttrOptionCombs(Session.v_Options, nSeqNr, pTank, pPump, pLowNoise, pRecovery, pRange);
    const std::int32_t nFamily = Unit.GetFamily();
    auto figure = [&](int nHeading, std::int32_t nTableType) {
        run.Doc().TextHeading2(Msg(nHeading), true);
        if (const TPolyCapListCh* pTable = Unit.GetCapPITable(pLowNoise, nTableType)) {
            PutFigure(run.Doc(), graphs::OperatingRangeFigure(Unit, *pTable, static_cast<double>(RangeExtensionOf(pRange)), FigureFont(run.Doc())),
                      outcome);
        }
    };
    if (nFamily == famHeatPump || nFamily == famCoolingOnly) figure(36, cttCoolCap);
    if (nFamily == famHeatPump || nFamily == famHeatingOnly) figure(87, cttHeatCap);
}

void ChillerFigures(CTReportRun& run, TMainSession& Session, const TBoxReporting& Box, Cls_ChOutdoorUnit& Unit,
                    std::int32_t nSeqNr, TReportOutcome& outcome) {
    if (Box.Chk_OperationRange.Checked || Box.Chk_PressureDrop.Checked) run.Doc().NewPage();
    if (Box.Chk_OperationRange.Checked) RangeFigures(run, Session, Unit, nSeqNr, outcome);
    if (Box.Chk_PressureDrop.Checked) {
        run.Doc().TextHeading2(Msg(130), true);
        PutFigure(run.Doc(), graphs::PressureDropFigure(Unit, FigureFont(run.Doc())), outcome);
    }
    if (Box.Chk_Dimensional.Checked) {
        run.Doc().TextHeading2(Msg(44), true);
        const graphics::CTGraphic drawing = run.Pictures().Of(Unit, 2);
        if (!drawing.IsEmpty()) {
            run.Doc().PutGraphic(1.0, drawing, true);
            run.Doc().TextWriteln();
        }
    }
}

// The basket grid as the main window shows it: titles in column 0, a solution a column.
TGridData BasketGridData(const TMainSession& Session, const TSolutionBasket& Basket, bool bShowESEER) {
    TBasketGrid grid;
    grid.SetupWindow(&Session.v_OptionCodes);
    grid.PutRowTitles(bShowESEER);
    TGridData data;
    data.Reset(TBasketGrid::kRowCount, Basket.Count() + 1, TGridData::kDefaultColWidth);
    for (int r = 0; r < TBasketGrid::kRowCount; ++r) {
        data.Cell(0, r).text = grid.RowTitle(r);
        for (int c = 0; c < Basket.Count(); ++c) data.Cell(c + 1, r).text = grid.CellText(Basket.At(c), c, r);
    }
    return data;
}

void SpecTexts(CTReportRun& run, const TBoxReporting& Box, const TSolution& Solution, TReportOutcome& outcome) {
    run.Doc().TextHeading1(Msg(156), true);
    std::vector<TSpecTextUnit> units;
    for (const Cls_ChOutdoorUnit* pUnit : Solution.GetChillers()) units.push_back({pUnit->GetSeries(), pUnit->GetName()});
    for (const std::string& szFile : TRepSpecTexts::SolutionFiles(Box.SpecTextsFolder, units)) {
        if (run.PrintSpecText(szFile)) ++outcome.SpecTexts;
    }
}

void ReportSolution(CTReportRun& run, TMainSession& Session, const TBoxReporting& Box, TSolution& Solution,
                    TReportOutcome& outcome) {
    const TReportCatalogue catalogue{&Session.v_Options, &Session.v_OptionCodes};
    run.BreakIfNeeded();
    const bool bPlant = Solution.UnitCount() > 1;
    const double dReqCool = bPlant ? 0.0 : Solution.GetReqCoolCap();
    const double dReqHeat = bPlant ? 0.0 : Solution.GetReqHeatCap();
    run.Doc().TextHeading1(Msg(bPlant ? 142 : 138), true);
    run.SetPageFlag(false);
    for (int k = 0; k < Solution.UnitCount(); ++k) {
        Cls_ChOutdoorUnit& unit = *Solution.GetChillers()[static_cast<std::size_t>(k)];
        const std::int32_t nSeqNr = Solution.GetSeqNr() + k;
        run.BreakIfNeeded();
        run.Doc().TextHeading2(Msg(140), true);
        R::ReportChiller(run.Doc(), run.Grid(), catalogue, unit, nSeqNr, dReqCool, dReqHeat, Box.ShowESEER,
                         run.Pictures());
        run.SetPageFlag(true);
        ChillerFigures(run, Session, Box, unit, nSeqNr, outcome);
        ++outcome.Units;
    }
    if (bPlant) {
        run.BreakIfNeeded();
        Solution.CalcTotals();
        run.Doc().TextHeading2(Msg(143), true);
        const Cls_ChOutdoorUnit& first = *Solution.GetChillers().front();
        R::ReportPlant(run.Doc(), run.Grid(), first.GetFamily(), first.GetCondenserType(), Solution.GetDataSet(),
                       Solution.GetReqCoolCap(), Solution.GetReqHeatCap());
        run.SetPageFlag(true);
    }
    if (Box.Chk_SpecTexts.Checked) {
        run.BreakIfNeeded();
        SpecTexts(run, Box, Solution, outcome);
        run.SetPageFlag(true);
    }
}

// The analysis settings table and the result table share one grid: labels in column 0, values right-aligned.
class CTSettingsRows {
public:
    explicit CTSettingsRows(TGridData& Grid) : v_grid(Grid) {}
    void Row(const std::string& szLabel, const std::string& szValue, bool bBold = false) {
        R::PutReportCell(v_grid, 0, v_nRow, bBold ? R::kBold : R::kPlain, szLabel);
        R::PutReportCell(v_grid, 1, v_nRow, R::kRight, szValue);
        ++v_nRow;
    }
    void Row(int nMsgNr, const std::string& szValue, bool bBold = false) { Row(Msg(nMsgNr), szValue, bBold); }
    int Count() const { return v_nRow; }
    void Restart() { v_nRow = 0; }

private:
    TGridData& v_grid;
    int v_nRow = 0;
};

std::string BrineText(const TFrm_ChBrine& Brine) {
    const Cls_ChGlycol* pBrine = Brine.GetBrine();
    if (!pBrine) return std::string();
    return pBrine->GetName() + " " + Number2FmtStr(1, 0, std::round(Brine.GetPercentage())) + "%";
}

void SettingsRows(CTSettingsRows& rows, const TAnalysisPage& Page) {
    const TFrm_ChTempPanel& panel = Page.Panel();
    const TSelTempData& t = Page.Temperatures();
    const auto temp = [](double v) { return R::FmtTemperature(v); };
    const auto diff = [](double v) { return R::FmtTemperatureDiff(v); };
    const TSideSettings cool = panel.GetCoolSettings();
    // The capacity rows stay when the panel has no capacity entry: empty, as 0 prints.
    if (cool.Capacity || cool.Evaporator || cool.Condenser || cool.Ambient) {
        rows.Row(32, R::FmtQuantity(panel.GetUserCoolCap(), U_Power), true);
        if (cool.Evaporator) rows.Row(66, temp(t.CoolLeavingE), true);
        if (cool.EvaporatorDeltaT) rows.Row(kGridIndent + Msg(39), diff(t.CoolDeltaTE));
        if (cool.Condenser) rows.Row(28, temp(t.CoolLeavingC), true);
        if (cool.CondenserDeltaT) rows.Row(kGridIndent + Msg(39), diff(t.CoolDeltaTC));
        if (cool.Ambient) rows.Row(dialogs::TBaseMsg::Translate(panel.GetCoolAmbientTitle()), temp(t.Summer), true);
    }
    const TSideSettings heat = panel.GetHeatSettings();
    if (heat.Capacity || heat.Evaporator || heat.Condenser || heat.Ambient) {
        rows.Row(78, R::FmtQuantity(panel.GetUserHeatCap(), U_Power), true);
    }
    if (heat.Evaporator) rows.Row(66, temp(t.HeatLeavingE), true);
    if (heat.EvaporatorDeltaT) rows.Row(kGridIndent + Msg(39), diff(t.HeatDeltaTE));
    if (heat.Condenser) rows.Row(28, temp(t.HeatLeavingC), true);
    if (heat.CondenserDeltaT) rows.Row(kGridIndent + Msg(39), diff(t.HeatDeltaTC));
    if (heat.Ambient) rows.Row(6, temp(t.Winter), true);
    if (Page.EvaporatorBrineShown()) rows.Row(dialogs::TBaseMsg::Translate("Evaporator brine"), BrineText(Page.EvaporatorBrine()));
    if (Page.CondenserBrineShown()) rows.Row(dialogs::TBaseMsg::Translate("Condenser brine"), BrineText(Page.CondenserBrine()));
    const auto chosen = [&Page](TAnalysisOption option) -> std::string {
        const TAnalysisCombo& combo = Page.Combo(option);
        if (!combo.Ticked || combo.Selected < 0 || combo.Selected >= static_cast<int>(combo.Names.size())) return {};
        return combo.Names[static_cast<std::size_t>(combo.Selected)];
    };
    const std::string szLowNoise = chosen(TAnalysisOption::LowNoise);
    const std::string szRecovery = chosen(TAnalysisOption::HeatRecovery);
    const std::string szPump = chosen(TAnalysisOption::Pump);
    if (szLowNoise.empty() && szRecovery.empty() && szPump.empty()) return;
    rows.Row(141, std::string(), true);
    if (!szLowNoise.empty()) rows.Row(104, szLowNoise);
    if (!szRecovery.empty()) {
        rows.Row(92, szRecovery);
        rows.Row(kGridIndent + Msg(28), std::string());
        rows.Row(kGridIndent + Msg(100), temp(t.HRLeaving));
        rows.Row(kGridIndent + Msg(39), diff(t.HRDeltaT));
    }
    if (!szPump.empty()) rows.Row(134, szPump);
}

void ResultRows(CTSettingsRows& rows, const TFrm_ChResultGrid& Grid) {
    for (int r = 0; r < Grid.RowCount(); ++r) {
        const std::string szTitle = TranslatedRowTitle(Grid.Row(r).title);
        const bool bBold = !szTitle.empty() && szTitle.front() != ' ';
        const auto first = szTitle.find_first_not_of(' ');
        rows.Row(first == std::string::npos ? std::string() : szTitle.substr(first), Grid.CellText(0, r), bBold);
    }
}

// The status of the analysis by its light; only a certified unit may claim the certificate.
std::string StatusText(int nLight, const Cls_ChOutdoorUnit& Unit) {
    if (nLight == 0) return Unit.GetEurovent() ? Msg(77) : dialogs::TBaseMsg::Translate(TAnalysisPage::kLightGreen);
    return Msg(nLight == 1 ? 181 : 135);
}

}  // namespace

void TBoxReporting::ApplyPreferences(const TPreferences& Prefs) {
    Chk_OperationRange.Checked = Prefs.OPRANGE;
    Chk_PressureDrop.Checked = Prefs.PRESSUREDROP;
    Chk_Dimensional.Checked = Prefs.DIMENSIONAL;
    CoverPageFile = Prefs.COVERPAGE;
    SpecTextsFolder = Prefs.SPECTEXTS;
    Chk_CoverPage.Enabled = Chk_CoverPage.Checked = Exists(CoverPageFile, false);
    Chk_SpecTexts.Enabled = Chk_SpecTexts.Checked = Exists(SpecTextsFolder, true);
    ShowESEER = Prefs.ESEER;
}

TReportOutcome TReportCommands::Bib_MSWordClick(CTStream& Sink, TMainSession& Session, const TSolutionBasket& Basket,
                                                const TBoxReporting& Box, CTProgressSink* pProgress) {
    return WriteRtf(Sink, kBasketMarginLeftCm, kBasketMarginRightCm, [&](CTDocOutput& Doc) {
        return WriteBasketReport(Doc, Session, Basket, Box, pProgress);
    });
}

TReportOutcome TReportCommands::Bib_AnMSWordClick(CTStream& Sink, const TAnalysisPage& Page) {
    if (!Page.Active()) return TReportOutcome{false, dialogs::TBaseMsg::Translate("nothing is analysed"), {}, 0, 0, 0, 0, 0};
    return WriteRtf(Sink, kAnalysisMarginCm, kAnalysisMarginCm,
                    [&](CTDocOutput& Doc) { return WriteAnalysisReport(Doc, Page); });
}

TReportOutcome TReportCommands::WriteBasketReport(CTDocOutput& Doc, TMainSession& Session, const TSolutionBasket& Basket,
                                                  const TBoxReporting& Box, CTProgressSink* pProgress) {
    CTReportRun run(Doc);
    TReportOutcome outcome;
    if (Box.Chk_CoverPage.Checked) {
        if (run.PrintSpecText(Box.CoverPageFile)) run.SetPageFlag(true);
    }
    if (Basket.Count() > 1) {
        run.BreakIfNeeded();
        doc::TFont title;
        run.Doc().GetTitleFontCharacteristics(title);
        title.Size = 18;
        run.Doc().SetTitleFontCharacteristics(title);
        run.Doc().TextTitle(Msg(23), true);
        R::ReportComparisonTable(run.Doc(), run.Grid(), BasketGridData(Session, Basket, Box.ShowESEER));
        run.SetPageFlag(true);
    }
    if (pProgress) pProgress->Start(dialogs::TBaseMsg::Translate("Save report"), Msg(138), Basket.Count());
    for (int i = 0; i < Basket.Count(); ++i) {
        ReportSolution(run, Session, Box, Basket.At(i), outcome);
        ++outcome.Solutions;
        if (pProgress) pProgress->Step();
    }
    if (pProgress) pProgress->Close();
    return run.Finish(outcome);
}

TReportOutcome TReportCommands::WriteAnalysisReport(CTDocOutput& Doc, const TAnalysisPage& Page) {
    TReportOutcome outcome;
    if (!Page.Active()) {
        outcome.Error = dialogs::TBaseMsg::Translate("nothing is analysed");
        return outcome;
    }
    CTReportRun run(Doc);
    CTDocOutput& doc = run.Doc();
    doc.TextHeading1(Msg(9), true);
    doc.TextWrite(Msg(8));
    doc.TextWriteln();
    doc.TextHeading3(Msg(11), true);
    TGridData& grid = run.Grid();
    grid.Reset(1, 2, TGridData::kDefaultColWidth);
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    CTSettingsRows rows(grid);
    SettingsRows(rows, Page);
    const int nSettingsRows = rows.Count();
    ResultRows(rows, Page.Grid());
    CTDocOutput::CalcStringGridDimensions(grid, 0);
    grid.SetRowCount(nSettingsRows);
    if (nSettingsRows > 0) doc.PutStringGrid(grid);
    doc.TextHeading3(Msg(10), true);
    grid.SetRowCount(0);
    grid.SetFixedRows(1);
    rows.Restart();
    ResultRows(rows, Page.Grid());
    CTDocOutput::CalcStringGridDimensions(grid, 0);
    doc.PutStringGrid(grid);
    doc.TextWriteln();
    doc.TextWrite(Msg(148) + " " + Msg(149));
    doc.TextWriteln();
    doc.TextWriteln();
    doc.TextWrite(StatusText(Page.Light(), *Page.Unit()));
    doc.TextWriteln();
    outcome.Units = 1;
    return run.Finish(outcome);
}

bool TReportCommands::SaveReport(const std::string& szFileName, const std::string& bytes, std::string& szError) {
    try {
        platform::CTAtomicFileWriter writer(szFileName);
        writer.Write(bytes.data(), bytes.size());
        writer.Commit();
        return true;
    } catch (const platform::CTFileError& e) {
        szError = e.what();
        return false;
    }
}

bool TReportCommands::OpenReport(const std::string& szFileName) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(szFileName, ec);
    return !ec && platform::ShellOpen(absolute.string());
}

}  // namespace brumalis
