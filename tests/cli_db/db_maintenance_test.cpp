// reindex, gc, dump, the progress bar, and damaged files.
#include <random>

#include "DbToolFixture.h"

namespace orq::cli::test {
namespace {

using DbMaintenance = DbTool;

TEST_F(DbMaintenance, ReindexRepairsLostIndexFilesAndWritersRepairThemFirst) {
  Create();
  for (const char* town : {"A 1 1", "B 2 2", "C 3 3"}) ASSERT_EQ(Db("add-town", town).ExitCode, 0);
  fs::remove(Base + ".orqgi0");
  fs::resize_file(Base + ".orqgi3", 5);
  EXPECT_TRUE(Contains(Db("info").Out, "do not match the items"));
  EXPECT_FALSE(fs::exists(Base + ".orqgi0")) << "info changes nothing";

  const TToolRun run = Db("reindex");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "rebuilt the indexes of 3 items\n");
  EXPECT_TRUE(Contains(Db("info").Out, "match the items"));
  EXPECT_EQ(Open()->Db.SearchForItemID(2), 2);

  fs::remove(Base + ".orqgi4");
  const TToolRun add = Db("add-town", "D 4 4");
  ASSERT_EQ(add.ExitCode, 0);
  EXPECT_TRUE(Contains(add.Err, "rebuilding")) << add.Err;
  for (int d = 0; d <= 4; ++d) EXPECT_EQ(fs::file_size(Base + ".orqgi" + std::to_string(d)), 32u) << d;
}

TEST_F(DbMaintenance, GcFreesDeletedPayloadsAndKeepsTheRest) {
  Create();
  ASSERT_EQ(Db("add-blob", "- --name a.bin", std::string(3000, 'a')).ExitCode, 0);
  ASSERT_EQ(Db("add-blob", "- --name b.bin", std::string(5000, 'b')).ExitCode, 0);
  ASSERT_EQ(Db("add-polygon", "R river", "1 1\n2 2\n").ExitCode, 0);
  ASSERT_EQ(Db("delete", "1").ExitCode, 0);
  const TToolRun run = Db("gc");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "freed 4024 bytes; the data file holds " + std::to_string(260 + 1024 + 5000 + 16) + " bytes\n");
  EXPECT_EQ(Db("get-blob", "--id 2").Out, std::string(5000, 'b'));
  std::vector<TSCoords> points;
  ASSERT_TRUE(Open()->Db.RetrievePolygon(1, points)) << "the river moved into position 1";
  EXPECT_EQ(points.size(), 2u);
}

TEST_F(DbMaintenance, DumpShowsHeaderItemsAndIndexes) {
  ASSERT_EQ(Db("create", "-d Dumped").ExitCode, 0);
  ASSERT_EQ(Db("add-town", "Bern 46.95 7.45").ExitCode, 0);
  const TToolRun run = Db("dump");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  for (const char* part : {"Description: Dumped", "NumEntries: 1", "Name=\"Bern\"", "Index 4"})
    EXPECT_TRUE(Contains(run.Out, part)) << part;
  ASSERT_EQ(Db("dump", "-o " + Quoted(File("dump.txt"))).ExitCode, 0);
  EXPECT_EQ(ReadAll(File("dump.txt")), run.Out);
  EXPECT_EQ(Db("dump", "-o " + Quoted(File("no/such/dir/dump.txt"))).ExitCode, 3);
}

TEST_F(DbMaintenance, ProgressBarOnlyWhenAskedForOffATerminal) {
  Create();
  const std::string data(40000, 'x');
  const TToolRun quiet = Db("add-blob", "- --name q.bin", data);
  EXPECT_EQ(quiet.Err, "");
  const TToolRun shown = Db("add-blob", "- --name s.bin --progress", data);
  ASSERT_EQ(shown.ExitCode, 0);
  // The database reports 0, 41, 82 and 100 for a 40000-byte BLOB.
  for (const char* percent : {"  0 %", " 41 %", " 82 %", "100 %"})
    EXPECT_TRUE(Contains(shown.Err, percent)) << percent << " in " << shown.Err;
  EXPECT_EQ(shown.Err.back(), '\n');
  EXPECT_EQ(shown.Out, "added \"s.bin\": position 2, ItemID 2\n");
}

TEST_F(DbMaintenance, DamagedFilesGiveErrorsOrResultsButNeverACrash) {
  Create();
  for (const char* town : {"A 1 1", "B 2 2"}) ASSERT_EQ(Db("add-town", town).ExitCode, 0);
  ASSERT_EQ(Db("add-blob", "- --name c.bin", std::string(20000, 'c')).ExitCode, 0);
  const std::string pristine[2] = {ReadAll(Base + ".orqgds"), ReadAll(Base + ".orqgdd")};
  std::mt19937 random(7);
  for (int round = 0; round < 12; ++round) {
    const int which = round % 2;
    const std::string path = Base + (which == 0 ? ".orqgds" : ".orqgdd");
    std::string bytes = pristine[which];
    for (int flips = 0; flips < 40; ++flips) bytes[random() % bytes.size()] = static_cast<char>(random());
    if (round % 3 == 0) bytes.resize(random() % bytes.size());
    Write(path, bytes);
    for (const char* command : {"info", "list", "find *", "region -90 90 -180 180", "get-blob 3", "dump"}) {
      const std::string name = command;
      const auto blank = name.find(' ');
      const TToolRun run = Db(name.substr(0, blank), blank == std::string::npos ? "" : "'" + name.substr(blank + 1) + "'");
      EXPECT_LE(run.ExitCode, 3) << command << " round " << round << ": " << run.Err;
    }
    Write(path, pristine[which]);
  }
}

}  // namespace
}  // namespace orq::cli::test
