// The atlas control TGeoAtlas: one map control, a list of registered maps
// (each a calibration file) and a command panel with a pointer button, a
// zoom button and a drop-down list of the maps. In zoom mode a left click
// on the map switches to the next finer registered map that covers the
// clicked position, any other button to the next coarser one, and the view
// is centred on that position. The outlines of the other registered maps
// can be drawn over the map shown.
//
// Maps are numbered from 1 in every operation. Resolutions are metres per
// map-image pixel, positions decimal degrees.
#pragma once

#include <array>
#include <string>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/Buttons.h"
#include "orqplatform/ExtCtrls.h"
#include "orqplatform/StdCtrls.h"

namespace orq {

// One registered map.
struct TMapDefinition {
  std::string MapFName;   // the calibration file, lower-cased: the key of the registration
  std::string Caption;    // from the calibration data
  double Resolution = 0;  // metres per pixel, from the calibration data (0 when the block has none)
  TCornerArray Corners{}; // geographic positions of the image corners (zeros when the block has none)
  friend bool operator==(const TMapDefinition&, const TMapDefinition&) = default;
};

class TGeoAtlas : public TCustomControl {
 public:
  static constexpr int MaxRegMaps = 200;
  // Application cursors the atlas installs in Screen->Cursors.
  static constexpr TCursor crGeoZoom = 1000;  // "CURGEOZOOM", shown in zoom mode
  static constexpr TCursor crGeoHand = 1001;  // "CURGEOHAND", installed for applications
  static constexpr int ButtonGroup = 999;

  // At (100, 50), 480 x 320: the command panel (33 pixels, top) with the
  // pointer button (down) and the zoom button, both flat and in one group,
  // and the map list (300 pixels wide); below it the map control, filling
  // the rest. The two cursors are installed as the application's cursors
  // 1000 and 1001, and stay there after the atlas is gone.
  explicit TGeoAtlas(TComponent* AOwner = nullptr);
  ~TGeoAtlas() override;
  std::string ClassName() const override { return "TGeoAtlas"; }

  // Also sets the map control's EmptyMsg to "TGeoAtlas: Empty".
  void CreateWnd() override;

  // Reads the first calibration block of the file and registers it under
  // the lower-cased name: an entry of that name is updated in place, any
  // other is appended. The file is found ignoring letter case when the name
  // as given does not exist. The list is rebuilt (caption, or the name when
  // the caption is empty) and nothing is selected. False, nothing changed,
  // when the file holds no block or MaxRegMaps maps are registered already;
  // errors of the reader propagate.
  bool RegisterMap(const std::string& MapFName);
  // Removes map index (1..NumRegMaps; others are ignored); later maps move
  // down. When it was the selected one, the map now at that position is
  // shown (none when it was the last); otherwise the map control repaints.
  void UnregisterMap(int index);
  // Shows map Index (1..NumRegMaps) and selects it in the list. False for an
  // index out of range or a file that does not load (the list selection
  // then stays).
  bool SelectMap(int Index);
  // Of the registered maps that contain the position, the coarsest of those
  // finer than CurrentResolution by more than MinResDiff percent (the first
  // registered on ties); it is shown and the view centred on the position.
  // False, nothing changed, when there is none.
  bool ZoomIn(double CurrentLat, double CurrentLong, double CurrentResolution);
  // The same for the finest map coarser than CurrentResolution (any amount).
  bool ZoomOut(double CurrentLat, double CurrentLong, double CurrentResolution);
  // A copy of map ix; an empty definition outside 1..MaxRegMaps.
  TMapDefinition GetMapDef(int ix) const;
  TMapDefinition Maps(int ix) const { return GetMapDef(ix); }
  int NumRegMaps() const { return FNumRegMaps; }

  // ---- published properties ----
  bool CmdPanelVisible() const { return FCPanel->Visible(); }
  void SetCmdPanelVisible(bool value) { FCPanel->SetVisible(value); }
  // Colour of the other maps' outlines (default blue, 0xFF0000); repaints the map.
  TColor MapOutlineColor() const { return FMapOLColor; }
  void SetMapOutlineColor(TColor value);
  bool MapOutlineVisible() const { return FMapOLVisible; }
  void SetMapOutlineVisible(bool value);
  // Percent by which ZoomIn's map must be finer than the current one (default 10).
  double MinResDiff() const { return FMinResDiff; }
  void SetMinResDiff(double value) { FMinResDiff = value; }

  // ---- the child controls (owned by the atlas) ----
  TPanel* CmdPanel() const { return FCPanel; }
  TGeoMap* CurrentMap() const { return FGeoMap; }
  TComboBox* MapSelector() const { return FCboxMaps; }
  TSpeedButton* PointerButton() const { return FSBPoint; }
  TSpeedButton* ZoomButton() const { return FSBZoom; }

  // ---- callbacks (Sender: the atlas) ----
  // After a click on the zoom button, on the pointer button (each after OnClick).
  const TNotifyEvent& OnZoomButClick() const { return FOnZoomButClick; }
  void SetOnZoomButClick(TNotifyEvent h) { FOnZoomButClick = std::move(h); }
  const TNotifyEvent& OnPointerButClick() const { return FOnPoiButClick; }
  void SetOnPointerButClick(TNotifyEvent h) { FOnPoiButClick = std::move(h); }
  // After the user chose a map from the list and it was loaded.
  const TNotifyEvent& OnCBoxMapsChange() const { return FOnCBxMapsChg; }
  void SetOnCBoxMapsChange(TNotifyEvent h) { FOnCBxMapsChg = std::move(h); }

 private:
  // The calibration file of a map as it exists on disk (keys are lower case).
  static std::string DiskName(const std::string& Key);
  // Loads map Index into the map control; true when it is calibrated.
  bool LoadMap(int Index);
  void RebuildList();
  // The map ZoomIn/ZoomOut would take; 0 for none.
  int FinerMap(double Lat, double Long, double Resolution) const;
  int CoarserMap(double Lat, double Long, double Resolution) const;
  void ShowAt(int Index, double Lat, double Long);

  // Handlers installed on the children.
  void MapMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void MapImageRequest(std::string& FileName) const;
  void DrawOutlines(TCanvas* Canvas) const;
  void MapListChange();
  void ModeButtonClick(TSpeedButton* Button);

  TGeoMap* FGeoMap;
  TPanel* FCPanel;
  TSpeedButton* FSBZoom;
  TSpeedButton* FSBPoint;
  TComboBox* FCboxMaps;
  TColor FMapOLColor = 0xFF0000;
  bool FMapOLVisible = true;
  double FMinResDiff = 10.0;
  int FNumRegMaps = 0;
  std::array<TMapDefinition, MaxRegMaps> FRegMaps{};  // map i in element i - 1
  TNotifyEvent FOnZoomButClick, FOnPoiButClick, FOnCBxMapsChg;
  int FCurrentMapIdx = 0;  // the map shown last, 1-based; 0 = none
};

}  // namespace orq
