// Golub-Reinsch singular value decomposition and the least-squares solve
// built on it. The fits of the calibration models hand it systems of at most
// 200 x 6, so plain loops over a row-major array are all it needs.
#include <algorithm>
#include <cmath>

#include "orqcarta/geomap/CalibMath.h"
#include "orqmath/MathFeedback.h"

namespace orq {

namespace {

constexpr int MaxQRSweeps = 29;
constexpr double DropRatio = 1e-14;

double WithSignOf(double Magnitude, double SignSource) {
  return SignSource >= 0 ? std::fabs(Magnitude) : -std::fabs(Magnitude);
}

}  // namespace

bool SVDecompose(std::vector<double>& A, int Rows, int Cols, std::vector<double>& W, std::vector<double>& V,
                 const TMathFeedback& Feedback) {
  const int m = Rows, n = Cols;
  auto a = [&](int r, int c) -> double& { return A[static_cast<size_t>(r) * n + c]; };
  auto v = [&](int r, int c) -> double& { return V[static_cast<size_t>(r) * n + c]; };
  W.assign(static_cast<size_t>(n), 0.0);
  V.assign(static_cast<size_t>(n) * n, 0.0);
  std::vector<double> rv1(static_cast<size_t>(n), 0.0);

  // Stage 1: Householder reduction to bidiagonal form.
  double g = 0, scale = 0, anorm = 0;
  int l = 0;
  for (int i = 0; i < n; ++i) {
    if (Feedback.Step()) return false;
    l = i + 1;
    rv1[i] = scale * g;
    g = scale = 0;
    double s = 0;
    if (i < m) {
      for (int k = i; k < m; ++k) scale += std::fabs(a(k, i));
      if (scale != 0) {
        for (int k = i; k < m; ++k) {
          a(k, i) /= scale;
          s += a(k, i) * a(k, i);
        }
        const double f = a(i, i);
        g = -WithSignOf(std::sqrt(s), f);
        const double h = f * g - s;
        a(i, i) = f - g;
        for (int j = l; j < n; ++j) {
          double sum = 0;
          for (int k = i; k < m; ++k) sum += a(k, i) * a(k, j);
          const double factor = sum / h;
          for (int k = i; k < m; ++k) a(k, j) += factor * a(k, i);
        }
        for (int k = i; k < m; ++k) a(k, i) *= scale;
      }
    }
    W[i] = scale * g;
    g = s = scale = 0;
    if (i < m && i != n - 1) {
      for (int k = l; k < n; ++k) scale += std::fabs(a(i, k));
      if (scale != 0) {
        for (int k = l; k < n; ++k) {
          a(i, k) /= scale;
          s += a(i, k) * a(i, k);
        }
        const double f = a(i, l);
        g = -WithSignOf(std::sqrt(s), f);
        const double h = f * g - s;
        a(i, l) = f - g;
        for (int k = l; k < n; ++k) rv1[k] = a(i, k) / h;
        for (int j = l; j < m; ++j) {
          double sum = 0;
          for (int k = l; k < n; ++k) sum += a(j, k) * a(i, k);
          for (int k = l; k < n; ++k) a(j, k) += sum * rv1[k];
        }
        for (int k = l; k < n; ++k) a(i, k) *= scale;
      }
    }
    anorm = std::max(anorm, std::fabs(W[i]) + std::fabs(rv1[i]));
  }

  // Stage 2: accumulation of the right-hand transformations into V.
  for (int i = n - 1; i >= 0; --i) {
    if (Feedback.Step()) return false;
    if (i < n - 1) {
      if (g != 0) {
        // Two divisions rather than one product avoid a possible underflow.
        for (int j = l; j < n; ++j) v(j, i) = (a(i, j) / a(i, l)) / g;
        for (int j = l; j < n; ++j) {
          double sum = 0;
          for (int k = l; k < n; ++k) sum += a(i, k) * v(k, j);
          for (int k = l; k < n; ++k) v(k, j) += sum * v(k, i);
        }
      }
      for (int j = l; j < n; ++j) v(i, j) = v(j, i) = 0;
    }
    v(i, i) = 1;
    g = rv1[i];
    l = i;
  }

  // Stage 3: accumulation of the left-hand transformations into U (over A).
  for (int i = std::min(m, n) - 1; i >= 0; --i) {
    if (Feedback.Step()) return false;
    l = i + 1;
    g = W[i];
    for (int j = l; j < n; ++j) a(i, j) = 0;
    if (g != 0) {
      g = 1 / g;
      for (int j = l; j < n; ++j) {
        double sum = 0;
        for (int k = l; k < m; ++k) sum += a(k, i) * a(k, j);
        const double f = (sum / a(i, i)) * g;
        for (int k = i; k < m; ++k) a(k, j) += f * a(k, i);
      }
      for (int j = i; j < m; ++j) a(j, i) *= g;
    } else {
      for (int j = i; j < m; ++j) a(j, i) = 0;
    }
    a(i, i) += 1;
  }

  // Stage 4: diagonalisation of the bidiagonal form by implicit-shift QR.
  for (int k = n - 1; k >= 0; --k) {
    for (int sweep = 1;; ++sweep) {
      if (Feedback.Step()) return false;
      bool cancel = true;
      int nm = 0;
      for (l = k; l >= 0; --l) {
        nm = l - 1;
        if (std::fabs(rv1[l]) + anorm == anorm) {  // rv1[0] is always 0
          cancel = false;
          break;
        }
        if (std::fabs(W[nm]) + anorm == anorm) break;
      }
      if (cancel) {
        double c = 0, s = 1;
        for (int i = l; i <= k; ++i) {
          const double f = s * rv1[i];
          rv1[i] = c * rv1[i];
          if (std::fabs(f) + anorm == anorm) break;
          g = W[i];
          double h = std::hypot(f, g);
          W[i] = h;
          h = 1 / h;
          c = g * h;
          s = -f * h;
          for (int j = 0; j < m; ++j) {
            const double y = a(j, nm), z = a(j, i);
            a(j, nm) = y * c + z * s;
            a(j, i) = z * c - y * s;
          }
        }
      }
      double z = W[k];
      if (l == k || sweep > MaxQRSweeps) {
        // Converged, or out of sweeps: the value reached is used as it is.
        if (z < 0) {
          W[k] = -z;
          for (int j = 0; j < n; ++j) v(j, k) = -v(j, k);
        }
        break;
      }
      double x = W[l];
      nm = k - 1;
      double y = W[nm];
      g = rv1[nm];
      double h = rv1[k];
      double f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2 * h * y);
      g = std::hypot(f, 1.0);
      f = ((x - z) * (x + z) + h * ((y / (f + WithSignOf(g, f))) - h)) / x;
      double c = 1, s = 1;
      for (int j = l; j <= nm; ++j) {
        const int i = j + 1;
        g = rv1[i];
        y = W[i];
        h = s * g;
        g = c * g;
        z = std::hypot(f, h);
        rv1[j] = z;
        c = f / z;
        s = h / z;
        f = x * c + g * s;
        g = g * c - x * s;
        h = y * s;
        y *= c;
        for (int jj = 0; jj < n; ++jj) {
          const double vx = v(jj, j), vz = v(jj, i);
          v(jj, j) = vx * c + vz * s;
          v(jj, i) = vz * c - vx * s;
        }
        z = std::hypot(f, h);
        W[j] = z;
        if (z != 0) {
          z = 1 / z;
          c = f * z;
          s = h * z;
        }
        f = c * g + s * y;
        x = c * y - s * g;
        for (int jj = 0; jj < m; ++jj) {
          const double ay = a(jj, j), az = a(jj, i);
          a(jj, j) = ay * c + az * s;
          a(jj, i) = az * c - ay * s;
        }
      }
      rv1[l] = 0;
      rv1[k] = f;
      W[k] = x;
    }
  }
  return true;
}

