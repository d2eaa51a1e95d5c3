#include "documents/report_sections.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "catalogue/unit_classes.h"
#include "catalogue/value_texts.h"
#include "dialogs/messages.h"
#include "localisation/number_text.h"
#include "objectstore/streams.h"

namespace brumalis {
namespace {

using R = TChReporting;

std::string Msg(int nMsgNr) { return dialogs::TBaseMsg::GetUnicodeString(nMsgNr); }

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return s;
}

// A paragraph of its own: the text, then the line end.
void Paragraph(CTDocOutput& Utils, const std::string& szText) {
    Utils.TextWrite(szText);
    Utils.TextWriteln();
}

// The literal measured into row 0 decides the column widths; row 0 is then emptied.
void MeasureWith(TGridData& Grid, const std::vector<std::string>& row0) {
    for (int c = 0; c < Grid.ColCount(); ++c) {
        Grid.Cell(c, 0).text = row0[std::min<std::size_t>(static_cast<std::size_t>(c), row0.size() - 1)];
    }
    CTDocOutput::CalcStringGridDimensions(Grid, 0);
    for (int c = 0; c < Grid.ColCount(); ++c) Grid.Cell(c, 0) = TGridCell();
}

void ResetLines(TGridData& Grid, bool bFixedHorz, bool bFixedVert, bool bVert, bool bHorz) {
    Grid.SetOption(goFixedHorzLine, bFixedHorz);
    Grid.SetOption(goFixedVertLine, bFixedVert);
    Grid.SetOption(goVertLine, bVert);
    Grid.SetOption(goHorzLine, bHorz);
    Grid.SetBorderStyle(TGridBorderStyle::Single);
}

constexpr int kNarrowColumn = 10;
const std::string kEighteenDigits = "123456789012345678";

// Flows in the flow unit (l/min kept, shown per second), pressure drops in the pressure unit (kPa kept).
std::string FlowText(const TRepFluid& f) { return R::FmtQuantity(f.WFR / 60.0, U_Airflow); }
std::string DropText(const TRepFluid& f) { return R::FmtQuantity(f.PD * 1000.0, U_Pressure); }

// One mode's label column and value column of the capacity table.
struct TCapacityColumn {
    int nHeader;
    int nEfficiency;
    double dRequired;
    const TRepCap* pData;
    double dModeDeviation;
};

void PutCapacityColumn(TGridData& Grid, int nCol, bool bRequired, const TCapacityColumn& col) {
    R::PutReportMsgCell(Grid, nCol, 0, R::kBold, col.nHeader);
    int nRow = 1;
    if (bRequired) {
        R::PutReportMsgCell(Grid, nCol, 1, R::kPlain, 137);
        R::PutReportMsgCell(Grid, nCol, 2, R::kPlain, 43);
        if (col.dRequired > 0.0) {
            R::PutReportCell(Grid, nCol + 1, 1, R::kCentred, R::FmtQuantity(col.dRequired, U_Power));
            // No deviation ("none") and deviations beyond 100 % are not shown.
            const bool bShown = !(col.dModeDeviation > 100.0) && col.pData->Deviation != kNoDeviation;
            R::PutReportCell(Grid, nCol + 1, 2, R::kCentred, bShown ? R::FmtValue(col.pData->Deviation, "%") : "");
        }
        nRow = 3;
    }
    R::PutReportMsgCell(Grid, nCol, nRow, R::kPlain, 19);
    R::PutReportMsgCell(Grid, nCol, nRow + 1, R::kPlain, 128);
    R::PutReportMsgCell(Grid, nCol, nRow + 2, R::kPlain, col.nEfficiency);
    R::PutReportCell(Grid, nCol + 1, nRow, R::kCentred, R::FmtQuantity(col.pData->Cap, U_Power));
    R::PutReportCell(Grid, nCol + 1, nRow + 1, R::kCentred, R::FmtQuantity(col.pData->PI, U_Power));
    R::PutReportCell(Grid, nCol + 1, nRow + 2, R::kCentred, R::FmtValue(col.pData->EERCOP, ""));
}

// Rows of a label column and its value column from a starting row.
struct TRowWriter {
    TGridData& Grid;
    int nCol;
    int nRow = 1;
    void Text(int nMsgNr, const std::string& szValue, std::uint32_t nValueAttr = R::kCentred) {
        R::PutReportMsgCell(Grid, nCol, nRow, R::kPlain, nMsgNr);
        R::PutReportCell(Grid, nCol + 1, nRow, nValueAttr, szValue);
        ++nRow;
    }
    // Leaving, entering and the difference of a water circuit.
    void Water(double dLeaving, double dEntering, double dDelta, int nLeaving = 100, int nEntering = 54,
               int nDelta = 39) {
        Text(nLeaving, R::FmtTemperature(dLeaving));
        Text(nEntering, R::FmtTemperature(dEntering));
        Text(nDelta, R::FmtTemperatureDiff(dDelta));
    }
    void BrineAndFlow(const TRepFluid& f) {
        if (f.Brine) {
            Text(75, f.Brine->GetName());
            Text(76, Number2FmtStr(1, 0, std::round(f.BrinePercent)) + "%");
        }
        Text(178, FlowText(f));
        Text(130, DropText(f));
    }
};

void EvaporatorRows(TRowWriter& w, std::int32_t nFamily, const TChillerData& d) {
    const TSelTempData& t = d.TempSelData;
    switch (nFamily) {
        case famHeatRecovery:
        case famCoolingOnly: w.Water(t.CoolLeavingE, t.CoolLeavingE + t.CoolDeltaTE, t.CoolDeltaTE); break;
        case famHeatPump: {
            const double dCoolDelta = t.SelectCooling ? t.CoolDeltaTE : d.Condenser.DeltaT;
            const double dHeatDelta = t.SelectCooling ? d.Condenser.DeltaT : t.HeatDeltaTC;
            w.Water(t.CoolLeavingE, t.CoolLeavingE + dCoolDelta, dCoolDelta, 101, 55, 40);
            w.Water(t.HeatLeavingC, t.HeatLeavingC - dHeatDelta, dHeatDelta, 102, 56, 41);
            break;
        }
        case famHeatingOnly:
            w.Text(79, R::FmtQuantity(d.HeatData.Cap - d.HeatData.PI, U_Power));
            w.Water(t.HeatLeavingE, t.HeatLeavingE + t.HeatDeltaTE, t.HeatDeltaTE);
            break;
        case famCondensingUnit:
            w.Text(169, R::FmtTemperature(t.CoolLeavingE));
            w.Text(170, R::FmtTemperatureDiff(10.0));
            w.Text(168, R::FmtTemperatureDiff(5.0));
            return;
        default: break;
    }
    w.BrineAndFlow(d.Evaporator);
}

void CondenserRows(TRowWriter& w, std::int32_t nFamily, std::int32_t nCondenser, const TChillerData& d) {
    const TSelTempData& t = d.TempSelData;
    if (nCondenser == ctAirCooled) {
        w.Text(30, Msg(276));
        w.Text(5, R::FmtTemperature(t.Summer));
        if (nFamily == famHeatPump) w.Text(6, R::FmtTemperature(t.Winter));
    } else if (nCondenser == ctWaterCooled) {
        w.Text(30, Msg(288));
        if (nFamily == famHeatingOnly) {
            w.Water(t.HeatLeavingC, t.HeatLeavingC - t.HeatDeltaTC, t.HeatDeltaTC);
        } else {
            w.Text(84, R::FmtQuantity(d.CoolData.Cap + d.CoolData.PI, U_Power));
            w.Water(t.CoolLeavingC, t.CoolLeavingC - t.CoolDeltaTC, t.CoolDeltaTC);
        }
        w.BrineAndFlow(d.Condenser);
    } else if (nCondenser == ctCondenserless) {
        w.Text(30, Msg(283));
        w.Text(31, R::FmtTemperature(t.Summer));
    }
}

int FamilyMessage(std::int32_t nFamily) {
    switch (nFamily) {
        case famHeatRecovery: return 281;
        case famHeatPump: return 280;
        case famHeatingOnly: return 279;
        case famCondensingUnit: return 284;
        default: return 278;
    }
}

int CondenserMessage(std::int32_t nCondenser) {
    switch (nCondenser) {
        case ctWaterCooled: return 288;
        case ctCondenserless: return 283;
        default: return 276;
    }
}

void ModelTable(CTDocOutput& Utils, TGridData& Grid, const TReportCatalogue& Catalogue, Cls_ChOutdoorUnit& Unit,
                std::int32_t SeqNr) {
    R::ResetReportGrid(Grid);
    R::PutReportMsgCell(Grid, 0, 0, R::kBold, 72);
    R::PutReportMsgCell(Grid, 1, 0, R::kBold, 17);
    R::PutReportMsgCell(Grid, 2, 0, R::kBold, 120);
    R::PutReportMsgCell(Grid, 3, 0, R::kBold, 12);
    const bool bCodes = Unit.GetHasOptionCodes() && Catalogue.OptionCodes;
    const std::string szCode = bCodes ? Unit.GetOptionCode(SeqNr, *Catalogue.OptionCodes) : std::string();
    R::PutReportCell(Grid, 0, 1, R::kBold, szCode.empty() ? Unit.GetName() : Unit.GetName() + " " + szCode);
    R::PutReportCell(Grid, 1, 1, R::kCentred, Unit.GetName());
    R::PutReportCell(Grid, 2, 1, R::kCentred, bCodes ? szCode : "<" + Msg(116) + ">");
    const std::string szSuffix = Trim(Unit.GetNameSuffix());
    R::PutReportCell(Grid, 3, 1, R::kCentred, szSuffix.empty() ? Msg(165) : szSuffix);
    Utils.PutStringGrid(Grid);
}

void SelectionTable(CTDocOutput& Utils, TGridData& Grid, Cls_ChOutdoorUnit& Unit) {
    R::ResetReportGrid(Grid);
    R::PutReportMsgCell(Grid, 0, 0, R::kBold, 140);
    TRowWriter left{Grid, 0};
    left.Text(28, Msg(CondenserMessage(Unit.GetCondenserType())));
    left.Text(70, Msg(FamilyMessage(Unit.GetFamily())));
    const auto pRefrigerant = Unit.GetRefrigerant();
    left.Text(136, pRefrigerant ? pRefrigerant->GetName() : std::string());
    R::PutReportMsgCell(Grid, 2, 0, R::kBold, 24);
    TRowWriter right{Grid, 2};
    const auto pCompressor = Unit.GetChCompressor();
    right.Text(27, pCompressor ? pCompressor->GetName() : std::string());
    right.Text(25, std::to_string(Unit.GetComprQuantity()));
    right.Text(26, Unit.GetShownComprStep());
    Utils.PutStringGrid(Grid);
}

// The electrical data of the unit's first allowed supply that still exists.
std::unique_ptr<Cls_DevPSAllowed> FirstSupplyRow(const Cls_ChOutdoorUnit& Unit, std::unique_ptr<Cls_PowerSupply>& PS) {
    for (auto& pRow : Unit.GetAllDevPSAllowed()) {
        PS = pRow->GetPowerSupply();
        if (PS && !PS->GetDeleted()) return std::move(pRow);
    }
    PS.reset();
    return nullptr;
}

void ElectricalTable(CTDocOutput& Utils, TGridData& Grid, Cls_ChOutdoorUnit& Unit, const TChillerData& d,
                     Cls_ChOptAllowed* pTank, Cls_ChOptAllowed* pPump, Cls_ChOptAllowed* pLowNoise) {
    R::ResetReportGrid(Grid);
    R::PutReportMsgCell(Grid, 0, 0, R::kBold, 52);
    std::unique_ptr<Cls_PowerSupply> pSupply;
    const auto pRow = FirstSupplyRow(Unit, pSupply);
    const auto* pCurrents = dynamic_cast<const Cls_ChPSAllowed*>(pRow.get());
    const std::string szAmps = " " + TU_Form::GetCurrentString(U_Current);
    TRowWriter left{Grid, 0};
    left.Text(129, pSupply ? pSupply->GetDescriptiveName() : std::string());
    left.Text(109, pCurrents ? R::FmtValue(pCurrents->GetStartingCurrent(), szAmps) : std::string());
    left.Text(108, pCurrents ? R::FmtValue(pCurrents->GetMaxCurrentUnit(), szAmps) : std::string());
    left.Text(107, pCurrents ? R::FmtValue(pCurrents->GetMaxCurrentCompr(), szAmps) : std::string());
    left.Text(73, pRow ? pRow->GetFuses() : std::string());
    left.Text(175, pSupply ? pSupply->GetRange() : std::string());
    R::PutReportMsgCell(Grid, 2, 0, R::kBold, 110);
    double dHeight = 0.0, dWidth = 0.0, dDepth = 0.0;
    Unit.GetDimensions(pLowNoise, dHeight, dWidth, dDepth);
    TRowWriter right{Grid, 2};
    right.Text(85, R::FmtQuantity(dHeight, U_ShortLength));
    right.Text(180, R::FmtQuantity(dWidth, U_ShortLength));
    right.Text(42, R::FmtQuantity(dDepth, U_ShortLength));
    right.Text(179, R::FmtQuantity(Unit.GetWeight(pLowNoise), U_Mass));
    right.Text(176, pTank ? R::FmtValue(pTank->GetGeneric(), " l") : std::string());
    std::string szESP;
    if (pPump) {
        if (const auto pCurve = pPump->GetTheChPumpData()) {
            szESP = R::FmtQuantity(pCurve->Evaluate(d.Evaporator.WFR) * 1000.0, U_Pressure);
        }
    }
    right.Text(125, szESP);
    Utils.PutStringGrid(Grid);
    Utils.TextWriteln();
    Paragraph(Utils, Msg(18));
}

void Notes(CTDocOutput& Utils, const Cls_ChOutdoorUnit& Unit, bool bHeatRecovery) {
    Utils.TextWriteln();
    auto note = [&Utils](int nMsgNr) { Paragraph(Utils, "- " + Msg(nMsgNr)); };
    // Only a certified unit may claim the certificate.
    if (Unit.GetEurovent()) note(65);
    note(126);
    note(69);
    if (Unit.GetFamily() == famHeatPump) note(155);
    if (bHeatRecovery) note(83);
    note(3);
}

// The seasonal figures of one kind, as the unit (or its low-noise variant) keeps them.
struct TSeasonal {
    double dValue, dLWE;
    std::array<double, 4> eer, cap, pi, amb;
};

TSeasonal SeasonalOf(Cls_ChOutdoorUnit& Unit, const Cls_ChOptAllowed* pLowNoise, bool bESEER) {
    const TESEERIPLVData s = Unit.GetESEERIPLVData(pLowNoise);
    const int b = bESEER ? ESEER : IPLV;
    auto at = [&s, b](int nOffset) { return s[static_cast<std::size_t>(b + nOffset)]; };
    TSeasonal r{};
    r.dValue = at(0);
    r.eer = {at(1), at(2), at(3), at(4)};
    r.cap = {at(5), at(7), at(9), at(11)};
    r.pi = {at(6), at(8), at(10), at(12)};
    if (bESEER) {
        r.dLWE = Unit.GetESEERLWE();
        r.amb = {Unit.GetESEERAmb100(), Unit.GetESEERAmb75(), Unit.GetESEERAmb50(), Unit.GetESEERAmb25()};
    } else {
        r.dLWE = Unit.GetIPLVLWE();
        r.amb = {Unit.GetIPLVAmb100(), Unit.GetIPLVAmb75(), Unit.GetIPLVAmb50(), Unit.GetIPLVAmb25()};
    }
    return r;
}

void SeasonalSection(CTDocOutput& Utils, TGridData& Grid, Cls_ChOutdoorUnit& Unit, const Cls_ChOptAllowed* pLowNoise,
                     bool bESEER) {
    const TSeasonal s = SeasonalOf(Unit, pLowNoise, bESEER);
    const bool bAllEER = std::all_of(s.eer.begin(), s.eer.end(), [](double v) { return v != 0.0; });
    const TESEERIPLVData all = Unit.GetESEERIPLVData(pLowNoise);
    if (bAllEER && all[ESEERCC100] == 0.0) return;
    const bool bFull = bAllEER;
    if (!bFull && !(s.eer[0] > 0.0)) return;
    R::ResetWideReportGrid(Grid, "1234567890123");
    Grid.SetColCount(7);
    R::PutReportMsgCell(Grid, 0, 0, R::kBold, 124);
    const int nCondenser = Unit.GetCondenserType() == ctAirCooled ? 7 : Unit.GetCondenserType() == ctWaterCooled ? 67 : 172;
    const int headers[] = {20, 106, nCondenser, 32, 34, 46, 64};
    for (int c = 0; c < 7; ++c) R::PutReportMsgCell(Grid, c, 1, c == 0 ? R::kPlain : R::kCentred, headers[c]);
    const int steps[] = {13, 16, 15, 14};
    int nRow = 2;
    if (bFull) {
        for (std::size_t k = 0; k < 4; ++k, ++nRow) {
            R::PutReportMsgCell(Grid, 0, nRow, R::kPlain, steps[k]);
            R::PutReportCell(Grid, 1, nRow, R::kCentred, R::FmtTemperature(s.dLWE));
            R::PutReportCell(Grid, 2, nRow, R::kCentred, R::FmtTemperature(s.amb[k]));
            R::PutReportCell(Grid, 3, nRow, R::kCentred, R::FmtQuantity(s.cap[k], U_Power));
            R::PutReportCell(Grid, 4, nRow, R::kCentred, R::FmtQuantity(s.pi[k], U_Power));
            R::PutReportCell(Grid, 5, nRow, R::kCentred, R::FmtValue(s.eer[k], ""));
        }
    } else {
        R::PutReportMsgCell(Grid, 0, nRow, R::kPlain, 13);
        R::PutReportCell(Grid, 5, nRow, R::kCentred, R::FmtValue(s.eer[0], ""));
        ++nRow;
    }
    R::PutReportMsgCell(Grid, 0, nRow, R::kPlain, bESEER ? 58 : 96);
    R::PutReportCell(Grid, 5, nRow, R::kCentred, R::FmtValue(s.dValue, ""));
    R::PutReportCell(Grid, 6, 2, R::kCentred, Trim(Unit.GetEClass()));
    Utils.PutStringGrid(Grid);
    Utils.TextWriteln();
    if (bESEER) {
        Paragraph(Utils, Msg(59) + " " + Msg(60));
        Paragraph(Utils, Msg(61));
    } else {
        Paragraph(Utils, Msg(97) + " " + Msg(98));
        Paragraph(Utils, Msg(99));
    }
    Utils.TextWriteln();
}

// The unit's combinations at the sequence number with their catalogue options, sorted by option name.
struct TOptionRow {
    const Cls_ChOptAllowed* pComb;
    const Cls_ChOption* pOption;
};

std::vector<TOptionRow> OptionRows(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr, const TReportCatalogue& Catalogue) {
    std::vector<TOptionRow> rows;
    if (!Catalogue.Options) return rows;
    for (const auto& pComb : Unit.GetOptCombs(SeqNr)) {
        if (const Cls_ChOption* pOption = OptionOf(*pComb, *Catalogue.Options)) rows.push_back({pComb.get(), pOption});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const TOptionRow& a, const TOptionRow& b) {
        return Lower(a.pOption->GetName()) < Lower(b.pOption->GetName());
    });
    return rows;
}

