#include "solve_system.hpp"

namespace fit {

bool exchange_for_pivot(Matrix& a, std::size_t k, std::size_t m) {
    bool exchanged = false;
    for (std::size_t i = k + 1; i < m; ++i) {
        if (a[i][k] == 0.0) continue;
        for (std::size_t j = k; j <= m; ++j) {
            const double t = a[i][j];
            a[i][j] = a[k][j];
            a[k][j] = t;
        }
        exchanged = true;
    }
    return exchanged;
}

bool solve_system(std::uint8_t m_in, const Matrix& a_in, Vector& x) {
    const std::size_t m = m_in;
    if (m < 1 || m > kMaxUnknowns) return false;
    Matrix a = a_in;
    for (std::size_t k = 0; k < m; ++k) {
        if (a[k][k] == 0.0 && !exchange_for_pivot(a, k, m)) return false;
        // Every other row is scaled by the pivot instead of dividing row k by it.
        for (std::size_t i = 0; i < m; ++i) {
            if (i == k) continue;
            for (std::size_t j = k + 1; j <= m; ++j) {
                // Two statements, so that no fused multiply-add merges them: a vanishing minor
                // must come out exactly 0, and it does only when both products are rounded.
                const double kept = a[i][j] * a[k][k];
                const double taken = a[i][k] * a[k][j];
                a[i][j] = kept - taken;
            }
        }
    }
    // Row i was scaled by the pivots of all later steps, not by its own diagonal entry.
    Vector solution = x;
    double product = 1.0;
    for (std::size_t i = m; i-- > 0;) {
        product *= a[i][i];
        if (product == 0.0) return false;
        solution[i] = a[i][m] / product;
    }
    x = solution;
    return true;
}

}  // namespace fit
