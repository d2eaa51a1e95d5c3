// The sections of a chiller report: the data of one selected unit, of a
// plant's totals and the side-by-side comparison of the basket, each a small
// table built in a report grid (labels, values and attribute words) and put
// into any document. Values are in the user's current units.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/records.h"
#include "catalogue/table_grid.h"
#include "catalogue/units.h"
#include "documents/doc_output.h"

namespace brumalis {

// The catalogue lists the sections look options up in; both must outlive
// the report. Either may be null (no options, no option codes).
struct TReportCatalogue {
    const CTRecordList<Cls_ChOption>* Options = nullptr;
    const CTRecordList<Cls_ChOptionCode>* OptionCodes = nullptr;
};

// What a report left out, for the engineer: the item and why.
struct TReportSkip {
    std::string Item;
    std::string Reason;
};

// Pictures of a report, each decoded once however many units show it, and
// the ones that could not be decoded.
class CTReportPictures {
public:
    // The unit's first (nIndex 1) or second (2) visualisation; empty when it
    // has none or its data do not decode (then listed in Skipped once).
    graphics::CTGraphic Of(const Cls_ChOutdoorUnit& Unit, int nIndex);
    // The picture of these bytes under its record ID, decoded on first request.
    graphics::CTGraphic Decoded(std::int32_t nID, const std::string& szItem, std::string_view bytes);
    const std::vector<TReportSkip>& Skipped() const { return v_skipped; }
    void Skip(std::string szItem, std::string szReason) { v_skipped.push_back({std::move(szItem), std::move(szReason)}); }
    int Decoded() const { return static_cast<int>(v_pictures.size()); }

private:
    std::map<std::int32_t, graphics::CTGraphic> v_pictures;
    std::vector<TReportSkip> v_skipped;
};

class TChReporting {
public:
    TChReporting() = delete;

    // Attribute words of the report cells.
    static constexpr std::uint32_t kPlain = 0;
    static constexpr std::uint32_t kBold = doc::kAttrStylesValid | doc::kAttrBold;
    static constexpr std::uint32_t kCentred = doc::kAttrAlignValid | doc::kAttrCentre;
    static constexpr std::uint32_t kRight = doc::kAttrAlignValid | doc::kAttrRight;

    // Every section of one unit at a sequence number; pictures undecodable
    // are left out and noted in Pictures.
    static void ReportChiller(CTDocOutput& Utils, TGridData& GridReporting, const TReportCatalogue& Catalogue,
                              Cls_ChOutdoorUnit& TheChiller, std::int32_t SeqNr, double ReqCoolCap,
                              double ReqHeatCap, bool ShowESEER, CTReportPictures& Pictures);
    // Capacities, fluids, heat recovery (with recovered heat) and sound of a
    // plant's totals.
    static void ReportPlant(CTDocOutput& Utils, TGridData& GridReporting, std::int32_t TheFamily,
                            std::int32_t TheCondenser, const TChillerData& PlantData, double ReqCoolCap,
                            double ReqHeatCap);
    // The basket grid (labels in column 0, a solution per further column),
    // five solutions a table, each further table on a new page.
    static void ReportComparisonTable(CTDocOutput& Utils, TGridData& GridReporting, const TGridData& GridSolutions);

    static void PutReportCell(TGridData& Grid, int nCol, int nRow, std::uint32_t nAttr, const std::string& szText);
    static void PutReportMsgCell(TGridData& Grid, int nCol, int nRow, std::uint32_t nAttr, int nMsgNr);

    // The four grids of the sections, measured with their literals.
    static void ResetReportGrid(TGridData& Grid);
    static void ResetWideReportGrid(TGridData& Grid, const std::string& szTemplate);
    static void ResetListGrid(TGridData& Grid);
    static void ResetComparisonGrid(TGridData& Grid);

    // Value texts; an exact 0 is empty unless said.
    static std::string FmtValue(double v, const std::string& szSuffix);
    // 0 is printed.
    static std::string FmtTemperature(double v);
    // A difference in the current temperature unit; 0 is printed.
    static std::string FmtTemperatureDiff(double v);
    static std::string FmtQuantity(double v, U_RepUnit Dimension);
    static std::string FmtDistance(double v);

private:
    static void PutGrid(CTDocOutput& Utils, const TGridData& Grid);
    static void Capacities(CTDocOutput& Utils, TGridData& Grid, std::int32_t nFamily, const TChillerData& d,
                           double ReqCoolCap, double ReqHeatCap);
    static void Fluids(CTDocOutput& Utils, TGridData& Grid, std::int32_t nFamily, std::int32_t nCondenser,
                       const TChillerData& d);
    static void HeatRecovery(CTDocOutput& Utils, TGridData& Grid, const std::string& szMode, const TChillerData& d);
    static void Sound(CTDocOutput& Utils, TGridData& Grid, const TChillerData& d, const TRepSpectrum* pSpectrum);
};

}  // namespace brumalis