// A list grid of the rows that pass, put only when it has any; answers the options listed.
std::vector<const Cls_ChOption*> OptionList(CTDocOutput& Utils, TGridData& Grid, const std::vector<TOptionRow>& rows,
                                            int nHeader, bool bNameColumn,
                                            const std::function<bool(const TOptionRow&)>& bPasses) {
    R::ResetListGrid(Grid);
    R::PutReportMsgCell(Grid, 0, 0, R::kBold, nHeader);
    std::vector<const Cls_ChOption*> listed;
    int nRow = 1;
    for (const TOptionRow& row : rows) {
        if (!bPasses(row)) continue;
        if (bNameColumn) R::PutReportCell(Grid, 0, nRow, R::kPlain, row.pOption->GetName());
        R::PutReportCell(Grid, 1, nRow, R::kPlain, row.pOption->GetDescription());
        listed.push_back(row.pOption);
        ++nRow;
    }
    if (!listed.empty()) Utils.PutStringGrid(Grid);
    return listed;
}

constexpr std::int32_t kOptionTypeCuNi = 9;
constexpr std::int32_t kOptionTypePump = 4;
constexpr std::int32_t kOptionTypeHeatRecovery = 6;

bool ChosenByUser(const TOptionRow& row, bool bHasCodes) {
    return row.pComb->GetSelected() && !row.pComb->GetIsStandard() && !(bHasCodes && row.pComb->IsImmutable());
}