bool SolveLeastSquares(std::vector<double> A, int Rows, int Cols, const std::vector<double>& b,
                       std::vector<double>& Solution, bool& Dropped, std::vector<double>& Deviations,
                       const TMathFeedback& Feedback) {
  const int n = Cols;
  // An underdetermined system gets zero rows, which change no residual.
  const int m = std::max(Rows, Cols);
  A.resize(static_cast<size_t>(m) * n, 0.0);
  std::vector<double> rhs(b.begin(), b.begin() + std::min<size_t>(b.size(), static_cast<size_t>(Rows)));
  rhs.resize(static_cast<size_t>(m), 0.0);

  Solution.assign(static_cast<size_t>(n), 0.0);
  Deviations.assign(static_cast<size_t>(n), 0.0);
  Dropped = false;
  std::vector<double> w, V;
  if (n == 0) return true;
  if (!SVDecompose(A, m, n, w, V, Feedback)) return false;

  double wmax = 0;
  for (double wj : w) wmax = std::max(wmax, wj);
  const double threshold = DropRatio * wmax;
  for (double& wj : w) {
    if (wj < threshold || wj == 0) {
      wj = 0;
      Dropped = true;
    }
  }

  std::vector<double> t(static_cast<size_t>(n), 0.0);
  for (int j = 0; j < n; ++j) {
    if (w[j] == 0) continue;
    double sum = 0;
    for (int i = 0; i < m; ++i) sum += A[static_cast<size_t>(i) * n + j] * rhs[i];
    t[j] = sum / w[j];
  }
  for (int j = 0; j < n; ++j) {
    double sum = 0, var = 0;
    for (int k = 0; k < n; ++k) {
      const double vjk = V[static_cast<size_t>(j) * n + k];
      sum += vjk * t[k];
      if (w[k] != 0) var += vjk * vjk / (w[k] * w[k]);
    }
    Solution[j] = sum;
    Deviations[j] = std::sqrt(var);
  }
  return true;
}

}  // namespace orq
