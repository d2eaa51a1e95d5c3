// Least-squares polynomials (Eigen) with the fit error checked against the
// data they replace.
#pragma once

#include <vector>

#include "catalogue/polynomial_records.h"

namespace brumalis::catgen {

struct TPolyFit {
    TPolynomial poly;
    int degree = 0;
    double maxRelError = 0.0;  // largest |fit − y| / max(|y|, floor) over the samples
    double worstX = 0.0;       // where it occurs
};

// The polynomial of the given degree (≤ 7) nearest to the samples in the
// least-squares sense.
TPolyFit FitPolynomial(const std::vector<double>& xs, const std::vector<double>& ys, int degree);

// The lowest degree from minDegree up to maxDegree whose relative error
// stays below maxRelError; raises TInputError naming szWhat when none does.
TPolyFit FitWithin(const std::vector<double>& xs, const std::vector<double>& ys, int minDegree, int maxDegree,
                   double maxRelError, const char* szWhat);

}  // namespace brumalis::catgen
