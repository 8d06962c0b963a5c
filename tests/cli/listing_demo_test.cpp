#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

std::size_t TabFields(const std::string& Line) { return std::count(Line.begin(), Line.end(), '\t') + 1; }

TEST(CliListings, OneTabSeparatedLinePerRecord) {
  const struct {
    const char* Command;
    std::size_t Lines, Fields;
    const char* FirstLineStart;
  } listings[] = {{"ellipsoids", 61, 6, "0\tgelWGS84\t6378137\t6356752.314245\t298.2572235"},
                  {"datums", 271, 11, "1\tACCRA\tGhana\tgelWarOffice\t-199\t32\t322\t0\t0\t0\t0"},
                  {"countries", 231, 11, "1\tAfghanistan\taf\taf\tafg\t33\t65\tKabul\t34.5309\t69.1368\t1807"}};
  for (const auto& listing : listings) {
    const TToolRun run = RunTool(listing.Command);
    EXPECT_EQ(run.ExitCode, 0) << listing.Command;
    const auto lines = run.OutLines();
    ASSERT_EQ(lines.size(), listing.Lines) << listing.Command;
    EXPECT_EQ(lines.front().rfind(listing.FirstLineStart, 0), 0u) << lines.front();
    for (const std::string& line : lines) EXPECT_EQ(TabFields(line), listing.Fields) << line;
  }
  EXPECT_EQ(RunTool("ellipsoids").OutLines().back(), "60\tgelNahrwan29\t6378300.782\t6356566.42744\t" +
                                                         Fields(RunTool("ellipsoids").OutLines().back())[4] +
                                                         "\tNahrwan 1929");
}

TEST(CliListings, FilterKeepsMatchingLinesCaseInsensitively) {
  const auto lines = RunTool("datums 'european datum 1950'").OutLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().rfind("59\tEUROPEAN DATUM 1950\tEurope\t", 0), 0u);
  for (const std::string& line : lines) EXPECT_NE(line.find("EUROPEAN DATUM 1950"), std::string::npos);
  EXPECT_EQ(RunTool("ellipsoids SPHERE").OutLines().size(), 4u);
  EXPECT_EQ(RunTool("countries 'no such country'").Out, "");
}

TEST(CliDemo, GeodesyTablesShowCapitalsInEveryTable) {
  const TToolRun run = RunTool("demo --geodesy");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Err, "");
  for (const char* part : {"UTM", "cartesian", "EUROPEAN DATUM 1950", "ORDNANCE GB 1936", "Berlin", "33N"})
    EXPECT_NE(run.Out.find(part), std::string::npos) << part;
  // Berlin appears once in each of the three tables.
  std::size_t count = 0;
  for (std::size_t at = run.Out.find("Berlin"); at != std::string::npos; at = run.Out.find("Berlin", at + 1)) ++count;
  EXPECT_EQ(count, 3u);
  const std::regex notANumber("(^|\\s)-?(nan|inf)(\\s|$)");
  EXPECT_FALSE(std::regex_search(run.Out, notANumber));

  const TToolRun all = RunTool("demo --geodesy --all");
  EXPECT_EQ(all.ExitCode, 0);
  EXPECT_GT(all.OutLines().size(), run.OutLines().size());
  EXPECT_FALSE(std::regex_search(all.Out, notANumber));
}

}  // namespace
}  // namespace orq::cli::test
