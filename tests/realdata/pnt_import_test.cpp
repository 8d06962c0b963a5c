// MWDB-II PNT files: the reader on hand-made records (lines, detail levels,
// the antimeridian, damaged files), and `db import-pnt` on them and on the
// real files.
#include <chrono>

#include "RealData.h"
#include "db_commands.h"
#include "orqcarta/Orq_GeoDB.h"
#include "pnt_reader.h"

namespace orq::cli::test {
namespace {

struct TRec {
  int Header, Lat, Long;  // arc-minutes
};

std::vector<uint8_t> Pnt(const std::vector<TRec>& Records) {
  std::vector<uint8_t> b;
  for (const TRec& r : Records)
    for (int v : {r.Header, r.Lat, r.Long}) {
      b.push_back(static_cast<uint8_t>(v & 0xFF));
      b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
  return b;
}

TPntContents Parse(const std::vector<uint8_t>& Bytes, int MinLevel = 1) {
  return ParsePnt(Bytes.data(), Bytes.size(), MinLevel);
}

TEST(PntReader, HeadersAboveThousandStartLinesAndPositionsAreArcMinutes) {
  const auto c = Parse(Pnt({{1001, 2929, 141}, {2, 2940, 150}, {1, -30, -600},  // line 1001
                            {5002, 60, 60}, {3, 120, 90}}));                      // line 5002
  ASSERT_EQ(c.Lines.size(), 2u);
  EXPECT_EQ(c.Records, 5);
  EXPECT_EQ(c.Lines[0].Header, 1001);
  ASSERT_EQ(c.Lines[0].Points.size(), 3u);
  EXPECT_FLOAT_EQ(c.Lines[0].Points[0].Latit, 2929 / 60.0f);
  EXPECT_FLOAT_EQ(c.Lines[0].Points[0].Longit, 141 / 60.0f);
  EXPECT_FLOAT_EQ(c.Lines[0].Points[2].Latit, -0.5f);
  EXPECT_FLOAT_EQ(c.Lines[0].Points[2].Longit, -10.0f);
  EXPECT_EQ(c.Lines[1].Header, 5002);
  EXPECT_EQ(c.Lines[1].Points.size(), 2u);
}

TEST(PntReader, MinLevelLeavesOutFinerPointsButNeverALinesStart) {
  const auto bytes = Pnt({{1001, 0, 0}, {1, 1, 1}, {3, 2, 2}, {5, 3, 3}, {2, 4, 4}});
  EXPECT_EQ(Parse(bytes, 1).Lines[0].Points.size(), 5u);
  const auto c = Parse(bytes, 3);
  ASSERT_EQ(c.Lines.size(), 1u);
  ASSERT_EQ(c.Lines[0].Points.size(), 3u);  // the start, level 3 and level 5
  EXPECT_FLOAT_EQ(c.Lines[0].Points[1].Latit, 2 / 60.0f);
  EXPECT_EQ(c.DroppedPoints, 2);
  // A line left with its start alone is no line.
  const auto lone = Parse(Pnt({{1001, 0, 0}, {1, 1, 1}, {1002, 5, 5}, {4, 6, 6}}), 3);
  EXPECT_EQ(lone.Lines.size(), 1u);
  EXPECT_EQ(lone.ShortLines, 1);
}

TEST(PntReader, ALineCrossingTheAntimeridianIsCutOnIt) {
  // East across 180: 179 -> -179 (2 degrees of real step), latitude 10 -> 12.
  const auto east = Parse(Pnt({{1001, 600, 179 * 60}, {1, 720, -179 * 60}, {1, 780, -178 * 60}}));
  ASSERT_EQ(east.Lines.size(), 2u);
  EXPECT_EQ(east.AntimeridianSplits, 1);
  ASSERT_EQ(east.Lines[0].Points.size(), 2u);
  EXPECT_FLOAT_EQ(east.Lines[0].Points[1].Longit, 180.0f);
  EXPECT_FLOAT_EQ(east.Lines[0].Points[1].Latit, 11.0f);
  ASSERT_EQ(east.Lines[1].Points.size(), 3u);
  EXPECT_FLOAT_EQ(east.Lines[1].Points[0].Longit, -180.0f);
  EXPECT_FLOAT_EQ(east.Lines[1].Points[0].Latit, 11.0f);
  EXPECT_EQ(east.Lines[1].Header, 1001);
  // West across -180, a quarter of the way: -179.5 -> 178.5.
  const auto west = Parse(Pnt({{1001, 0, -1077 * 10}, {1, 240, 1071 * 10}}));
  ASSERT_EQ(west.Lines.size(), 2u);
  EXPECT_FLOAT_EQ(west.Lines[0].Points[1].Longit, -180.0f);
  EXPECT_FLOAT_EQ(west.Lines[0].Points[1].Latit, 1.0f);
  EXPECT_FLOAT_EQ(west.Lines[1].Points[0].Longit, 180.0f);
  // A step under 180 degrees goes the short way, through 0, not across 180.
  EXPECT_EQ(Parse(Pnt({{1001, 0, -100 * 60}, {1, 0, 79 * 60}})).Lines.size(), 1u);
}

TEST(PntReader, DamagedFilesAreRefusedWithTheReason) {
  auto bytes = Pnt({{1001, 0, 0}, {1, 1, 1}});
  bytes.pop_back();
  EXPECT_THROW(Parse(bytes), EInputError);
  try {
    Parse(Pnt({{1001, 0, 0}, {1, 5401, 0}}));
    FAIL();
  } catch (const EInputError& e) {
    EXPECT_NE(std::string(e.what()).find("record 2: position out of range"), std::string::npos) << e.what();
  }
  EXPECT_THROW(Parse(Pnt({{1001, 0, -10801}})), EInputError);
  EXPECT_TRUE(Parse({}).Lines.empty());
}

class ImportPnt : public ScratchDir {
 protected:
  TRun Db(std::vector<std::string> Args) { return RunInProcess(RegisterDbCommands, "db", std::move(Args)); }
  std::string Base() const { return At("geo"); }
};

TEST_F(ImportPnt, EachLineBecomesAnItemWithItsBoxAndKind) {
  ASSERT_EQ(Db({"create", Base()}).ExitCode, 0);
  WriteBytes(At("LAKES.PNT"), Pnt({{6001, 600, 600}, {1, 660, 720}, {1, 540, 690}, {1, 600, 600},  // closed
                                   {6002, -60, 179 * 60}, {1, -60, -179 * 60}}));                    // crosses 180
  const TRun run = Db({"import-pnt", Base(), At("LAKES.PNT"), "--kind", "lake"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "imported 3 lines, 8 points, from 6 records; 1 cut at 180 degrees\n");
  TGeoDB db;
  db.SetDBName(Base());
  ASSERT_EQ(db.NumEntries(), 3);
  const TgdbData a = db.GetSumdata(1);
  EXPECT_EQ(a.ItemKind, gitLake);
  EXPECT_EQ(std::string(a.Name), "LAKES 6001");
  EXPECT_EQ(a.Tag, 6001);
  EXPECT_EQ(a.NumPoints, 4);
  EXPECT_FLOAT_EQ(a.LatLow, 9);
  EXPECT_FLOAT_EQ(a.LatHigh, 11);
  EXPECT_FLOAT_EQ(a.LongLow, 10);
  EXPECT_FLOAT_EQ(a.LongHigh, 12);
  // The two halves of the crossing line lie at either edge of the world.
  EXPECT_EQ(db.FindItemsInRegion(-2, 0, 179, 180), (std::vector<int>{2}));
  EXPECT_EQ(db.FindItemsInRegion(-2, 0, -180, -179), (std::vector<int>{3}));
  EXPECT_TRUE(db.FindItemsInRegion(-2, 0, -170, 170).empty());
  std::vector<TSCoords> poly;
  ASSERT_TRUE(db.RetrievePolygon(1, poly));
  EXPECT_EQ(poly.front(), poly.back());
}

TEST_F(ImportPnt, ABadFileOrKindAddsNothing) {
  ASSERT_EQ(Db({"create", Base()}).ExitCode, 0);
  WriteBytes(At("BAD.PNT"), Pnt({{1001, 0, 0}, {1, 9999, 0}}));
  TRun run = Db({"import-pnt", Base(), At("BAD.PNT")});
  EXPECT_EQ(run.ExitCode, ExitBadInput);
  EXPECT_NE(run.Err.find("record 2: position out of range"), std::string::npos) << run.Err;
  run = Db({"import-pnt", Base(), At("BAD.PNT"), "--kind", "town"});
  EXPECT_EQ(run.ExitCode, ExitUsage);
  run = Db({"import-pnt", Base(), At("MISSING.PNT")});
  EXPECT_EQ(run.ExitCode, ExitFailure);
  run = Db({"import-pnt", At("nodb"), At("BAD.PNT")});
  EXPECT_EQ(run.ExitCode, ExitFailure);
  EXPECT_FALSE(fs::exists(At("nodb.orqgdd")));
  TGeoDB db;
  db.SetDBName(Base());
  EXPECT_EQ(db.NumEntries(), 0);
}

// All of MWDB-II in one database, and the coastline near Paris found again.
TEST_F(ImportPnt, TheWholeWorldDataBankImports) {
  ORQ_REQUIRE_MARBLE_DATA();
  ASSERT_EQ(Db({"create", Base()}).ExitCode, 0);
  const struct {
    const char* File;
    const char* Kind;
  } files[] = {{"PCOAST", "border"}, {"PISLAND", "border"}, {"PLAKE", "lake"},       {"RIVER", "river"},
               {"PDIFFBORDER", "border"}, {"PGLACIER", "border"}, {"PLAKEISLAND", "border"}};
  for (const auto& f : files) {
    const TRun run = Db({"import-pnt", Base(), (MarbleData() / "mwdbii" / (std::string(f.File) + ".PNT")).string(),
                         "--kind", f.Kind});
    ASSERT_EQ(run.ExitCode, 0) << f.File << ": " << run.Err;
  }
  TGeoDB db;
  db.SetDBName(Base());
  EXPECT_GT(db.NumEntries(), 1000);
  long points = 0;
  for (int i = 1; i <= db.NumEntries(); ++i) points += db.GetSumdata(i).NumPoints;
  EXPECT_GT(points, 190000);
  // The Channel coast between Le Havre and Calais, a river (the Seine) and
  // borders meet a window around Paris; the middle of the Pacific holds
  // islands only.
  int borders = 0, rivers = 0;
  for (int i : db.FindItemsInRegion(48, 51, 0, 3)) {
    borders += db.GetSumdata(i).ItemKind == gitBorder;
    rivers += db.GetSumdata(i).ItemKind == gitRiver;
  }
  EXPECT_GT(borders, 0);
  EXPECT_GT(rivers, 0);
  for (int i : db.FindItemsInRegion(-5, 5, -150, -140)) EXPECT_NE(db.GetSumdata(i).ItemKind, gitRiver);
}

}  // namespace
}  // namespace orq::cli::test
