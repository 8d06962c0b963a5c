// Datum shifts against PROJ pipelines built from the same table records.
// Only the records whose values are published with the table's description
// are used: 1, 2, 13, 15, 44, 59, 183, 211, 217, 268, 269, 271.
#include <gtest/gtest.h>
#include <proj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

constexpr int kWGS84 = 269;
const int kTranslationOnly[] = {1, 2, 15, 59, 271};
const int kSevenParameter[] = {13, 44, 183, 211, 217, 268};

const TGeoDatum& Datum(int n) { return GeoDatumData[n - 1]; }

std::string CartStep(const TGeoDatum& d, bool inverse) {
  std::ostringstream s;
  s.precision(17);
  s << " +step" << (inverse ? " +inv" : "") << " +proj=cart +a=" << GeoEllipsoidData[d.Ellipsoid][0]
    << " +b=" << GeoEllipsoidData[d.Ellipsoid][1];
  return s.str();
}

std::string HelmertStep(const TGeoDatum& d, bool inverse, double sign, const char* convention) {
  std::ostringstream s;
  s.precision(17);
  s << " +step" << (inverse ? " +inv" : "") << " +proj=helmert +x=" << sign * d.DX << " +y=" << sign * d.DY
    << " +z=" << sign * d.DZ << " +rx=" << sign * d.RotX << " +ry=" << sign * d.RotY << " +rz=" << sign * d.RotZ
    << " +s=" << sign * d.Scale << " +convention=" << convention;
  return s.str();
}

enum class Exit { ExactInverse, ReversedSigns };

// Source geodetic -> cartesian -> source Helmert into the common frame ->
// target Helmert out of it -> target geodetic.
std::string Pipeline(int src, int dst, const char* convention, Exit exit) {
  return "+proj=pipeline" + CartStep(Datum(src), false) + HelmertStep(Datum(src), false, 1, convention) +
         (exit == Exit::ExactInverse ? HelmertStep(Datum(dst), true, 1, convention)
                                     : HelmertStep(Datum(dst), false, -1, convention)) +
         CartStep(Datum(dst), true);
}

class ProjTransform {
 public:
  explicit ProjTransform(const std::string& definition) {
    ctx_ = proj_context_create();
    pj_ = proj_create(ctx_, definition.c_str());
  }
  ~ProjTransform() {
    proj_destroy(pj_);
    proj_context_destroy(ctx_);
  }
  bool ok() const { return pj_ != nullptr; }
  void Run(double lat, double lon, double h, double& latOut, double& lonOut, double& hOut) const {
    const PJ_COORD out = proj_trans(pj_, PJ_FWD, proj_coord(proj_torad(lon), proj_torad(lat), h, 0));
    lonOut = proj_todeg(out.lpz.lam);
    latOut = proj_todeg(out.lpz.phi);
    hOut = out.lpz.z;
  }

 private:
  PJ_CONTEXT* ctx_ = nullptr;
  PJ* pj_ = nullptr;
};

// Largest distance in metres between our transform and the PROJ pipeline
// over a world-wide grid.
double WorstDistance(int src, int dst, const ProjTransform& proj) {
  double worst = 0;
  for (double lat = -80; lat <= 80; lat += 10) {
    for (double lon = -180; lon <= 180; lon += 30) {
      for (double h : {0.0, 1500.0}) {
        double la, lo, hh, pla, plo, ph;
        EXPECT_EQ(HelmertTransform(src, lat, lon, h, dst, la, lo, hh), 0);
        proj.Run(lat, lon, h, pla, plo, ph);
        const double dn = (la - pla) * 111200.0;
        const double de = std::remainder(lo - plo, 360.0) * 111200.0 * std::cos(lat * 3.141592653589793 / 180);
        worst = std::max(worst, std::sqrt(dn * dn + de * de + (hh - ph) * (hh - ph)));
      }
    }
  }
  return worst;
}

TEST(Helmert, IntoWGS84MatchesPROJPositionVector) {
  for (const int* group : {std::begin(kTranslationOnly), std::begin(kSevenParameter)}) {
    const int* end = group == std::begin(kTranslationOnly) ? std::end(kTranslationOnly) : std::end(kSevenParameter);
    for (const int* src = group; src != end; ++src) {
      const ProjTransform proj(Pipeline(*src, kWGS84, "position_vector", Exit::ExactInverse));
      ASSERT_TRUE(proj.ok()) << *src;
      const double worst = WorstDistance(*src, kWGS84, proj);
      std::printf("datum %3d -> 269 vs PROJ: %.3g m\n", *src, worst);
      EXPECT_LT(worst, 1e-3) << *src;
    }
  }
}

TEST(Helmert, RotationsAreNotCoordinateFrame) {
  for (int src : {13, 44, 183, 217}) {
    const ProjTransform proj(Pipeline(src, kWGS84, "coordinate_frame", Exit::ExactInverse));
    ASSERT_TRUE(proj.ok());
    EXPECT_GT(WorstDistance(src, kWGS84, proj), 1.0) << src;
  }
}

