#include "tools/catalogue-gen/poly_fit.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/catalogue-gen/csv_table.h"

namespace brumalis::catgen {

TPolyFit FitPolynomial(const std::vector<double>& xs, const std::vector<double>& ys, int degree) {
    const auto n = static_cast<Eigen::Index>(xs.size());
    const Eigen::Index cols = degree + 1;
    // Centring and scaling x keeps the normal equations well conditioned;
    // the coefficients are transformed back to powers of x afterwards.
    const double x0 = (*std::min_element(xs.begin(), xs.end()) + *std::max_element(xs.begin(), xs.end())) / 2.0;
    double scale = 0.0;
    for (double x : xs) scale = std::max(scale, std::fabs(x - x0));
    if (scale == 0.0) scale = 1.0;
    Eigen::MatrixXd a(n, cols);
    Eigen::VectorXd b(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const double u = (xs[static_cast<std::size_t>(i)] - x0) / scale;
        double p = 1.0;
        for (Eigen::Index j = 0; j < cols; ++j, p *= u) a(i, j) = p;
        b(i) = ys[static_cast<std::size_t>(i)];
    }
    const Eigen::VectorXd cu = a.colPivHouseholderQr().solve(b);
    // y = Σ cu_j ((x − x0)/s)^j, expanded by the binomial theorem.
    TPolyFit fit;
    fit.degree = degree;
    for (int j = 0; j <= degree; ++j) {
        const double cj = cu(j) / std::pow(scale, j);
        double binom = 1.0;
        for (int k = 0; k <= j; ++k) {
            fit.poly.a[static_cast<std::size_t>(k)] += cj * binom * std::pow(-x0, j - k);
            binom = binom * (j - k) / (k + 1);
        }
    }
    double yMax = 0.0;
    for (double y : ys) yMax = std::max(yMax, std::fabs(y));
    const double floor = std::max(yMax * 1e-3, 1e-12);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double err = std::fabs(fit.poly.Evaluate(xs[i]) - ys[i]) / std::max(std::fabs(ys[i]), floor);
        if (err > fit.maxRelError) fit.maxRelError = err, fit.worstX = xs[i];
    }
    return fit;
}

TPolyFit FitWithin(const std::vector<double>& xs, const std::vector<double>& ys, int minDegree, int maxDegree,
                   double maxRelError, const char* szWhat) {
    TPolyFit best;
    for (int degree = minDegree; degree <= maxDegree; ++degree) {
        best = FitPolynomial(xs, ys, degree);
        if (best.maxRelError < maxRelError) return best;
    }
    throw TInputError(std::string(szWhat) + ": no polynomial up to degree " + std::to_string(maxDegree) +
                      " fits within " + std::to_string(maxRelError * 100.0) + " % (best " +
                      std::to_string(best.maxRelError * 100.0) + " % at " + std::to_string(best.worstX) + ")");
}

}  // namespace brumalis::catgen
