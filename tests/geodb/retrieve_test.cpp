// Reading polygons and BLOBs back, and formatting positions.
#include <cmath>

#include "GeoDBTestUtil.h"

namespace orq::test {
namespace {

class GeoDBRetrieve : public ::testing::Test {
 protected:
  void SetUp() override {
    db.SetName("DB");
    db.SetDBName(dir.File("r"));
    for (size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<uint8_t>(i * 13 + 1);
    meta.Keywords = "scan";
    meta.Caption = "Map sheet";
    town = AddTownAt(db, "Town", 1, 2);
    std::vector<TSCoords> pts;
    for (int i = 0; i < 12; ++i) pts.push_back(P(static_cast<float>(i), static_cast<float>(-i)));
    poly = AddRiverPts(db, "River", pts);
    blobPos = db.AddBLOB("Sheet 7/a.tif", 0, 0, 1, 2, 3, 4, 0, 0, 0, meta, blob.data(), static_cast<int32_t>(blob.size()));
    db.SetOnPercentDone([this](TObject*, int p) { progress.push_back(p); });
  }
  ScratchDir dir;
  TGeoDB db;
  std::vector<uint8_t> blob = std::vector<uint8_t>(40000);
  TMetaInfo meta;
  int town = 0, poly = 0, blobPos = 0;
  std::vector<int> progress;
};

TEST_F(GeoDBRetrieve, PolygonOfEachKind) {
  std::vector<TSCoords> pts = {P(9, 9)};
  EXPECT_FALSE(db.RetrievePolygon(town, pts));
  EXPECT_EQ(progress, (std::vector<int>{0, 100}));
  EXPECT_EQ(pts.size(), 1u);  // untouched
  EXPECT_FALSE(db.RetrievePolygon(blobPos, pts));
  EXPECT_FALSE(db.RetrievePolygon(99, pts));
  progress.clear();
  ASSERT_TRUE(db.RetrievePolygon(poly, pts));
  ASSERT_EQ(pts.size(), 12u);
  EXPECT_EQ(pts[11], P(11, -11));
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  EXPECT_TRUE(db.RetrievePolygon(-4, pts) == false);  // position 1 is the town
}

TEST_F(GeoDBRetrieve, BlobToMemoryNeedsRoomForIt) {
  TMetaInfo got;
  std::vector<uint8_t> out(blob.size() - 1);
  try {
    db.RetrieveBLOB(blobPos, got, out.data(), static_cast<int32_t>(out.size()));
    FAIL();
  } catch (const EOrqGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"DB\": RetrieveBLOB: BLOB to be retrieved is larger than SizeOfBlobData.");
  }
  EXPECT_EQ(got, meta);  // filled before the check
  out.resize(blob.size());
  progress.clear();
  ASSERT_TRUE(db.RetrieveBLOB(blobPos, got, out.data(), static_cast<int32_t>(out.size())));
  EXPECT_EQ(out, blob);
  EXPECT_EQ(progress, (std::vector<int>{0, 41, 82, 100, 100}));
  EXPECT_FALSE(db.RetrieveBLOB(town, got, out.data(), 5));
}

TEST_F(GeoDBRetrieve, BlobToStream) {
  TMemoryStream s;
  TMetaInfo got;
  progress.clear();
  ASSERT_TRUE(db.RetrieveBLOB(blobPos, got, &s));
  EXPECT_EQ(progress.back(), 0);
  ASSERT_EQ(s.Size(), 40000);
  EXPECT_EQ(std::memcmp(s.Memory(), blob.data(), blob.size()), 0);
  // A polygon of 12 points: false, the stream sized 12 at position 0.
  EXPECT_FALSE(db.RetrieveBLOB(poly, got, &s));
  EXPECT_EQ(s.Size(), 12);
  EXPECT_EQ(s.Position(), 0);

  TMemoryStream in;
  in.Write("hello", 5);
  const int p = db.AddBLOB("h", 0, 0, 0, 0, 0, 0, 0, 0, 0, meta, &in);
  ASSERT_TRUE(db.RetrieveBLOB(p, got, &s));
  EXPECT_EQ(std::string(static_cast<const char*>(s.Memory()), 5), "hello");
  db.ReplaceBLOB(p, "h2", 0, 0, 0, 0, 0, 0, 0, 0, 0, meta, "abc", 3);
  ASSERT_TRUE(db.RetrieveBLOB(p, got, &s));
  EXPECT_EQ(s.Size(), 3);
}

TEST_F(GeoDBRetrieve, BlobToFileNamesTheTargetFromTheItem) {
  TMetaInfo got;
  EXPECT_FALSE(db.RetrieveBLOB(town, dir.File("x"), got));
  EXPECT_TRUE(progress.empty());
  ASSERT_TRUE(db.RetrieveBLOB(blobPos, dir.File("out.bin"), got));
  EXPECT_EQ(ReadBytes(dir.File("out.bin")), blob);
  // A directory ending in a separator gets the item name, reduced to the
  // characters of 8.3 names ("Sheet 7/a.tif" -> "Sheet7a.tif").
  ASSERT_TRUE(db.RetrieveBLOB(blobPos, dir.Path().string() + "\\", got));
  EXPECT_EQ(ReadBytes(dir.File("Sheet7a.tif")), blob);
  fs::remove(dir.File("Sheet7a.tif"));
  ASSERT_TRUE(db.RetrieveBLOB(blobPos, dir.Path().string() + "/", got));
  EXPECT_EQ(ReadBytes(dir.File("Sheet7a.tif")), blob);
  // An empty path means the current directory.
  const fs::path cwd = fs::current_path();
  fs::current_path(dir.Path());
  const bool toCwd = db.RetrieveBLOB(blobPos, "", got);
  fs::current_path(cwd);
  EXPECT_TRUE(toCwd);
  EXPECT_EQ(fs::file_size(dir.File("Sheet7a.tif")), blob.size());
  // A name of no valid characters cannot make a file name.
  const int bad = db.AddBLOB("***", 0, 0, 0, 0, 0, 0, 0, 0, 0, meta, "x", 1);
  try {
    db.RetrieveBLOB(bad, "", got);
    FAIL();
  } catch (const EOrqGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"DB\": RetrieveBLOB: invalid filename.");
  }
}

// Item names are data from the file: a directory target must never turn
// into the directory itself or its parent, and nothing may be written
// outside it.
TEST_F(GeoDBRetrieve, BlobNamesCannotEscapeTheTargetDirectory) {
  const fs::path target = dir.Path() / "into";
  fs::create_directory(target);
  TMetaInfo got;
  for (const std::string name : {"..", ".", "...", "../..", "./"}) {
    SCOPED_TRACE(name);
    const int item = db.AddBLOB(name, 0, 0, 0, 0, 0, 0, 0, 0, 0, meta, "x", 1);
    EXPECT_THROW(db.RetrieveBLOB(item, target.string() + "/", got), EOrqGeoDBError);
    EXPECT_THROW(db.RetrieveBLOB(item, target.string() + "\\", got), EOrqGeoDBError);
  }
  EXPECT_TRUE(fs::is_empty(target));
  // Leading dots go, the rest of the name stays inside the directory.
  const int hidden = db.AddBLOB("../..secret", 0, 0, 0, 0, 0, 0, 0, 0, 0, meta, "x", 1);
  ASSERT_TRUE(db.RetrieveBLOB(hidden, target.string() + "/", got));
  EXPECT_EQ(ReadBytes((target / "secret").string()), std::vector<uint8_t>{'x'});
  EXPECT_FALSE(fs::exists(dir.Path() / "secret"));
}

TEST_F(GeoDBRetrieve, TruncatedDataFileEndsTheCopyWithFalse) {
  db.SetDBName("");
  const std::string gdd = dir.File("r.orqgdd");
  fs::resize_file(gdd, SizeOf(gdd) - 100);
  db.SetDBName(dir.File("r"));
  TMetaInfo got;
  std::vector<uint8_t> out(blob.size());
  EXPECT_FALSE(db.RetrieveBLOB(blobPos, got, out.data(), static_cast<int32_t>(out.size())));
  TMemoryStream s;
  EXPECT_FALSE(db.RetrieveBLOB(blobPos, got, &s));
  EXPECT_FALSE(db.RetrieveBLOB(blobPos, dir.File("cut.bin"), got));
  EXPECT_FALSE(fs::exists(dir.File("cut.bin")));  // no partial file passes for the BLOB
  std::vector<TSCoords> pts;
  EXPECT_TRUE(db.RetrievePolygon(poly, pts));
}

TEST(GeoDBFormat, LatitudeAndLongitudeTexts) {
  const std::string n90 = GeoLatitude(90, dfDecimalDegrees, 0);
  EXPECT_EQ(GeoLatitude(95, dfDecimalDegrees, 0), n90);
  EXPECT_EQ(n90.substr(n90.size() - 2), " N");
  const std::string s = GeoLatitude(-0.5, dfDecimalDegrees, 0);
  EXPECT_EQ(s.substr(s.size() - 2), " S");
  EXPECT_EQ(s.substr(0, s.size() - 2), GeoLatitude(0.5, dfDecimalDegrees, 0).substr(0, s.size() - 2));
  const std::string w = GeoLongitude(-200, dfDecimalDegrees, 0);
  EXPECT_EQ(w, GeoLongitude(-180, dfDecimalDegrees, 0));
  EXPECT_EQ(w.substr(w.size() - 2), " W");
  EXPECT_EQ(GeoLongitude(std::nan(""), dfDegrees, 0), GeoLongitude(-180, dfDegrees, 0));
  EXPECT_EQ(GeoLatitude(std::nan(""), dfDegrees, 0), GeoLatitude(-90, dfDegrees, 0));
  const std::string e = GeoLongitude(0, dfDegrees, 0);
  EXPECT_EQ(e.substr(e.size() - 2), " E");
}

}  // namespace
}  // namespace orq::test