void OptionSections(CTDocOutput& Utils, TGridData& Grid, Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr,
                    const TReportCatalogue& Catalogue) {
    const std::vector<TOptionRow> rows = OptionRows(Unit, SeqNr, Catalogue);
    OptionList(Utils, Grid, rows, 166, false, [](const TOptionRow& r) { return r.pComb->GetIsStandard(); });
    const bool bCodes = Unit.GetHasOptionCodes();
    auto chosen = [bCodes](bool bKit) {
        return [bCodes, bKit](const TOptionRow& r) { return ChosenByUser(r, bCodes) && r.pOption->GetIsKit() == bKit; };
    };
    const auto options = OptionList(Utils, Grid, rows, 141, true, chosen(false));
    auto has = [&options](std::int32_t nType) {
        return std::any_of(options.begin(), options.end(), [nType](const Cls_ChOption* p) { return p->GetType() == nType; });
    };
    if (has(kOptionTypeCuNi)) {
        Utils.TextWriteln();
        Paragraph(Utils, Msg(38));
    }
    if (has(kOptionTypePump) && has(kOptionTypeHeatRecovery)) {
        Utils.TextWriteln();
        Paragraph(Utils, Msg(132) + " " + Msg(133));
        Utils.TextWriteln();
    }
    OptionList(Utils, Grid, rows, 139, true, chosen(true));
}

}  // namespace

