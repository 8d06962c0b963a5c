// TGeoMap construction, destruction, copying, clearing and resizing of the
// map image.
#include <cmath>
#include <new>
#include <stdexcept>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/StretchBlt.h"

namespace orq {

namespace {

TLandMark DefaultLandMark() {
  TLandMark lm;
  lm.SymbolProps.Kind = lmCross;
  lm.SymbolProps.Size = 7;
  lm.SymbolProps.FGColor = 0xFF0000;
  lm.SymbolProps.BGColor = 0xFFFFFF;
  lm.SymbolProps.Transparent = false;
  lm.SymbolProps.Direction = 0;
  lm.SymbolProps.Length = 10;
  lm.Caption.Size = 8;
  lm.Caption.FontName = "MS Sans Serif";
  lm.Caption.FGColor = 0;
  lm.Caption.BGColor = 0xFFFFFF;
  lm.Caption.Transparent = true;
  lm.Caption.dx = 0;
  lm.Caption.dy = 8;
  lm.Caption.HAlignment = taCenter;
  lm.Caption.VAlignment = vaTop;
  return lm;
}

// Scales a stored pixel position; positions far outside any image saturate
// rather than overflow.
int ScalePixel(int Value, double Factor) {
  int result = 0;
  if (RoundToPixel(Value * Factor, result)) return result;
  return Value * Factor > 0 ? MaxPixelCoordinate : -MaxPixelCoordinate;
}

}  // namespace

TGeoMap::TGeoMap(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(Left(), Top(), DefaultWidth, DefaultHeight);
  FCacheAA = FDisplay.AntiAlias;
  SetLandMarkCapacityFor(0);
  FMTrace.resize(MouseTraceCapacity);
  FDefaultLM = DefaultLandMark();
  ClearZoomHistory();
  GrafBmp = std::make_unique<TBitmap>();
  FAuxBmp = std::make_unique<TBitmap>();
  FAuxBmp->SetPixelFormat(pf15bit);
  FImgCache = std::make_unique<TBitmap>();
  FImgCache->SetPixelFormat(pf15bit);
  FGratMat = std::make_unique<TMatrix>(5, 1);
  SyncGraticule();
  FCoefs = TCalibCoefficients{};
  FCalibModel = cmUndefined;
}

TGeoMap::~TGeoMap() = default;

std::string TGeoMap::ComponentMessage(const std::string& Tail) const {
  return "Component \"" + Name() + "\": " + Tail;
}

// Capacity for Count landmarks in whole blocks: 0..1000 give 1000, 1001 give 2000.
void TGeoMap::SetLandMarkCapacityFor(int Count) {
  const long long blocks = (static_cast<long long>(Count) - 1) / LandMarkBlock;
  const long long capacity = blocks * LandMarkBlock + LandMarkBlock;
  try {
    FLandMarks.resize(static_cast<size_t>(capacity));
  } catch (const std::bad_alloc&) {
    throw EOrqGeoMapError(ComponentMessage("insufficient memory"));
  } catch (const std::length_error&) {
    throw EOrqGeoMapError(ComponentMessage("insufficient memory"));
  }
}

void TGeoMap::Clear() {
  ClearCalibData();
  FCalibModel = cmUndefined;
  FCalibData.MapFName.clear();
  FCalibData.Caption.clear();
  FNumMTrace = 0;
  FMapImgName.clear();
  FMapImgWidth = FMapImgHeight = 0;
  Paint();
}

void TGeoMap::SetMapBitMap(TBitmap* value) {
  // The limit is checked before anything changes, so a refused image leaves
  // the map as it was.
  const long long w = value ? value->Width() : 0, h = value ? value->Height() : 0;
  if (w * h > MaxImagePixels)
    throw EOrqGeoMapError(ComponentMessage("Cannot use map image, maximum of " + std::to_string(MaxImagePixels) +
                                           " pixels exceeded (size of map is " + std::to_string(w) + " x " +
                                           std::to_string(h) + ")"));
  FCacheMag = 0;
  GrafBmp->Assign(value);
  FMapImgName = "$unknown$";
  FMapImgWidth = GrafBmp->Width();
  FMapImgHeight = GrafBmp->Height();
  FAuxBmp->SetSize(FMapImgWidth, FMapImgHeight);
  FViewport.TopLeft = TPoint{0, 0};
  Paint();
}

void TGeoMap::ResizeMap(double Magnification) {
  const int w = GrafBmp->Width(), h = GrafBmp->Height();
  const double nwExact = w * Magnification, nhExact = h * Magnification;
  int nw = 0, nh = 0;
  if (!(Magnification > 0) || !std::isfinite(Magnification) || !RoundToPixel(nwExact, nw) ||
      !RoundToPixel(nhExact, nh) || (w > 0 && h > 0 && (nw < 1 || nh < 1)))
    throw EOrqGeoMapError(ComponentMessage("invalid factor for resizing the map image"));

  FCacheMag = 0;
  if (w > 0 && h > 0) {
    try {
      TBitmap scaled;
      scaled.SetSize(nw, nh);
      SetStretchBltMode(scaled.Canvas(), FDisplay.AntiAlias ? HALFTONE : COLORONCOLOR);
      StretchBlt(scaled.Canvas(), 0, 0, nw, nh, GrafBmp->Canvas(), 0, 0, w, h, SRCCOPY);
      GrafBmp->Assign(&scaled);
    } catch (const std::bad_alloc&) {
      throw EOrqGeoMapError(ComponentMessage("insufficient memory"));
    }
  }

  for (int k = 0; k < std::min(FCalibData.NumCalLines, MaxCalibLines); ++k) {
    TCalibLine& line = FCalibData.CalLines[k];
    for (int p = 0; p < std::min(line.NumPoints, MaxPointsPerLine); ++p) {
      line.CalPoints[p].X = ScalePixel(line.CalPoints[p].X, Magnification);
      line.CalPoints[p].Y = ScalePixel(line.CalPoints[p].Y, Magnification);
    }
  }
  for (int q = 0; q < std::min(FCalibData.NumCalQuads, MaxCalibQuads); ++q) {
    FCalibData.CalQuads[q].MapX = ScalePixel(FCalibData.CalQuads[q].MapX, Magnification);
    FCalibData.CalQuads[q].MapY = ScalePixel(FCalibData.CalQuads[q].MapY, Magnification);
  }
  RecalcCalibration();
  FMapImgWidth = GrafBmp->Width();
  FMapImgHeight = GrafBmp->Height();
  FAuxBmp->SetSize(FMapImgWidth, FMapImgHeight);
  FViewport.TopLeft = TPoint{0, 0};
  Paint();
}

void TGeoMap::ResizeMap(int LongerEdgeLength) {
  const int longer = std::max(FMapImgWidth, FMapImgHeight);
  // An empty map has no edge to scale: the factor is infinite and refused.
  ResizeMap(longer > 0 ? static_cast<double>(LongerEdgeLength) / longer : HUGE_VAL);
}

void TGeoMap::AssignTo(TPersistent* Dest) {
  if (auto* other = dynamic_cast<TGeoMap*>(Dest)) {
    other->Assign(this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}

void TGeoMap::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TGeoMap*>(Source)) {
    if (other != this) CopyStateFrom(*other);
    return;
  }
  TCustomControl::Assign(Source);
}

// Everything but the mouse trace and the callbacks; each control keeps its
// own bitmaps and matrix and takes over their contents.
void TGeoMap::CopyStateFrom(const TGeoMap& S) {
  FDisplay = S.FDisplay;
  FViewport = S.FViewport;
  FMouse = S.FMouse;
  FCalibModel = S.FCalibModel;
  FCalibData = S.FCalibData;
  FCoefs = S.FCoefs;
  FLastDeletedCalPoint = S.FLastDeletedCalPoint;
  FCalDatName = S.FCalDatName;
  FMapImgName = S.FMapImgName;
  FMapImgWidth = S.FMapImgWidth;
  FMapImgHeight = S.FMapImgHeight;
  FCacheMag = S.FCacheMag;
  FCacheAA = S.FCacheAA;
  FDefaultLM = S.FDefaultLM;
  FHighLM = S.FHighLM;

  SetLandMarkCapacityFor(S.FNumLandMarks);
  FNumLandMarks = S.FNumLandMarks;
  std::copy(S.FLandMarks.begin(), S.FLandMarks.begin() + S.FNumLandMarks, FLandMarks.begin());
  GrafBmp->Assign(S.GrafBmp.get());
  FAuxBmp->Assign(S.FAuxBmp.get());
  FImgCache->Assign(S.FImgCache.get());
  FGratMat->Clone(S.FGratMat.get());
  SyncGraticule();
}

}  // namespace orq
