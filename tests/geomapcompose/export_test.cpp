// Pictures of the map outside the control: CopyToBMP, the clipboard and
// printing through a page target.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "compose_test_support.h"
#include "orqcarta/geomap/PageTarget.h"
#include "orqplatform/Clipboard.h"
#include "orqplatform/ImageCodecs.h"

namespace orq {
namespace {

TEST(PictureExport, CopyToBMPRendersItsOwnViewWithoutTouchingTheControl) {
  TGeoMap m;
  MakeLinearMap(m);
  m.SetAntiAlias(false);
  m.SetMagnification(1.5);
  m.SetTopLeft(TPoint{7, 3});
  const TBitmap* aux = m.AuxBmp();
  const std::vector<uint32_t> before = aux->PixelData();
  int rendered = 0;
  m.SetOnDataRendered([&](TObject*, TCanvas*) { ++rendered; });

  TBitmap dest;
  dest.SetPixelFormat(pf24bit);
  dest.SetSize(10, 10);
  m.CopyToBMP(&dest, TPoint{100, 50}, 2.0, 20, 30, 80, 60);
  EXPECT_EQ(rendered, 1);
  EXPECT_EQ(dest.Width(), 100);
  EXPECT_EQ(dest.Height(), 90);
  // Outside the rectangle the bitmap keeps its (white) pixels.
  EXPECT_EQ(dest.Canvas()->Pixels(19, 30), 0xFFFFFFu);
  EXPECT_EQ(dest.Canvas()->Pixels(20, 29), 0xFFFFFFu);
  // Inside: image pixel 100 + x / 2, 50 + y / 2, in full colour.
  for (TPoint p : {TPoint{0, 0}, TPoint{1, 1}, TPoint{33, 17}, TPoint{79, 59}})
    EXPECT_EQ(dest.Canvas()->Pixels(20 + p.X, 30 + p.Y), ImagePixel(100 + p.X / 2, 50 + p.Y / 2));
  EXPECT_EQ(m.Magnification(), 1.5);
  EXPECT_EQ(m.TopLeft(), (TPoint{7, 3}));
  EXPECT_EQ(aux->PixelData(), before);
}

TEST(PictureExport, CopyToBMPOfTheControlsViewMatchesItsPicture) {
  TGeoMap m;
  MakeLinearMap(m);
  m.AddLandMark(49.5, 10.5, 0, "Caption", 8, 0);
  m.SetShowGraticule(sgPointsAndLines);
  m.SetTopLeft(TPoint{30, 20});
  TBitmap dest;
  dest.SetPixelFormat(pf15bit);
  m.CopyToBMP(&dest, m.TopLeft(), m.Magnification(), 0, 0, m.Width(), m.Height());
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) ASSERT_EQ(dest.Canvas()->Pixels(x, y), AuxPixel(m, x, y)) << x << "," << y;
}

TEST(PictureExport, CopyToBMPRefusesNonsense) {
  TGeoMap m;
  MakeLinearMap(m);
  TBitmap dest;
  EXPECT_THROW(m.CopyToBMP(&dest, TPoint{0, 0}, 0, 0, 0, 10, 10), EOrqGeoMapError);
  EXPECT_THROW(m.CopyToBMP(&dest, TPoint{0, 0}, std::nan(""), 0, 0, 10, 10), EOrqGeoMapError);
  m.CopyToBMP(&dest, TPoint{0, 0}, 1, 0, 0, 0, 10);
  m.CopyToBMP(nullptr, TPoint{0, 0}, 1, 0, 0, 10, 10);
  EXPECT_EQ(dest.Width(), 0);
}

TEST(PictureExport, WholeMapGoesToTheClipboardAtMagnificationOne) {
  TGeoMap m;
  MakeLinearMap(m);
  m.SetMagnification(0.5);
  m.CopyEntireMapToClipboard();
  TBitmap got;
  Clipboard()->AssignTo(&got);
  ASSERT_EQ(got.Width(), 400);
  ASSERT_EQ(got.Height(), 300);
  EXPECT_EQ(got.Canvas()->Pixels(399, 299), ImagePixel(399, 299));
  EXPECT_EQ(got.Canvas()->Pixels(123, 45), ImagePixel(123, 45));
}

TEST(PictureExport, PrintExtentsFollowScaleAndResolution) {
  TGeoMap m;
  int w = 0, h = 0;
  m.CalcExtentsOfPrint(TRect{10, 20, 110, 70}, 100, w, h);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 50);
  TPngPageTarget page("unused", 100, 100, 300);
  m.SetPageTarget(&page);
  m.CalcExtentsOfPrint(TRect{10, 20, 110, 70}, 50, w, h);
  EXPECT_EQ(w, 156);  // 100 x 0.5 x 300 / 96 = 156.25
  EXPECT_EQ(h, 78);
  m.CalcExtentsOfPrint(TRect{10, 20, 5, 70}, 50, w, h);
  EXPECT_EQ(w, 0);
}

TEST(PictureExport, PrintItWritesAPageThroughThePngTarget) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orq_print_test";
  std::filesystem::create_directories(dir);
  TGeoMap m;
  MakeLinearMap(m);  // control 200 x 150
  m.SetAntiAlias(false);
  EXPECT_THROW(m.PrintIt(1), EOrqGeoMapError);
  TPngPageTarget pages((dir / "page").string(), 500, 400, 192);
  m.SetPageTarget(&pages);
  int x = 0, y = 0;
  EXPECT_THROW(m.CopyToOpenPrinter(x, y, 1), EOrqGeoMapError) << "no page begun";
  m.PrintIt(1);  // 2 page pixels per image pixel at 192 per inch
  ASSERT_EQ(pages.PagesWritten().size(), 1u);
  std::ifstream in(pages.PagesWritten()[0], std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const TRawImage png = DecodePng(bytes.data(), bytes.size());
  ASSERT_EQ(png.Width, 500);
  ASSERT_EQ(png.Height, 400);
  auto at = [&](int px, int py) { return png.Pixels[static_cast<size_t>(py) * 500 + px]; };
  EXPECT_EQ(at(0, 0), ImagePixel(0, 0));
  EXPECT_EQ(at(201, 99), ImagePixel(100, 49));
  EXPECT_EQ(at(399, 299), ImagePixel(199, 149));
  EXPECT_EQ(at(400, 300), 0xFFFFFFu) << "beyond the printed view the page stays white";

  // A second page: two views side by side; x and y advance past each.
  pages.BeginPage();
  x = y = 0;
  m.CopyToOpenPrinter(x, y, 0.5);
  EXPECT_EQ(x, 200);
  EXPECT_EQ(y, 150);
  m.CopyToOpenPrinter(TRect{0, 0, 50, 50}, 100, 300, 0);
  pages.EndPage();
  EXPECT_EQ(pages.PagesWritten().size(), 2u);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orq
