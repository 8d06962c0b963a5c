#include <gtest/gtest.h>

#include <string>

#include "orqcarta/Orq_GeoMap.h"

namespace orq {
namespace {

TEST(MapRecords, CalibDataCopiesEverySlotBeyondTheCounts) {
  TCalibData a;
  a.NumCalLines = 1;
  a.CalLines[24].LineValue = 12.5;
  a.CalLines[24].CalPoints[9] = {7, 8};
  a.NumCalQuads = 2;
  a.CalQuads[199] = {1.5, 2.5, 3, 4};
  a.UTMZone = -1;
  const TCalibData b = a;
  EXPECT_EQ(b.CalLines[24].LineValue, 12.5);
  EXPECT_EQ(b.CalLines[24].CalPoints[9], (TPoint{7, 8}));
  EXPECT_EQ(b.CalQuads[199], (TCalQuad{1.5, 2.5, 3, 4}));
  EXPECT_EQ(a, b);
}

TEST(MapRecords, LandmarkTextsAreCutOnAssignment) {
  TLandMark lm;
  lm.Caption.Text = std::string(100, 'c');
  lm.Identifier = std::string(20, 'i');
  EXPECT_EQ(lm.Caption.Text.str(), std::string(80, 'c'));
  EXPECT_EQ(lm.Identifier.str(), std::string(15, 'i'));
}

TEST(MapRecords, ZoomStackEntryIsEmptyOnlyWhenAllFieldsAreZero) {
  EXPECT_TRUE(TgmZoomStackEntry{}.IsEmpty());
  EXPECT_FALSE((TgmZoomStackEntry{0, 0, 1.0}).IsEmpty());
  EXPECT_FALSE((TgmZoomStackEntry{1, 0, 0}).IsEmpty());
  EXPECT_FALSE((TgmZoomStackEntry{0, -1, 0}).IsEmpty());
}

}  // namespace
}  // namespace orq
