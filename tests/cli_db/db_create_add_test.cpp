// create, info and the add commands: what lands in the files, and that bad
// input changes nothing.
#include "DbToolFixture.h"

namespace orq::cli::test {
namespace {

using DbCreate = DbTool;
using DbAdd = DbTool;

TEST_F(DbCreate, WritesAnEmptyDatabaseWithDescriptionAndRevision) {
  const TToolRun run = Db("create", "-d 'Alpine towns' --revision 3");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(fs::file_size(Base + ".orqgdd"), 260u);
  for (const char* ext : {".orqgds", ".orqgi0", ".orqgi1", ".orqgi2", ".orqgi3", ".orqgi4"})
    EXPECT_EQ(fs::file_size(Base + ext), 0u) << ext;
  const TgdbSystemInformation info = ReadSystemInformation(Base);
  EXPECT_EQ(info.Description, "Alpine towns");
  EXPECT_EQ(info.Revision, 3);
  EXPECT_EQ(info.DBVersion, 4);

  const TToolRun shown = Db("info");
  EXPECT_EQ(shown.ExitCode, 0) << shown.Err;
  for (const char* line : {"Description: Alpine towns", "Revision:    3", "Version:     4", "Items:       0",
                           "data, 260 bytes", "Indexes:     match the items"})
    EXPECT_TRUE(Contains(shown.Out, line)) << line << " in\n" << shown.Out;
}

TEST_F(DbCreate, RefusesAnExistingDatabaseAndLeavesItAlone) {
  Create();
  ASSERT_EQ(Db("add-town", "Bern 46.95 7.45").ExitCode, 0);
  const std::string summary = ReadAll(Base + ".orqgds");
  const TToolRun again = Db("create", "-d other");
  EXPECT_EQ(again.ExitCode, 3);
  EXPECT_TRUE(Contains(again.Err, "already exists")) << again.Err;
  EXPECT_EQ(ReadAll(Base + ".orqgds"), summary);
  EXPECT_EQ(ReadSystemInformation(Base).Description, "");
}

TEST_F(DbCreate, CutsALongDescriptionWithAWarning) {
  const TToolRun run = Db("create", "-d '" + std::string(70, 'x') + "'");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_TRUE(Contains(run.Err, "cut to 60")) << run.Err;
  EXPECT_EQ(ReadSystemInformation(Base).Description, std::string(60, 'x'));
}

TEST_F(DbCreate, CommandsOnAMissingDatabaseFailWithoutCreatingIt) {
  for (const char* command : {"info", "list", "add-town X 1 2", "delete 1", "reindex", "gc", "dump", "find x"}) {
    const std::string name = command;
    const auto blank = name.find(' ');
    const TToolRun run = Db(name.substr(0, blank), blank == std::string::npos ? "" : name.substr(blank + 1));
    EXPECT_EQ(run.ExitCode, 3) << command;
    EXPECT_EQ(run.ErrLines().size(), 1u) << command << ": " << run.Err;
  }
  EXPECT_TRUE(fs::is_empty(Dir)) << "no file may be created";
}

TEST_F(DbAdd, TownKeepsEveryFieldGiven) {
  Create();
  const TToolRun run = Db("add-town", "Zürich 47.3769 8.5417 --altitude 408 --class 2 --tag -7 --state 5");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "added \"Zürich\": position 1, ItemID 1\n");
  const auto opened = Open();
  const TgdbData d = opened->Db.Data(1);
  EXPECT_EQ(d.ItemKind, gitTown);
  EXPECT_EQ(d.Name.str(), "Zürich");
  EXPECT_EQ(d.LatLow, 47.3769f);
  EXPECT_EQ(d.LatHigh, 47.3769f);
  EXPECT_EQ(d.LongLow, 8.5417f);
  EXPECT_EQ(d.Altitude, 408.0f);
  EXPECT_EQ(d.ClassFlag, 2);
  EXPECT_EQ(d.Tag, -7);
  EXPECT_EQ(d.StateFlag, 5);
  EXPECT_GT(d.Date, 40000.0) << "dated now";
}

TEST_F(DbAdd, BadArgumentsAddNothingAndSpendNoItemID) {
  Create();
  for (const char* arguments : {"X 91 0", "X 0 -181", "X abc 0", "X 1 2 --altitude nan", "X 1 2 --altitude 1e39", "' ' 1 2"}) {
    const TToolRun run = Db("add-town", arguments);
    EXPECT_EQ(run.ExitCode, 1) << arguments;
    EXPECT_EQ(run.ErrLines().size(), 1u) << arguments << ": " << run.Err;
  }
  for (const char* arguments : {"X 1 2 --class 256", "X 1 2 --tag x", "X 1"})
    EXPECT_EQ(Db("add-town", arguments).ExitCode, 2) << arguments;
  const TgdbSystemInformation info = ReadSystemInformation(Base);
  EXPECT_EQ(info.NumEntries, 0);
  EXPECT_EQ(info.HighestID, 0);
}

TEST_F(DbAdd, NegativeCoordinatesAndLongNames) {
  Create();
  const TToolRun run = Db("add-town", "'" + std::string(65, 'n') + "' -33.9 -18.4");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_TRUE(Contains(run.Err, "cut to 59")) << run.Err;
  const TgdbData d = Open()->Db.Data(1);
  EXPECT_EQ(d.Name.str(), std::string(59, 'n'));
  EXPECT_EQ(d.LatLow, -33.9f);
  EXPECT_EQ(d.LongLow, -18.4f);
}

TEST_F(DbAdd, PolygonFromFileOrStandardInputGetsItsBoxAndClosedFlag) {
  Create();
  Write(File("border.txt"), "# outline\n47.1 8.2\n\n47.9, 9.5\n47.5\t8.7\r\n");
  ASSERT_EQ(Db("add-polygon", "Canton border " + Quoted(File("border.txt")) + " --closed").ExitCode, 0);
  ASSERT_EQ(Db("add-polygon", "Rhine river -", "47.6 7.6\n51.9 6.1\n").ExitCode, 0);
  ASSERT_EQ(Db("add-polygon", "Lake lake", "46.2 6.1\n46.5 6.9\n").ExitCode, 0);
  const auto opened = Open();
  const TGeoDB& db = opened->Db;
  ASSERT_EQ(db.NumEntries(), 3);
  const TgdbData border = db.Data(1);
  EXPECT_EQ(border.ItemKind, gitBorder);
  EXPECT_TRUE(border.Closed);
  EXPECT_EQ(border.NumPoints, 3);
  EXPECT_EQ(border.LatLow, 47.1f);
  EXPECT_EQ(border.LatHigh, 47.9f);
  EXPECT_EQ(border.LongLow, 8.2f);
  EXPECT_EQ(border.LongHigh, 9.5f);
  EXPECT_EQ(db.Data(2).ItemKind, gitRiver);
  EXPECT_FALSE(db.Data(2).Closed);
  EXPECT_TRUE(db.Data(3).Closed) << "lakes are closed without --closed";
  std::vector<TSCoords> points;
  ASSERT_TRUE(opened->Db.RetrievePolygon(1, points));
  EXPECT_EQ(points, (std::vector<TSCoords>{{47.1f, 8.2f}, {47.9f, 9.5f}, {47.5f, 8.7f}}));
}

TEST_F(DbAdd, PolygonWithABadLineIsRefusedWhole) {
  Create();
  const auto before = fs::file_size(Base + ".orqgdd");
  const TToolRun run = Db("add-polygon", "P road", "47 8\n47 x\n95 8\n48 9\n");
  EXPECT_EQ(run.ExitCode, 1);
  const auto errors = run.ErrLines();
  ASSERT_EQ(errors.size(), 3u) << run.Err;
  EXPECT_TRUE(Contains(errors[0], "line 2: ")) << errors[0];
  EXPECT_TRUE(Contains(errors[1], "line 3: ")) << errors[1];
  EXPECT_EQ(ReadSystemInformation(Base).NumEntries, 0);
  EXPECT_EQ(fs::file_size(Base + ".orqgdd"), before);

  EXPECT_EQ(Db("add-polygon", "P road", "").ExitCode, 1) << "no points";
  EXPECT_EQ(Db("add-polygon", "P volcano", "1 2\n").ExitCode, 2);
  EXPECT_EQ(Db("add-polygon", "P river --closed", "1 2\n").ExitCode, 2);
  EXPECT_EQ(Db("add-polygon", "P road " + Quoted(File("missing.txt"))).ExitCode, 3);
}

TEST_F(DbAdd, BlobFromFileAndStandardInputRoundTrips) {
  Create();
  std::string bytes(40000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  Write(File("scan.jpg"), bytes);
  const TToolRun added = Db("add-blob", Quoted(File("scan.jpg")) + " --caption 'Old map' --keywords 'alps,1850'"
                                        " --box 46 47 7 8 --class 4");
  ASSERT_EQ(added.ExitCode, 0) << added.Err;
  EXPECT_EQ(added.Out, "added \"scan.jpg\": position 1, ItemID 1\n");
  ASSERT_EQ(Db("add-blob", "- --name note.txt --origin /home/a/note.txt", "hello\n").ExitCode, 0);

  EXPECT_EQ(Db("get-blob", "1").Out, bytes);
  EXPECT_EQ(Db("get-blob", "--id 2").Out, "hello\n");
  ASSERT_EQ(Db("get-blob", "1 -o " + Quoted(File("copy.jpg"))).ExitCode, 0);
  EXPECT_EQ(ReadAll(File("copy.jpg")), bytes);
  fs::create_directory(Dir / "out");
  ASSERT_EQ(Db("get-blob", "1 -o " + Quoted(File("out"))).ExitCode, 0);
  EXPECT_EQ(ReadAll(File("out/scan.jpg")), bytes);

  const TToolRun meta = Db("get-blob", "2 --meta");
  EXPECT_EQ(meta.Out,
            "Name: note.txt\nSize: 6\nKeywords: \nCaption: \nFilePath: /home/a/note.txt\nDescriptor: \nComment: \n");
  const TgdbData d = Open()->Db.Data(1);
  EXPECT_EQ(d.ItemKind, gitBLOB);
  EXPECT_EQ(d.Size, 40000);
  EXPECT_EQ(d.LatHigh, 47.0f);
  EXPECT_EQ(d.ClassFlag, 4);
  TMetaInfo stored;
  ASSERT_TRUE(Open()->Db.GetMetaInfo(1, stored));
  EXPECT_EQ(stored.Caption.str(), "Old map");
  EXPECT_EQ(stored.Keywords.str(), "alps,1850");
}

TEST_F(DbAdd, BlobThatCannotBeReadSpendsNoItemID) {
  Create();
  EXPECT_EQ(Db("add-blob", Quoted(File("missing.bin"))).ExitCode, 3);
  EXPECT_EQ(Db("add-blob", Quoted(Dir.string())).ExitCode, 3) << "a directory is no BLOB";
  EXPECT_EQ(Db("add-blob", "-", "data").ExitCode, 2) << "standard input needs --name";
  EXPECT_EQ(Db("add-blob", Quoted(Base + ".orqgdd") + " --box 47 46 7 8").ExitCode, 1) << "inverted box";
  const TgdbSystemInformation info = ReadSystemInformation(Base);
  EXPECT_EQ(info.HighestID, 0);
  EXPECT_EQ(info.NumEntries, 0);
}

}  // namespace
}  // namespace orq::cli::test
