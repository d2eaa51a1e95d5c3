#include "catalogue/polynomial_records.h"

#include <algorithm>

#include "catalogue/records.h"

namespace brumalis {
namespace {

template <class T>
T* FirstOfType(const CTRecordList<T>& list, std::int32_t typ) {
    const auto it = std::find_if(list.begin(), list.end(), [typ](const auto& p) { return p->GetType() == typ; });
    return it == list.end() ? nullptr : it->get();
}

// The derating factor F(x) of a code with a fraction: 1 up to L, then a line
// towards f at M (not clamped beyond M); with L = 0, a step to f at M.
double DeratingFactor(double x, double L, double M, double f) {
    if (f <= 0.0 || x <= L) return 1.0;
    if (L == 0.0) return x >= M ? f : 1.0;
    return 1.0 + (x - L) * (f - 1.0) / (M - L);
}

}  // namespace

double ApplyRowCorrection(double dValue, double x, double dCode) {
    const double t = std::trunc(dCode);
    // The code packs two temperatures in tenths of a degree; out-of-range
    // codes are clamped rather than overflowing the integer arithmetic.
    const double tClamped = std::clamp(t, -2.0e15, 2.0e15);
    const auto n = static_cast<long long>(tClamped);
    const double L = static_cast<double>(n / 1000) / 10.0;
    const double M = static_cast<double>(n % 1000) / 10.0;
    const double f = dCode - t;
    if (dCode == 1000000.0 || f != 0.0) return dValue * DeratingFactor(x, L, M, f);
    return x >= M ? dValue + L : dValue;
}

TPolynomial Cls_Polynomial::GetPolynomial() const {
    return TPolynomial{{GetA0(), GetA1(), GetA2(), GetA3(), GetA4(), GetA5(), GetA6(), GetA7()}};
}

Cls_ChOutCapacity* Cls_ChOutCapacity::FindPolyOfType(const CTRecordList<Cls_ChOutCapacity>& inList, std::int32_t typ) {
    return FirstOfType(inList, typ);
}

Cls_ChLowNoiseCapacity* Cls_ChLowNoiseCapacity::FindPolyOfType(const CTRecordList<Cls_ChLowNoiseCapacity>& inList,
                                                               std::int32_t typ) {
    return FirstOfType(inList, typ);
}

Cls_ChGlyPolynomial* Cls_ChGlyPolynomial::FindPolyOfType(const CTRecordList<Cls_ChGlyPolynomial>& inList,
                                                         std::int32_t typ) {
    return FirstOfType(inList, typ);
}

void Cls_Polynomial::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "POL_ID" : szIDFieldName);
    Cls_Polynomial_FIELDS(BRUMALIS_FIELD_INFO, Cls_Polynomial)
}

void Cls_ChOutCapacity::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_Polynomial::Initialize(tblInfo, szIDFieldName.empty() ? "POL_ID" : szIDFieldName);
    Cls_ChOutCapacity_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOutCapacity)
}
Cls_ChOutCapacity_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChOutCapacity)

void Cls_ChGlyPolynomial::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_Polynomial::Initialize(tblInfo, szIDFieldName.empty() ? "POL_ID" : szIDFieldName);
    Cls_ChGlyPolynomial_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChGlyPolynomial)
}
Cls_ChGlyPolynomial_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChGlyPolynomial)

void Cls_ChLowNoiseCapacity::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_Polynomial::Initialize(tblInfo, szIDFieldName.empty() ? "LNC_ID" : szIDFieldName);
    Cls_ChLowNoiseCapacity_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChLowNoiseCapacity)
}
Cls_ChLowNoiseCapacity_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChLowNoiseCapacity)

void Cls_ChPumpData::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_Polynomial::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChPumpData_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChPumpData)
}
Cls_ChPumpData_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChPumpData)

void Cls_ChOptionPD::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_Polynomial::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChOptionPD_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOptionPD)
}
Cls_ChOptionPD_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChOptionPD)

}  // namespace brumalis
