// Pixel <-> geographic conversions of every calibration model.
//
// Every result passes through a finiteness check: a degenerate calibration
// (coinciding lines, zero coefficients) gives an invalid result, never a NaN
// or an overflowing integer. Pixels on the conic apex row get the angle
// +-90 degrees, the apex itself 0.
#include <cmath>
#include <cstdint>

#include "orqbase/MathConstants.h"
#include "orqcarta/geomap/CalibMath.h"

namespace orq {

namespace {

// Double precision: the conversions run while painting, and the x87 extended
// transcendental functions cost several times their double counterparts for
// no visible gain (the difference stays below a millionth of a pixel).
constexpr double QuarterPi = Pi / 4;
constexpr double MillerLatFactor = 143.2394487827058;  // 450 / pi
constexpr double FarAway = 1e20;       // "no line found yet"
constexpr double Diverged = 50000;     // pixels: the intersection ran away
constexpr int MaxIntersectSteps = 15;
constexpr double PixelLimit = MaxPixelCoordinate;

double Invalid(bool& Valid) {
  Valid = false;
  return 0;
}

double Checked(double Value, bool& Valid) {
  if (!std::isfinite(Value)) return Invalid(Valid);
  Valid = true;
  return Value;
}

// ---- parabolic interpolation ----------------------------------------------

struct TNearestTwo {
  int First = 0, Second = 0;  // matrix rows (from 1), 0 = none
  double FirstDist = FarAway, SecondDist = FarAway;
  void Offer(int Row, double Dist) {
    if (Dist < FirstDist) {
      Second = First;
      SecondDist = FirstDist;
      First = Row;
      FirstDist = Dist;
    } else if (Dist < SecondDist) {
      Second = Row;
      SecondDist = Dist;
    }
  }
  bool Complete() const { return First != 0 && Second != 0; }
};

// The line's parabola at the given abscissa; the square is formed in integers.
double EvalLine(const TGratLine& L, int At) {
  const double sq = static_cast<double>(static_cast<int64_t>(At) * At);
  return L.K0 + L.K1 * At + L.K2 * sq;
}

// Interpolates the value of the lines of one kind at a pixel: Along is the
// coordinate the parabolas are functions of, Across the other one.
double InterpolateLines(const TGraticule& G, bool Parallels, int Along, int Across, bool& Valid) {
  if (G.Parallels < 2 || G.Meridians < 2) return Invalid(Valid);
  TNearestTwo near;
  const int n = static_cast<int>(G.Lines.size());
  for (int k = 0; k < n; ++k) {
    const TGratLine& L = G.Lines[k];
    if (Parallels ? !L.Parallel : !L.Meridian) continue;
    near.Offer(k + 1, std::fabs(Across - EvalLine(L, Along)));
  }
  if (!near.Complete()) return Invalid(Valid);
  const double af = EvalLine(G.Lines[near.First - 1], Along), ad = EvalLine(G.Lines[near.Second - 1], Along);
  if (af == ad) return Invalid(Valid);  // the two lines meet at this pixel
  const double vf = G.Lines[near.First - 1].Value, vd = G.Lines[near.Second - 1].Value;
  return Checked((vf - vd) * (Across - ad) / (af - ad) + vd, Valid);
}

bool ParabolicGeoToPixel(const TGraticule& G, double Lat, double Long, int& x, int& y) {
  const int n = static_cast<int>(G.Lines.size());
  if (n < 4) return false;
  TNearestTwo mer, par;
  for (int k = 0; k < n; ++k) {
    const TGratLine& L = G.Lines[k];
    if (L.Meridian) mer.Offer(k + 1, std::fabs(Long - L.Value));
    if (L.Parallel) par.Offer(k + 1, std::fabs(Lat - L.Value));
  }
  if (!mer.Complete() || !par.Complete()) return false;
  const TGratLine &p1 = G.Lines[par.First - 1], &p2 = G.Lines[par.Second - 1];
  const TGratLine &m1 = G.Lines[mer.First - 1], &m2 = G.Lines[mer.Second - 1];
  if (p1.Value == p2.Value || m1.Value == m2.Value) return false;  // two lines of one value
  const double fp = (Lat - p2.Value) / (p1.Value - p2.Value);
  const double fm = (Long - m2.Value) / (m1.Value - m2.Value);
  const double P[3] = {(p1.K0 - p2.K0) * fp + p2.K0, (p1.K1 - p2.K1) * fp + p2.K1, (p1.K2 - p2.K2) * fp + p2.K2};
  const double M[3] = {(m1.K0 - m2.K0) * fm + m2.K0, (m1.K1 - m2.K1) * fm + m2.K1, (m1.K2 - m2.K2) * fm + m2.K2};
  // Fixed-point intersection of the parallel y(x) with the meridian x(y).
  double px = 500, py = 0;
  bool diverged = false;
  for (int step = 0; step < MaxIntersectSteps; ++step) {
    py = P[0] + P[1] * px + P[2] * px * px;
    px = M[0] + M[1] * py + M[2] * py * py;
    if (std::fabs(px) > Diverged && std::fabs(py) > Diverged) {
      diverged = true;
      break;
    }
  }
  int rx = 0, ry = 0;
  if (!RoundToPixel(px, rx) || !RoundToPixel(py, ry)) return false;
  x = rx;
  y = ry;
  return !diverged;
}

// ---- conic conformal -------------------------------------------------------

// The angle about the apex; on the apex row it is +-90 degrees by the side,
// at the apex itself 0.
double ConicAngle(const TConicParams& C, int x, int y) {
  const double dx = x - C[0], dy = y - C[1];
  if (dy == 0) return dx > 0 ? Pi / 2 : dx < 0 ? -Pi / 2 : 0.0;
  return std::atan(dx / dy);
}

bool ConicGeoToPixel(const TConicParams& C, double Lat, double Long, int& x, int& y) {
  if (C[2] == 0 || C[4] == 0) return false;
  const double theta = (Long - C[5]) / C[4];
  const double t = std::tan(theta);
  const double s = std::sqrt(t * t + 1);
  const double radial = (Lat - C[3]) / C[2] / s;
  int ry = 0, rx = 0;
  if (!RoundToPixel(Lat >= 0 ? radial + C[1] : C[1] - radial, ry)) return false;
  if (!RoundToPixel(t * (ry - C[1]) + C[0], rx)) return false;
  x = rx;
  y = ry;
  return true;
}

// ---- UTM ---------------------------------------------------------------------

void PixelToUTM(const TCoef2x3& E, int x, int y, double& Northing, double& Easting) {
  Northing = E[0][0] + E[0][1] * x + E[0][2] * y;
  Easting = E[1][0] + E[1][1] * x + E[1][2] * y;
}

// Grid coordinates in the calibration's own zone and hemisphere, so that a
// position across the zone border lands next to the map, not a zone away.
void GeoToUTMInZone(const TCalibData& D, double Lat, double Long, double& Northing, double& Easting) {
  if (D.UTMZone < 1 || D.UTMZone > 60) {
    int zone = 0;
    LatLongToUTM(Lat, Long, D.Ellipsoid, zone, Easting, Northing);
    return;
  }
  LatLongToUTM(Lat, Long, D.Ellipsoid, D.UTMZone, D.UTMSouth, Easting, Northing);
}

}  // namespace

TGraticule UnpackGratMat(const TMatrix& M) {
  TGraticule G;
  const int rows = M.NrOfRows();
  if (M.NrOfColumns() < 5) return G;
  G.Lines.resize(static_cast<size_t>(rows));
  for (int k = 1; k <= rows; ++k) {
    TGratLine& L = G.Lines[k - 1];
    const long kind = std::lround(M.GetVal(1, k));
    L.Parallel = kind == 1;
    L.Meridian = kind == 0;
    L.Value = M.GetVal(2, k);
    L.K0 = M.GetVal(3, k);
    L.K1 = M.GetVal(4, k);
    L.K2 = M.GetVal(5, k);
    G.Parallels += L.Parallel;
    G.Meridians += L.Meridian;
  }
  return G;
}

bool RoundToPixel(double Value, int& Pixel) {
  if (!(std::fabs(Value) <= PixelLimit)) return false;  // also NaN
  Pixel = static_cast<int>(std::nearbyint(Value));     // default rounding: half to even
  return true;
}

int RoundedOrZero(double Value) {
  int pixel = 0;
  return RoundToPixel(Value, pixel) ? pixel : 0;
}

bool UTMToPixel(const TCoef2x3& S, double Northing, double Easting, int& x, int& y) {
  int rx = 0, ry = 0;
  if (!RoundToPixel(S[0][0] + S[0][1] * Northing + S[0][2] * Easting, rx)) return false;
  if (!RoundToPixel(S[1][0] + S[1][1] * Northing + S[1][2] * Easting, ry)) return false;
  x = rx;
  y = ry;
  return true;
}

namespace {

// k0 + k1 x + k2 y + k3 x^2 + k4 xy + k5 y^2; the products of pixel
// positions are exact in 64-bit integers.
double Biquadratic(const std::array<double, 6>& P, int x, int y) {
  const double xx = static_cast<double>(static_cast<int64_t>(x) * x);
  const double xy = static_cast<double>(static_cast<int64_t>(x) * y);
  const double yy = static_cast<double>(static_cast<int64_t>(y) * y);
  return P[0] + P[1] * x + P[2] * y + P[3] * xx + P[4] * xy + P[5] * yy;
}

}  // namespace

double PixelToLatitude(const TCalibView& V, int x, int y, bool& Valid) {
  const TCalibCoefficients& K = *V.Coefs;
  switch (V.Model) {
    case cmParabolicIp:
      return InterpolateLines(*V.Graticule, true, x, y, Valid);
    case cmBiquadraticPn:
      return Checked(Biquadratic(K.CalParsPLSP[0], x, y), Valid);
    case cmConicConformal: {
      const TConicParams& C = K.ConicPars;
      return Checked(C[2] * std::hypot(x - C[0], y - C[1]) + C[3], Valid);
    }
    case cmMillerCylindrical: {
      const TCoef2x2& M = K.MillercylPar;
      if (M[0][0] == 0) return Invalid(Valid);
      const double t = std::exp((y - M[0][1]) / M[0][0]);
      return Checked((std::atan(t) - QuarterPi) * MillerLatFactor, Valid);
    }
    case cmEquiRect: {
      const auto& E = K.EquRectPLSP[0];
      return Checked(E[0] + E[1] * x + E[2] * y, Valid);
    }
    case cmUTM: {
      double n = 0, e = 0, lat = 0, lon = 0;
      PixelToUTM(K.EquRectPLSP, x, y, n, e);
      UTMToLatLong(e, n, V.Data->UTMZone, V.Data->UTMSouth, V.Data->Ellipsoid, lat, lon);
      return Checked(lat, Valid);
    }
    default:
      return Invalid(Valid);
  }
}

double PixelToLongitude(const TCalibView& V, int x, int y, bool& Valid) {
  const TCalibCoefficients& K = *V.Coefs;
  switch (V.Model) {
    case cmParabolicIp:
      return InterpolateLines(*V.Graticule, false, y, x, Valid);
    case cmBiquadraticPn:
      return Checked(Biquadratic(K.CalParsPLSP[1], x, y), Valid);
    case cmConicConformal: {
      const TConicParams& C = K.ConicPars;
      return Checked(C[4] * ConicAngle(C, x, y) + C[5], Valid);
    }
    case cmMillerCylindrical: {
      const TCoef2x2& M = K.MillercylPar;
      if (M[1][0] == 0) return Invalid(Valid);
      return Checked((x - M[1][1]) / M[1][0] / Pi * 180.0, Valid);
    }
    case cmEquiRect: {
      const auto& E = K.EquRectPLSP[1];
      return Checked(E[0] + E[1] * x + E[2] * y, Valid);
    }
    case cmUTM: {
      double n = 0, e = 0, lat = 0, lon = 0;
      PixelToUTM(K.EquRectPLSP, x, y, n, e);
      UTMToLatLong(e, n, V.Data->UTMZone, V.Data->UTMSouth, V.Data->Ellipsoid, lat, lon);
      return Checked(lon, Valid);
    }
    default:
      return Invalid(Valid);
  }
}

bool GeoToPixel(const TCalibView& V, double Lat, double Long, int& x, int& y) {
  x = y = 0;
  const TCalibCoefficients& K = *V.Coefs;
  int rx = 0, ry = 0;
  bool ok = false;
  switch (V.Model) {
    case cmParabolicIp:
      ok = ParabolicGeoToPixel(*V.Graticule, Lat, Long, rx, ry);
      break;
    case cmBiquadraticPn: {
      const auto& Q = K.CalParsSPPL;
      const double v[6] = {1, Lat, Long, Lat * Lat, Lat * Long, Long * Long};
      double sx = 0, sy = 0;
      for (int c = 0; c < 6; ++c) {
        sx += Q[0][c] * v[c];
        sy += Q[1][c] * v[c];
      }
      ok = RoundToPixel(sx, rx) && RoundToPixel(sy, ry);
      break;
    }
    case cmConicConformal:
      ok = ConicGeoToPixel(K.ConicPars, Lat, Long, rx, ry);
      break;
    case cmMillerCylindrical: {
      const TCoef2x2& M = K.MillercylPar;
      const double px = Long / 180.0 * Pi * M[1][0] + M[1][1];
      const double py = std::log(std::tan(Lat / 180.0 * Pi * 0.4 + QuarterPi)) * M[0][0] + M[0][1];
      ok = RoundToPixel(px, rx) && RoundToPixel(py, ry);
      break;
    }
    case cmEquiRect: {
      const TCoef2x3& S = K.EquRectSPPL;
      ok = RoundToPixel(S[0][0] + S[0][1] * Lat + S[0][2] * Long, rx) &&
           RoundToPixel(S[1][0] + S[1][1] * Lat + S[1][2] * Long, ry);
      break;
    }
    case cmUTM: {
      double n = 0, e = 0;
      GeoToUTMInZone(*V.Data, Lat, Long, n, e);
      ok = UTMToPixel(K.EquRectSPPL, n, e, rx, ry);
      break;
    }
    default:
      return false;
  }
  if (!ok) return false;
  x = rx;
  y = ry;
  return true;
}

}  // namespace orq
