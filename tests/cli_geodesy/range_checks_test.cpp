// Positions outside the range where a conversion means something are bad
// lines: one error line, a placeholder, exit 1. The UTM and UPS grid limits
// are GeographicLib's; the transverse Mercator limit is where the series
// error reaches 1 m against the exact projection.
#include <gtest/gtest.h>

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <cmath>

#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

TEST(CliRanges, ImplausibleResultsOfTheOldToolAreRefused) {
  const char* examples[] = {"utm -i 32N 500000 12000000", "utm -i 32S 500000 -100", "utm -i 32N 5000000 0",
                            "tm -i 0 20000000",           "tm -i 1e30 1e30",        "tm 45 179",
                            "tm 0 30",                    "ups 0 0"};
  for (const char* arguments : examples) {
    const TToolRun run = RunTool(arguments);
    EXPECT_EQ(run.ExitCode, 1) << arguments;
    EXPECT_EQ(run.Out, "") << arguments;
    EXPECT_EQ(run.ErrLines().size(), 1u) << arguments << ": " << run.Err;
  }
  // In a stream they are bad lines with their numbers, and the rest converts.
  const TToolRun stream = RunTool("utm -i", "32N 500000 12000000\n32N 500000 0\n32S 500000 -100\n");
  EXPECT_EQ(stream.ExitCode, 1);
  EXPECT_EQ(stream.Out, "ERROR\n0.000000000 9.000000000\nERROR\n");
  ASSERT_EQ(stream.ErrLines().size(), 2u);
  EXPECT_TRUE(Contains(stream.ErrLines()[0], "line 1: northing 12000 km outside the UTM range"));
  EXPECT_TRUE(Contains(stream.ErrLines()[1], "line 3: northing -0.1 km"));
}

// Whether GeographicLib's UTMUPS::Reverse takes the grid position.
bool GeographicLibTakes(int Zone, bool North, double X, double Y) {
  try {
    double lat, lon;
    GeographicLib::UTMUPS::Reverse(Zone, North, X, Y, lat, lon);
    return true;
  } catch (const GeographicLib::GeographicErr&) {
    return false;
  }
}

TEST(CliRanges, UtmAndUpsGridLimitsAreGeographicLibs) {
  struct TCase {
    int Zone;
    bool North;
    double X, Y;
  };
  std::vector<TCase> cases;
  for (double x : {-1.0, 0.0, 1e6, 1e6 + 1}) cases.push_back({32, true, x, 0});
  for (double y : {-9100e3 - 1, -9100e3, 9600e3, 9600e3 + 1}) cases.push_back({32, true, 500e3, y});
  for (double y : {900e3 - 1, 900e3, 19600e3, 19600e3 + 1}) cases.push_back({32, false, 500e3, y});
  for (double v : {1200e3 - 1, 1200e3, 2800e3, 2800e3 + 1}) {
    cases.push_back({0, true, v, 2000e3});
    cases.push_back({0, true, 2000e3, v});
  }
  for (double v : {700e3 - 1, 700e3, 3300e3, 3300e3 + 1}) {
    cases.push_back({0, false, v, 2000e3});
    cases.push_back({0, false, 2000e3, v});
  }
  std::string utmInput, upsInput;
  std::vector<bool> utmExpected, upsExpected;
  for (const TCase& c : cases) {
    const std::string line = (c.Zone ? std::to_string(c.Zone) : std::string()) + (c.North ? "N " : "S ") +
                             std::to_string(c.X) + " " + std::to_string(c.Y) + "\n";
    (c.Zone ? utmInput : upsInput) += line;
    (c.Zone ? utmExpected : upsExpected).push_back(GeographicLibTakes(c.Zone, c.North, c.X, c.Y));
  }
  for (const auto& [command, input, expected] :
       {std::tuple{"utm -i", utmInput, utmExpected}, std::tuple{"ups -i", upsInput, upsExpected}}) {
    const auto lines = RunTool(command, input).OutLines();
    ASSERT_EQ(lines.size(), expected.size()) << command;
    for (std::size_t i = 0; i < lines.size(); ++i)
      EXPECT_EQ(lines[i] != "ERROR", expected[i]) << command << " line " << i + 1 << ": " << lines[i];
  }
}

TEST(CliRanges, UpsForwardWithinTwentyDegreesOfItsPole) {
  const TToolRun run = RunTool("ups", "70 0\n69.999 0\n-70 10\n-69.999 10\n90 0\n");
  const auto lines = run.OutLines();
  ASSERT_EQ(lines.size(), 5u) << run.Err;
  EXPECT_NE(lines[0], "ERROR");
  EXPECT_EQ(lines[1], "ERROR");
  EXPECT_NE(lines[2], "ERROR");
  EXPECT_EQ(lines[3], "ERROR");
  EXPECT_EQ(lines[4], "N 2000000.000 2000000.000");
}

TEST(CliRanges, TransverseMercatorStopsWhereItsSeriesErrorReachesOneMetre) {
  const GeographicLib::TransverseMercatorExact exact(GeographicLib::Constants::WGS84_a(),
                                                     GeographicLib::Constants::WGS84_f(), 1.0);
  // Inside the limit the tool is within 1 m of the exact projection, also
  // on the equator where the series is worst ...
  for (double lon : {16.69, -16.69, 10.0}) {
    for (double lat : {0.0, 30.0, 60.0, 85.0}) {
      double x, y;
      exact.Forward(0, lat, lon, x, y);
      const auto v = Numbers(RunTool("tm " + std::to_string(lat) + " " + std::to_string(lon)).Out);
      ASSERT_EQ(v.size(), 2u) << lat << " " << lon;
      EXPECT_LT(std::hypot(v[0] - x, v[1] - y), 1.0) << lat << " " << lon;
    }
  }
  // ... and just beyond it positions are refused, measured from --lon0 and
  // across the antimeridian; the poles are on every meridian.
  EXPECT_EQ(RunTool("tm 0 16.8").ExitCode, 1);
  EXPECT_EQ(RunTool("tm --lon0 170 0 -173.1").ExitCode, 1);
  EXPECT_EQ(RunTool("tm --lon0 170 0 -173.5").ExitCode, 0);
  EXPECT_EQ(RunTool("tm 90 120").ExitCode, 0);

  // Inverse results are kept when they convert back within 1 m, which the
  // series inverse manages to about 14 degrees.
  double x, y;
  exact.Forward(0, 40, 12, x, y);
  const auto back = Numbers(RunTool("tm -i " + std::to_string(x) + " " + std::to_string(y)).Out);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_NEAR(back[0], 40, 1e-4);
  EXPECT_NEAR(back[1], 12, 1e-4);
  exact.Forward(0, 59, 20, x, y);
  EXPECT_EQ(RunTool("tm -i " + std::to_string(x) + " " + std::to_string(y)).ExitCode, 1);
}

TEST(CliRanges, UtmInverseFarFromTheCentralMeridianMustRoundTrip) {
  // Easting 0 km at 9600 km north lies some 27 degrees from the meridian,
  // where the series no longer inverts; GeographicLib's range takes it.
  EXPECT_EQ(RunTool("utm -i 32N 0 9600000").ExitCode, 1);
  EXPECT_EQ(RunTool("utm -i 32N 100000 5000000").ExitCode, 0);
}

}  // namespace
}  // namespace orq::cli::test
