// orqcarta calib show, run as a program on the sample calibration files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

const std::string DataDir = ORQ_TEST_DATA_DIR;

bool HasLine(const TToolRun& Run, const std::string& Line) {
  const auto lines = Run.OutLines();
  return std::find(lines.begin(), lines.end(), Line) != lines.end();
}

std::string LineStarting(const TToolRun& Run, const std::string& Prefix) {
  for (const std::string& line : Run.OutLines())
    if (line.rfind(Prefix, 0) == 0) return line;
  return "";
}

TEST(CalibShow, FirstBlockWithQuadruplesAndQuality) {
  const TToolRun run = RunTool("calib show '" + DataDir + "/calib.xml'");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_TRUE(HasLine(run, "model:       biquadraticpn"));
  EXPECT_TRUE(HasLine(run, "map file:    alps.jpg"));  // the reader lower-cases the name
  EXPECT_TRUE(HasLine(run, "caption:     Alps West"));
  EXPECT_TRUE(HasLine(run, "  top-left     48.00000 10.00000"));
  EXPECT_TRUE(HasLine(run, "  bottom-left  46.00000 10.00000"));
  EXPECT_TRUE(HasLine(run, "  bottom-right 46.00000 13.00000"));
  EXPECT_TRUE(HasLine(run, "  top-right    48.00000 13.00000"));
  EXPECT_TRUE(HasLine(run, "resolution:  742.500 m/pixel"));
  EXPECT_TRUE(HasLine(run, "utm zone:    32 north"));
  EXPECT_EQ(LineStarting(run, "ellipsoid:   gelWGS72 ("), LineStarting(run, "ellipsoid:"));
  EXPECT_FALSE(LineStarting(run, "ellipsoid:").empty());
  EXPECT_TRUE(HasLine(run, "lines:       0"));
  EXPECT_TRUE(HasLine(run, "quadruples:  8 (lat lon x y)"));
  EXPECT_TRUE(HasLine(run, "  47.25000 10.75000 85 65"));

  // Seven quadruples lie on an exact linear grid, the eighth is ten pixels
  // off in each direction; the fit spreads that over all eight.
  const std::vector<std::string> q = Fields(LineStarting(run, "quality:"));
  ASSERT_EQ(q.size(), 6u) << LineStarting(run, "quality:");
  EXPECT_EQ(q[1], "x");
  EXPECT_EQ(q[3], "y");
  const double qx = std::stod(q[2]), qy = std::stod(q[4]);
  EXPECT_GT(qx, 0.5);
  EXPECT_LT(qx, 10.0);
  EXPECT_GT(qy, 0.5);
  EXPECT_LT(qy, 10.0);
}

TEST(CalibShow, BlockByIdentifierWithLinesAndNoQuality) {
  for (const char* id : {"b", "B"}) {
    const TToolRun run = RunTool("calib show --id " + std::string(id) + " '" + DataDir + "/calib.xml'");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(HasLine(run, "model:       parabolicip"));
    EXPECT_TRUE(HasLine(run, "caption:     Tirol"));
    EXPECT_TRUE(HasLine(run, "resolution:  0.000 m/pixel"));
    EXPECT_TRUE(HasLine(run, "utm zone:    none"));
    EXPECT_TRUE(HasLine(run, "quality:     not computable (the model uses no quadruples)"));
    EXPECT_TRUE(HasLine(run, "lines:       2"));
    EXPECT_TRUE(HasLine(run, "  meridian 11: 3 points [100,0] [101,50] [102,100]"));
    // A two-point line is shown as the file has it.
    EXPECT_TRUE(HasLine(run, "  parallel 47.25: 2 points [0,25] [200,26]"));
    EXPECT_TRUE(HasLine(run, "quadruples:  0 (lat lon x y)"));
  }
}

TEST(CalibShow, FailuresSayWhatAndExitNonZero) {
  struct TCase {
    std::string Args;
    int Exit;
    std::string Err;
  };
  const TCase cases[] = {
      {"calib show /nonexistent/calib.xml", 3, "orqcarta calib show: cannot open \"/nonexistent/calib.xml\""},
      {"calib show --id zz '" + DataDir + "/calib.xml'", 1,
       "orqcarta calib show: no calibration block \"zz\" in \"" + DataDir + "/calib.xml\""},
      {"calib show '" + DataDir + "/symbols.xml'", 1,
       "orqcarta calib show: no calibration block in \"" + DataDir + "/symbols.xml\""},
      {"calib show '" + DataDir + "/calib_badline.xml'", 1,
       "orqcarta calib show: malformed block in \"" + DataDir +
           "/calib_badline.xml\": ParseCalibData: invalid type of graticule line: type=\"diagonal\""},
  };
  for (const TCase& c : cases) {
    const TToolRun run = RunTool(c.Args);
    EXPECT_EQ(run.ExitCode, c.Exit) << c.Args;
    EXPECT_EQ(run.Out, "") << c.Args;
    EXPECT_EQ(run.ErrLines(), std::vector<std::string>{c.Err}) << c.Args;
  }
  EXPECT_EQ(RunTool("calib show").ExitCode, 2);
  EXPECT_EQ(RunTool("calib").ExitCode, 2);
}

TEST(CalibShow, SurvivesOversizedAndBinaryBlocks) {
  // 30 lines of 12 points and 300 quadruples: the reader keeps what the
  // record holds, and the tool shows that much and no more.
  std::string text = "<geomap sig=\"OrqCSuite\" id=\"big\" model=\"equirect\" map=\"m.jpg\" caption=\"Big\">\n";
  for (int l = 0; l < 30; ++l) {
    text += "<calline type=\"meridian\" value=\"" + std::to_string(l) + "\" npoints=\"10\">\n";
    for (int p = 0; p < 10; ++p) text += "[" + std::to_string(p) + "," + std::to_string(l) + "] ";
    text += "\n</calline>\n";
  }
  text += "<calquads npoints=\"200\">\n";
  for (int q = 0; q < 300; ++q) text += "[1.0,2.0," + std::to_string(q) + ",5] ";
  text += "\n</calquads>\n</geomap>\n";
  char name[] = "/tmp/orq_calib_big_XXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(fd);
  const TToolRun run = RunTool(std::string("calib show ") + name);
  std::remove(name);
  // Either the block is refused with a message or shown within the limits.
  if (run.ExitCode == 0) {
    EXPECT_TRUE(HasLine(run, "lines:       25"));
    EXPECT_TRUE(HasLine(run, "quadruples:  200 (lat lon x y)"));
  } else {
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.ErrLines().size(), 1u);
  }

  const TToolRun binary = RunTool("calib show /bin/sh");
  EXPECT_EQ(binary.ExitCode, 1);
  EXPECT_EQ(binary.ErrLines().size(), 1u);
}

}  // namespace
}  // namespace orq::cli::test
