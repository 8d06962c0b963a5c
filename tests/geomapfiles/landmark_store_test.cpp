#include <gtest/gtest.h>

#include <vector>

#include "orqcarta/Orq_GeoMap.h"

namespace orq {
namespace {

class TCountingMap : public TGeoMap {
 public:
  void Paint() override {
    ++Paints;
    TGeoMap::Paint();
  }
  int Paints = 0;
};

// Landmarks 1..n at latitude i, longitude 0, tag i, class Class(i).
void AddNumbered(TGeoMap& m, int n, int (*Class)(int) = nullptr) {
  for (int i = 1; i <= n; ++i)
    m.AddLandMark(i, 0, 0, lmCross, Class ? Class(i) : 0, "", 0, i, 0, 0, 5, false, 0, 10);
}

std::vector<int> Tags(const TGeoMap& m) {
  std::vector<int> tags;
  for (int i = 1; i <= m.NumLandMarks(); ++i) tags.push_back(m.LandMarkData(i).Tag);
  return tags;
}

TEST(LandmarkStore, OverloadsFillFromTheDefault) {
  TGeoMap m;
  m.AddLandMark(47, 8, 500);
  TLandMark expected = m.LandMarkDefault();
  expected.Latitude = 47;
  expected.Longitude = 8;
  expected.Altitude = 500;
  EXPECT_EQ(m.LandMarkData(1), expected);
  EXPECT_EQ(expected.SymbolProps.Kind, lmCross);
  EXPECT_EQ(expected.Caption.FontName, "MS Sans Serif");

  m.AddLandMark(1, 2, 3, "ABCDEFGHIJKLMNOPQRST", 45000.5);
  EXPECT_EQ(m.LandMarkData(2).Identifier, "ABCDEFGHIJKLMNO");  // cut to 15
  EXPECT_EQ(m.LandMarkData(2).Time, 45000.5);
  m.AddLandMark(1, 2, 3, std::string(100, 'c'), 12, 0x00FF00);
  EXPECT_EQ(m.LandMarkData(3).Caption.Text.str(), std::string(80, 'c'));
  EXPECT_EQ(m.LandMarkData(3).Caption.Size, 12);
  EXPECT_EQ(m.LandMarkData(3).Caption.FGColor, 0x00FF00u);
  m.AddLandMark(1, 2, 3, "id", 1.0, "cap", 9, 0x0000FF);
  EXPECT_EQ(m.LandMarkData(4).Identifier, "id");
  EXPECT_EQ(m.LandMarkData(4).Caption.Text, "cap");
  m.AddLandMark(1, 2, 3, lmSpade, 7, "full", 2.0, 99, 0x1, 0x2, 11, true, 45, 20);
  const TLandMark full = m.LandMarkData(5);
  EXPECT_EQ(full.SymbolProps, (TSymbolProperties{lmSpade, 11, 0x1, 0x2, true, 45, 20}));
  EXPECT_EQ(full.ClassFlag, 7);
  EXPECT_EQ(full.Tag, 99);
  EXPECT_EQ(full.Caption, m.LandMarkDefault().Caption);

  // Outside 1..N: the default comes back and writing does nothing.
  EXPECT_EQ(m.LandMarkData(0), m.LandMarkDefault());
  EXPECT_EQ(m.LandMarkData(6), m.LandMarkDefault());
  m.SetLandMarkData(6, full);
  EXPECT_EQ(m.NumLandMarks(), 5);
  m.SetLandMarkData(1, full);
  EXPECT_EQ(m.LandMarkData(1), full);
}

TEST(LandmarkStore, VetoesStopAdditionsAndRemovals) {
  TCountingMap m;
  std::vector<TLandMarkAction> asked;
  bool allow = false;
  m.SetOnLandMarkAction([&](TObject* sender, bool& allowed, TLandMarkAction action, const TLandMark&) {
    EXPECT_EQ(sender, &m);
    EXPECT_TRUE(allowed);
    asked.push_back(action);
    allowed = allow;
  });
  m.AddLandMark(1, 1, 0);
  EXPECT_EQ(m.NumLandMarks(), 0);
  EXPECT_EQ(m.Paints, 0);
  allow = true;
  AddNumbered(m, 3);
  allow = false;
  EXPECT_EQ(m.RemoveLandMark(2), 0);
  EXPECT_EQ(m.RemoveLandMark(2.0, 0.0, -1, 10.0), 0);
  EXPECT_EQ(m.RemoveLandMark(2.0, 0.0, -1), 0);
  m.RemoveLastLandMark();
  EXPECT_EQ(m.NumLandMarks(), 3);
  m.RemoveAllLandMarks();  // asks nobody
  EXPECT_EQ(m.NumLandMarks(), 0);
  EXPECT_EQ(asked.size(), 1u + 3u + 1u + 3u + 1u + 1u);
}

TEST(LandmarkStore, CapacityGrowsInBlocksAndResets) {
  TGeoMap m;
  m.SetSuppressPaint(true);
  EXPECT_EQ(m.LandMarkCapacity(), 1000);
  AddNumbered(m, 1000);
  EXPECT_EQ(m.LandMarkCapacity(), 1000);
  m.AddLandMark(0, 0, 0);
  EXPECT_EQ(m.LandMarkCapacity(), 2000);
  AddNumbered(m, 1000);
  EXPECT_EQ(m.LandMarkCapacity(), 3000);
  EXPECT_EQ(m.NumLandMarks(), 2001);
  m.RemoveAllLandMarks();
  EXPECT_EQ(m.LandMarkCapacity(), 1000);
  AddNumbered(m, 1001);
  m.RemoveLandMark(0.0, 0.0, -1, 1e6);
  EXPECT_EQ(m.LandMarkCapacity(), 1000);
}

TEST(LandmarkStore, RemovalsCloseGapsFromTheEnd) {
  TGeoMap m;
  AddNumbered(m, 5);
  EXPECT_EQ(m.RemoveLandMark(2), 2);
  EXPECT_EQ(Tags(m), (std::vector<int>{1, 5, 3, 4}));
  EXPECT_EQ(m.RemoveLandMark(9), 0);
  EXPECT_EQ(m.RemoveLandMark(0), 0);

  m.RemoveAllLandMarks();
  AddNumbered(m, 5);
  // Landmarks 1 and 2 lie within 2.5 degrees of (0.5, 0); 3 lies exactly on it.
  EXPECT_EQ(m.RemoveLandMark(0.5, 0.0, -1, 2.5), 2);
  EXPECT_EQ(Tags(m), (std::vector<int>{5, 4, 3}));

  m.RemoveAllLandMarks();
  AddNumbered(m, 6);
  // Rectangle: longitudes -1..1, latitudes 5..2 (top, bottom); edges excluded.
  EXPECT_EQ(m.RemoveLandMark(TRectDouble{-1, 5, 1, 2}, -1), 2);  // 3 and 4
  EXPECT_EQ(Tags(m), (std::vector<int>{1, 2, 6, 5}));
  EXPECT_EQ(m.RemoveLandMark(TRectDouble{0, 10, 1, 0}, -1), 0);  // longitude 0 is on the edge

  m.RemoveLastLandMark();
  EXPECT_EQ(Tags(m), (std::vector<int>{1, 2, 6}));
  EXPECT_EQ(m.RemoveLandMark(5.9, 0.0, -1), 3);  // the nearest, number 3
  EXPECT_EQ(Tags(m), (std::vector<int>{1, 2}));
  m.RemoveLastLandMark();
  m.RemoveLastLandMark();
  m.RemoveLastLandMark();  // on an empty list: nothing to do
  EXPECT_EQ(m.NumLandMarks(), 0);
  EXPECT_EQ(m.RemoveLandMark(1), 0);
  EXPECT_EQ(m.RemoveLandMark(0.0, 0.0, -1), 0);
}

TEST(LandmarkStore, ClassSelectionAndFinding) {
  TGeoMap m;
  EXPECT_EQ(m.FindLandMark(0, 0, -1), 0);
  AddNumbered(m, 6, [](int i) { return i % 2 == 0 ? 7 : 1; });
  EXPECT_EQ(m.FindLandMark(3.4, 0, -1), 3);
  EXPECT_EQ(m.FindLandMark(3.4, 0, 7), 4);
  EXPECT_EQ(m.FindLandMark(3.4, 0, 300), 3);  // out of byte range: every class
  EXPECT_EQ(m.FindLandMark(3.4, 0, -5), 3);
  EXPECT_EQ(m.FindLandMark(3.5, 0, -1), 3);  // equal distances: the lower number
  EXPECT_EQ(m.FindLandMark(3.5, 0, 9), 0);
  EXPECT_EQ(m.RemoveLandMark(3.4, 0.0, 300, 100.0), 6);

  AddNumbered(m, 6, [](int i) { return i % 2 == 0 ? 7 : 1; });
  m.RemoveAllLandMarks(7);
  EXPECT_EQ(Tags(m), (std::vector<int>{1, 5, 3}));
  m.SetHighLightLandMark(2);
  m.RemoveAllLandMarks(9);  // nothing of class 9; the highlight goes all the same
  EXPECT_EQ(m.HighLightLandMark(), 0);
  EXPECT_EQ(m.NumLandMarks(), 3);
}

TEST(LandmarkStore, EmptyListRemovalsDoNotRepaint) {
  TCountingMap m;
  m.RemoveLandMark(1);
  m.RemoveLandMark(0.0, 0.0, -1);
  m.RemoveLandMark(0.0, 0.0, -1, 5.0);
  m.RemoveLandMark(TRectDouble{}, -1);
  m.RemoveAllLandMarks(3);
  EXPECT_EQ(m.Paints, 0);
  m.RemoveLastLandMark();  // always repaints
  EXPECT_EQ(m.Paints, 1);
}

}  // namespace
}  // namespace orq
