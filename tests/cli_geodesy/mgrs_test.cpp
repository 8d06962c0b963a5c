// MGRS references against GeographicLib's MGRS: 10,000 random positions
// both ways, every resolution, and the places where the grid is irregular.
#include <gtest/gtest.h>

#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <cmath>
#include <random>

#include "ErrorReport.h"
#include "Mgrs.h"
#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

std::string Reference(double Lat, double Lon, int Digits) {
  int zone;
  bool north;
  double x, y;
  GeographicLib::UTMUPS::Forward(Lat, Lon, zone, north, x, y);
  std::string mgrs;
  GeographicLib::MGRS::Forward(zone, north, x, y, Lat, Digits, mgrs);
  return mgrs;
}

// Our grid coordinates differ from GeographicLib's by micrometres, so a
// truncated digit may differ where a coordinate lies that close to a cell
// edge; anything else is a fault.
bool NearCellEdge(double Lat, double Lon, int Digits) {
  int zone;
  bool north;
  double x, y;
  GeographicLib::UTMUPS::Forward(Lat, Lon, zone, north, x, y);
  const double cell = std::pow(10.0, 5 - Digits);
  auto near = [cell](double v) {
    const double r = std::fmod(v, cell);
    return r < 1e-4 || cell - r < 1e-4;
  };
  return near(x) || near(y);
}

TEST(CliMgrs, TenThousandRandomPositionsMatchGeographicLib) {
  std::mt19937 random(16);
  std::uniform_real_distribution<double> lat(-90, 90), lon(-180, 180);
  int edges = 0;
  std::string input;
  std::vector<std::string> expected;
  for (int i = 0; i < 10000; ++i) {
    const double la = lat(random), lo = lon(random);
    const int digits = i % 6;
    const std::string ours = MgrsForward(la, lo, gelWGS84, digits), theirs = Reference(la, lo, digits);
    if (ours != theirs) {
      EXPECT_TRUE(NearCellEdge(la, lo, digits)) << la << " " << lo << ": " << ours << " vs " << theirs;
      ++edges;
    }
    // The centre of the square, as GeographicLib finds it.
    int zone, prec;
    bool north;
    double x, y, cLat, cLon;
    GeographicLib::MGRS::Reverse(theirs, zone, north, x, y, prec, true);
    GeographicLib::UTMUPS::Reverse(zone, north, x, y, cLat, cLon);
    const TMgrsPosition back = MgrsReverse(theirs, gelWGS84);
    // Within a centimetre: square centres lie up to 8 degrees from the
    // central meridian in the Svalbard zones, where the series gives mm.
    const double dLat = (back.Latitude - cLat) * 111e3;
    const double dLon = std::remainder(back.Longitude - cLon, 360) * 111e3 * std::cos(cLat * M_PI / 180);
    EXPECT_LT(std::hypot(dLat, dLon), 0.01) << theirs;
    EXPECT_EQ(back.Digits, prec);
    if (i < 2000 && digits == 5) {
      input += std::to_string(la) + " " + std::to_string(lo) + "\n";
      expected.push_back(Reference(std::stod(std::to_string(la)), std::stod(std::to_string(lo)), 5));
    }
  }
  EXPECT_LT(edges, 5);
  // The same through the tool.
  const TToolRun run = RunTool("mgrs", input);
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const auto lines = run.OutLines();
  ASSERT_EQ(lines.size(), expected.size());
  int differing = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) differing += lines[i] != expected[i];
  EXPECT_LT(differing, 2);
}

TEST(CliMgrs, IrregularPlacesOfTheGrid) {
  struct {
    double Lat, Lon;
  } places[] = {
      {83.99, 10},    // band X reaches 84
      {72.0, 8.9},    // Svalbard: 31X
      {78, 10},       // 33X
      {78, 41.9},     // 37X
      {60, 5},        // 32V
      {59.9, 2.9},    // 31V west of 3E
      {84, 0},        // UPS from 84 on: band Z
      {84, -1},       // band Y
      {-80, 10},      // still UTM, band C
      {-80.0001, 10}, // UPS: band A or B
      {-90, 0},       // the south pole
      {90, 0},        // the north pole
      {0, -180},      // zone 1 at the antimeridian
      {56, 3},        // the corner of 32V
  };
  for (const auto& p : places) {
    for (int digits : {0, 3, 5}) {
      EXPECT_EQ(MgrsForward(p.Lat, p.Lon, gelWGS84, digits), Reference(p.Lat, p.Lon, digits))
          << p.Lat << " " << p.Lon << " digits " << digits;
    }
  }
  // A latitude of -0 is the equator, northern as in utm; GeographicLib takes
  // the sign and names the last micrometre of the southern grid.
  EXPECT_EQ(MgrsForward(-0.0, 3, gelWGS84, 5), "31NEA0000000000");
  EXPECT_EQ(Reference(-0.0, 3, 5), "31MEV0000099999");
  EXPECT_EQ(RunTool("mgrs 52.5 13.4").Out, Reference(52.5, 13.4, 5) + "\n");
  for (int resolution = 1, digits = 5; resolution <= 100000; resolution *= 10, --digits)
    EXPECT_EQ(RunTool("mgrs -r " + std::to_string(resolution) + " 52.5 13.4").Out, Reference(52.5, 13.4, digits) + "\n");
  EXPECT_EQ(RunTool("mgrs -r 5 52.5 13.4").ExitCode, 2);
}

TEST(CliMgrs, InverseTakesCommonSpellingsAndRefusesSquaresThatDoNotExist) {
  const std::string centre = RunTool("mgrs -i 33UUU9139017855").Out;
  EXPECT_EQ(RunTool("mgrs -i 33uuu 91390 17855").Out, centre);
  EXPECT_EQ(RunTool("mgrs -i", "33UUU9139017855\n").Out, centre);
  const auto v = Numbers(centre);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_NEAR(v[0], 52.5, 1e-4);
  EXPECT_NEAR(v[1], 13.4, 1e-4);
  // Malformed, or squares outside their zone or band.
  for (const char* bad : {"33UUU913901785", "61UUU", "33IUU", "33UIU", "33U", "33UUU91390178551234", "ZDA",
                          "33XUU9139017855", "33UUZ"}) {
    const TToolRun run = RunTool(std::string("mgrs -i ") + bad);
    EXPECT_EQ(run.ExitCode, 1) << bad << ": " << run.Out;
    EXPECT_EQ(run.ErrLines().size(), 1u) << bad;
  }
}

}  // namespace
}  // namespace orq::cli::test
