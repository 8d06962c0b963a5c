// TGeoAtlas: construction, properties and the handlers on its children.
#include "orqcarta/Orq_GeoAtlas.h"

#include "AtlasResources.h"
#include "orqplatform/FileUtils.h"
#include "orqplatform/Forms.h"
#include "orqplatform/Resources.h"

namespace orq {

namespace {

void SetupModeButton(TSpeedButton* Button, TPanel* Panel, int Left, const char* Glyph) {
  Button->SetParent(Panel);
  Button->SetBounds(Left, 3, 26, 26);
  Button->SetFlat(true);
  Button->SetGroupIndex(TGeoAtlas::ButtonGroup);
  Button->SetNumGlyphs(2);
  const std::unique_ptr<TBitmap> glyph = LoadBitmapResource(Glyph);
  Button->SetGlyph(glyph.get());
}

}  // namespace

TGeoAtlas::TGeoAtlas(TComponent* AOwner) : TCustomControl(AOwner) {
  RegisterAtlasResources();
  TControlStyle style = ControlStyle();
  style.erase(csAcceptsControls);
  style.erase(csSetCaption);
  style.insert(csFramed);
  style.insert(csOpaque);
  SetControlStyle(style);
  SetBounds(100, 50, 480, 320);

  FCPanel = new TPanel(this);
  FCPanel->SetParent(this);
  FCPanel->SetHeight(33);
  FCPanel->SetAlign(alTop);

  FSBPoint = new TSpeedButton(this);
  SetupModeButton(FSBPoint, FCPanel, 3, "POINTR");
  FSBPoint->SetDown(true);
  FSBZoom = new TSpeedButton(this);
  SetupModeButton(FSBZoom, FCPanel, FSBPoint->Left() + FSBPoint->Width() + 3, "ZOOMIN");
  FSBPoint->SetOnClick([this](TObject*) { ModeButtonClick(FSBPoint); });
  FSBZoom->SetOnClick([this](TObject*) { ModeButtonClick(FSBZoom); });

  FCboxMaps = new TComboBox(this);
  FCboxMaps->SetParent(FCPanel);
  FCboxMaps->SetBounds(FSBZoom->Left() + FSBZoom->Width() + 10, 5, 300, FCboxMaps->Height());
  FCboxMaps->SetStyle(csDropDownList);
  FCboxMaps->SetOnChange([this](TObject*) { MapListChange(); });

  FGeoMap = new TGeoMap(this);
  FGeoMap->SetParent(this);
  FGeoMap->SetAlign(alClient);
  FGeoMap->SetOnMouseDown([this](TObject*, TMouseButton B, TShiftState S, int X, int Y) { MapMouseDown(B, S, X, Y); });
  FGeoMap->SetOnMouseUp([this](TObject*, TMouseButton B, TShiftState S, int X, int Y) { MouseUp(B, S, X, Y); });
  FGeoMap->SetOnMouseMove([this](TObject*, TShiftState S, int X, int Y) { MouseMove(S, X, Y); });
  FGeoMap->SetOnDataRendered([this](TObject*, TCanvas* C) { DrawOutlines(C); });
  FGeoMap->SetOnDblClick([this](TObject*) { DblClick(); });
  FGeoMap->SetOnClick([this](TObject*) { Click(); });
  FGeoMap->SetOnMapImageRequest([this](TObject*, std::string& FileName) { MapImageRequest(FileName); });

  Screen->SetCursors(crGeoZoom, LoadCursorResource("CURGEOZOOM"));
  Screen->SetCursors(crGeoHand, LoadCursorResource("CURGEOHAND"));
}

TGeoAtlas::~TGeoAtlas() {
  // Freed here, while the atlas is whole: the map's handlers call into it.
  delete FGeoMap;
  delete FSBZoom;
  delete FSBPoint;
  delete FCboxMaps;
  delete FCPanel;
}

void TGeoAtlas::CreateWnd() {
  TCustomControl::CreateWnd();
  FGeoMap->SetEmptyMsg("TGeoAtlas: Empty");
}

void TGeoAtlas::SetMapOutlineColor(TColor value) {
  FMapOLColor = value;
  FGeoMap->Paint();
}

void TGeoAtlas::SetMapOutlineVisible(bool value) {
  FMapOLVisible = value;
  FGeoMap->Paint();
}

TMapDefinition TGeoAtlas::GetMapDef(int ix) const {
  if (ix < 1 || ix > MaxRegMaps) return TMapDefinition{};
  return FRegMaps[static_cast<size_t>(ix - 1)];
}

void TGeoAtlas::MapMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  MouseDown(Button, Shift, X, Y);
  if (!FSBZoom->Down()) return;
  const double lat = FGeoMap->LastClickLatitude(), lon = FGeoMap->LastClickLongitude();
  const double res = FGeoMap->CalibData().Resolution;
  if (Button == mbLeft)
    ZoomIn(lat, lon, res);
  else
    ZoomOut(lat, lon, res);
}

void TGeoAtlas::MapImageRequest(std::string& FileName) const {
  // Before the first selection there is no calibration file to look beside.
  if (FCurrentMapIdx < 1 || FCurrentMapIdx > FNumRegMaps) return;
  const std::string calFile = DiskName(FRegMaps[static_cast<size_t>(FCurrentMapIdx - 1)].MapFName);
  FileName = ExtractFilePath(calFile) + ExtractFileName(FileName);
}

void TGeoAtlas::DrawOutlines(TCanvas* Canvas) const {
  if (!FMapOLVisible) return;
  const TColor oldColor = Canvas->Pen.Color;
  Canvas->Pen.Color = FMapOLColor;
  const int selected = FCboxMaps->ItemIndex() + 1;
  static constexpr TCorners order[] = {gcoTopRight, gcoTopLeft, gcoBottomLeft, gcoBottomRight, gcoTopRight};
  for (int i = 1; i <= FNumRegMaps; ++i) {
    if (i == selected) continue;
    const TCornerArray& corners = FRegMaps[static_cast<size_t>(i - 1)].Corners;
    // A corner the calibration cannot place breaks the outline there, so
    // that no line runs from wherever the pen happened to be.
    bool penPlaced = false;
    for (TCorners c : order) {
      int x = 0, y = 0;
      if (!FGeoMap->CalcPixelCoords(corners[c].Latit, corners[c].Longit, x, y)) {
        penPlaced = false;
        continue;
      }
      const TPoint p = FGeoMap->MapImageToControl(TPoint{x, y});
      if (penPlaced)
        Canvas->LineTo(p.X, p.Y);
      else
        Canvas->MoveTo(p.X, p.Y);
      penPlaced = true;
    }
  }
  Canvas->Pen.Color = oldColor;
}

void TGeoAtlas::MapListChange() {
  const int index = FCboxMaps->ItemIndex() + 1;
  if (index < 1 || index > FNumRegMaps) return;
  FCurrentMapIdx = index;
  LoadMap(index);
  if (FOnCBxMapsChg) FOnCBxMapsChg(this);
}

void TGeoAtlas::ModeButtonClick(TSpeedButton* Button) {
  const bool zoom = FSBZoom->Down();
  const TCursor cursor = zoom ? crGeoZoom : crHandPoint;
  SetCursor(cursor);
  // The map covers the atlas's client area: it shows the cursor too.
  FGeoMap->SetCursor(cursor);
  FGeoMap->SetAllowPan(!zoom);
  Click();
  if (Button == FSBZoom) {
    if (FOnZoomButClick) FOnZoomButClick(this);
  } else if (FOnPoiButClick) {
    FOnPoiButClick(this);
  }
}

}  // namespace orq