graphics::CTGraphic CTReportPictures::Of(const Cls_ChOutdoorUnit& Unit, int nIndex) {
    const auto pVisual = nIndex == 1 ? Unit.GetChVisualization() : Unit.GetChVisualization2();
    if (!pVisual) return {};
    if (v_pictures.count(pVisual->GetID())) return v_pictures[pVisual->GetID()];
    CTMemoryStream bytes;
    const std::string data = pVisual->GetDrawing(bytes) ? bytes.Data() : std::string();
    return Decoded(pVisual->GetID(), Unit.GetName() + ": " + pVisual->GetName(), data);
}

graphics::CTGraphic CTReportPictures::Decoded(std::int32_t nID, const std::string& szItem, std::string_view bytes) {
    const auto found = v_pictures.find(nID);
    if (found != v_pictures.end()) return found->second;
    graphics::CTGraphic picture;
    if (!bytes.empty()) {
        picture = graphics::DecodePicture(bytes);
        if (picture.IsEmpty()) Skip(szItem, picture.Reason());
    }
    v_pictures.emplace(nID, picture);
    return picture;
}

void TChReporting::PutReportCell(TGridData& Grid, int nCol, int nRow, std::uint32_t nAttr, const std::string& szText) {
    if (nRow >= Grid.RowCount()) Grid.SetRowCount(nRow + 1);
    if (nCol >= Grid.ColCount()) Grid.SetColCount(nCol + 1);
    Grid.Cell(nCol, nRow).text = szText;
    Grid.Cell(nCol, nRow).object = nAttr;
}

