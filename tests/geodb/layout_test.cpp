// Byte layouts of the files against hand-built bytes, and the text encoding.
#include <cmath>

#include "GeoDBTestUtil.h"

namespace orq::test {
namespace {

void PutI32(std::vector<uint8_t>& b, size_t at, int32_t v) { std::memcpy(b.data() + at, &v, 4); }
void PutF32(std::vector<uint8_t>& b, size_t at, float v) { std::memcpy(b.data() + at, &v, 4); }
void PutF64(std::vector<uint8_t>& b, size_t at, double v) { std::memcpy(b.data() + at, &v, 8); }

TEST(GeoDBLayout, NewDatabaseIsAHeaderAndSixEmptyFiles) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("world"));
  EXPECT_EQ(db.NumEntries(), 0);
  std::vector<uint8_t> expected(260, 0);
  PutI32(expected, 4, 4);  // version; HighestID, description, revision 0
  EXPECT_EQ(ReadBytes(dir.File("world.orqgdd")), expected);
  for (int i = 1; i < 7; ++i) EXPECT_EQ(SizeOf(dir.File(std::string("world") + kAllExts[i])), 0) << kAllExts[i];
}

TEST(GeoDBLayout, HeaderFieldsAtTheirOffsets) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("h"));
  db.SetDescription("Alps");
  db.SetRevision(-7);
  std::string n = "x";
  db.AddTown(n, 0, 0, P(1, 2), 0, 0, 0);
  std::vector<uint8_t> expected(260, 0);
  PutI32(expected, 0, 1);
  PutI32(expected, 4, 4);
  expected[8] = 4;
  std::memcpy(expected.data() + 9, "Alps", 4);
  PutI32(expected, 72, -7);
  EXPECT_EQ(ReadBytes(dir.File("h.orqgdd")), expected);
}

TEST(GeoDBLayout, TownSummaryRecordAndIndexRecords) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("t"));
  std::string name = "Bern";
  ASSERT_EQ(db.AddTown(name, 44927.75, 0x01020304, P(46.95f, 7.45f), 540.5f, 200, -3), 1);
  std::vector<uint8_t> expected(120, 0);
  PutI32(expected, 0, 1);
  expected[4] = 4;
  std::memcpy(expected.data() + 5, "Bern", 4);
  std::memset(expected.data() + 9, ' ', 55);
  PutF32(expected, 64, 540.5f);
  expected[68] = 200;
  PutI32(expected, 72, -3);
  PutI32(expected, 76, -1);
  PutF64(expected, 80, 44927.75);
  PutI32(expected, 88, 0x01020304);
  PutF32(expected, 92, 46.95f);
  PutF32(expected, 96, 46.95f);
  PutF32(expected, 100, 7.45f);
  PutF32(expected, 104, 7.45f);
  expected[108] = gitTown;
  const auto actual = ReadBytes(dir.File("t.orqgds"));
  ASSERT_EQ(actual.size(), 120u);
  // Padding and the count of a town are not significant.
  for (size_t i : {69, 70, 71, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119}) expected[i] = actual[i];
  EXPECT_EQ(actual, expected);

  std::vector<uint8_t> ix0(8), ix1(8);
  PutI32(ix0, 0, 1);
  PutI32(ix0, 4, 0);
  PutF32(ix1, 0, 46.95f);
  PutI32(ix1, 4, 0);
  EXPECT_EQ(ReadBytes(dir.File("t.orqgi0")), ix0);
  EXPECT_EQ(ReadBytes(dir.File("t.orqgi1")), ix1);
  PutF32(ix1, 0, 7.45f);
  EXPECT_EQ(ReadBytes(dir.File("t.orqgi4")), ix1);
}

TEST(GeoDBLayout, NameLengthsAndWindows1252) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("n"));
  const std::string long59(59, 'a');
  AddTownAt(db, long59 + "tail", 0, 0);  // cut to 59
  AddTownAt(db, "abc", 0, 0);
  AddTownAt(db, "Zürich €", 0, 0);
  AddTownAt(db, "Łódź", 0, 0);  // Ł, ó, ź: ó exists in Windows-1252
  const auto b = ReadBytes(dir.File("n.orqgds"));
  ASSERT_EQ(b.size(), 480u);
  EXPECT_EQ(b[4], 59);
  EXPECT_EQ(std::string(b.begin() + 5, b.begin() + 64), long59);
  EXPECT_EQ(b[124], 3);
  EXPECT_EQ(std::string(b.begin() + 128, b.begin() + 184), std::string(56, ' '));
  EXPECT_EQ(b[244], 8);
  EXPECT_EQ(std::string(b.begin() + 245, b.begin() + 253), "Z\xFCrich \x80");
  EXPECT_EQ(std::string(b.begin() + 365, b.begin() + 369), "?\xF3" "d?");
  db.SetDBName("");
  db.SetDBName(dir.File("n"));
  EXPECT_EQ(db.Data(1).Name, long59);
  EXPECT_EQ(db.Data(3).Name, "Zürich €");
  EXPECT_EQ(db.Data(4).Name, "?ód?");
}

