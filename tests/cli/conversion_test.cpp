// Conversions through the tool, checked against known values and against
// GeographicLib as an independent implementation.
#include <gtest/gtest.h>

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/UTMUPS.hpp>

#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

struct TPosition {
  double Lat, Lon;
};
const TPosition Positions[] = {{52.5, 13.4}, {-33.9, 18.4}, {60, 5}, {78, 20}, {-45.87, 170.5}, {0.5, -79.9}};

std::string Line(double a, double b) { return std::to_string(a) + " " + std::to_string(b); }

TEST(CliUtm, EquatorOnCentralMeridianIsFalseEastingWithoutFalseNorthing) {
  const TToolRun run = RunTool("utm 0 9");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out, "32N 500000.000 0.000\n");
  EXPECT_EQ(run.Err, "");
}

TEST(CliUtm, MatchesGeographicLibInArgumentAndStreamMode) {
  std::string input;
  for (const TPosition& p : Positions) input += Line(p.Lat, p.Lon) + "\n";
  const TToolRun stream = RunTool("utm", input);
  ASSERT_EQ(stream.ExitCode, 0) << stream.Err;
  const auto lines = stream.OutLines();
  ASSERT_EQ(lines.size(), std::size(Positions));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    int zone;
    bool north;
    double x, y;
    GeographicLib::UTMUPS::Forward(Positions[i].Lat, Positions[i].Lon, zone, north, x, y);
    const auto fields = Fields(lines[i]);
    ASSERT_EQ(fields.size(), 3u) << lines[i];
    EXPECT_EQ(fields[0], std::to_string(zone) + (north ? "N" : "S"));
    EXPECT_NEAR(std::stod(fields[1]), x, 0.002) << lines[i];
    EXPECT_NEAR(std::stod(fields[2]), y, 0.002) << lines[i];
    // The same position as arguments, comma-separated, gives the same line.
    EXPECT_EQ(RunTool("utm " + std::to_string(Positions[i].Lat) + "," + std::to_string(Positions[i].Lon)).Out,
              lines[i] + "\n");
  }
}

TEST(CliUtm, ForwardOutputPipesBackThroughInverse) {
  std::string input;
  for (const TPosition& p : Positions) input += Line(p.Lat, p.Lon) + "\n";
  const TToolRun forward = RunTool("utm", input);
  const TToolRun back = RunTool("utm --inverse", forward.Out);
  ASSERT_EQ(back.ExitCode, 0) << back.Err;
  const auto lines = back.OutLines();
  ASSERT_EQ(lines.size(), std::size(Positions));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto v = Numbers(lines[i]);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_NEAR(v[0], Positions[i].Lat, 1e-7) << lines[i];
    EXPECT_NEAR(v[1], Positions[i].Lon, 1e-7) << lines[i];
  }
}

TEST(CliUtm, InverseTakesTheZoneFromTheLineOrTheOptions) {
  const std::string expected = RunTool("utm -i 34S 259583.222 6245888.045").Out;
  const auto v = Numbers(expected);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_NEAR(v[0], -33.9, 1e-6);
  EXPECT_NEAR(v[1], 18.4, 1e-6);
  EXPECT_EQ(RunTool("utm -i 259583.222 6245888.045 34s").Out, expected);
  EXPECT_EQ(RunTool("utm -i --zone 34 --south 259583.222 6245888.045").Out, expected);
  // A zone in the line wins over the options.
  EXPECT_EQ(RunTool("utm -i --zone 12 34S 259583.222 6245888.045").Out, expected);
  // East of zone 60 the longitude comes out across the antimeridian.
  EXPECT_LT(Numbers(RunTool("utm -i 60N 900000 0").Out)[1], -170);
  // Without the hemisphere the same numbers are a northern position.
  EXPECT_GT(Numbers(RunTool("utm -i -z 34 259583.222 6245888.045").Out)[0], 0);
}