void TChReporting::PutReportMsgCell(TGridData& Grid, int nCol, int nRow, std::uint32_t nAttr, int nMsgNr) {
    PutReportCell(Grid, nCol, nRow, nAttr, Msg(nMsgNr));
}

void TChReporting::ResetReportGrid(TGridData& Grid) {
    Grid.Reset(2, 4, kNarrowColumn);
    ResetLines(Grid, true, false, true, false);
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(0);
    MeasureWith(Grid, {"Ambient summer temperature"});
}

void TChReporting::ResetWideReportGrid(TGridData& Grid, const std::string& szTemplate) {
    Grid.Reset(2, 10, kNarrowColumn);
    ResetLines(Grid, true, false, true, true);
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(0);
    MeasureWith(Grid, {kEighteenDigits, szTemplate});
}

void TChReporting::ResetListGrid(TGridData& Grid) {
    Grid.Reset(2, 2, kNarrowColumn);
    ResetLines(Grid, true, true, false, false);
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(0);
    MeasureWith(Grid, {kEighteenDigits,
                       "1234567890123456789012345678901234567890123412345678901234567890123456789012345678901234"});
}

void TChReporting::ResetComparisonGrid(TGridData& Grid) {
    Grid.Reset(2, 2, kNarrowColumn);
    ResetLines(Grid, true, true, true, true);
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(1);
}

