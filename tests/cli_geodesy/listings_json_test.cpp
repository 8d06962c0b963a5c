// The listings and zone as JSON, --version, and the man pages written from
// the help texts.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

// A rough structural check: an array of as many objects as records, each on
// its own line, with balanced quotes.
void ExpectJsonArray(const std::string& Text, std::size_t Objects) {
  ASSERT_GE(Text.size(), 4u);
  EXPECT_EQ(Text.substr(0, 2), "[\n");
  EXPECT_EQ(Text.substr(Text.size() - 3), "\n]\n");
  std::istringstream in(Text);
  std::string line;
  std::size_t count = 0;
  while (std::getline(in, line)) {
    if (line == "[" || line == "]") continue;
    ++count;
    EXPECT_EQ(line.front(), '{') << line;
    EXPECT_TRUE(line.back() == '}' || line.substr(line.size() - 2) == "},") << line;
    std::size_t quotes = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
      if (line[i] == '"' && (i == 0 || line[i - 1] != '\\')) ++quotes;
    EXPECT_EQ(quotes % 2, 0u) << line;
  }
  EXPECT_EQ(count, Objects);
}

TEST(CliJson, ListingsAsArraysOfObjects) {
  ExpectJsonArray(RunTool("ellipsoids --json").Out, 61);
  ExpectJsonArray(RunTool("datums --json").Out, 271);
  ExpectJsonArray(RunTool("countries --json").Out, 231);
  EXPECT_EQ(RunTool("countries --json 'no such country'").Out, "[]\n");
  const std::string wgs84 = RunTool("ellipsoids --json gelWGS84").Out;
  EXPECT_TRUE(Contains(wgs84, "{\"ordinal\":0,\"identifier\":\"gelWGS84\",\"semi_major_axis\":6378137,"
                              "\"semi_minor_axis\":6356752.314245,\"reciprocal_flattening\":298.25722"))
      << wgs84;
  // A name with an apostrophe and one with a comma survive.
  EXPECT_TRUE(Contains(RunTool("datums --json hawai").Out, "\"OLD HAWAI'IAN\""));
}

TEST(CliJson, ZoneAsOneObjectALineWithNullForBadLines) {
  const TToolRun run = RunTool("zone --json", "52.5 13.4\n95 0\n-33.9 18.4\n");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out,
            "{\"zone\":33,\"band\":\"U\",\"hemisphere\":\"N\",\"central_meridian\":15}\nnull\n"
            "{\"zone\":34,\"band\":\"H\",\"hemisphere\":\"S\",\"central_meridian\":21}\n");
}

TEST(CliVersion, PrintsTheVersion) {
  const TToolRun run = RunTool("--version");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_TRUE(std::regex_match(run.Out, std::regex("orqcarta [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << run.Out;
}

TEST(CliManPages, WrittenFromTheHelpTexts) {
  for (const char* command : {"utm", "mgrs", "helmert", "datums", "zone", "tm", "ups", "cart"}) {
    std::ifstream in(std::string(ORQ_MAN_DIR) + "/orqcarta-" + command + ".1");
    ASSERT_TRUE(in) << command;
    std::stringstream page;
    page << in.rdbuf();
    EXPECT_EQ(page.str().rfind(".TH ORQCARTA-", 0), 0u) << command;
    // Every option of the help is in the page.
    const std::string help = RunTool(std::string(command) + " --help").Out;
    std::smatch option;
    for (auto it = help.cbegin(); std::regex_search(it, help.cend(), option, std::regex("--[a-z][a-z-]+"));
         it = option.suffix().first)
      EXPECT_TRUE(Contains(page.str(), option.str())) << command << ": " << option.str();
  }
  std::ifstream main(std::string(ORQ_MAN_DIR) + "/orqcarta.1");
  EXPECT_TRUE(main);
}

}  // namespace
}  // namespace orq::cli::test
