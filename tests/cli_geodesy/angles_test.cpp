// Angles as people write them, in and out.
#include <gtest/gtest.h>

#include <cmath>

#include "AngleInput.h"
#include "ErrorReport.h"
#include "PeerTools.h"
#include "ToolRunner.h"

namespace orq::cli::test {
namespace {

TEST(CliAngles, FormsPeopleWrite) {
  const double expected = 47 + 22 / 60.0 + 30.5 / 3600;
  for (const char* text : {"47°22'30.5\"", "47d22m30.5s", "47:22:30.5", "47D22M30.5S", "47º22′30.5″", "47°22'30.5''",
                           "47°22'30.5"}) {
    const auto angle = ParseAngle(text);
    ASSERT_TRUE(angle) << text;
    EXPECT_NEAR(angle->Degrees, expected, 1e-12) << text;
    EXPECT_EQ(angle->Hemisphere, 0) << text;
  }
  EXPECT_NEAR(ParseAngle("47°22.5'")->Degrees, 47.375, 1e-12);
  EXPECT_EQ(ParseAngle("8.5W")->Hemisphere, 'W');
  EXPECT_EQ(ParseAngle("N47.5")->Hemisphere, 'N');
  EXPECT_EQ(ParseAngle("47d22m30.5sS")->Hemisphere, 'S');
  EXPECT_EQ(ParseAngle("8.5s")->Hemisphere, 'S');  // no minutes: s is south
  EXPECT_NEAR(ParseAngle("-47:30")->Degrees, -47.5, 1e-12);
  for (const char* bad : {"", "47°60'", "47°22'61\"", "47.5°22'", "47'22°", "-47N", "N47S", "47°°", "47::30", "47X",
                          "°", "4 7", "47°22'30\"5"})
    EXPECT_FALSE(ParseAngle(bad)) << '"' << bad << '"';
}

TEST(CliAngles, HemisphereLettersDecideWhichFieldIsWhich) {
  const std::string plain = RunTool("utm 47.375 8.5").Out;
  for (const char* input : {"47°22'30\"N 8°30'E", "8.5E 47.375N", "47:22:30 8:30:00", "N47.375 E8.5",
                            "47d22m30s,8d30m0s"})
    EXPECT_EQ(RunTool("utm", std::string(input) + "\n").Out, plain) << input;
  EXPECT_EQ(RunTool("utm --lon-first 8.5 47.375").Out, plain);
  EXPECT_EQ(RunTool("utm --lon-first 47.375N 8.5E").Out, plain) << "letters win over --lon-first";
  const TToolRun west = RunTool("utm 40.4S 3.7W");
  EXPECT_EQ(west.Out, RunTool("utm -- -40.4 -3.7").Out);
  for (const char* bad : {"47N 8N", "8E 9W", "47N -8E"}) {
    const TToolRun run = RunTool("utm", std::string(bad) + "\n");
    EXPECT_EQ(run.ExitCode, 1) << bad;
    EXPECT_EQ(run.Out, "ERROR\n") << bad;
  }
}

TEST(CliAngles, LongitudesBeyond180AreWrappedOnlyWhenAsked) {
  EXPECT_EQ(RunTool("cart 0 350").ExitCode, 1);
  EXPECT_EQ(RunTool("cart --wrap-longitude 0 350").Out, RunTool("cart 0 -10").Out);
  EXPECT_EQ(RunTool("utm --wrap-longitude 52.5 373.4").Out, RunTool("utm 52.5 13.4").Out);
  EXPECT_EQ(RunTool("zone --wrap-longitude 0 -540").Out, "1N\n");
}

TEST(CliAngles, DmsOutputWithChosenSecondDecimals) {
  EXPECT_EQ(RunTool("utm -i --dms 32N 500000 0").Out, "0°00'00.00000\"N 9°00'00.00000\"E\n");
  EXPECT_EQ(RunTool("cart -i --dms --precision 1 -- 6378137 0 0").Out, "0°00'00.0\"N 0°00'00.0\"E 0.0\n");
  const std::string south = RunTool("utm -i --dms --precision 2 34S 259583.222 6245888.045").Out;
  EXPECT_EQ(south, "33°54'00.00\"S 18°24'00.00\"E\n");
  EXPECT_EQ(RunTool("utm -i --dms --precision 0 34S 259583.222 6245888.045").Out, "33°54'00\"S 18°24'00\"E\n");
  // What --dms writes reads back as the same position.
  const std::string forward = RunTool("utm 47.123456789 -122.987654321").Out;
  const std::string dms = RunTool("utm -i --dms", forward).Out;
  EXPECT_EQ(RunTool("utm", dms).Out, forward);
  // GeoConvert reads the same text to the same degrees.
  if (HaveProgram("GeoConvert")) {
    const auto ours = Numbers(RunTool("utm -i", forward).Out);
    std::string ascii = dms;
    for (std::size_t at; (at = ascii.find("\xC2\xB0")) != std::string::npos;) ascii.replace(at, 2, "d");
    const auto theirs = Numbers(RunProgram("GeoConvert -p 6", ascii));
    ASSERT_EQ(theirs.size(), 2u) << ascii;
    // Five decimals of a second are 1.4e-9 degrees either way.
    EXPECT_NEAR(theirs[0], ours[0], 1.5e-9);
    EXPECT_NEAR(theirs[1], ours[1], 1.5e-9);
  }
}

}  // namespace
}  // namespace orq::cli::test