std::string TChReporting::FmtValue(double v, const std::string& szSuffix) { return PlainCell(v, 1, szSuffix); }

std::string TChReporting::FmtTemperature(double v) { return TU_Form::PutDimensionedText(U_Temperature, true, v); }

std::string TChReporting::FmtTemperatureDiff(double v) {
    const int nUnit = TU_Form::GetNewIndex(U_Temperature);
    const double dDiff = TU_Form::ConvertValue(U_Temperature, 0, true, nUnit, v) -
                         TU_Form::ConvertValue(U_Temperature, 0, true, nUnit, 0.0);
    return Number2FmtStr(1, 1, dDiff) + " " + TU_Form::GetCurrentString(U_Temperature);
}

std::string TChReporting::FmtQuantity(double v, U_RepUnit Dimension) { return DimensionedCell(Dimension, v); }

std::string TChReporting::FmtDistance(double v) { return v == 0.0 ? std::string() : RoundedDistanceText(v); }

void TChReporting::PutGrid(CTDocOutput& Utils, const TGridData& Grid) { Utils.PutStringGrid(Grid); }

void TChReporting::Capacities(CTDocOutput& Utils, TGridData& Grid, std::int32_t nFamily, const TChillerData& d,
                              double ReqCoolCap, double ReqHeatCap) {
    const bool bRequired = ReqCoolCap > 0.0 || ReqHeatCap > 0.0;
    const bool bCooling = d.TempSelData.SelectCooling;
    const TCapacityColumn cooling{33, 46, ReqCoolCap, &d.CoolData, bCooling ? d.CoolData.Deviation : 0.0};
    const TCapacityColumn heating{80, 35, ReqHeatCap, &d.HeatData, bCooling ? 0.0 : d.HeatData.Deviation};
    ResetReportGrid(Grid);
    switch (nFamily) {
        case famHeatRecovery:
        case famCoolingOnly:
        case famCondensingUnit: PutCapacityColumn(Grid, 0, bRequired, cooling); break;
        case famHeatPump:
            PutCapacityColumn(Grid, 0, bRequired, cooling);
            PutCapacityColumn(Grid, 2, bRequired, heating);
            break;
        case famHeatingOnly: PutCapacityColumn(Grid, 0, bRequired, heating); break;
        default: return;
    }
    PutGrid(Utils, Grid);
}

