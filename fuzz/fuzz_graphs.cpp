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

// Mostly a value in [dLow, dHigh], now and then any bit pattern at all.
double Value(FuzzedDataProvider& in, double dLow, double dHigh) {
    if (in.ConsumeIntegralInRange(0, 15) != 0) return in.ConsumeFloatingPointInRange(dLow, dHigh);
    const auto bits = in.ConsumeIntegral<std::uint64_t>();
    double d = 0.0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

double Temperature(FuzzedDataProvider& in) { return Value(in, -30.0, 60.0); }
// Mostly positive: a maximum above its minimum, sometimes below.
double Span(FuzzedDataProvider& in) { return Value(in, -5.0, 60.0); }
double Cut(FuzzedDataProvider& in) { return Value(in, -2.0, 30.0); }

using TSetter = void (Cls_OutdoorDevice::*)(double);
struct TRange {
    TSetter min, max;
};
// Per mode: leaving water, outdoor, then the table's x range.
constexpr TRange kRanges[] = {{&Cls_OutdoorDevice::SetCMinITemp, &Cls_OutdoorDevice::SetCMaxITemp},
                              {&Cls_OutdoorDevice::SetCMinOTemp, &Cls_OutdoorDevice::SetCMaxOTemp},
                              {&Cls_OutdoorDevice::SetHMinITemp, &Cls_OutdoorDevice::SetHMaxITemp},
                              {&Cls_OutdoorDevice::SetHMinOTemp, &Cls_OutdoorDevice::SetHMaxOTemp},
                              {&Cls_OutdoorDevice::SetCIndLowerLimit, &Cls_OutdoorDevice::SetCIndUpperLimit},
                              {&Cls_OutdoorDevice::SetHIndLowerLimit, &Cls_OutdoorDevice::SetHIndUpperLimit}};
constexpr TSetter kCuts[] = {&Cls_OutdoorDevice::SetCDIndUL, &Cls_OutdoorDevice::SetCDOutUL,
                             &Cls_OutdoorDevice::SetCDIndUR, &Cls_OutdoorDevice::SetCDOutUR,
                             &Cls_OutdoorDevice::SetCDIndLL, &Cls_OutdoorDevice::SetCDOutLL,
                             &Cls_OutdoorDevice::SetCDIndLR, &Cls_OutdoorDevice::SetCDOutLR,
                             &Cls_OutdoorDevice::SetHDIndUL, &Cls_OutdoorDevice::SetHDOutUL,
                             &Cls_OutdoorDevice::SetHDIndUR, &Cls_OutdoorDevice::SetHDOutUR,
                             &Cls_OutdoorDevice::SetHDIndLL, &Cls_OutdoorDevice::SetHDOutLL,
                             &Cls_OutdoorDevice::SetHDIndLR, &Cls_OutdoorDevice::SetHDOutLR};

void FillUnit(Cls_ChOutdoorUnit& unit, FuzzedDataProvider& in) {
    unit.SetCondenserType(in.ConsumeIntegralInRange(0, 2));
    for (const TRange& range : kRanges) {
        const double dMin = Temperature(in);
        (unit.*range.min)(dMin);
        (unit.*range.max)(dMin + Span(in));
    }
    for (TSetter set : kCuts) (unit.*set)(Cut(in));
    const double dEvaporator = Value(in, 0.0, 3000.0), dCondenser = Value(in, 0.0, 3000.0);
    unit.SetMinWFRE(dEvaporator), unit.SetMaxWFRE(dEvaporator + Value(in, -100.0, 5000.0));
    unit.SetMinWFRC(dCondenser), unit.SetMaxWFRC(dCondenser + Value(in, -100.0, 5000.0));
}

std::unique_ptr<Cls_ChOutCapacity> Curve(CTFactory& factory, FuzzedDataProvider& in, std::int32_t nType) {
    auto pCurve = RecordAs<Cls_ChOutCapacity>(factory.CreateObject(Cls_ChOutCapacity::kClassID, 0));
    pCurve->SetType(nType);
    pCurve->SetA0(Value(in, -50.0, 200.0)), pCurve->SetA1(Value(in, -1.0, 1.0)), pCurve->SetA2(Value(in, -1e-3, 1e-3));
    const double dFrom = Value(in, 0.0, 3000.0);
    pCurve->SetSelect1(dFrom), pCurve->SetSelect2(dFrom + Value(in, -100.0, 5000.0));
    return pCurve;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    static TWorld world;
    FuzzedDataProvider in(pData, nSize);
    auto pUnit = RecordAs<Cls_ChOutdoorUnit>(world.factory->CreateObject(Cls_ChOutdoorUnit::kClassID, 0));
    FillUnit(*pUnit, in);
    const bool bCooling = in.ConsumeBool();
    const double dRangeTemp = in.ConsumeBool() ? graphs::kNotSet : Temperature(in);

    std::vector<TCapRow> rows(in.ConsumeIntegralInRange(0, 4));
    for (TCapRow& row : rows) {
        row.Select1 = Temperature(in);
        row.Poly.a = {Value(in, 0.0, 2000.0), Value(in, -20.0, 20.0), Value(in, -0.5, 0.5)};
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

    const auto pEvaporator = Curve(*world.factory, in, cttEvapPressureDrop);
    const auto pCondenser = Curve(*world.factory, in, cttCondPressureDrop);
    const auto pRecovery = Curve(*world.factory, in, 0);
    graphs::TFrm_ChillerPressureDrop drop;
    drop.SetupWindow(pUnit.get(), pEvaporator.get(), pCondenser.get(), in.ConsumeBool() ? pRecovery.get() : nullptr,
                     in.ConsumeBool() ? pRecovery.get() : nullptr);
    drop.Paint(canvas);

    // The report's figures, through the metafile writer and back through its strict reader.
    pUnit->SetPDPoly(cttEvapPressureDrop, Curve(*world.factory, in, cttEvapPressureDrop));
    pUnit->SetPDPoly(cttCondPressureDrop, Curve(*world.factory, in, cttCondPressureDrop));
    for (const CTGraphic& figure :
         {graphs::PressureDropFigure(*pUnit), graphs::OperatingRangeFigure(*pUnit, table, dRangeTemp)}) {
        PlayEmf(figure.MetafileBytes(), canvas, {0, 0, 560, 420});
    }
    return 0;
}
