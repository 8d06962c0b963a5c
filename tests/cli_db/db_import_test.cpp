// import-towns through the tool, and the CSV reader behind it.
#include "DbToolFixture.h"
#include "ErrorReport.h"
#include "db_town_csv.h"

namespace orq::cli::test {
namespace {

using DbImport = DbTool;

TEST_F(DbImport, ImportsGoodRowsAndReportsBadOnesByLine) {
  Create();
  Write(File("towns.csv"),
        "\xEF\xBB\xBFname,lat,long,altitude,class,tag,population\r\n"
        "\"Washington, D.C.\",38.9,-77.04,,3,,700000\r\n"
        "Atlantis,95,0\r\n"
        "\r\n"
        "Paris,48.85,2.35,35,1,12\r\n"
        "Washington, D.C.,38.9,-77.04\r\n"
        "\"Broken,1,2\r\n");
  const TToolRun run = RunTool("db import-towns " + Quoted(Base) + " " + Quoted(File("towns.csv")));
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out, "imported 2 towns; 3 lines rejected\n");
  const auto errors = run.ErrLines();
  ASSERT_EQ(errors.size(), 4u) << run.Err;
  EXPECT_TRUE(Contains(errors[0], "\"population\"")) << errors[0];
  EXPECT_TRUE(Contains(errors[1], "line 3: latitude 95")) << errors[1];
  EXPECT_TRUE(Contains(errors[2], "line 6: ")) << errors[2];
  EXPECT_TRUE(Contains(errors[3], "line 7: ")) << errors[3];

  const auto opened = Open();
  ASSERT_EQ(opened->Db.NumEntries(), 2);
  const TgdbData washington = opened->Db.Data(1), paris = opened->Db.Data(2);
  EXPECT_EQ(washington.Name.str(), "Washington, D.C.");
  EXPECT_EQ(washington.ClassFlag, 3);
  EXPECT_EQ(paris.LatLow, 48.85f);
  EXPECT_EQ(paris.LongHigh, 2.35f);
  EXPECT_EQ(paris.Altitude, 35.0f);
  EXPECT_EQ(paris.Tag, 12);
  EXPECT_EQ(fs::file_size(Base + ".orqgi2"), 16u) << "indexes saved after the batch";
}

TEST_F(DbImport, ReadsStandardInputAndRefusesAFileWithoutItsColumns) {
  Create();
  EXPECT_EQ(Db("import-towns", "", "lat;name;long\n46,95;Bern;7,45\n").ExitCode, 0);
  EXPECT_EQ(Open()->Db.Data(1).LatLow, 46.95f) << "decimal comma beside semicolons";
  for (const char* input : {"", "\n\n", "name,lat\nX,1\n", "name,lat,long,lat\n"}) {
    const TToolRun run = Db("import-towns", "-", input);
    EXPECT_EQ(run.ExitCode, 1) << input;
    EXPECT_EQ(run.ErrLines().size(), 1u) << run.Err;
  }
  EXPECT_EQ(ReadSystemInformation(Base).NumEntries, 1);
}

TEST_F(DbImport, ManyTownsInOneBatch) {
  Create();
  std::string csv = "name,lat,long\n";
  for (int i = 0; i < 20000; ++i)
    csv += "T" + std::to_string(i) + "," + std::to_string(-80 + i % 160) + "," + std::to_string(-170 + i % 340) + "\n";
  const TToolRun run = Db("import-towns", "-", csv);
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "imported 20000 towns\n");
  const auto opened = Open();
  EXPECT_EQ(opened->Db.SearchForItemID(12345), 12345);
  EXPECT_EQ(opened->Db.IxLatLow(1).LLValue, -80.0f);
}

TEST_F(DbImport, ProgressFollowsTheFileAndBadRowsBreakTheBar) {
  Create();
  std::string csv = "name,lat,long\n";
  for (int i = 0; i < 3000; ++i) csv += "T,1,2\n";
  csv += "Bad,1\n";
  Write(File("t.csv"), csv);
  const TToolRun quiet = Db("import-towns", Quoted(File("t.csv")));
  EXPECT_EQ(quiet.ErrLines().size(), 1u) << "only the bad row: " << quiet.Err;
  const TToolRun shown = Db("import-towns", Quoted(File("t.csv")) + " --progress");
  EXPECT_EQ(shown.ExitCode, 1);
  EXPECT_TRUE(Contains(shown.Err, "100 %")) << shown.Err;
  // The error starts a line of its own, never in the middle of the bar.
  const auto at = shown.Err.find("orqcarta db import-towns: line 3002");
  ASSERT_NE(at, std::string::npos) << shown.Err;
  EXPECT_EQ(shown.Err[at - 1], '\n');
}

TEST(TownCsv, SplitsQuotedFields) {
  EXPECT_EQ(SplitCsvLine("a,\"b, c\",\"say \"\"hi\"\"\",,\r", ','),
            (std::vector<std::string>{"a", "b, c", "say \"hi\"", "", ""}));
  EXPECT_EQ(SplitCsvLine("", ','), (std::vector<std::string>{""}));
  EXPECT_THROW(SplitCsvLine("a,\"b", ','), EInputError);
}

TEST(TownCsv, ColumnsByHeadingInAnyOrder) {
  const TTownCsvReader reader("Tag\tLongitude\tNAME\tLatitude\tClass");
  EXPECT_EQ(reader.Separator(), '\t');
  const TTownRow row = reader.ParseRow(" -5 \t 7.5\t Bern \t46.9\t200");
  EXPECT_EQ(row.Name, "Bern");
  EXPECT_EQ(row.Latit, 46.9);
  EXPECT_EQ(row.Longit, 7.5);
  EXPECT_EQ(row.ClassNumber, 200);
  EXPECT_EQ(row.Tag, -5);
  EXPECT_EQ(reader.ParseRow("\t1\tX\t2").Tag, 0) << "missing cells at the end are 0";
}

TEST(TownCsv, RejectsBadCells) {
  const TTownCsvReader reader("name,lat,long,altitude,class,tag");
  for (const char* row : {",1,2", "X,,2", "X,1", "X,1,2,3,4,5,6", "X,1,2,inf", "X,1,2,0,-1", "X,1,2,0,0,1.5",
                          "X,0x10,2", "X,1,181"})
    EXPECT_THROW(reader.ParseRow(row), EInputError) << row;
  EXPECT_THROW(TTownCsvReader("name,latitude,lat,long"), EInputError);
}

}  // namespace
}  // namespace orq::cli::test