TEST(CliUtm, EllipsoidByIdentifierShortNameDisplayNameOrOrdinal) {
  const std::string international = RunTool("utm -e gelInt24 52.5 13.4").Out;
  EXPECT_NE(international, RunTool("utm 52.5 13.4").Out);
  for (const char* spelling : {"INT24", "int24", "\"International 1924\"", "10"})
    EXPECT_EQ(RunTool(std::string("utm --ellipsoid ") + spelling + " 52.5 13.4").Out, international) << spelling;
}

TEST(CliPrecision, SetsTheDecimalsOfMetresAndDegrees) {
  EXPECT_EQ(RunTool("utm --precision 0 0 9").Out, "32N 500000 0\n");
  EXPECT_EQ(RunTool("utm --precision 5 0 9").Out, "32N 500000.00000 0.00000\n");
  EXPECT_EQ(RunTool("cart -i 6378137 0 0").Out, "0.000000000 0.000000000 0.000\n");
  EXPECT_EQ(RunTool("cart -i --precision 2 6378137 0 0").Out, "0.00 0.00 0.00\n");
}

TEST(CliUps, PolesAreAtTheFalseOriginAndMatchGeographicLib) {
  EXPECT_EQ(RunTool("ups 90 0").Out, "N 2000000.000 2000000.000\n");
  EXPECT_EQ(RunTool("ups -90 0").Out, "S 2000000.000 2000000.000\n");
  for (const TPosition p : {TPosition{87, 45}, TPosition{-85, -120}}) {
    int zone;
    bool north;
    double x, y;
    GeographicLib::UTMUPS::Forward(p.Lat, p.Lon, zone, north, x, y, GeographicLib::UTMUPS::UPS);
    const TToolRun run = RunTool("ups " + Line(p.Lat, p.Lon));
    const auto fields = Fields(run.Out);
    ASSERT_EQ(fields.size(), 3u) << run.Out << run.Err;
    EXPECT_EQ(fields[0], north ? "N" : "S");
    EXPECT_NEAR(std::stod(fields[1]), x, 0.002);
    EXPECT_NEAR(std::stod(fields[2]), y, 0.002);
    const auto back = Numbers(RunTool("ups -i " + run.Out).Out);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_NEAR(back[0], p.Lat, 1e-8);
    EXPECT_NEAR(back[1], p.Lon, 1e-8);
  }
  EXPECT_LT(Numbers(RunTool("ups -i --south 2000000 2100000").Out)[0], 0);
}

TEST(CliTm, UnscaledAboutTheGivenMeridianMatchesGeographicLib) {
  EXPECT_EQ(RunTool("tm --lon0 9 0 9").Out, "0.000 0.000\n");
  const GeographicLib::TransverseMercator unscaled(GeographicLib::Constants::WGS84_a(),
                                                   GeographicLib::Constants::WGS84_f(), 1.0);
  double x, y;
  unscaled.Forward(9, 52.5, 13.4, x, y);
  const auto v = Numbers(RunTool("tm -m 9 52.5 13.4").Out);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_NEAR(v[0], x, 0.002);
  EXPECT_NEAR(v[1], y, 0.002);
  const auto back = Numbers(RunTool("tm -i -m 9 " + Line(v[0], v[1])).Out);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_NEAR(back[0], 52.5, 1e-7);
  EXPECT_NEAR(back[1], 13.4, 1e-7);
}

TEST(CliCart, GeocentricMatchesGeographicLibBothWays) {
  EXPECT_EQ(RunTool("cart 0 0 0").Out, "6378137.000 0.000 0.000\n");
  EXPECT_EQ(RunTool("cart 90 0").Out, "0.000 0.000 6356752.314\n");
  double x, y, z;
  GeographicLib::Geocentric::WGS84().Forward(-33.9, 151.2, 58, x, y, z);
  const auto v = Numbers(RunTool("cart -33.9 151.2 58").Out);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_NEAR(v[0], x, 0.002);
  EXPECT_NEAR(v[1], y, 0.002);
  EXPECT_NEAR(v[2], z, 0.002);
  const auto back =
      Numbers(RunTool("cart --inverse " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z)).Out);
  ASSERT_EQ(back.size(), 3u);
  EXPECT_NEAR(back[0], -33.9, 1e-8);
  EXPECT_NEAR(back[1], 151.2, 1e-8);
  EXPECT_NEAR(back[2], 58, 0.002);
}