void TChReporting::Fluids(CTDocOutput& Utils, TGridData& Grid, std::int32_t nFamily, std::int32_t nCondenser,
                          const TChillerData& d) {
    ResetReportGrid(Grid);
    PutReportMsgCell(Grid, 0, 0, kBold, 66);
    TRowWriter evaporator{Grid, 0};
    EvaporatorRows(evaporator, nFamily, d);
    PutReportMsgCell(Grid, 2, 0, kBold, 28);
    TRowWriter condenser{Grid, 2};
    CondenserRows(condenser, nFamily, nCondenser, d);
    PutGrid(Utils, Grid);
}

void TChReporting::HeatRecovery(CTDocOutput& Utils, TGridData& Grid, const std::string& szMode, const TChillerData& d) {
    ResetReportGrid(Grid);
    PutReportMsgCell(Grid, 0, 0, kBold, 82);
    TRowWriter left{Grid, 0};
    left.Text(91, szMode);
    left.Text(88, FmtQuantity(d.HRData.CC, U_Power));
    left.Text(94, FmtQuantity(d.HRData.PI, U_Power));
    left.Text(90, FmtQuantity(d.HRData.HR, U_Power));
    left.Text(35, FmtValue(d.HRData.HRCOP, ""));
    left.Text(93, FmtValue(d.HRData.HRPercentage * 100.0, "%"));
    PutReportMsgCell(Grid, 2, 0, kBold, 89);
    TRowWriter right{Grid, 2};
    const TSelTempData& t = d.TempSelData;
    right.Water(t.HRLeaving, t.HRLeaving - t.HRDeltaT, t.HRDeltaT);
    right.Text(178, FlowText(d.HRCondenser));
    right.Text(130, DropText(d.HRCondenser));
    PutGrid(Utils, Grid);
}

void TChReporting::Sound(CTDocOutput& Utils, TGridData& Grid, const TChillerData& d, const TRepSpectrum* pSpectrum) {
    ResetWideReportGrid(Grid, "12345678");
    PutReportMsgCell(Grid, 0, 0, kBold, 147);
    const int bands[] = {71, 163, 158, 160, 162, 157, 159, 161, 164, 122};
    for (int c = 0; c < 10; ++c) PutReportMsgCell(Grid, c, 1, c == 0 ? kPlain : kCentred, bands[c]);
    PutReportMsgCell(Grid, 0, 2, kPlain, 151);
    if (pSpectrum) {
        for (std::size_t b = 0; b < pSpectrum->size(); ++b) {
            const double dLevel = (*pSpectrum)[b];
            PutReportCell(Grid, static_cast<int>(b) + 1, 2, kCentred,
                          dLevel == 0.0 ? std::string() : Number2FmtStr(1, 0, std::round(dLevel)) + " dB");
        }
    }
    PutReportCell(Grid, 9, 2, kCentred, FmtValue(d.SoundPower, " dBA"));
    PutReportMsgCell(Grid, 0, 3, kPlain, 45);
    PutReportMsgCell(Grid, 0, 4, kPlain, 152);
    const double distances[] = {1.0, 5.0, 10.0};
    for (std::size_t k = 0; k < 3; ++k) {
        PutReportCell(Grid, static_cast<int>(k) + 1, 3, kCentred, FmtDistance(distances[k]));
        PutReportCell(Grid, static_cast<int>(k) + 1, 4, kCentred, FmtValue(d.SoundPressures[k], " dBA"));
    }
    PutGrid(Utils, Grid);
    Utils.TextWriteln();
    Paragraph(Utils, Msg(148) + " " + Msg(149));
    Utils.TextWriteln();
    Utils.TextWriteln();
}

