#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

struct ZoneCase {
  double lat, lon;
  int zone;
  char letter;
};

TEST(UTMZone, BandsZonesAndTheNorwaySvalbardExceptions) {
  const ZoneCase cases[] = {
      {-80, -180, 1, 'C'}, {-72.0001, 0, 31, 'C'}, {-72, 0, 31, 'D'},  {-32, 0, 31, 'J'},
      {-0.5, 0, 31, 'M'},  {0, 0, 31, 'N'},        {8, 0, 31, 'P'},    {7.9999, 6, 32, 'N'},
      {56, 3, 32, 'V'},    {60, 5, 32, 'V'},       {63.9, 2.99, 31, 'V'}, {60, 12, 33, 'V'},
      {64, 5, 31, 'W'},    {72, 5, 31, 'X'},       {84, 10, 33, 'X'},  {78, 20, 33, 'X'},
      {78, 8.99, 31, 'X'}, {78, 9, 33, 'X'},       {78, 21, 35, 'X'},  {78, 33, 37, 'X'},
      {78, 41.9, 37, 'X'}, {78, 42, 38, 'X'},      {78, -0.01, 30, 'X'}, {0, 179.999, 60, 'N'},
      {0, -180, 1, 'N'},   {47.37, 8.54, 32, 'T'}, {-33.87, 151.21, 56, 'H'},
  };
  for (const ZoneCase& c : cases) {
    int zone = -1;
    char letter = '?';
    GeoToUTMZone(c.lat, c.lon, zone, letter);
    EXPECT_EQ(zone, c.zone) << c.lat << ", " << c.lon;
    EXPECT_EQ(letter, c.letter) << c.lat << ", " << c.lon;
    EXPECT_EQ(GeoToUTMZone(c.lat, c.lon), std::to_string(c.zone) + c.letter);
  }
  // Every band letter occurs once, I and O never.
  std::string letters;
  for (double lat = -76; lat < 84; lat += 8) {
    int zone;
    char letter;
    GeoToUTMZone(lat, 0, zone, letter);
    letters += letter;
  }
  EXPECT_EQ(letters, "CDEFGHJKLMNPQRSTUVWX");
}

TEST(UTMZone, OutsideTheGridThereIsNoZone) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double outside[][2] = {{84.0001, 10}, {0, 180}, {-80.0001, 0}, {0, -180.0001}, {0, 540}, {nan, 0}, {0, nan}};
  for (const auto& p : outside) {
    int zone = -1;
    char letter = '?';
    GeoToUTMZone(p[0], p[1], zone, letter);
    EXPECT_EQ(zone, 0) << p[0] << ", " << p[1];
    EXPECT_EQ(letter, ' ');
    EXPECT_EQ(GeoToUTMZone(p[0], p[1]), "");
  }
}

TEST(UTMZone, LongitudeJustBelow180StaysInZone60) {
  // 180 - 2^-46 rounds to 360 when 180 is added.
  const double lon = std::nextafter(180.0, 0.0);
  int zone;
  char letter;
  GeoToUTMZone(10, lon, zone, letter);
  EXPECT_EQ(zone, 60);
  EXPECT_EQ(letter, 'P');
}

TEST(UTMZone, CentralMeridians) {
  const double deg = 3.14159265358979323846 / 180.0;
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(1), -177 * deg);
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(31), 3 * deg);
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(60), 177 * deg);
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(30), -3 * deg);
  for (int z : {0, 61, -1, 1000}) EXPECT_EQ(UTMCentralMeridian(z), 0.0) << z;
}

}  // namespace
}  // namespace orq
