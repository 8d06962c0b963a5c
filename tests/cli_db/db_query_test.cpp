// list, find, region, get-blob and delete on a small database of known items.
#include "DbToolFixture.h"

namespace orq::cli::test {
namespace {

class DbQuery : public DbTool {
 protected:
  void SetUp() override {
    Create();
    for (const char* town : {"Bern 46.948 7.4474 --class 1", "Bernau 52.68 13.59 --class 2",
                             "Zürich 47.3769 8.5417 --class 1", "Suva -18.14 178.44", "Apia -13.83 -171.77"})
      ASSERT_EQ(Db("add-town", town).ExitCode, 0) << town;
    ASSERT_EQ(Db("add-polygon", "'Lake Bern' lake", "46.9 7.4\n47.0 7.5\n").ExitCode, 0);
  }
  // The POS column of table or tab-separated output.
  static std::vector<int> Positions(const TToolRun& Run) {
    std::vector<int> positions;
    for (const std::string& line : Run.OutLines()) {
      const auto fields = Fields(line);
      if (!fields.empty() && fields[0] != "Pos") positions.push_back(std::stoi(fields[0]));
    }
    return positions;
  }
};

TEST_F(DbQuery, ListShowsEveryItemWithItsBox) {
  const TToolRun run = Db("list");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const auto lines = run.OutLines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(Fields(lines[0]), (std::vector<std::string>{"Pos", "ItemID", "Kind", "Class", "LatLow", "LatHigh",
                                                        "LongLow", "LongHigh", "Name"}));
  EXPECT_EQ(Fields(lines[6]), (std::vector<std::string>{"6", "6", "Lake", "0", "46.9", "47", "7.4", "7.5", "Lake",
                                                        "Bern"}));
  // Columns line up: every line has its name at the same column.
  EXPECT_EQ(lines[1].find("Bern"), lines[0].find("Name"));
  EXPECT_EQ(lines[6].find("Lake Bern"), lines[0].find("Name"));

  const TToolRun tsv = Db("list", "--kind lake --tsv");
  EXPECT_EQ(tsv.Out, "6\t6\tLake\t0\t46.9\t47\t7.4\t7.5\tLake Bern\n");
  EXPECT_EQ(Db("list", "--kind volcano").ExitCode, 2);
}

TEST_F(DbQuery, FindMatchesWholeNamesWithWildcardsAndFilters) {
  EXPECT_EQ(Positions(Db("find", "bern")), (std::vector<int>{1}));
  EXPECT_EQ(Positions(Db("find", "'bern*'")), (std::vector<int>{1, 2}));
  EXPECT_EQ(Positions(Db("find", "'*bern*'")), (std::vector<int>{1, 2, 6}));
  EXPECT_EQ(Positions(Db("find", "'?ern*'")), (std::vector<int>{1, 2}));
  EXPECT_EQ(Positions(Db("find", "'ZÜRICH'")), (std::vector<int>{3})) << "case ignored beyond ASCII";
  EXPECT_EQ(Positions(Db("find", "'*bern*' --kind town")), (std::vector<int>{1, 2}));
  EXPECT_EQ(Positions(Db("find", "'*' --class 1")), (std::vector<int>{1, 3}));
  EXPECT_EQ(Positions(Db("find", "'*' --kind lake --class 1")), (std::vector<int>{}));
  const TToolRun none = Db("find", "Paris");
  EXPECT_EQ(none.ExitCode, 0);
  EXPECT_EQ(none.Out, "");
}

TEST_F(DbQuery, RegionFindsBoxesMeetingTheWindowAcrossTheDateLine) {
  EXPECT_EQ(Positions(Db("region", "46 48 7 9")), (std::vector<int>{1, 3, 6}));
  EXPECT_EQ(Positions(Db("region", "47 47 7.5 7.5")), (std::vector<int>{6})) << "touching counts";
  EXPECT_EQ(Positions(Db("region", "46 48 7 9 --kind town")), (std::vector<int>{1, 3}));
  EXPECT_EQ(Positions(Db("region", "-20 -10 170 -170")), (std::vector<int>{4, 5}));
  EXPECT_EQ(Positions(Db("region", "-20 -10 -170 170")), (std::vector<int>{})) << "the other way round";
  const TToolRun inverted = Db("region", "48 46 7 9");
  EXPECT_EQ(inverted.ExitCode, 1);
  EXPECT_EQ(inverted.ErrLines().size(), 1u);
  EXPECT_EQ(Db("region", "46 48 7 x").ExitCode, 1);
  EXPECT_EQ(Db("region", "46 48 7").ExitCode, 2);
}

TEST_F(DbQuery, GetBlobRefusesOtherKindsAndMissingItems) {
  EXPECT_EQ(Db("get-blob", "1").ExitCode, 1);
  EXPECT_EQ(Db("get-blob", "7").ExitCode, 1);
  EXPECT_EQ(Db("get-blob", "0").ExitCode, 1) << "positions start at 1";
  EXPECT_EQ(Db("get-blob", "--id 99").ExitCode, 1);
}

TEST_F(DbQuery, GetBlobFromACutDataFileFailsAndLeavesNoPartialFile) {
  ASSERT_EQ(Db("add-blob", "- --name big.bin", std::string(50000, 'b')).ExitCode, 0);
  fs::resize_file(Base + ".orqgdd", fs::file_size(Base + ".orqgdd") - 100);
  const TToolRun run = Db("get-blob", "7 -o " + Quoted(File("big.bin")));
  EXPECT_EQ(run.ExitCode, 3);
  EXPECT_TRUE(Contains(run.Err, "ends inside")) << run.Err;
  EXPECT_FALSE(fs::exists(File("big.bin")));
  EXPECT_EQ(Db("get-blob", "7").ExitCode, 3);
}

TEST_F(DbQuery, DeleteResolvesAllItemsBeforeAnyPositionMoves) {
  // Deleting 1 moves item 6 to position 1; a naive second delete of "6"
  // would then hit nothing, and "2" the wrong item after further moves.
  const TToolRun run = Db("delete", "1 6 2");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "moved from position")) << run.Out;
  const auto opened = Open();
  std::vector<std::string> names;
  for (int p = 1; p <= opened->Db.NumEntries(); ++p) names.push_back(opened->Db.Data(p).Name.str());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Apia", "Suva", "Zürich"}));
  EXPECT_EQ(fs::file_size(Base + ".orqgi0"), 3u * 8);
}

TEST_F(DbQuery, DeleteByItemIDAndBadReferencesDeleteNothing) {
  ASSERT_EQ(Db("delete", "--id 3").ExitCode, 0);
  EXPECT_EQ(Open()->Db.SearchForItemID(3), 0);
  for (const char* arguments : {"--id 3", "9", "0", "x", "1 9"}) {
    EXPECT_EQ(Db("delete", arguments).ExitCode, 1) << arguments;
    EXPECT_EQ(ReadSystemInformation(Base).NumEntries, 5) << arguments;
  }
}

}  // namespace
}  // namespace orq::cli::test