TEST(Helmert, LeavesTheCommonFrameByReversedSigns) {
  // Between two datums the target's parameters are applied with reversed
  // signs, which PROJ reproduces as a forward step with negated parameters.
  // Against the exact inverse of the target step this differs by the
  // rotation of the translation (a few centimetres for large rotations).
  const int pairs[][2] = {{59, 44}, {183, 217}, {271, 13}, {2, 15}, {211, 268}};
  for (const auto& pr : pairs) {
    const ProjTransform reversed(Pipeline(pr[0], pr[1], "position_vector", Exit::ReversedSigns));
    const ProjTransform exact(Pipeline(pr[0], pr[1], "position_vector", Exit::ExactInverse));
    ASSERT_TRUE(reversed.ok() && exact.ok());
    const double worstReversed = WorstDistance(pr[0], pr[1], reversed);
    const double worstExact = WorstDistance(pr[0], pr[1], exact);
    std::printf("datum %3d -> %3d vs PROJ: reversed signs %.3g m, exact inverse %.3g m\n", pr[0], pr[1],
                worstReversed, worstExact);
    EXPECT_LT(worstReversed, 1e-3);
    EXPECT_LT(worstExact, 0.1);
  }
}

TEST(Helmert, SameDatumReturnsTheInput) {
  // 269 has no parameters and 59 only translations: both come back to the
  // rounding of the cartesian round trip. 183 is scaled by -20.49 ppm and
  // rotated; leaving the frame with reversed signs scales and rotates its
  // 716 m translation once more, so it closes only to 1.7 cm.
  for (const auto& [d, bound] : {std::pair{kWGS84, 1e-5}, {59, 1e-5}, {183, 0.02}}) {
    double worst = 0;
    for (double lat : {-89.0, -45.0, 0.0, 51.5, 89.9}) {
      for (double lon : {-179.5, 0.0, 7.25, 179.5}) {
        double la, lo, h;
        ASSERT_EQ(HelmertTransform(d, lat, lon, 123.4, d, la, lo, h), 0);
        const double dn = (la - lat) * 111200.0;
        const double de = std::remainder(lo - lon, 360.0) * 111200.0 * std::cos(lat * 3.141592653589793 / 180);
        worst = std::max(worst, std::sqrt(dn * dn + de * de + (h - 123.4) * (h - 123.4)));
      }
    }
    std::printf("datum %3d -> itself: %.3g m\n", d, worst);
    EXPECT_LT(worst, bound) << d;
  }
}

TEST(Helmert, ResultCodesInCheckOrder) {
  double la, lo, h;
  EXPECT_EQ(HelmertTransform(kWGS84, 90, 0, 0, kWGS84, la, lo, h), 0);
  EXPECT_NEAR(la, 90, 1e-12);
  EXPECT_EQ(HelmertTransform(kWGS84, -90, -180, 0, kWGS84, la, lo, h), 0);
  EXPECT_EQ(HelmertTransform(kWGS84, 10, 180, 0, kWGS84, la, lo, h), 0);
  EXPECT_EQ(HelmertTransform(kWGS84, 90.5, 10, 0, kWGS84, la, lo, h), -3);
  // Still computed: 90.5 N on meridian 10 is 89.5 N on meridian -170.
  EXPECT_NEAR(la, 89.5, 1e-9);
  EXPECT_NEAR(lo, -170, 1e-9);
  EXPECT_EQ(HelmertTransform(kWGS84, 90.5, 200, 0, kWGS84, la, lo, h), -3);
  EXPECT_EQ(HelmertTransform(kWGS84, 0, -180.01, 0, kWGS84, la, lo, h), -4);

  EXPECT_EQ(HelmertTransform(0, 10, 20, 30, kWGS84, la, lo, h), -1);
  EXPECT_EQ(HelmertTransform(kWGS84, 10, 20, 30, 272, la, lo, h), -2);
  // The first failing check is reported, a later one never hides it.
  EXPECT_EQ(HelmertTransform(0, 10, 20, 30, 272, la, lo, h), -1);
  EXPECT_EQ(HelmertTransform(-5, 95, 20, 30, 272, la, lo, h), -1);
  EXPECT_EQ(HelmertTransform(272, 95, 200, 30, kWGS84, la, lo, h), -1);
  EXPECT_EQ(HelmertTransform(kWGS84, 95, 200, 30, 0, la, lo, h), -2);
  EXPECT_EQ(HelmertTransform(kWGS84, -95, 200, 30, kWGS84, la, lo, h), -3);
  EXPECT_EQ(HelmertTransform(kWGS84, std::numeric_limits<double>::quiet_NaN(), 200, 30, kWGS84, la, lo, h), -3);

  // Not a number is out of range too, not a silent success.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(HelmertTransform(kWGS84, nan, 0, 0, kWGS84, la, lo, h), -3);
  EXPECT_EQ(HelmertTransform(kWGS84, 0, nan, 0, kWGS84, la, lo, h), -4);
}

TEST(Helmert, DatumOutOfRangeLeavesTheInput) {
  for (const auto& [src, dst] : {std::pair{0, 269}, {272, 269}, {269, 0}, {269, 100000}, {-1, -1}}) {
    double la = -1, lo = -1, h = -1;
    EXPECT_LT(HelmertTransform(src, 12.5, -3.25, 44, dst, la, lo, h), 0);
    EXPECT_EQ(la, 12.5);
    EXPECT_EQ(lo, -3.25);
    EXPECT_EQ(h, 44);
  }
}

}  // namespace
}  // namespace orq
