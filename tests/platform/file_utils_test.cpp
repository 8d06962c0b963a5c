#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "orqplatform/DateTime.h"
#include "orqplatform/FileUtils.h"

namespace orq {
namespace {

TEST(FileNames, SplitIntoPathNameAndExtension) {
  EXPECT_EQ(ExtractFileExt("maps/alps.BMP"), ".BMP");
  EXPECT_EQ(ExtractFileExt("maps/alps"), "");
  EXPECT_EQ(ExtractFileExt("maps.d/alps"), "");  // a dot in a directory is not an extension
  EXPECT_EQ(ExtractFileExt("a.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileExt(".hidden"), "");
  EXPECT_EQ(ExtractFilePath("/data/maps/alps.bmp"), "/data/maps/");
  EXPECT_EQ(ExtractFilePath("alps.bmp"), "");
  EXPECT_EQ(ExtractFileName("/data/maps/alps.bmp"), "alps.bmp");
  EXPECT_EQ(ExtractFileName("/data/maps/"), "");
  EXPECT_EQ(ExtractFilePath("x/y.z") + ExtractFileName("x/y.z"), "x/y.z");
  EXPECT_EQ(ChangeFileExt("maps/alps.jpg", ".xml"), "maps/alps.xml");
  EXPECT_EQ(ChangeFileExt("maps.d/alps", ".xml"), "maps.d/alps.xml");
  EXPECT_EQ(ChangeFileExt("alps.jpg", ""), "alps");
  EXPECT_EQ(IncludeTrailingPathDelimiter("a"), "a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("a/"), "a/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("a/"), "a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(FileNames, CaseChangesTouchAsciiOnly) {
  EXPECT_EQ(LowerCase("GeoMap \xC3\x84Z"), "geomap \xC3\x84z");
  EXPECT_EQ(UpperCase("utm\xC3\xA4"), "UTM\xC3\xA4");
}

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = ::testing::TempDir() + "orq_fileutils_" + std::to_string(::getpid()) + "_";
    a_ = base_ + "a.txt";
    b_ = base_ + "b.txt";
    std::remove(a_.c_str());
    std::remove(b_.c_str());
  }
  void TearDown() override {
    std::remove(a_.c_str());
    std::remove(b_.c_str());
  }
  void Make(const std::string& name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; }
  std::string base_, a_, b_;
};

TEST_F(FileSystemTest, ExistenceSizeAndAge) {
  EXPECT_FALSE(FileExists(a_));
  EXPECT_EQ(FileSize(a_), -1);
  TDateTime age = 123;
  EXPECT_FALSE(FileAge(a_, age));
  EXPECT_EQ(age, 123);
  Make(a_, "12345");
  EXPECT_TRUE(FileExists(a_));
  EXPECT_EQ(FileSize(a_), 5);
  ASSERT_TRUE(FileAge(a_, age));
  EXPECT_LT(std::fabs(age - Now()), 1.0 / 1440);  // within a minute
  // A directory is not a file.
  EXPECT_FALSE(FileExists(::testing::TempDir()));
  EXPECT_TRUE(DirectoryExists(::testing::TempDir()));
  EXPECT_FALSE(FileExists(""));
}

TEST_F(FileSystemTest, RenameNeverReplacesAnotherFile) {
  Make(a_, "A");
  Make(b_, "B");
  EXPECT_FALSE(RenameFile(a_, b_));
  EXPECT_EQ(FileSize(a_), 1);
  std::ifstream in(b_);
  std::string content;
  in >> content;
  EXPECT_EQ(content, "B");
  ASSERT_TRUE(DeleteFile(b_));
  EXPECT_TRUE(RenameFile(a_, b_));
  EXPECT_FALSE(FileExists(a_));
  EXPECT_TRUE(FileExists(b_));
  EXPECT_FALSE(RenameFile(a_, b_));  // source gone
  EXPECT_FALSE(DeleteFile(a_));
  EXPECT_FALSE(DeleteFile(::testing::TempDir()));
}

TEST(FindFileIgnoringCase, FindsEachPathComponentLikeACaseInsensitiveFileSystem) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(::testing::TempDir()) / ("orq_case_" + std::to_string(::getpid()));
  fs::create_directories(root / "Maps" / "Alps");
  std::ofstream(root / "Maps" / "Alps" / "Matterhorn.JPG") << "x";
  const std::string real = (root / "Maps" / "Alps" / "Matterhorn.JPG").string();
  const std::string lower = (root / "maps" / "alps" / "matterhorn.jpg").string();

  EXPECT_EQ(FindFileIgnoringCase(lower), real);
  EXPECT_EQ(FindFileIgnoringCase(real), real);
  // Nothing to find: the name comes back unchanged, also for a directory.
  const std::string missing = (root / "maps" / "alps" / "eiger.jpg").string();
  EXPECT_EQ(FindFileIgnoringCase(missing), missing);
  EXPECT_EQ(FindFileIgnoringCase((root / "maps").string()), (root / "maps").string());
  EXPECT_EQ(FindFileIgnoringCase(""), "");
  fs::remove_all(root);
}

}  // namespace
}  // namespace orq