TEST(CliHelmert, SameDatumKeepsThePositionAndAShiftReturns) {
  const auto same = Numbers(RunTool("helmert --from 269 --to 269 52.5 13.4 100").Out);
  ASSERT_EQ(same.size(), 3u);
  EXPECT_NEAR(same[0], 52.5, 1e-9);
  EXPECT_NEAR(same[1], 13.4, 1e-9);
  EXPECT_NEAR(same[2], 100, 0.001);

  const TToolRun ed50 = RunTool("helmert -f 269 -t 59 52.5 13.4");
  ASSERT_EQ(ed50.ExitCode, 0) << ed50.Err;
  const auto shifted = Numbers(ed50.Out);
  ASSERT_EQ(shifted.size(), 3u);
  // ED50 coordinates of a Berlin position lie some 0.0007 deg north, 0.001 deg east.
  EXPECT_NEAR(shifted[0] - 52.5, 0.0007, 0.0003);
  EXPECT_NEAR(shifted[1] - 13.4, 0.0011, 0.0004);
  const auto back = Numbers(RunTool("helmert -f 59 -t 269 " + ed50.Out).Out);
  ASSERT_EQ(back.size(), 3u);
  EXPECT_NEAR(back[0], 52.5, 1e-7);
  EXPECT_NEAR(back[1], 13.4, 1e-7);
}

TEST(CliHelmert, DatumsByNameAndAmbiguousNamesListCandidates) {
  const std::string byNumber = RunTool("helmert -f 269 -t 183 51.5 -0.12").Out;
  EXPECT_EQ(RunTool("helmert -f 'world geodetic system 1984' -t 'Ordnance GB 1936' 51.5 -0.12").Out, byNumber);
  EXPECT_EQ(RunTool("helmert -f 269 -t 'ORDNANCE GB 1936 (GB - Great Britain)' 51.5 -0.12").Out, byNumber);

  const TToolRun ambiguous = RunTool("helmert -f 'european datum 1950' -t 269 52 13");
  EXPECT_EQ(ambiguous.ExitCode, 2);
  EXPECT_EQ(ambiguous.Out, "");
  EXPECT_NE(ambiguous.Err.find("ambiguous"), std::string::npos) << ambiguous.Err;
  EXPECT_NE(ambiguous.Err.find("59  EUROPEAN DATUM 1950 (Europe)"), std::string::npos) << ambiguous.Err;
  EXPECT_NE(ambiguous.Err.find("60  EUROPEAN DATUM 1950"), std::string::npos) << ambiguous.Err;

  for (const char* bad : {"0", "272", "'no such datum'"}) {
    const TToolRun run = RunTool(std::string("helmert -f ") + bad + " -t 269 52 13");
    EXPECT_EQ(run.ExitCode, 2) << bad;
    EXPECT_NE(run.Err.find("no datum"), std::string::npos) << run.Err;
  }
}

TEST(CliZone, ZoneAndBandWithTheNorwayAndSvalbardRules) {
  const TToolRun run = RunTool("zone", "84 10\n60 5\n78 41.9\n-80 -180\n0 180\n52.5,13.4\n");
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "33X\n32V\n37X\n1C\n1N\n33U\n");
  const TToolRun none = RunTool("zone 84.0001 10");
  EXPECT_EQ(none.ExitCode, 1);
  EXPECT_NE(none.Err.find("no UTM zone"), std::string::npos);
}

}  // namespace
}  // namespace orq::cli::test