void TChReporting::ReportChiller(CTDocOutput& Utils, TGridData& GridReporting, const TReportCatalogue& Catalogue,
                                 Cls_ChOutdoorUnit& TheChiller, std::int32_t SeqNr, double ReqCoolCap,
                                 double ReqHeatCap, bool ShowESEER, CTReportPictures& Pictures) {
    doc::TFont normal;
    Utils.GetNormalFontCharacteristics(normal);
    normal.Size = 8;
    Utils.SetNormalFontCharacteristics(normal);

    const TChillerData d = TheChiller.GetChillerData(SeqNr);
    Cls_ChOptAllowed* pTank = nullptr;
    Cls_ChOptAllowed* pPump = nullptr;
    Cls_ChOptAllowed* pLowNoise = nullptr;
    Cls_ChOptAllowed* pRecovery = nullptr;
    Cls_ChOptAllowed* pRange = nullptr;
    if (Catalogue.Options) {
        TheChiller.GetSelectedAttrOptionCombs(*Catalogue.Options, SeqNr, pTank, pPump, pLowNoise, pRecovery, pRange);
    }
    const std::int32_t nFamily = TheChiller.GetFamily();

    ModelTable(Utils, GridReporting, Catalogue, TheChiller, SeqNr);
    SelectionTable(Utils, GridReporting, TheChiller);
    Capacities(Utils, GridReporting, nFamily, d, ReqCoolCap, ReqHeatCap);
    Fluids(Utils, GridReporting, nFamily, TheChiller.GetCondenserType(), d);
    const bool bHeatRecovery = nFamily == famHeatRecovery || pRecovery != nullptr;
    if (bHeatRecovery) {
        std::string szMode;
        if (nFamily == famHeatRecovery) {
            szMode = Msg(165);
        } else if (d.HRData.HR > 0.0) {
            szMode = Msg(d.HRData.CC > 0.0 ? 173 : 123);
        }
        HeatRecovery(Utils, GridReporting, szMode, d);
    }
    ElectricalTable(Utils, GridReporting, TheChiller, d, pTank, pPump, pLowNoise);
    Notes(Utils, TheChiller, bHeatRecovery);
    Utils.TextWriteln();
    Utils.NewPage();
    Utils.TextWriteln();
    SeasonalSection(Utils, GridReporting, TheChiller, pLowNoise, ShowESEER);
    const TRepSpectrum spectrum = TheChiller.GetSoundSpectrum(pLowNoise);
    Sound(Utils, GridReporting, d, &spectrum);
    OptionSections(Utils, GridReporting, TheChiller, SeqNr, Catalogue);
    const graphics::CTGraphic picture = Pictures.Of(TheChiller, 1);
    if (!picture.IsEmpty()) {
        Utils.PutGraphic(1.0, picture, true);
        Utils.TextWriteln();
    }
}

void TChReporting::ReportPlant(CTDocOutput& Utils, TGridData& GridReporting, std::int32_t TheFamily,
                               std::int32_t TheCondenser, const TChillerData& PlantData, double ReqCoolCap,
                               double ReqHeatCap) {
    Capacities(Utils, GridReporting, TheFamily, PlantData, ReqCoolCap, ReqHeatCap);
    Fluids(Utils, GridReporting, TheFamily, TheCondenser, PlantData);
    if (PlantData.HRData.HR > 0.0) {
        const int nMode = TheFamily == famHeatRecovery ? 165 : PlantData.HRData.CC > 0.0 ? 173 : 123;
        HeatRecovery(Utils, GridReporting, Msg(nMode), PlantData);
    }
    Sound(Utils, GridReporting, PlantData, nullptr);
}

void TChReporting::ReportComparisonTable(CTDocOutput& Utils, TGridData& GridReporting, const TGridData& GridSolutions) {
    constexpr int kPerTable = 5;
    const int nSolutions = GridSolutions.ColCount() - 1;
    int i = 0;
    do {
        ResetComparisonGrid(GridReporting);
        for (int r = 0; r < GridSolutions.RowCount(); ++r) {
            const std::string& szLabel = GridSolutions.Cell(0, r).text;
            const bool bBold = !szLabel.empty() && szLabel.front() != ' ';
            PutReportCell(GridReporting, 0, r, bBold ? kBold : kPlain, Trim(szLabel));
        }
        for (int j = 1; j <= kPerTable && i < nSolutions; ++j) {
            ++i;
            for (int r = 0; r < GridSolutions.RowCount(); ++r) {
                PutReportCell(GridReporting, j, r, kCentred, Trim(GridSolutions.Cell(i, r).text));
            }
        }
        CTDocOutput::CalcStringGridDimensions(GridReporting, 0);
        PutGrid(Utils, GridReporting);
        Utils.TextWriteln();
        if (i < nSolutions) {
            Utils.NewPage();
            Utils.TextWriteln();
        }
    } while (i < nSolutions);
}

}  // namespace brumalis
