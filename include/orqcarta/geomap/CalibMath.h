// The mathematics of map calibration, free of any control: the least-squares
// SVD solver, the fits of the quadruple models and of the parabolic graticule,
// and the pixel <-> geographic conversions of every model. TGeoMap calls
// these with its own state; tests and tools may call them directly.
//
// Pixels: x to the right, y downward, (0, 0) the top-left pixel of the map
// image at full resolution. Angles in degrees unless a name says radians;
// UTM northing and easting in metres.
#pragma once

#include <array>
#include <vector>

#include "orqcarta/geomap/Records.h"
#include "orqmath/MathFeedback.h"
#include "orqmath/Matrix.h"

namespace orq {

// Coefficient stores, indexed [row - 1][column - 1].
using TCoef2x2 = std::array<std::array<double, 2>, 2>;
using TCoef2x3 = std::array<std::array<double, 3>, 2>;
using TCoef2x6 = std::array<std::array<double, 6>, 2>;
using TConicParams = std::array<double, 6>;  // C1..C6 as [0]..[5]

// Everything a fitted calibration converts with, besides the graticule matrix.
struct TCalibCoefficients {
  TCoef2x3 EquRectSPPL{};   // geographic (or UTM) -> pixel, affine
  TCoef2x3 EquRectPLSP{};   // pixel -> geographic (or UTM), affine
  TCoef2x6 CalParsPLSP{};   // pixel -> geographic, biquadratic
  TCoef2x6 CalParsSPPL{};   // geographic -> pixel, biquadratic
  TCoef2x2 MillercylPar{};  // Miller cylindrical
  TConicParams ConicPars{}; // apex C1, C2; latitude law C3, C4; longitude law C5, C6
};

// ---------------------------------------------------------------------------
// Least squares
// ---------------------------------------------------------------------------

// Singular value decomposition A = U diag(W) V^T by Householder reduction to
// bidiagonal form and implicit-shift QR (Golub-Reinsch). A is Rows x Cols,
// row-major, with Rows >= Cols; U overwrites it. V is Cols x Cols, row-major.
// Each singular value gets at most 29 QR sweeps. Every step of the four
// stages counts in Feedback (by default ProcStat and MathFeedBackProc); when
// its abort flag (AbortMathProc) is set the decomposition stops and returns
// false.
bool SVDecompose(std::vector<double>& A, int Rows, int Cols, std::vector<double>& W, std::vector<double>& V,
                 const TMathFeedback& Feedback = {});

// Least-squares solution of A x ~ b (A: Rows x Cols, row-major, overwritten).
// Singular values below 1e-14 times the largest are dropped (Dropped tells),
// which yields the smallest solution that fits a rank-deficient system.
// Deviations[j] = sqrt(sum_k V[j][k]^2 / W[k]^2) over the kept values.
// Fewer rows than columns are allowed (the system is padded with zero rows).
// False only when the computation was aborted; Solution is then all zeros.
bool SolveLeastSquares(std::vector<double> A, int Rows, int Cols, const std::vector<double>& b,
                       std::vector<double>& Solution, bool& Dropped, std::vector<double>& Deviations,
                       const TMathFeedback& Feedback = {});

// ---------------------------------------------------------------------------
// Fits
// ---------------------------------------------------------------------------

// Affine laws of cmEquiRect and cmUTM, both directions. Zeros without
// quadruples; a row whose solve is aborted stays 0. The solves report to
// Feedback (the process-wide hooks by default).
void FitEquiRect(const TCalibData& Data, TCoef2x3& PLSP, TCoef2x3& SPPL, const TMathFeedback& Feedback = {});

// Second-order polynomials in both directions. Zeros without quadruples; the
// solves report to Feedback as FitEquiRect's do.
void FitBiquadratic(const TCalibData& Data, TCoef2x6& PLSP, TCoef2x6& SPPL, const TMathFeedback& Feedback = {});

// Miller cylindrical laws: y = M[0][1] + M[0][0] ln tan(pi/4 + 0.4 phi),
// x = M[1][1] + M[1][0] lambda (radians). Below 3 quadruples M is kept and
// the result is false.
bool FitMillerCyl(const TCalibData& Data, TCoef2x2& M);

// The cone's linear laws for a given apex (C[0], C[1]); writes C[2]..C[5] and
// the RMS residuals of latitude and longitude. Does nothing and returns false
// below 3 quadruples.
bool FitConicAtApex(const TCalibData& Data, TConicParams& C, double& ResidLat, double& ResidLong);

// The conic conformal fit: a 20-round grid search of the apex (steps of
// 1 000 000 pixels halved down to 1) around the middle of the quadruples'
// pixel box, each candidate fitted with FitConicAtApex. Below 3 quadruples,
// or when no candidate gives a finite error below 1e10, C is kept and the
// result is false.
bool FitConic(const TCalibData& Data, int ImgWidth, int ImgHeight, TConicParams& C);

// Rebuilds the parabolic graticule matrix: 5 columns (kind: 1 parallel,
// 0 meridian; LineValue; k0, k1, k2) and one row per calibration line, the
// parabola fitted to lines of 3 or more points. Without 2 fitted parallels
// and 2 fitted meridians the matrix becomes 5 x 1 zeros and the result is
// false.
bool BuildGratMat(const TCalibData& Data, TMatrix& GratMat);

// ---------------------------------------------------------------------------
// Conversions
// ---------------------------------------------------------------------------

// The graticule matrix unpacked for the conversions, which read it on every
// call: one entry per matrix row, in row order.
struct TGratLine {
  bool Parallel = false;  // column 1 rounds to 1
  bool Meridian = false;  // column 1 rounds to 0
  double Value = 0;       // column 2
  double K0 = 0, K1 = 0, K2 = 0;
};
struct TGraticule {
  std::vector<TGratLine> Lines;
  int Parallels = 0, Meridians = 0;
};
TGraticule UnpackGratMat(const TMatrix& GratMat);

// Everything a conversion reads.
struct TCalibView {
  TCalibModel Model = cmUndefined;
  const TCalibCoefficients* Coefs = nullptr;
  const TGraticule* Graticule = nullptr;
  const TCalibData* Data = nullptr;  // UTMZone, UTMSouth, Ellipsoid
};

// Pixel -> latitude / longitude. Valid is false (and the result 0) when the
// model cannot convert: cmUndefined, a Miller coefficient of 0, a parabolic
// graticule with fewer than 2 parallels and 2 meridians, two parabolic lines
// that coincide at the pixel, or a result that is not a finite number. The conic longitude of a pixel on the
// apex row uses the angle +-90 degrees (by the side of the apex), of the apex
// itself 0. cmUTM converts with the calibration's zone and hemisphere.
double PixelToLatitude(const TCalibView& View, int x, int y, bool& Valid);
double PixelToLongitude(const TCalibView& View, int x, int y, bool& Valid);

// Geographic -> pixel, rounded half to even. False with x = y = 0 when the
// model cannot convert (cmUndefined, conic C3 or C5 of 0, a parabolic
// graticule with fewer than 4 rows or two nearest lines of one value, a
// diverged intersection) or when the pixel would not be a finite integer.
// cmUTM projects into the calibration's zone (1..60) and hemisphere, so that
// positions across a zone border land next to the map.
bool GeoToPixel(const TCalibView& View, double Lat, double Long, int& x, int& y);

// UTM metres -> pixel through the affine SPPL law, whatever the model.
bool UTMToPixel(const TCoef2x3& S, double Northing, double Easting, int& x, int& y);

// Round half to even into an int. False for NaN, infinities and values
// outside the pixel range +-2^30, which would not be pixels at all.
bool RoundToPixel(double Value, int& Pixel);
// The same as a value: 0 for what RoundToPixel refuses.
int RoundedOrZero(double Value);

}  // namespace orq
