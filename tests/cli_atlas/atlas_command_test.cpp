// orqcarta atlas: the listing, the walk from the coarsest map at a
// position, the rendered picture and bad input.
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <sstream>
#include <vector>

#include "Commands.h"
#include "../InProcessCommand.h"
#include "ErrorReport.h"
#include "atlas_test_support.h"
#include "orqplatform/FileUtils.h"

namespace orq::cli {
namespace {

TRun RunAtlas(std::vector<std::string> Args) { return RunInProcess(RegisterAtlasCommand, "atlas", std::move(Args)); }

class AtlasCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new TAtlasMapFolder("cli");
    folder->MapOfResolution("coarse", 100, "Coarse");
    folder->MapOfResolution("middle", 40, "Middle");
    // The fine map lies east of the centre: it holds 46.5,10.53 but not 46.5,10.47.
    folder->MapOfResolution("fine", 10, "Fine", 46.5, 10.53);
  }
  static void TearDownTestSuite() { delete folder; }
  static inline TAtlasMapFolder* folder = nullptr;
};

TEST_F(AtlasCommand, ListsEveryMapOfTheFolder) {
  const TRun run = RunAtlas({folder->Dir.string(), "--list"});
  ASSERT_EQ(run.ExitCode, ExitOk) << run.Err;
  EXPECT_NE(run.Out.find("1  Coarse"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("2  Fine"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("3  Middle"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("file:       " + LowerCase(folder->File("fine.xml"))), std::string::npos);
  EXPECT_NE(run.Out.find("resolution: "), std::string::npos);
  EXPECT_NE(run.Out.find(" top-left 46."), std::string::npos) << run.Out;
}

TEST_F(AtlasCommand, WalksFromTheCoarsestMapAndRendersTheLast) {
  const std::string png = folder->File("at.png");
  TRun run = RunAtlas({folder->Dir.string(), "--at", "46.5,10.53", "-o", png});
  ASSERT_EQ(run.ExitCode, ExitOk) << run.Err;
  const size_t start = run.Out.find("start:    1  Coarse");
  const size_t middle = run.Out.find("zoom in:  3  Middle");
  const size_t fine = run.Out.find("zoom in:  2  Fine");
  ASSERT_NE(start, std::string::npos) << run.Out;
  ASSERT_NE(middle, std::string::npos) << run.Out;
  ASSERT_NE(fine, std::string::npos) << run.Out;
  EXPECT_LT(start, middle);
  EXPECT_LT(middle, fine);
  EXPECT_NE(run.Out.find("map:      2  Fine"), std::string::npos);
  EXPECT_GT(FileSize(png), 1000);

  // Outside the fine map the walk ends on the middle one; zooming out
  // from there goes back to the coarse map.
  run = RunAtlas({folder->File("coarse.xml"), folder->File("middle.xml"), folder->File("fine.xml"), "--at",
                  "46.5,10.47"});
  ASSERT_EQ(run.ExitCode, ExitOk) << run.Err;
  EXPECT_NE(run.Out.find("map:      2  Middle"), std::string::npos) << run.Out;
  run = RunAtlas({folder->Dir.string(), "--at", "46.5,10.53", "--zoom-out"});
  EXPECT_NE(run.Out.find("start:    2  Fine"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("map:      1  Coarse"), std::string::npos) << run.Out;
}

TEST_F(AtlasCommand, RefusesBadInput) {
  EXPECT_EQ(RunAtlas({folder->Dir.string(), "--at", "46.5"}).ExitCode, ExitUsage);
  EXPECT_EQ(RunAtlas({folder->Dir.string(), "--at", "95,10"}).ExitCode, ExitUsage);
  EXPECT_EQ(RunAtlas({folder->Dir.string(), "--zoom-in"}).ExitCode, ExitUsage);
  const TRun outside = RunAtlas({folder->Dir.string(), "--at", "10,10"});
  EXPECT_EQ(outside.ExitCode, ExitBadInput);
  EXPECT_NE(outside.Err.find("no registered map holds"), std::string::npos);
  EXPECT_EQ(RunAtlas({folder->File("none.xml")}).ExitCode, ExitBadInput);
}

}  // namespace
}  // namespace orq::cli