TEST(GeoDBLayout, PolygonPayloadAndBlobMetaInformation) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("p"));
  ASSERT_EQ(AddRiverPts(db, "Aare", {P(46.5f, 7.5f), P(47.5f, 8.25f)}), 1);
  const auto data = ReadBytes(dir.File("p.orqgdd"));
  ASSERT_EQ(data.size(), 260u + 16);
  EXPECT_EQ(F32At(data, 260), 46.5f);
  EXPECT_EQ(F32At(data, 264), 7.5f);
  EXPECT_EQ(F32At(data, 268), 47.5f);
  EXPECT_EQ(F32At(data, 272), 8.25f);
  const auto sum = ReadBytes(dir.File("p.orqgds"));
  EXPECT_EQ(I32At(sum, 76), 260);
  EXPECT_EQ(I32At(sum, 112), 2);
  EXPECT_EQ(sum[116], 0);

  TMetaInfo mi;
  mi.Keywords = "k";
  mi.Caption = "cap";
  mi.FilePath = "/x/y";
  mi.Descriptor = "d";
  mi.Comment = std::string(300, 'c');  // cut to 255
  const uint8_t blob[3] = {9, 8, 7};
  ASSERT_EQ(db.AddBLOB("b", 1.0, 0, 1, 2, 3, 4, 0, 0, 0, mi, blob, 3), 2);
  const auto d2 = ReadBytes(dir.File("p.orqgdd"));
  ASSERT_EQ(d2.size(), 276u + 1024 + 3);
  const size_t m = 276;
  EXPECT_EQ(d2[m + 0], 1);
  EXPECT_EQ(d2[m + 1], 'k');
  EXPECT_EQ(d2[m + 256], 3);
  EXPECT_EQ(std::string(d2.begin() + m + 257, d2.begin() + m + 260), "cap");
  EXPECT_EQ(d2[m + 384], 4);
  EXPECT_EQ(std::string(d2.begin() + m + 385, d2.begin() + m + 389), "/x/y");
  EXPECT_EQ(d2[m + 512], 1);
  EXPECT_EQ(d2[m + 768], 255);
  EXPECT_EQ(d2[m + 1024], 9);
  EXPECT_EQ(d2[m + 1026], 7);
  const auto s2 = ReadBytes(dir.File("p.orqgds"));
  EXPECT_EQ(I32At(s2, 120 + 76), 276);
  EXPECT_EQ(I32At(s2, 120 + 112), 3);
  EXPECT_EQ(s2[120 + 108], gitBLOB);
}

TEST(GeoDBLayout, ReadsRecordsWrittenElsewhere) {
  // A summary record as another program may write it: garbage in the padding
  // and after the name, a length byte beyond the field, an unknown kind.
  ScratchDir dir;
  {
    TGeoDB db;
    db.SetDBName(dir.File("o"));
  }
  std::vector<uint8_t> rec(120, 0xEE);
  PutI32(rec, 0, 42);
  rec[4] = 200;  // longer than 59: read as 59
  PutF32(rec, 64, 1.5f);
  rec[68] = 7;
  PutI32(rec, 72, 5);
  PutI32(rec, 76, -1);
  PutF64(rec, 80, 12.25);
  PutI32(rec, 88, 9);
  PutF32(rec, 92, -1);
  PutF32(rec, 96, 1);
  PutF32(rec, 100, -2);
  PutF32(rec, 104, 2);
  rec[108] = 77;
  PutI32(rec, 112, 0);
  rec[116] = 5;
  WriteBytes(dir.File("o.orqgds"), rec);
  TGeoDB db;
  db.SetDBName(dir.File("o"));
  ASSERT_EQ(db.NumEntries(), 1);
  const TgdbData d = db.Data(1);
  EXPECT_EQ(d.ItemId, 42);
  EXPECT_EQ(d.Name.length(), 59u);
  EXPECT_EQ(d.Altitude, 1.5f);
  EXPECT_EQ(d.ClassFlag, 7);
  EXPECT_EQ(d.Date, 12.25);
  EXPECT_EQ(d.ItemKind, 77);
  EXPECT_TRUE(d.Closed);
  std::vector<TSCoords> poly;
  EXPECT_FALSE(db.RetrievePolygon(1, poly));
}

TEST(GeoDBRecords, ClearAndExtract) {
  TgdbData d;
  d.ItemId = 5;
  d.Name = "x";
  d.BlobOffset = 77;
  d.ItemKind = gitLake;
  d.Closed = true;
  d.NumPoints = 12;
  d.LatLow = 3;
  ClearGdbData(d);
  EXPECT_EQ(d.ItemId, 0);
  EXPECT_TRUE(d.Name.empty());
  EXPECT_EQ(d.BlobOffset, -1);
  EXPECT_EQ(d.ItemKind, gitUndefined);
  EXPECT_FALSE(d.Closed);
  EXPECT_EQ(d.NumPoints, 12);
  EXPECT_EQ(d.LatLow, 0);
  EXPECT_GT(d.Date, 40000.0);  // today, not zero
  d.LatLow = 10;
  d.LongLow = 20;
  d.LatHigh = 30;
  EXPECT_EQ(ExtractLocation(d), P(10, 20));
  EXPECT_STREQ(GDB_ITEMNAMES[gitBLOB], "BLOB");
  EXPECT_STREQ(GDB_ITEMNAMES[gitUndefined], "Undefined");
}

}  // namespace
}  // namespace orq::test
