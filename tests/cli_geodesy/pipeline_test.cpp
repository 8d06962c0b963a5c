// 100,000 mixed good and bad lines through each converter: the output has
// one line for each input line, with the placeholder exactly at the bad
// ones, so that the output can be pasted beside the input.
#include <gtest/gtest.h>

#include <random>

#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

constexpr int LineCount = 100000;

struct TPipeline {
  const char* Command;
  std::string (*Good)(std::mt19937&);
};

std::string Number(std::mt19937& Random, double Min, double Max) {
  return std::to_string(std::uniform_real_distribution<double>(Min, Max)(Random));
}

const TPipeline Pipelines[] = {
    {"utm", [](std::mt19937& r) { return Number(r, -79, 83) + " " + Number(r, -179, 179); }},
    {"utm -i", [](std::mt19937& r) { return "33N " + Number(r, 200e3, 800e3) + " " + Number(r, 0, 7e6); }},
    {"ups", [](std::mt19937& r) { return Number(r, 71, 89) + " " + Number(r, -179, 179); }},
    {"ups -i", [](std::mt19937& r) { return "S " + Number(r, 800e3, 3200e3) + " " + Number(r, 800e3, 3200e3); }},
    {"tm", [](std::mt19937& r) { return Number(r, -89, 89) + " " + Number(r, -15, 15); }},
    {"tm -i", [](std::mt19937& r) { return Number(r, -300e3, 300e3) + " " + Number(r, -7e6, 7e6); }},
    {"cart", [](std::mt19937& r) { return Number(r, -90, 90) + " " + Number(r, -180, 180) + " 100"; }},
    {"cart -i", [](std::mt19937& r) { return Number(r, 1e6, 6e6) + " " + Number(r, -6e6, 6e6) + " 3e6"; }},
    {"helmert -f 59 -t WGS84", [](std::mt19937& r) { return Number(r, 35, 70) + " " + Number(r, -9, 30); }},
    {"zone", [](std::mt19937& r) { return Number(r, -79, 83) + " " + Number(r, -179, 179); }},
    {"mgrs", [](std::mt19937& r) { return Number(r, -89, 89) + " " + Number(r, -179, 179); }},
    {"mgrs -i", [](std::mt19937& r) { return "33UUU" + std::to_string(10000 + r() % 89999) + "17855"; }},
};

// Lines no converter accepts: not numbers, the wrong count, out of range.
const char* const BadLines[] = {"abc def", "1", "1 2 3 4 5", "95 10 N", "0 nan", "1e999 0", "0x10 5", "--- ---"};

TEST(CliPipeline, OutputLinesStayWithTheirInputLines) {
  for (const TPipeline& p : Pipelines) {
    std::mt19937 random(20261209);
    std::string input;
    std::vector<bool> bad;
    bad.reserve(LineCount);
    for (int i = 0; i < LineCount; ++i) {
      const bool isBad = random() % 5 == 0;
      input += isBad ? BadLines[random() % std::size(BadLines)] : p.Good(random);
      input += '\n';
      bad.push_back(isBad);
    }
    const TToolRun run = RunTool(p.Command, input);
    EXPECT_EQ(run.ExitCode, 1) << p.Command;
    const auto lines = run.OutLines();
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(LineCount)) << p.Command;
    std::size_t badCount = 0, mismatches = 0;
    for (int i = 0; i < LineCount; ++i) {
      badCount += bad[i];
      if ((lines[i] == "ERROR") != bad[i] && ++mismatches < 5)
        ADD_FAILURE() << p.Command << " line " << i + 1 << ": " << lines[i];
    }
    EXPECT_EQ(mismatches, 0u) << p.Command;
    EXPECT_EQ(run.ErrLines().size(), badCount) << p.Command;
  }
}

TEST(CliPipeline, OnErrorChoosesThePlaceholder) {
  const std::string input = "0 9\nabc\n# note\n0 9\n";
  EXPECT_EQ(RunTool("utm", input).Out, "32N 500000.000 0.000\nERROR\n# note\n32N 500000.000 0.000\n");
  EXPECT_EQ(RunTool("utm --on-error NaN", input).Out, "32N 500000.000 0.000\nNaN\n# note\n32N 500000.000 0.000\n");
  EXPECT_EQ(RunTool("utm --on-error skip", input).Out, "32N 500000.000 0.000\n# note\n32N 500000.000 0.000\n");
  const TToolRun mark = RunTool("utm --on-error mark", input);
  EXPECT_EQ(mark.ExitCode, 1);
  const auto lines = mark.OutLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].rfind("# ERROR line 2: ", 0), 0u) << lines[1];
  // A marked line passes the next converter unchanged, and so stays aligned.
  const TToolRun back = RunTool("utm -i", mark.Out);
  EXPECT_EQ(back.ExitCode, 0) << back.Err;
  EXPECT_EQ(back.OutLines()[1], lines[1]);
  // A placeholder fails again downstream and is replaced in its place.
  EXPECT_EQ(RunTool("utm -i", RunTool("utm", input).Out).OutLines()[1], "ERROR");
}

TEST(CliPipeline, LinesLongerThanABlockAndNoFinalNewline) {
  std::string input = std::string(3 << 20, ' ') + "0 9\n0 9";
  const TToolRun run = RunTool("utm", input);
  EXPECT_EQ(run.ExitCode, 0) << run.Err.substr(0, 200);
  EXPECT_EQ(run.Out, "32N 500000.000 0.000\n32N 500000.000 0.000\n");
}

}  // namespace
}  // namespace orq::cli::test
