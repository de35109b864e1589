#include "controls/eq_spline.h"

#include <cstddef>

namespace dsp {
namespace {

// Second derivatives at the knots: the tridiagonal system
// mu_i M_(i-1) + 2 M_i + lambda_i M_(i+1) = r_i, solved by elimination
// without pivoting (the system is diagonally dominant).
std::vector<float> SecondDerivatives(std::span<const Knot> k, float start_slope, float end_slope) {
  const std::size_t n = k.size();
  std::vector<float> h(n - 1), d(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    h[i] = k[i + 1].x - k[i].x;
    d[i] = (k[i + 1].y - k[i].y) / h[i];
  }
  std::vector<float> lambda(n, 0.0f), mu(n, 0.0f), r(n);
  lambda[0] = 1;
  r[0] = 6 * (d[0] - start_slope) / h[0];
  for (std::size_t i = 1; i + 1 < n; ++i) {
    lambda[i] = h[i] / (h[i - 1] + h[i]);
    mu[i] = h[i - 1] / (h[i - 1] + h[i]);
    r[i] = 6 * (d[i] - d[i - 1]) / (h[i - 1] + h[i]);
  }
  mu[n - 1] = 1;
  r[n - 1] = 6 * (end_slope - d[n - 2]) / h[n - 2];

  std::vector<float> upper(n), rhs(n);
  upper[0] = lambda[0] / 2;
  rhs[0] = r[0] / 2;
  for (std::size_t i = 1; i < n; ++i) {
    const float pivot = 2 - mu[i] * upper[i - 1];
    upper[i] = lambda[i] / pivot;
    rhs[i] = (r[i] - mu[i] * rhs[i - 1]) / pivot;
  }
  std::vector<float> m(n);
  m[n - 1] = rhs[n - 1];
  for (std::size_t i = n - 1; i-- > 0;) m[i] = rhs[i] - upper[i] * m[i + 1];
  return m;
}

}  // namespace

std::optional<ClampedSpline> ClampedSpline::Build(std::span<const Knot> knots, float start_slope, float end_slope) {
  const std::size_t n = knots.size();
  if (n < kMinKnots || n > kMaxKnots) return std::nullopt;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (!(knots[i + 1].x > knots[i].x)) return std::nullopt;
  }
  const std::vector<float> m = SecondDerivatives(knots, start_slope, end_slope);
  ClampedSpline spline;
  spline.segments_.reserve(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const Knot& p = knots[i];
    const Knot& q = knots[i + 1];
    const float h = q.x - p.x;
    spline.segments_.push_back({p.x, q.x, m[i] / (6 * h), (p.y - m[i] * h * h / 6) / h, m[i + 1] / (6 * h),
                                (q.y - m[i + 1] * h * h / 6) / h});
  }
  return spline;
}

float ClampedSpline::Value(int i, float x) const {
  const Segment& s = segments_[static_cast<std::size_t>(i)];
  const float left = s.x1 - x;
  const float right = x - s.x0;
  return s.a * left * left * left + s.c * right * right * right + s.b * left + s.d * right;
}

}  // namespace dsp
