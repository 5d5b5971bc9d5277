// A small linear solver: division-free Gauss-Jordan elimination for up to nine unknowns.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace fit {

constexpr std::size_t kMaxUnknowns = 9;
constexpr std::size_t kMatrixSize = kMaxUnknowns + 1;  // room for the right-hand side column

// An augmented matrix: for m unknowns, rows 0 ... m-1 hold the coefficients in columns
// 0 ... m-1 and the right-hand side in column m.
using Matrix = std::array<std::array<double, kMatrixSize>, kMatrixSize>;
using Vector = std::array<double, kMatrixSize>;

// Pivot search of step k for an m x m system, for when a[k][k] is exactly 0: every later row
// with a non-zero entry in column k is exchanged with row k in turn (columns k ... m), so the
// last such row becomes the pivot row. False when no row could be exchanged (singular).
bool exchange_for_pivot(Matrix& a, std::size_t k, std::size_t m);

// Solves the m x m system whose augmented matrix is `a` and writes unknown i into x[i]. Works
// on a copy of `a`. Returns false, leaving x as it was, when the system is singular (an exactly
// zero pivot no row exchange can mend), when the product of the pivots underflows to zero, or
// when m is not 1 ... 9.
bool solve_system(std::uint8_t m, const Matrix& a, Vector& x);

}  // namespace fit
