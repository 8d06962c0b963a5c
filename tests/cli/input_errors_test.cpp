// Bad input and bad options: one error line each, the right exit code, the
// good lines still converted, and never a crash.
#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

TEST(CliStream, PassesBlankAndCommentLinesAndConvertsTheRest) {
  const TToolRun run = RunTool("zone", "# capitals\n\n52.5 13.4\r\n   \n  # indented\n-33.9\t18.4\n");
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "# capitals\n\n33U\n   \n  # indented\n34H\n");
  EXPECT_EQ(run.Err, "");
}

TEST(CliStream, EmptyInputGivesNoOutputAndSuccess) {
  const TToolRun run = RunTool("utm", "");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out, "");
}

TEST(CliStream, EachBadLineIsReportedWithItsNumberAndTheRestIsConverted) {
  const TToolRun run = RunTool("utm", "0 9\nabc 5\n1e999 0\nnan 1\ninf 1\n91 0\n0 181\n1 2 3\n1\n0x10 5\n0 9\n");
  EXPECT_EQ(run.ExitCode, 1);
  // Each bad line keeps its place in the output as a placeholder line.
  std::string expectedOut = "32N 500000.000 0.000\n";
  for (int i = 0; i < 9; ++i) expectedOut += "ERROR\n";
  EXPECT_EQ(run.Out, expectedOut + "32N 500000.000 0.000\n");
  const auto errors = run.ErrLines();
  ASSERT_EQ(errors.size(), 9u) << run.Err;
  const char* expected[][2] = {{"line 2: ", "\"abc\""}, {"line 3: ", "\"1e999\""},   {"line 4: ", "\"nan\""},
                               {"line 5: ", "\"inf\""}, {"line 6: ", "latitude 91"}, {"line 7: ", "longitude 181"},
                               {"line 8: ", "got 3"},   {"line 9: ", "got 1"},       {"line 10: ", "\"0x10\""}};
  for (std::size_t i = 0; i < errors.size(); ++i) {
    EXPECT_TRUE(Contains(errors[i], "orqcarta utm: ")) << errors[i];
    EXPECT_TRUE(Contains(errors[i], expected[i][0])) << errors[i];
    EXPECT_TRUE(Contains(errors[i], expected[i][1])) << errors[i];
  }
}

TEST(CliArguments, BadPositionIsOneErrorLineAndExitOne) {
  for (const char* arguments :
       {"utm abc 9", "utm 85 9", "cart -i 0 0 0", "tm 1", "helmert -f 1 -t 2 95 0", "ups -i 5N 2000000 2000000",
        "utm -i 500000 0", "utm -i 32U 500000 0", "utm -i 61N 500000 0", "utm -i 32N 500000 0 33N"}) {
    const TToolRun run = RunTool(arguments);
    EXPECT_EQ(run.ExitCode, 1) << arguments;
    EXPECT_EQ(run.Out, "") << arguments;
    EXPECT_EQ(run.ErrLines().size(), 1u) << arguments << ": " << run.Err;
  }
}

TEST(CliInput, HostileInputNeverCrashes) {
  std::string garbage("\x01\x02\xff\xfe\x00 12 \x7f\n", 11);
  garbage += std::string(100000, '7') + "\n";  // a very long number
  garbage += std::string(5000, ',') + "\n";
  garbage += "1e-5000 1\n-0 -0\n";
  const TToolRun run = RunTool("cart", garbage);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out, "ERROR\nERROR\nERROR\nERROR\n6378137.000 0.000 0.000\n");
  for (const std::string& line : run.ErrLines()) EXPECT_LT(line.size(), 300u) << "error lines stay short";
  EXPECT_EQ(run.ErrLines().size(), 4u) << run.Err;
}

TEST(CliUsage, BadOptionsExitTwoWithAMessage) {
  for (const char* arguments :
       {"", "nosuchcommand", "utm --nosuchoption 0 9", "utm --precision 99 0 9", "utm --precision x 0 9",
        "utm --ellipsoid nope 0 9", "utm -e 61 0 9", "helmert 52 13", "helmert -f 269 52 13", "utm --zone 32 0 9",
        "utm -i --zone 0 500000 0", "tm --lon0 200 0 0", "tm --lon0 nan 0 0", "ups --south 90 0"}) {
    const TToolRun run = RunTool(arguments);
    EXPECT_EQ(run.ExitCode, 2) << arguments;
    EXPECT_EQ(run.Out, "") << arguments;
    EXPECT_FALSE(run.Err.empty()) << arguments;
  }
}

TEST(CliUsage, HelpDescribesTheInputAndExitsZero) {
  const TToolRun help = RunTool("--help");
  EXPECT_EQ(help.ExitCode, 0);
  for (const char* command :
       {"utm", "ups", "tm", "cart", "helmert", "zone", "ellipsoids", "datums", "countries", "demo"})
    EXPECT_TRUE(Contains(help.Out, std::string("  ") + command + " ")) << command;
  const TToolRun utmHelp = RunTool("utm --help");
  EXPECT_EQ(utmHelp.ExitCode, 0);
  EXPECT_TRUE(Contains(utmHelp.Out, "32N")) << "the zone token is documented";
  EXPECT_TRUE(Contains(utmHelp.Out, "--south"));
}

}  // namespace
}  // namespace orq::cli::test
