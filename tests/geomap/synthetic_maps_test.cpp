// Maps whose pixels follow a known projection exactly: fit from a handful of
// control points, then every pixel must convert to its true position and
// back to itself.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "geomap_test_support.h"

namespace orq {
namespace {

constexpr int W = 1200, H = 1000;
constexpr double Deg = M_PI / 180;

using TTruth = std::function<TCoords(double x, double y)>;

std::vector<TPoint> ControlPixels(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> ux(0, W - 1), uy(0, H - 1);
  std::vector<TPoint> pts;
  for (int i = 0; i < n; ++i) pts.push_back(TPoint{ux(rng), uy(rng)});
  return pts;
}

void AddControlPoints(TGeoMap& m, const TTruth& truth, int n) {
  for (const TPoint& p : ControlPixels(n, 1234 + n)) {
    const TCoords g = truth(p.X, p.Y);
    ASSERT_TRUE(m.AddCalibPoint(g.Latit, g.Longit, p.X, p.Y));
  }
}

// Every 23rd pixel of the image: pixel -> geographic within GeoBound degrees
// of the truth, and back to the same pixel.
void ExpectRoundTrips(const TGeoMap& m, const TTruth& truth, double GeoBound) {
  double worst = 0;
  int mismatches = 0;
  for (int y = 0; y < H; y += 23) {
    for (int x = 0; x < W; x += 23) {
      bool vLat = false, vLong = false;
      const double lat = m.CalcLatitude(x, y, vLat);
      const double lon = m.CalcLongitude(x, y, vLong);
      ASSERT_TRUE(vLat && vLong) << x << "," << y;
      const TCoords t = truth(x, y);
      worst = std::max({worst, std::fabs(lat - t.Latit), std::fabs(lon - t.Longit)});
      int bx = -1, by = -1;
      ASSERT_TRUE(m.CalcPixelCoords(lat, lon, bx, by));
      if (bx != x || by != y) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_LT(worst, GeoBound);
}

TEST(SyntheticMaps, EquirectangularAndBiquadraticReproduceAnAffineImage) {
  const TTruth truth = [](double x, double y) { return TCoords{55 - 0.01 * y, 5 + 0.0125 * x}; };
  // The biquadratic design matrix holds squared pixel positions of up to
  // 1.4e6, which costs it a few digits: still well under a millimetre.
  for (auto [model, bound] : {std::pair{cmEquiRect, 1e-10}, std::pair{cmBiquadraticPn, 1e-8}}) {
    TGeoMap m;
    GiveImage(m, W, H);
    m.SetCalibModel(model);
    AddControlPoints(m, truth, 25);
    ExpectRoundTrips(m, truth, bound);
  }
}

TEST(SyntheticMaps, MillerCylindricalImage) {
  // x = 600 + 2000 lambda, y = 4000 - 2000 * 1.25 ln tan(pi/4 + 0.4 phi).
  const TTruth truth = [](double x, double y) {
    const double lon = (x - 600) / 2000 / Deg;
    const double lat = (std::atan(std::exp((4000 - y) / 2500)) - M_PI / 4) / 0.4 / Deg;
    return TCoords{lat, lon};
  };
  TGeoMap m;
  GiveImage(m, W, H);
  m.SetCalibModel(cmMillerCylindrical);
  AddControlPoints(m, truth, 9);
  EXPECT_NEAR(m.MillercylPar()[0][0], -2500, 1e-6);
  EXPECT_NEAR(m.MillercylPar()[1][0], 2000, 1e-6);
  ExpectRoundTrips(m, truth, 1e-9);
}

// Lambert conic conformal, tangent at 50 N, central meridian 12.5 E, 1.2 km a
// pixel; the apex lies about 4300 pixels above the image.
struct TLambert {
  static constexpr double R = 6371000, Scale = 1200, Phi0 = 50 * Deg, Lambda0 = 12.5 * Deg;
  double n = std::sin(Phi0);
  double F = std::cos(Phi0) * std::pow(std::tan(M_PI / 4 + Phi0 / 2), n) / n;
  double Rho(double phi) const { return R * F / std::pow(std::tan(M_PI / 4 + phi / 2), n); }
  double rho0 = Rho(Phi0);
  // Pixel of the image centre row 500 on the central meridian at 50 N.
  double ApexY() const { return 500 - rho0 / Scale; }
  TCoords Geo(double x, double y) const {
    const double dx = (x - 600) * Scale, dy = (y - ApexY()) * Scale;
    const double rho = std::hypot(dx, dy);
    const double phi = 2 * std::atan(std::pow(R * F / rho, 1 / n)) - M_PI / 2;
    return TCoords{phi / Deg, (Lambda0 + std::atan2(dx, dy) / n) / Deg};
  }
};

TEST(SyntheticMaps, LambertConicImageWithApexOutside) {
  const TLambert lcc;
  const TTruth truth = [&](double x, double y) { return lcc.Geo(x, y); };
  TGeoMap m;
  GiveImage(m, W, H);
  m.SetCalibModel(cmConicConformal);
  AddControlPoints(m, truth, 50);
  const TConicParams& C = m.ConicPars();
  EXPECT_NEAR(C[0], 600, 2);
  EXPECT_LT(C[1], 0);  // apex above the image
  // Latitude is linear in the apex distance only to first order; over the
  // map's 10 degrees of latitude that leaves some thousandths of a degree.
  ExpectRoundTrips(m, truth, 0.01);
}

TEST(SyntheticMaps, ConicFitBelowThreeQuadruplesKeepsItsParameters) {
  TGeoMap m;
  m.SetCalibModel(cmConicConformal);
  TGeoMapInternals::Coefs(m).ConicPars = {1, 2, 3, 4, 5, 6};
  m.AddCalibPoint(50.0, 10.0, 0, 0);
  m.AddCalibPoint(45.0, 12.0, 100, 300);
  EXPECT_EQ(m.ConicPars(), (TConicParams{1, 2, 3, 4, 5, 6}));

  m.SetCalibModel(cmMillerCylindrical);
  const TCoef2x2 before = m.MillercylPar();
  m.RecalcCalibration();
  EXPECT_EQ(m.MillercylPar(), before);
  m.SetCalibModel(cmBiquadraticPn);
  EXPECT_NO_THROW(m.AddCalibPoint(47.0, 11.0, 50, 150));  // three quadruples, six unknowns
  bool valid = false;
  EXPECT_NEAR(m.CalcLatitude(100, 300, valid), 45, 1e-9);
}

// A UTM zone 32 image, 50 m a pixel, whose right part lies east of 12 E, in
// zone 33.
struct TUTMImage {
  static constexpr double E0 = 700000, N0 = 5400000, Step = 50;
  TCoords Geo(double x, double y) const {
    TCoords g;
    UTMToLatLong(E0 + Step * x, N0 - Step * y, 32, false, gelWGS84, g.Latit, g.Longit);
    return g;
  }
};

TEST(SyntheticMaps, UTMImageInZone32) {
  const TUTMImage img;
  TGeoMap m;
  GiveImage(m, W, H);
  m.SetCalibModel(cmUTM);
  m.SetUTMZone(32);
  m.SetUTMHemisphere(hemiNorth);
  for (const TPoint& p : ControlPixels(25, 99))
    ASSERT_TRUE(m.AddCalibPoint(img.N0 - img.Step * p.Y, img.E0 + img.Step * p.X, 32, hemiNorth, p.X, p.Y));
  const TTruth truth = [&](double x, double y) { return img.Geo(x, y); };
  ASSERT_GT(truth(W - 1, 0).Longit, 12.0);  // the test covers the zone border
  ExpectRoundTrips(m, truth, 1e-8);

  // A landmark in zone 33 next to the map is placed in the map's own grid.
  int x = 0, y = 0;
  const TCoords beyond = img.Geo(W + 100, 500);
  ASSERT_TRUE(m.CalcPixelCoords(beyond.Latit, beyond.Longit, x, y));
  EXPECT_EQ(x, W + 100);
  EXPECT_EQ(y, 500);
}

}  // namespace
}  // namespace orq
