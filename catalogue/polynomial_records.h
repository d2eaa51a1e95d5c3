// Polynomial records: the abstract polynomial and its tables (unit capacity
// and pressure-drop rows, brine corrections, low-noise capacity rows, pump
// curves, heat-recovery pressure-drop curves).
#pragma once

#include <array>
#include <cmath>

#include "catalogue/record_support.h"
#include "catalogue/records_fwd.h"

namespace brumalis {

// The coefficients of a polynomial of degree up to 7, a[i] for x^i; kept
// apart from the record so hot loops evaluate without the value list.
struct TPolynomial {
    std::array<double, 8> a{};

    // Horner's rule; an overflow or an invalid operation gives 0.
    double Evaluate(double x) const {
        double v = a[7];
        for (int i = 6; i >= 0; --i) v = v * x + a[static_cast<std::size_t>(i)];
        return std::isfinite(v) ? v : 0.0;
    }
};

// A capacity row's value P(x) = dValue corrected by the code packed in its
// POL_Select2: a derating factor (code 1,000,000 or with a fraction) or an
// additive step above a temperature (other whole codes).
double ApplyRowCorrection(double dValue, double x, double dCode);

// Table "Tbl_Polynomial" (121, abstract).
#define Cls_Polynomial_FIELDS(X, C) \
    X(C, Double, 1, POL_A4, A4, 0.0) \
    X(C, Double, 2, POL_A3, A3, 0.0) \
    X(C, Double, 3, POL_A5, A5, 0.0) \
    X(C, Double, 4, POL_A7, A7, 0.0) \
    X(C, Double, 5, POL_A6, A6, 0.0) \
    X(C, Double, 6, POL_A2, A2, 0.0) \
    X(C, Double, 7, POL_Select1, Select1, 0.0) \
    X(C, Integer, 8, POL_Type, Type, 0) \
    X(C, Double, 9, POL_Select2, Select2, 0.0) \
    X(C, Double, 10, POL_A1, A1, 0.0) \
    X(C, Double, 11, POL_A0, A0, 0.0)
class Cls_Polynomial : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_Polynomial, CTDbObject, 121)
public:
    Cls_Polynomial_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_Polynomial)

    TPolynomial GetPolynomial() const;
    double Evaluate(double x) const { return GetPolynomial().Evaluate(x); }
    // The value of a capacity row (types 3 to 6) with its correction code.
    double GetRowValue(double x) const { return ApplyRowCorrection(Evaluate(x), x, GetSelect2()); }
};

// Table "Tbl_ChOutCapacity" (92).
#define Cls_ChOutCapacity_FIELDS(X, C) \
    X(C, Reference, 12, POL_ChOutdoorUnit, ChOutdoorUnit, Cls_ChOutdoorUnit)
class Cls_ChOutCapacity : public Cls_Polynomial {
    BRUMALIS_RECORD_CLASS(Cls_ChOutCapacity, Cls_Polynomial, 92)
public:
    Cls_ChOutCapacity_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOutCapacity)

    static Cls_ChOutCapacity* FindPolyOfType(const CTRecordList<Cls_ChOutCapacity>& inList, std::int32_t typ);
    // The leaving-water temperature of a capacity row.
    double GetLWETemp() const { return GetSelect1(); }
    void SetLWETemp(double dTemp) { SetSelect1(dTemp); }
};

// Table "Tbl_ChGlyPolynomial" (85).
#define Cls_ChGlyPolynomial_FIELDS(X, C) \
    X(C, Reference, 12, POL_Glycol, Glycol, Cls_Glycol)
class Cls_ChGlyPolynomial : public Cls_Polynomial {
    BRUMALIS_RECORD_CLASS(Cls_ChGlyPolynomial, Cls_Polynomial, 85)
public:
    Cls_ChGlyPolynomial_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChGlyPolynomial)

    static Cls_ChGlyPolynomial* FindPolyOfType(const CTRecordList<Cls_ChGlyPolynomial>& inList, std::int32_t typ);
};

// Table "Tbl_ChLowNoiseCapacity" (225).
#define Cls_ChLowNoiseCapacity_FIELDS(X, C) \
    X(C, Reference, 12, LNC_ChLowNoise, ChLowNoise, Cls_ChLowNoise)
class Cls_ChLowNoiseCapacity : public Cls_Polynomial {
    BRUMALIS_RECORD_CLASS(Cls_ChLowNoiseCapacity, Cls_Polynomial, 225)
public:
    Cls_ChLowNoiseCapacity_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChLowNoiseCapacity)

    static Cls_ChLowNoiseCapacity* FindPolyOfType(const CTRecordList<Cls_ChLowNoiseCapacity>& inList, std::int32_t typ);
    // The leaving-water temperature of a capacity row.
    double GetLWETemp() const { return GetSelect1(); }
    void SetLWETemp(double dTemp) { SetSelect1(dTemp); }
};

// Table "Tbl_ChPumpData" (229).
#define Cls_ChPumpData_FIELDS(X, C) \
    X(C, Reference, 12, Fld_ChOptAllowed, ChOptAllowed, Cls_ChOptAllowed)
class Cls_ChPumpData : public Cls_Polynomial {
    BRUMALIS_RECORD_CLASS(Cls_ChPumpData, Cls_Polynomial, 229)
public:
    Cls_ChPumpData_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChPumpData)
};

// Table "Tbl_ChOptionPD" (233).
#define Cls_ChOptionPD_FIELDS(X, C) \
    X(C, Reference, 12, Fld_ChOptAllowed, ChOptAllowed, Cls_ChOptAllowed)
class Cls_ChOptionPD : public Cls_Polynomial {
    BRUMALIS_RECORD_CLASS(Cls_ChOptionPD, Cls_Polynomial, 233)
public:
    Cls_ChOptionPD_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOptionPD)
};

}  // namespace brumalis
