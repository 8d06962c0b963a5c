// The composed picture: layer order, events, the empty and hidden control,
// the image section and its cache, landmark placement and random thinning.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "compose_test_support.h"
#include "orqmath/MathUtils.h"
#include "orqplatform/Random.h"

namespace orq {
namespace {

TLandMark PlainLandmark(const TLinearMap& g, int x, int y, TLandMarkElement kind = lmPlus) {
  TLandMark lm;
  lm.Latitude = g.Lat(y);
  lm.Longitude = g.Long(x);
  lm.SymbolProps.Kind = kind;
  lm.SymbolProps.Size = 3;
  lm.SymbolProps.FGColor = 0x0000FF;
  lm.SymbolProps.BGColor = 0xFFFFFF;
  lm.SymbolProps.Transparent = true;
  return lm;
}

TEST(Composition, LayersAndEventsComeInTheirOrder) {
  const TLinearMap g;
  TGeoMap m;
  MakeLinearMap(m, g);
  m.SetGratLineDist(0.5);  // parallels at 49.5 and 49: image rows 50 and 100
  m.SetShowGraticule(sgLines);
  TLandMark lm = PlainLandmark(g, 40, 70);
  lm.Caption.Text = "A";
  m.AddLandMarkRecord(lm);
  m.AddLandMarkRecord(PlainLandmark(g, 120, 30, lmSquare));
  m.SetHighLightLandMark(2);

  std::vector<std::string> calls;
  const TColor gratStored = Stored(m, m.ColorGraticule());
  m.SetOnBeforeRenderData([&](TObject* sender, TCanvas* c) {
    EXPECT_EQ(sender, &m);
    EXPECT_EQ(c, m.AuxBmp()->Canvas());
    // The image is there, the graticule not yet.
    EXPECT_EQ(c->Pixels(150, 50), Stored(m, ImagePixel(150, 50)));
    calls.push_back("before");
  });
  m.SetOnDrawLandmark([&](TObject*, bool&, TCanvas* c, TPoint p, const TLandMark& l) {
    if (calls.back() == "before") {
      EXPECT_EQ(c->Pixels(150, 50), gratStored);
      // The pen an OnDrawLandmark handler first sees.
      EXPECT_EQ(c->Pen.Color, 0x00FF00u);
    }
    calls.push_back("landmark " + std::to_string(p.X) + "," + std::to_string(p.Y) +
                    (l.SymbolProps.Kind == lmSquare ? " square" : ""));
  });
  m.SetOnDataRendered([&](TObject*, TCanvas* c) {
    EXPECT_EQ(c->Pixels(40, 68), Stored(m, 0x0000FF));  // the plus, above its caption
    calls.push_back("rendered");
  });
  m.Paint();
  const std::vector<std::string> expected = {"before", "landmark 40,70", "landmark 120,30 square", "rendered",
                                             "landmark 120,30 square"};
  EXPECT_EQ(calls, expected);
  // The highlight is drawn last, in the highlight colours.
  EXPECT_EQ(AuxPixel(m, 118, 30), Stored(m, m.HighLightColorFG()));
  // The window shows what was composed.
  EXPECT_EQ(m.Canvas()->Pixels(40, 70), AuxPixel(m, 40, 70));
}

TEST(Composition, EmptyOrDesignedMapShowsItsMessageAndRaisesNoEvent) {
  for (bool designing : {false, true}) {
    TGeoMap m;
    if (designing) {
      MakeLinearMap(m);
      m.AddLandMark(49.5, 11, 0);
      m.SetDesigning(true);
    }
    int events = 0;
    m.SetOnBeforeRenderData([&](TObject*, TCanvas*) { ++events; });
    m.SetOnDataRendered([&](TObject*, TCanvas*) { ++events; });
    m.SetOnDrawLandmark([&](TObject*, bool&, TCanvas*, TPoint, const TLandMark&) { ++events; });
    m.SetColorFrame(0x0000FF);
    m.Paint();
    EXPECT_EQ(events, 0);
    int ink = 0;
    for (int y = 10; y < 30; ++y)
      for (int x = 10; x < 80; ++x) ink += AuxPixel(m, x, y) != Stored(m, m.ColorBackGnd());
    EXPECT_GT(ink, 20) << "the empty message";
    EXPECT_EQ(AuxPixel(m, 5, 5), Stored(m, m.ColorBackGnd()));
    EXPECT_EQ(AuxPixel(m, 150, 120), Stored(m, m.ColorBackGnd()));
  }
}

TEST(Composition, HiddenControlKeepsThePictureButDrawsTheFrame) {
  TGeoMap m;
  MakeLinearMap(m);
  m.SetFrameStyle(frSingle);
  m.Paint();
  const TColor before = AuxPixel(m, 60, 60);
  int events = 0;
  m.SetOnBeforeRenderData([&](TObject*, TCanvas*) { ++events; });
  m.SetVisible(false);
  m.AuxBmp()->Canvas()->SetPixels(60, 60, 0x123456);
  m.ConstructInternalMapImg();
  EXPECT_EQ(events, 0);
  EXPECT_EQ(AuxPixel(m, 60, 60), Stored(m, 0x123456));
  EXPECT_NE(before, Stored(m, 0x123456));
}

TEST(Composition, SuppressedPaintLeavesWindowAndPictureAlone) {
  TGeoMap m;
  MakeLinearMap(m);
  m.SetSuppressPaint(true);
  m.Canvas()->SetPixels(50, 50, 0x00FFFF);
  m.AuxBmp()->Canvas()->SetPixels(50, 50, 0x00FFFF);
  m.SetColorBackGnd(0x00FF00);
  m.Paint();
  EXPECT_EQ(m.Canvas()->Pixels(50, 50), 0x00FFFFu);
  EXPECT_EQ(AuxPixel(m, 50, 50), Stored(m, 0x00FFFF));
  m.SetSuppressPaint(false);
  EXPECT_EQ(m.Canvas()->Pixels(50, 50), Stored(m, ImagePixel(50, 50)));
}

TEST(Composition, ImageSectionFollowsTopLeftAndMagnification) {
  TGeoMap m;
  MakeLinearMap(m);
  m.SetAntiAlias(false);
  m.SetMagnification(2);
  m.SetTopLeft(TPoint{10, 5});
  for (TPoint p : {TPoint{0, 0}, TPoint{1, 1}, TPoint{2, 3}, TPoint{121, 77}, TPoint{199, 149}})
    EXPECT_EQ(AuxPixel(m, p.X, p.Y), Stored(m, ImagePixel(10 + p.X / 2, 5 + p.Y / 2))) << p.X << "," << p.Y;
  // Beyond the image's right edge lies the background.
  m.SetTopLeft(TPoint{350, 0});
  EXPECT_EQ(AuxPixel(m, 150, 10), Stored(m, m.ColorBackGnd()));
}

TEST(Composition, CacheServesSmallMagnificationsUntilTheImageChanges) {
  TGeoMap m;
  MakeLinearMap(m);
  m.SetAntiAlias(false);
  m.SetMagnification(0.5);
  m.SetTopLeft(TPoint{20, 10});
  // From the cache (the image pixel under each cache pixel's centre, 2x + 1),
  // copied 1:1 from cache pixel TopLeft / 2.
  EXPECT_EQ(AuxPixel(m, 30, 40), Stored(m, ImagePixel(81, 91)));
  // A new image invalidates the cache: the picture shows the new pixels.
  TBitmap white;
  white.SetSize(400, 300);
  m.SetMapBitMap(&white);
  m.SetMagnification(0.5);
  EXPECT_EQ(AuxPixel(m, 30, 40), Stored(m, 0xFFFFFF));
  // No cache at all below a limit of 0: the section is stretched directly.
  TGeoMap direct;
  MakeLinearMap(direct);
  direct.SetAntiAlias(false);
  direct.SetCacheMagLimit(0);
  direct.SetMagnification(0.5);
  direct.SetTopLeft(TPoint{20, 10});
  EXPECT_EQ(AuxPixel(direct, 30, 40), Stored(direct, ImagePixel(81, 91)));
}

TEST(Composition, LandmarksOnTheEdgeAreReportedButNotDrawn) {
  const TLinearMap g;
  TGeoMap m;
  MakeLinearMap(m, g);
  // Control 200 x 150 at magnification 1: x = 0 and x = 200 are on the edges.
  for (int x : {0, 200}) m.AddLandMarkRecord(PlainLandmark(g, x, 75));
  m.AddLandMarkRecord(PlainLandmark(g, 100, 0));
  m.AddLandMarkRecord(PlainLandmark(g, 100, 150));
  m.AddLandMarkRecord(PlainLandmark(g, 100, 75));
  std::vector<TPoint> seen;
  m.SetOnDrawLandmark([&](TObject*, bool&, TCanvas*, TPoint p, const TLandMark&) { seen.push_back(p); });
  m.Paint();
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[1], (TPoint{200, 75}));
  EXPECT_EQ(AuxPixel(m, 1, 75), Stored(m, ImagePixel(1, 75)));
  EXPECT_EQ(AuxPixel(m, 199, 75), Stored(m, ImagePixel(199, 75)));
  EXPECT_EQ(AuxPixel(m, 100, 1), Stored(m, ImagePixel(100, 1)));
  EXPECT_EQ(AuxPixel(m, 100, 149), Stored(m, ImagePixel(100, 149)));
  EXPECT_EQ(AuxPixel(m, 101, 75), Stored(m, 0x0000FF));
}

TEST(Composition, HandledSuppressesSymbolCaptionAndHighlight) {
  const TLinearMap g;
  TGeoMap m;
  MakeLinearMap(m, g);
  TLandMark lm = PlainLandmark(g, 60, 60, lmSquare);
  lm.Caption.Text = "Wide caption text";
  lm.Caption.Transparent = false;
  lm.Caption.BGColor = 0x00FFFF;
  m.AddLandMarkRecord(lm);
  m.SetHighLightLandMark(1);
  int calls = 0;
  m.SetOnDrawLandmark([&](TObject*, bool& handled, TCanvas*, TPoint, const TLandMark&) {
    ++calls;
    handled = true;
  });
  m.Paint();
  EXPECT_EQ(calls, 2);
  for (int y = 50; y < 90; ++y)
    for (int x = 50; x < 150; ++x) ASSERT_EQ(AuxPixel(m, x, y), Stored(m, ImagePixel(x, y))) << x << "," << y;
}

TEST(Composition, HighlightBeyondTheLandmarksIsNeverDrawn) {
  const TLinearMap g;
  TGeoMap m;
  MakeLinearMap(m, g);
  for (int i = 0; i < 3; ++i) m.AddLandMarkRecord(PlainLandmark(g, 30 + 40 * i, 50));
  m.SetHighLightLandMark(3);
  m.RemoveLastLandMark();  // leaves the highlight pointing past the list
  int calls = 0;
  m.SetOnDrawLandmark([&](TObject*, bool&, TCanvas*, TPoint, const TLandMark&) { ++calls; });
  m.Paint();
  EXPECT_EQ(calls, 2);
}

TEST(Composition, HiddenClassesAreSkippedAndNeverSampled) {
  const TLinearMap g;
  TGeoMap m;
  MakeLinearMap(m, g);
  for (int i = 0; i < 10; ++i) {
    TLandMark lm = PlainLandmark(g, 20 + 10 * i, 40);
    lm.ClassFlag = static_cast<uint8_t>(i % 2 ? 7 : 0);
    m.AddLandMarkRecord(lm);
  }
  m.SetClassVisibility(7, false);
  EXPECT_FALSE(m.GetClassVisibility(7));
  int calls = 0;
  m.SetOnDrawLandmark([&](TObject*, bool&, TCanvas*, TPoint, const TLandMark&) { ++calls; });
  SetRandSeed(99);
  m.Paint();
  EXPECT_EQ(calls, 5);
  // One random number for each landmark of a visible class, also at p = 1.
  const double next = Random();
  SetRandSeed(99);
  for (int i = 0; i < 5; ++i) Random();
  EXPECT_EQ(Random(), next);
}

// Counts landmarks the composition sampled inside the control; the handler
// takes over the drawing so that only the sampling is measured.
int SampledInside(TGeoMap& m) {
  int inside = 0;
  m.SetOnDrawLandmark([&](TObject*, bool& handled, TCanvas*, TPoint p, const TLandMark&) {
    handled = true;
    inside += p.X > 0 && p.X < m.Width() && p.Y > 0 && p.Y < m.Height();
  });
  m.SetSuppressPaint(false);  // repaints once
  return inside;
}

TEST(Composition, ManyLandmarksInViewAreThinnedToAboutTheThreshold) {
  const TLinearMap g{1000, 1000, 50, 10, 0.001};
  TGeoMap m;
  MakeLinearMap(m, g, 1000, 1000);
  SetRandSeed(2024);
  m.SetSuppressPaint(true);  // adding repaints otherwise, 50,000 times
  for (int i = 0; i < 50000; ++i) m.AddLandMark(g.Lat(1 + Random() * 998), g.Long(1 + Random() * 998), 0);
  ASSERT_EQ(m.LMRandomDisplayThreshold(), 20000);
  const int drawn = SampledInside(m);
  const double sigma = std::sqrt(50000 * 0.4 * 0.6);
  EXPECT_NEAR(drawn, 20000, 5 * sigma);
}

TEST(Composition, LandmarksOutsideTheViewDoNotThinThoseInside) {
  const TLinearMap g{1000, 1000, 50, 10, 0.001};
  TGeoMap m;
  MakeLinearMap(m, g, 500, 500);
  SetRandSeed(7);
  m.SetSuppressPaint(true);
  for (int i = 0; i < 15000; ++i) m.AddLandMark(g.Lat(1 + Random() * 498), g.Long(1 + Random() * 498), 0);
  for (int i = 0; i < 40000; ++i) m.AddLandMark(g.Lat(510 + Random() * 480), g.Long(1 + Random() * 998), 0);
  EXPECT_EQ(SampledInside(m), 15000);
}

// A transparent caption leaves the composition canvas with a clear brush;
// the next picture's background must still cover the whole window, or a
// smaller view leaves the last picture's right edge standing beside it.
TEST(Composition, AfterTransparentCaptionsASmallerViewLeavesNothingOfTheLastOne) {
  TGeoMap m;
  m.SetBounds(0, 0, 1000, 680);
  m.CreateEmptyMapInMemory(34, -25, 72, 45, 5, 5, 1200, 900, true);
  m.AddLandMark(41.7, 44.79, 0, "Tbilisi", 8, 0x000080);  // captions are transparent by default
  m.SetMagnification(0.78);
  m.SetMagnification(0.73);
  const int imageRight = static_cast<int>(std::ceil(1200 * 0.73));
  int stale = 0;
  for (int y = 10; y < 600; ++y)
    for (int x = imageRight + 1; x < 990; ++x)
      if (m.Canvas()->Pixels(x, y) != m.ColorBackGnd()) ++stale;
  EXPECT_EQ(stale, 0);
}

}  // namespace
}  // namespace orq
