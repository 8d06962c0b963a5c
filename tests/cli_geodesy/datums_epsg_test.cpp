// Datums by EPSG code and common name: the cross-reference table against
// PROJ's own transformations, the choice of regional records by area, and
// the record whose rotations follow another sign convention.
#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>

#include "DatumChoice.h"
#include "DatumEpsg.h"
#include "ErrorReport.h"
#include "ToolRunner.h"
#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli::test {
namespace {

bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

// Distance in metres between two positions a little apart, degrees.
double Metres(double Lat1, double Lon1, double Lat2, double Lon2) {
  const double dy = (Lat2 - Lat1) * 111320, dx = std::remainder(Lon2 - Lon1, 360) * 111320 * std::cos(Lat1 * M_PI / 180);
  return std::hypot(dx, dy);
}

// PROJ runs EPSG transformation Code on a position of its source CRS.
struct TProj {
  PJ_CONTEXT* Context = proj_context_create();
  ~TProj() { proj_context_destroy(Context); }
  bool Transform(int Code, double Lat, double Lon, double& LatOut, double& LonOut) const {
    PJ* op = proj_create(Context, ("urn:ogc:def:coordinateOperation:EPSG::" + std::to_string(Code)).c_str());
    if (!op) return false;
    PJ_COORD c = proj_coord(Lat, Lon, 0, 0);  // EPSG axis order: latitude first
    c = proj_trans(op, PJ_FWD, c);
    proj_destroy(op);
    LatOut = c.v[0];
    LonOut = c.v[1];
    return std::isfinite(LatOut) && std::isfinite(LonOut);
  }
};

TEST(CliDatumEpsg, EveryRecordWithTheSameParametersShiftsAsPROJDoes) {
  TProj proj;
  int compared = 0;
  for (int n = 1; n <= GeoDatumCount; ++n) {
    const TDatumEpsg& r = DatumEpsg(n);
    EXPECT_EQ(r.Datum, n);
    if (r.Match != 'S') continue;
    const double lat = (r.South + r.North) / 2;
    const double lon = r.West <= r.East ? (r.West + r.East) / 2 : std::remainder((r.West + r.East + 360) / 2, 360);
    double pLat, pLon, oLat, oLon, oHeight;
    ASSERT_TRUE(proj.Transform(r.Transformation, lat, lon, pLat, pLon)) << n;
    ASSERT_EQ(HelmertTransform(n, lat, lon, 0, 269, oLat, oLon, oHeight), 0);
    // The table rounds a few published sets to centimetres or decimetres.
    EXPECT_LT(Metres(pLat, pLon, oLat, oLon), 0.5) << "datum " << n << " EPSG:" << r.Transformation;
    ++compared;
  }
  EXPECT_GT(compared, 250);
}

TEST(CliDatumEpsg, Datum211DiffersFromEpsg1675ByUpTo16Metres) {
  TProj proj;
  const TDatumEpsg& r = DatumEpsg(211);
  EXPECT_EQ(r.Transformation, 1675);
  EXPECT_EQ(r.Match, 'R');
  double worst = 0;
  for (double lat = 50.5; lat <= 54.5; lat += 0.5) {
    for (double lon = 10; lon <= 15; lon += 0.5) {
      double pLat, pLon, oLat, oLon, oHeight;
      ASSERT_TRUE(proj.Transform(1675, lat, lon, pLat, pLon));
      HelmertTransform(211, lat, lon, 0, 269, oLat, oLon, oHeight);
      worst = std::max(worst, Metres(pLat, pLon, oLat, oLon));
    }
  }
  EXPECT_GT(worst, 10);
  EXPECT_LT(worst, 16.5);
  const TToolRun run = RunTool("helmert -f 211 -t 269", "52 13\n52.5 13.5\n");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.OutLines().size(), 2u);
  ASSERT_EQ(run.ErrLines().size(), 1u) << "one warning, not one a line";
  EXPECT_TRUE(Contains(run.Err, "EPSG:1675")) << run.Err;
  EXPECT_TRUE(Contains(run.Err, "16 m")) << run.Err;
}

