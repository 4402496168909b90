// The small dense linear algebra of the Lyapunov spectrum: the linear solve behind the
// normal equations of the local model, Gram-Schmidt on the tangent vectors, and the
// Kaplan-Yorke dimension of a set of exponents.
#pragma once

#include <span>
#include <vector>

// Solves a·x = rhs for an m × m matrix (row-major, overwritten) by Gauss elimination with
// partial pivoting (the first row of largest |a[r][i]| on ties). Returns false, with x
// untouched, when a pivot of columns 0 … m − 2 is 0; a last diagonal element of 0 becomes 1e-12.
bool gaussSolve(std::vector<double>& a, std::vector<double>& rhs, int m, std::vector<double>& x);

// Classical Gram-Schmidt in index order on `vectors` (each of the same length):
// u_k = δ_k − Σ_{j<k} (δ_k·u_j)·u_j, factor_k = sqrt(|u_k|² + 1e-18), δ_k ← u_k / factor_k.
void gramSchmidt(std::vector<std::vector<double>>& vectors, std::vector<double>& factors);

// D_KY: add λ_0, λ_1, … in order until the running sum S becomes negative at index j; then
// D_KY = j + (S − λ_j) / |λ_j|. When the sum never becomes negative, D_KY = number of exponents.
double kaplanYorkeDimension(std::span<const double> exponents);
