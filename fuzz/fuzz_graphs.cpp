// Random unit records (envelope, corner cuts, table ranges, flow ranges,
// pressure-drop curves, range extension) through the operating-range
// painter, the capacity graph and the pressure-drop view and figure: no
// crash, no hang, and every coordinate that reaches the canvas is one a
// picture can hold (a non-finite or overflowing value would show as one far
// outside it).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "catalogue/catalogue_schema.h"
#include "catalogue/records.h"
#include "documents/graphs/capacity_views.h"
#include "documents/graphs/operating_range.h"
#include "documents/graphs/pressure_drop_view.h"
#include "documents/graphs/report_figures.h"
#include "objectstore/mem_engine.h"
#include "platform/graphics/emf.h"
#include "platform/settings_store.h"

namespace {

using namespace brumalis;
using namespace brumalis::graphics;

constexpr int kLimit = 1000000;

void Require(bool bHolds) {
    if (!bHolds) std::abort();
}

void Check(int n) { Require(n > -kLimit && n < kLimit); }

class CTCheckingCanvas : public CTDeviceCanvas {
public:
    void MoveTo(int x, int y) override { Check(x), Check(y); }
    void LineTo(int x, int y) override { Check(x), Check(y); }
    void Rectangle(int x1, int y1, int x2, int y2) override { Check(x1), Check(y1), Check(x2), Check(y2); }
    void RoundRect(int x1, int y1, int x2, int y2, int w, int h) override {
        Check(x1), Check(y1), Check(x2), Check(y2), Check(w), Check(h);
    }
    void Ellipse(int x1, int y1, int x2, int y2) override { Check(x1), Check(y1), Check(x2), Check(y2); }
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override {
        for (int n : {x1, y1, x2, y2, x3, y3, x4, y4}) Check(n);
    }
    void Polyline(std::span<const TPoint> points) override { CheckPoints(points); }
    void Polygon(std::span<const TPoint> points) override { CheckPoints(points); }
    void PolyBezier(std::span<const TPoint> points) override { CheckPoints(points); }
    void TextOut(int x, int y, std::string_view) override { Check(x), Check(y); }
    void StretchDraw(const TRect&, const CTRaster&, std::uint32_t) override { std::abort(); }
    void PlayMetafile(const TRect&, const CTGraphic&) override { std::abort(); }
    TSize ClipSize() const override { return {560, 420}; }
    bool ToPrinter() const override { return true; }

private:
    static void CheckPoints(std::span<const TPoint> points) {
        for (const TPoint& p : points) Check(p.X), Check(p.Y);
    }
};

// A store, a registry in memory and the schema, once per process.
struct TWorld {
    TWorld() {
        CTBaseFactory::ClearRegisteredEngines();
        CTMemDbEngine::RegisterScratchEngine();
        factory = CreateCatalogueFactory();
        CTDbObject::SetDefaultFactory(factory.get());
        Require(factory->Connect(false));
    }
    platform::CTRegistry registry{std::make_shared<platform::CTMemorySettingsStore>(),
                                  std::make_shared<platform::CTMemorySettingsStore>(true)};
    platform::CTRegistrySubstitute substitute{registry};
    std::unique_ptr<CTFactory> factory;
};

// Mostly temperatures and flows a unit could have, sometimes any bit pattern.
double Value(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return in.ConsumeFloatingPointInRange(-60.0, 1200.0);
    const auto bits = in.ConsumeIntegral<std::uint64_t>();
    double d = 0.0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

using TDeviceSetter = void (Cls_OutdoorDevice::*)(double);
constexpr TDeviceSetter kDeviceFields[] = {
    &Cls_OutdoorDevice::SetCMinITemp,  &Cls_OutdoorDevice::SetCMaxITemp,    &Cls_OutdoorDevice::SetCMinOTemp,
    &Cls_OutdoorDevice::SetCMaxOTemp,  &Cls_OutdoorDevice::SetCDIndUL,      &Cls_OutdoorDevice::SetCDOutUL,
    &Cls_OutdoorDevice::SetCDIndUR,    &Cls_OutdoorDevice::SetCDOutUR,      &Cls_OutdoorDevice::SetCDIndLL,
    &Cls_OutdoorDevice::SetCDOutLL,    &Cls_OutdoorDevice::SetCDIndLR,      &Cls_OutdoorDevice::SetCDOutLR,
    &Cls_OutdoorDevice::SetHMinITemp,  &Cls_OutdoorDevice::SetHMaxITemp,    &Cls_OutdoorDevice::SetHMinOTemp,
    &Cls_OutdoorDevice::SetHMaxOTemp,  &Cls_OutdoorDevice::SetHDIndUL,      &Cls_OutdoorDevice::SetHDOutUL,
    &Cls_OutdoorDevice::SetHDIndUR,    &Cls_OutdoorDevice::SetHDOutUR,      &Cls_OutdoorDevice::SetHDIndLL,
    &Cls_OutdoorDevice::SetHDOutLL,    &Cls_OutdoorDevice::SetHDIndLR,      &Cls_OutdoorDevice::SetHDOutLR,
    &Cls_OutdoorDevice::SetCIndLowerLimit, &Cls_OutdoorDevice::SetCIndUpperLimit,
    &Cls_OutdoorDevice::SetHIndLowerLimit, &Cls_OutdoorDevice::SetHIndUpperLimit};
using TUnitSetter = void (Cls_ChOutdoorUnit::*)(double);
constexpr TUnitSetter kFlowFields[] = {&Cls_ChOutdoorUnit::SetMinWFRE, &Cls_ChOutdoorUnit::SetMaxWFRE,
                                       &Cls_ChOutdoorUnit::SetMinWFRC, &Cls_ChOutdoorUnit::SetMaxWFRC};

std::unique_ptr<Cls_ChOutCapacity> Curve(FuzzedDataProvider& in, std::int32_t nType) {
    auto pCurve = RecordAs<Cls_ChOutCapacity>(CTDbObject::GetFactory()->CreateObject(Cls_ChOutCapacity::kClassID, 0));
    pCurve->SetType(nType);
    pCurve->SetA0(Value(in)), pCurve->SetA1(Value(in) / 100.0), pCurve->SetA2(Value(in) / 10000.0);
    pCurve->SetSelect1(Value(in)), pCurve->SetSelect2(Value(in));
    return pCurve;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    static TWorld world;
    FuzzedDataProvider in(pData, nSize);
    auto pUnit = RecordAs<Cls_ChOutdoorUnit>(world.factory->CreateObject(Cls_ChOutdoorUnit::kClassID, 0));
    pUnit->SetCondenserType(in.ConsumeIntegralInRange(0, 2));
    for (TDeviceSetter set : kDeviceFields) (pUnit.get()->*set)(Value(in));
    for (TUnitSetter set : kFlowFields) (pUnit.get()->*set)(Value(in));
    const bool bCooling = in.ConsumeBool();
    const double dRangeTemp = in.ConsumeBool() ? graphs::kNotSet : Value(in);

    std::vector<TCapRow> rows(in.ConsumeIntegralInRange(0, 4));
    for (TCapRow& row : rows) {
        row.Select1 = Value(in);
        row.Poly.a = {Value(in), Value(in) / 10.0, Value(in) / 100.0};
    }
    std::ranges::sort(rows, {}, &TCapRow::Select1);
    const TPolyCapListCh table(*pUnit, bCooling ? cttCoolCap : cttHeatCap, std::move(rows));
    double dMinLWE = 0.0, dMaxLWE = 0.0, dMinX = 0.0, dMaxX = 0.0;
    table.GetLWETempRange(dMinLWE, dMaxLWE);
    table.GetXRange(dMinX, dMaxX);

    CTCheckingCanvas canvas;
    graphs::TFrm_CapTableOpRange range;
    range.SetOperationMode(bCooling);
    range.SetRangeExtension(dRangeTemp);
    range.SetCapRanges(dMinLWE, dMaxLWE, dMinX, dMaxX);
    range.PaintOnCanvas(pUnit.get(), canvas, 560, 420);

    graphs::TFrm_ChillerCapPIGraph capacity;
    capacity.SetupWindow(&table, bCooling, "x", "y");
    capacity.Paint(canvas);

    const auto pEvaporator = Curve(in, cttEvapPressureDrop);
    const auto pCondenser = Curve(in, cttCondPressureDrop);
    const auto pRecovery = Curve(in, 0);
    graphs::TFrm_ChillerPressureDrop drop;
    drop.SetupWindow(pUnit.get(), pEvaporator.get(), pCondenser.get(), in.ConsumeBool() ? pRecovery.get() : nullptr,
                     in.ConsumeBool() ? pRecovery.get() : nullptr);
    drop.Paint(canvas);

    // The report's figures, through the metafile writer and back through its strict reader.
    pUnit->SetPDPoly(cttEvapPressureDrop, Curve(in, cttEvapPressureDrop));
    pUnit->SetPDPoly(cttCondPressureDrop, Curve(in, cttCondPressureDrop));
    for (const CTGraphic& figure :
         {graphs::PressureDropFigure(*pUnit), graphs::OperatingRangeFigure(*pUnit, table, dRangeTemp)}) {
        PlayEmf(figure.MetafileBytes(), canvas, {0, 0, 560, 420});
    }
    return 0;
}
