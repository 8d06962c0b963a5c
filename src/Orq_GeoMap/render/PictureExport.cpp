// Pictures of the map outside the control: a bitmap of any view, the whole
// map on the clipboard, and pages for a page target.
#include <cmath>
#include <new>

#include "orqcarta/Orq_GeoMap.h"
#include "orqcarta/geomap/PageTarget.h"
#include "orqplatform/Clipboard.h"

namespace orq {

namespace {

// Screens are taken as 96 pixels per inch when a print scale is turned
// into page pixels.
constexpr double ScreenPixelsPerInch = 96;


}  // namespace

void TGeoMap::CopyToBMP(TBitmap* DestBmp, TPoint ATopLeft, double MagFact, int PosHoriz, int PosVert, int AWidth,
                        int AHeight) {
  if (!(MagFact > 0) || !std::isfinite(MagFact))
    throw EOrqGeoMapError(ComponentMessage("invalid magnification for a picture of the map"));
  if (!DestBmp || AWidth < 1 || AHeight < 1) return;
  try {
    const long long right = static_cast<long long>(PosHoriz) + AWidth, bottom = static_cast<long long>(PosVert) + AHeight;
    if (right > MaxPixelCoordinate || bottom > MaxPixelCoordinate)
      throw EOrqGeoMapError(ComponentMessage("picture of the map too large"));
    if (DestBmp->Width() < right) DestBmp->SetWidth(static_cast<int>(right));
    if (DestBmp->Height() < bottom) DestBmp->SetHeight(static_cast<int>(bottom));
    TBitmap picture;
    picture.SetPixelFormat(DestBmp->PixelFormat());
    picture.SetSize(AWidth, AHeight);
    ComposePicture(&picture, TMapView{AWidth, AHeight, ATopLeft, MagFact}, false);
    TCanvas* dest = DestBmp->Canvas();
    const TCopyMode mode = dest->CopyMode();
    dest->SetCopyMode(cmSrcCopy);
    dest->CopyRect(TRect{PosHoriz, PosVert, PosHoriz + AWidth, PosVert + AHeight}, picture.Canvas(),
                   TRect{0, 0, AWidth, AHeight});
    dest->SetCopyMode(mode);
  } catch (const std::bad_alloc&) {
    throw EOrqGeoMapError(ComponentMessage("insufficient memory"));
  }
}

void TGeoMap::CopyEntireMapToClipboard() {
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  // An empty map still gives a picture: its empty message at the control's size.
  const int w = FMapImgWidth > 0 ? FMapImgWidth : Width(), h = FMapImgHeight > 0 ? FMapImgHeight : Height();
  CopyToBMP(&picture, TPoint{0, 0}, 1.0, 0, 0, w, h);
  Clipboard()->Assign(&picture);
}

double TGeoMap::PageMagnification(double ScreenFactor) const {
  const double ppi = FPageTarget ? FPageTarget->PixelsPerInch() : ScreenPixelsPerInch;
  return ScreenFactor * ppi / ScreenPixelsPerInch;
}

TBitmap& TGeoMap::CurrentPage(const char* Operation) const {
  if (!FPageTarget) throw EOrqGeoMapError(ComponentMessage(std::string(Operation) + ": no page target is set"));
  TBitmap* page = FPageTarget->Page();
  if (!page) throw EOrqGeoMapError(ComponentMessage(std::string(Operation) + ": no page has been begun"));
  return *page;
}

void TGeoMap::CalcExtentsOfPrint(TRect MapWindow, int Scale, int& AWidth, int& AHeight) {
  const double m = PageMagnification(Scale / 100.0);
  const int w = MapWindow.Right - MapWindow.Left, h = MapWindow.Bottom - MapWindow.Top;
  if (Scale < 1 || w < 1 || h < 1) {
    AWidth = AHeight = 0;
    return;
  }
  AWidth = RoundedOrZero(w * m);
  AHeight = RoundedOrZero(h * m);
}

void TGeoMap::CopyToOpenPrinter(TPoint ATopLeft, int Scale, int PosHoriz, int PosVert, int AWidth, int AHeight) {
  TBitmap& page = CurrentPage("CopyToOpenPrinter");
  if (Scale < 1) throw EOrqGeoMapError(ComponentMessage("CopyToOpenPrinter: the scale must be at least 1 percent"));
  // The page keeps its size: what lies beyond its edges is cut.
  const int w = std::min(AWidth, page.Width() - PosHoriz), h = std::min(AHeight, page.Height() - PosVert);
  CopyToBMP(&page, ATopLeft, PageMagnification(Scale / 100.0), PosHoriz, PosVert, w, h);
}

void TGeoMap::CopyToOpenPrinter(TRect MapWindow, int Scale, int PosHoriz, int PosVert) {
  int w = 0, h = 0;
  CalcExtentsOfPrint(MapWindow, Scale, w, h);
  CopyToOpenPrinter(TPoint{MapWindow.Left, MapWindow.Top}, Scale, PosHoriz, PosVert, w, h);
}

void TGeoMap::CopyToOpenPrinter(int& x, int& y, double ScaleF) {
  TBitmap& page = CurrentPage("CopyToOpenPrinter");
  if (!(ScaleF > 0) || !std::isfinite(ScaleF))
    throw EOrqGeoMapError(ComponentMessage("CopyToOpenPrinter: the scale must be a positive number"));
  const double m = PageMagnification(ScaleF);
  const int w = RoundedOrZero(Width() * m), h = RoundedOrZero(Height() * m);
  const int cutW = std::min(w, page.Width() - x), cutH = std::min(h, page.Height() - y);
  CopyToBMP(&page, FViewport.TopLeft, FViewport.Magnification * m, x, y, cutW, cutH);
  x += w;
  y += h;
}

void TGeoMap::PrintIt(double ScaleF) {
  if (!FPageTarget) throw EOrqGeoMapError(ComponentMessage("PrintIt: no page target is set"));
  FPageTarget->BeginPage();
  int x = 0, y = 0;
  CopyToOpenPrinter(x, y, ScaleF);
  FPageTarget->EndPage();
}

}  // namespace orq
