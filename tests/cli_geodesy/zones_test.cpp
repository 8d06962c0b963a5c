// UTM into a chosen zone, the standard zone without exceptions, and the
// convergence and scale, against GeographicLib.
#include <gtest/gtest.h>

#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <cmath>

#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

TEST(CliUtmZones, ForcedZoneMatchesGeographicLibAcrossTheBorder) {
  int zone;
  bool north;
  double x, y;
  // Positions in zones 32 and 34 near their borders with 33, projected into 33.
  const double positions[][2] = {{48.2, 11.9}, {52.5, 10.1}, {-33.9, 20.0}, {60.0, 22.5}, {0.1, 11.0}, {-0.1, 19.0}};
  for (const auto& p : positions) {
    GeographicLib::UTMUPS::Forward(p[0], p[1], zone, north, x, y, 33);
    const std::string hemisphere = north ? "N" : "S";
    const TToolRun run =
        RunTool("utm --zone 33" + hemisphere + " " + std::to_string(p[0]) + " " + std::to_string(p[1]));
    const auto fields = Fields(run.Out);
    ASSERT_EQ(fields.size(), 3u) << run.Err;
    EXPECT_EQ(fields[0], "33" + hemisphere);
    EXPECT_NEAR(std::stod(fields[1]), x, 0.001) << p[0] << " " << p[1];
    EXPECT_NEAR(std::stod(fields[2]), y, 0.001) << p[0] << " " << p[1];
  }
  // The forced zone's grid ends where GeographicLib's does, and the zone
  // needs its hemisphere.
  EXPECT_EQ(RunTool("utm --zone 33N 0 40").ExitCode, 1);
  EXPECT_EQ(RunTool("utm --zone 33S -33.9 20.9").ExitCode, 1);  // easting 1045 km
  EXPECT_THROW(GeographicLib::UTMUPS::Forward(-33.9, 20.9, zone, north, x, y, 33), GeographicLib::GeographicErr);
  EXPECT_EQ(RunTool("utm --zone 33 52 12").ExitCode, 2);
  EXPECT_EQ(RunTool("utm --zone 33N --standard-zone 52 12").ExitCode, 2);
  // The southern grid for a northern position carries the false northing.
  GeographicLib::UTMUPS::Forward(0.5, 15, zone, north, x, y, 33);
  const auto south = Numbers(RunTool("utm --zone 33S 0.5 15").Out.substr(4));
  ASSERT_EQ(south.size(), 2u);
  EXPECT_NEAR(south[1], 10000000 + y, 0.001);
}

TEST(CliUtmZones, StandardZoneIgnoresNorwayAndSvalbard) {
  const TToolRun normal = RunTool("utm", "60 5\n78 10\n78 20\n");
  const TToolRun standard = RunTool("utm --standard-zone", "60 5\n78 10\n78 20\n");
  ASSERT_EQ(standard.ExitCode, 0) << standard.Err;
  const auto n = normal.OutLines(), s = standard.OutLines();
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(Fields(n[0])[0], "32N");
  EXPECT_EQ(Fields(s[0])[0], "31N");
  EXPECT_EQ(Fields(n[1])[0], "33N");
  EXPECT_EQ(Fields(s[1])[0], "32N");
  EXPECT_EQ(Fields(s[2])[0], "34N");
  // Away from the exceptions both agree.
  EXPECT_EQ(RunTool("utm --standard-zone 52.5 13.4").Out, RunTool("utm 52.5 13.4").Out);
  EXPECT_EQ(RunTool("zone --standard-zone 60 5").Out, "31V\n");
  // And the coordinates are GeographicLib's in the plain zone.
  int zone;
  bool north;
  double x, y;
  GeographicLib::UTMUPS::Forward(60, 5, zone, north, x, y, 31);
  const auto v = Numbers(s[0].substr(4));
  EXPECT_NEAR(v[0], x, 0.001);
  EXPECT_NEAR(v[1], y, 0.001);
}

TEST(CliUtmZones, ConvergenceAndScaleMatchGeographicLib) {
  const GeographicLib::TransverseMercator& utm = GeographicLib::TransverseMercator::UTM();
  const double positions[][2] = {{52.5, 13.4}, {-33.9, 18.4}, {0, 9}, {83.9, 40}, {-79.9, -177}, {60, 5}};
  for (const auto& p : positions) {
    int zone;
    bool north;
    double x, y;
    GeographicLib::UTMUPS::Forward(p[0], p[1], zone, north, x, y);
    double gx, gy, gamma, k;
    utm.Forward(6.0 * zone - 183, p[0], p[1], gx, gy, gamma, k);
    const auto fields = Fields(RunTool("utm --convergence " + std::to_string(p[0]) + " " + std::to_string(p[1])).Out);
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_NEAR(std::stod(fields[3]), gamma, 1e-8) << p[0] << " " << p[1];
    EXPECT_NEAR(std::stod(fields[4]), k, 1e-9) << p[0] << " " << p[1];
    // The same at the position an inverse conversion finds.
    const auto back = Fields(RunTool("utm -i -c " + fields[0] + " " + fields[1] + " " + fields[2]).Out);
    ASSERT_EQ(back.size(), 4u);
    // The millimetres of the printed grid position move the point.
    EXPECT_NEAR(std::stod(back[2]), gamma, 5e-8);
    EXPECT_NEAR(std::stod(back[3]), k, 1e-9);
  }
}

TEST(CliUtmZones, HelpSaysWhichExceptionsApplyAndWhatTheEdgesGive) {
  const std::string help = RunTool("utm --help").Out;
  for (const char* part : {"32V", "31X", "37X", "Latitude 84 exactly", "-0", "--standard-zone", "--convergence"})
    EXPECT_TRUE(Contains(help, part)) << part;
  // What the help promises: 84 is still UTM band X, -0 is north with northing 0.
  EXPECT_EQ(RunTool("zone 84 10").Out, "33X\n");
  EXPECT_EQ(Fields(RunTool("utm 84 10").Out)[0], "33N");
  EXPECT_EQ(RunTool("utm -- -0 9").Out, "32N 500000.000 0.000\n");
  EXPECT_EQ(Fields(RunTool("utm -- -0.0000001 9").Out)[0], "32S");
}

}  // namespace
}  // namespace orq::cli::test