TEST(CliDatumEpsg, EpsgCodesAndCommonNamesChooseTheRecordThatCoversThePosition) {
  struct {
    const char* Datum;
    double Lat, Lon;
    int Record;
  } cases[] = {
      {"EPSG:4230", 52, 13, 59},     // ED50: only the mean covers Berlin... or a region that does
      {"EPSG:4230", 38, 23.7, 74},   // Greece
      {"EPSG:1133", 38, 23.7, 59},   // a transformation code is that record
      {"NAD27", 21.5, -79, 168},     // Cuba
      {"nad27", 61, -150, 158},      // Alaska
      {"NAD83", 45, -75, 152},       // 152, 154, 155 share EPSG:1188 and its area: the lowest number
      {"Tokyo", 26.5, 127.9, 264},   // Okinawa
      {"TOKYO", 37.5, 127, 263},     // South Korea
      {"Tokyo", 35.7, 139.7, 262},   // Japan
      {"AGD84", -33, 151, 31},
      {"Pulkovo 1942", 55.75, 37.6, 210},
      {"EPSG:4326", 10, 10, 269},
  };
  for (const auto& c : cases) {
    const TDatumChoice choice("--from", c.Datum);
    int found = 0;
    try {
      found = choice.For(c.Lat, c.Lon);
    } catch (const EInputError& e) {
      ADD_FAILURE() << c.Datum << ": " << e.what();
    }
    if (c.Record == 59 && std::string(c.Datum) == "EPSG:4230") {
      // Whatever wins must cover the position with the smallest area.
      for (int n : choice.Candidates())
        if (AreaContains(DatumEpsg(n), c.Lat, c.Lon)) {
          EXPECT_LE(AreaSize(DatumEpsg(found)), AreaSize(DatumEpsg(n)));
        }
      continue;
    }
    EXPECT_EQ(found, c.Record) << c.Datum << " at " << c.Lat << " " << c.Lon;
  }
  // Through the tool: the EPSG form gives what the chosen number gives.
  EXPECT_EQ(RunTool("helmert --from EPSG:4230 --to EPSG:4326 38 23.7").Out, RunTool("helmert -f 74 -t 269 38 23.7").Out);
  EXPECT_EQ(RunTool("helmert -f NAD27 -t WGS84 21.5 -79").Out, RunTool("helmert -f 168 -t 269 21.5 -79").Out);
  EXPECT_EQ(RunTool("helmert -f AGD84 -t WGS84 -- -33 151").Out, RunTool("helmert -f 31 -t 269 -- -33 151").Out);
  EXPECT_EQ(RunTool("helmert -f 'Pulkovo 1942' -t WGS84 55.75 37.6").Out,
            RunTool("helmert -f 210 -t 269 55.75 37.6").Out);
  EXPECT_EQ(RunTool("helmert -f WGS84 -t Tokyo 26.5 127.9").Out, RunTool("helmert -f 269 -t 264 26.5 127.9").Out);
  // Outside every record's area: a bad line that names the candidates.
  const TToolRun nowhere = RunTool("helmert -f Tokyo -t WGS84", "0 0\n35.7 139.7\n");
  EXPECT_EQ(nowhere.ExitCode, 1);
  EXPECT_EQ(nowhere.OutLines().front(), "ERROR");
  EXPECT_TRUE(Contains(nowhere.Err, "262, 263, 264")) << nowhere.Err;
  // Unknown codes and full names shared by several records stay usage errors.
  EXPECT_EQ(RunTool("helmert -f EPSG:9999999 -t 269 0 0").ExitCode, 2);
  EXPECT_EQ(RunTool("helmert -f EPSG:abc -t 269 0 0").ExitCode, 2);
  EXPECT_EQ(RunTool("helmert -f 'european datum 1950' -t 269 52 13").ExitCode, 2);
}

TEST(CliDatumEpsg, DatumsListingAsJsonCarriesTheCodes) {
  const TToolRun run = RunTool("datums --json 'PULKOVO 1942'");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out.front(), '[');
  EXPECT_TRUE(Contains(run.Out, "\"number\":211,\"name\":\"PULKOVO 1942\",\"area\":\"Germany\""));
  EXPECT_TRUE(Contains(run.Out, "\"epsg_transformation\":1675,\"epsg_match\":\"rotation signs reversed\""));
  EXPECT_TRUE(Contains(run.Out, "\"epsg_crs\":4284")) << run.Out;
}

}  // namespace
}  // namespace orq::cli::test
