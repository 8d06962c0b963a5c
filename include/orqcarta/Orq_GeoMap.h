// The map control TGeoMap: a raster map image tied to latitude and longitude
// by calibration data and one of six calibration models. It converts between
// map-image pixels and geographic coordinates in both directions.
//
// Pixels: x to the right, y downward; map-image pixels count from the top-left
// pixel of the image at full resolution, control pixels from the control's
// top-left corner. Angles are decimal degrees (north and east positive), UTM
// grid coordinates metres. Counted collections are numbered from 1.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "orqbase/BaseTypes.h"
#include "orqbase/OrqError.h"
#include "orqcarta/Orq_GeoBasics.h"
#include "orqcarta/geomap/CalibMath.h"
#include "orqcarta/geomap/MapState.h"
#include "orqcarta/geomap/Records.h"
#include "orqmath/Matrix.h"
#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Components.h"
#include "orqplatform/Controls.h"
#include "orqplatform/PictureFiles.h"
#include "orqcarta/geomap/BlankMap.h"
#include "orqcarta/geomap/CalibXml.h"
#include "orqcarta/geomap/LandmarkDrawing.h"
#include "orqcarta/geomap/LandmarkNames.h"
#include "orqcarta/geomap/LandmarkXml.h"
#include "orqcarta/geomap/PageTarget.h"
#include "orqcarta/geomap/SymbolRepository.h"

namespace orq {

class TTextFile;
class TPageTarget;

// Failures of the map control, the symbol repository and the atlas.
class EOrqGeoMapError : public EOrqError {
 public:
  using EOrqError::EOrqError;
};

using TRenderEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;
using TDrawLandMarkEvent =
    std::function<void(TObject* Sender, bool& Handled, TCanvas* Canvas, TPoint APoint, const TLandMark& LandMarkData)>;
using TMapImgRequestEvent = std::function<void(TObject* Sender, std::string& FileName)>;
using TLandMarkActionEvent = std::function<void(TObject* Sender, bool& Allowed, TLandMarkAction Action,
                                                const TLandMark& LandMarkData)>;

// True when the position lies strictly inside the quadrilateral of the four
// corners (top-left, bottom-left, bottom-right, top-right). A position on an
// edge or a corner is outside; so is everything when the corners coincide.
bool PositionInMap(double Latit, double Longit, const TCornerArray& Corners);

class TGeoMap : public TCustomControl {
 public:
  static constexpr int DefaultWidth = 500;
  static constexpr int DefaultHeight = 400;
  static constexpr int LandMarkBlock = 1000;      // landmark capacity grows in these steps
  static constexpr int MouseTraceCapacity = 5000;
  static constexpr int ZoomStackSize = TGeoMapViewport::ZoomStackSize;
  static constexpr double MaxCacheMagLimit = TGeoMapDisplay::MaxCacheMagLimit;
  static constexpr double MaxGratLineDist = 60;
  static constexpr int MaxUTMGridDist = 10000000;
  static constexpr int MinLMRandomDisplayThreshold = 1001;
  // The admissible display magnification, 1/64 .. 64 control pixels per
  // image pixel: below it a whole image shrinks to a few pixels, above it a
  // single image pixel covers most of a window. The setter and the mouse
  // zoom gestures clamp into it; ZoomFitPage and ZoomHistory do not.
  static constexpr double MinMagnification = 1.0 / 64;
  static constexpr double MaxMagnification = 64;

  explicit TGeoMap(TComponent* AOwner = nullptr);
  ~TGeoMap() override;

  std::string ClassName() const override { return "TGeoMap"; }

  // ---- whole map ---------------------------------------------------------

  // Rescales the map image by the factor and every calibration pixel
  // position with it (rounded half to even), refits, and shows the top-left
  // corner. A factor that is not positive and finite, or one that would give
  // an empty image, raises EOrqGeoMapError.
  void ResizeMap(double Magnification);
  // The same with the factor that brings the longer edge to this length.
  void ResizeMap(int LongerEdgeLength);
  // Forgets calibration, model, map image name and size and the mouse trace;
  // landmarks and the image bitmap stay.
  void Clear();
  // Copies another TGeoMap (all state but the mouse trace and the callbacks);
  // anything else goes to the base class.
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;
  // Composes the picture and shows it; nothing while SuppressPaint is set.
  void Paint() override;

  // ---- calibration data ----------------------------------------------------

  // Adds a pixel to the calibration line of that kind and value (a new line
  // when there is none). False when the line holds 10 points or 25 lines
  // exist; refits in every case. Raises EOrqGeoMapError outside cmParabolicIp.
  // All three forms refuse coordinates that are not finite numbers with
  // EOrqGeoMapError, changing nothing.
  bool AddCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX, int PixPosY);
  // Adds a quadruple (degrees) in the models cmBiquadraticPn .. cmEquiRect;
  // false when 200 exist. Raises EOrqGeoMapError in other models.
  bool AddCalibPoint(double Latit, double Longit, int PixPosX, int PixPosY);
  // Adds a UTM quadruple (metres) in cmUTM; the zone and hemisphere must be
  // those of the calibration. False when 200 exist.
  bool AddCalibPoint(double Northing, double Easting, int Zone, THemisphere Hemisphere, int PixPosX, int PixPosY);
  // Removes the line point described exactly (cmParabolicIp only).
  bool RemoveCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX, int PixPosY);
  // Removes the calibration point nearest to the pixel, keeping it for
  // RestoreLastDeletedCalPoint.
  bool RemoveCalibPoint(int PixPosX, int PixPosY);
  // Adds the point removed last by pixel again, once.
  void RestoreLastDeletedCalPoint();
  void ClearCalibData();
  // Residual scatter of the quadruples' recorded pixels about the pixels the
  // fitted model gives for them (0, 0 when there is nothing to measure).
  void CalibQuality(double& QualX, double& QualY);

  // ---- fitting ---------------------------------------------------------------

  // Rebuilds the graticule matrix, fits the model in force, derives corners
  // and resolution, repaints.
  void RecalcCalibration();
  bool RecalcGratMat();
  void CalcEquiRectCalibration();
  void CalcBiquadraticCalibration();
  void CalcMillerCylCalibration();
  void CalcConicCalibration();

  // Fitted coefficients, [row - 1][column - 1].
  const TCoef2x3& EquRectPLSP() const { return FCoefs.EquRectPLSP; }
  const TCoef2x3& EquRectSPPL() const { return FCoefs.EquRectSPPL; }
  const TCoef2x6& CalParsPLSP() const { return FCoefs.CalParsPLSP; }
  const TCoef2x6& CalParsSPPL() const { return FCoefs.CalParsSPPL; }
  const TCoef2x2& MillercylPar() const { return FCoefs.MillercylPar; }
  const TConicParams& ConicPars() const { return FCoefs.ConicPars; }
  const TMatrix& GratMat() const { return *FGratMat; }

  // ---- conversion ------------------------------------------------------------

  double CalcLatitude(int x, int y, bool& valid) const;
  double CalcLatitude(TPoint APoint, bool& valid) const { return CalcLatitude(APoint.X, APoint.Y, valid); }
  double CalcLongitude(int x, int y, bool& valid) const;
  double CalcLongitude(TPoint APoint, bool& valid) const { return CalcLongitude(APoint.X, APoint.Y, valid); }
  bool CalcPixelCoords(double Lat, double Long, int& x, int& y) const;
  bool CalcPixelCoordsUTM(double Northing, double Easting, int& x, int& y) const;
  // Pixel row where the northing line crosses the column, and pixel column
  // where the easting line crosses the row (affine UTM law). 0 when the law
  // has no such crossing (a zero coefficient).
  int CalcUTMyFromNorthingX(double Northing, int x) const;
  int CalcUTMxFromEastingY(double Easting, int y) const;
  TPoint ControlToMapImage(TPoint APoint) const;
  TPoint MapImageToControl(TPoint APoint) const;
  void CalcExtentsAndResolution();
  bool IsPositionWithinMap(double Latit, double Longit) const;
  // Moves TopLeft so that the view stays inside the image; no repaint.
  void PanMapToFillWindow();

  // ---- published properties --------------------------------------------------

  bool AllowPan() const { return FMouse.MouseAction == maPan; }
  void SetAllowPan(bool value) { FMouse.MouseAction = value ? maPan : maNone; }
  bool AntiAlias() const { return FDisplay.AntiAlias; }
  // Stores and repaints (the image cache is rebuilt with the new mode).
  void SetAntiAlias(bool value);
  TCalibModel CalibModel() const { return FCalibModel; }
  // Stores and refits (RecalcCalibration); any value is taken.
  void SetCalibModel(TCalibModel value);
  double CacheMagLimit() const { return FDisplay.CacheMagLimit; }
  // Clamped to 0..2/3 (NaN gives 0); repaints only below magnification 2/3.
  void SetCacheMagLimit(double value);
  TColor ColorBackGnd() const { return FDisplay.ColorBackGnd; }
  // The four colour setters store and repaint, also when unchanged.
  void SetColorBackGnd(TColor value);
  TColor ColorGraticule() const { return FDisplay.ColorGraticule; }
  void SetColorGraticule(TColor value);
  TColor ColorCalibPoints() const { return FDisplay.ColorCalibPoints; }
  void SetColorCalibPoints(TColor value);
  TColor ColorFrame() const { return FDisplay.ColorFrame; }
  void SetColorFrame(TColor value);
  bool ConfinePanToMapImage() const { return FViewport.ConfinePanToMapImage; }
  // Switching it on pulls the view back inside the image; no repaint.
  void SetConfinePanToMapImage(bool value);
  const std::string& EmptyMsg() const { return FDisplay.EmptyMsg; }
  // Stores and repaints.
  void SetEmptyMsg(const std::string& value);
  TFrameStyle FrameStyle() const { return FDisplay.FrameStyle; }
  // Repaints only when the style changes.
  void SetFrameStyle(TFrameStyle value);
  double GratLineDist() const { return FDisplay.GratLineDist; }
  // Degrees; clamped to 0..60 (negative or NaN gives 0 = automatic); repaints.
  void SetGratLineDist(double value);
  int UTMGridDist() const { return FDisplay.UTMGridDist; }
  // Metres; clamped to 0..10000000 (below 1 = automatic); repaints.
  void SetUTMGridDist(int value);
  int UTMZone() const { return FCalibData.UTMZone; }
  // A zone outside 1..60 is ignored.
  void SetUTMZone(int value);
  THemisphere UTMHemisphere() const { return FCalibData.UTMSouth ? hemiSouth : hemiNorth; }
  void SetUTMHemisphere(THemisphere value) { FCalibData.UTMSouth = value == hemiSouth; }
  TMouseActMode MouseAction() const { return FMouse.MouseAction; }
  // Any ordinal is stored; those without a gesture make the mouse do nothing.
  void SetMouseAction(TMouseActMode value) { FMouse.MouseAction = value; }
  TColor MouseTraceColor() const { return FMouseTraceColor; }
  void SetMouseTraceColor(TColor value) { FMouseTraceColor = value; }
  bool MouseTraceInvert() const { return FMouseTraceInvert; }
  void SetMouseTraceInvert(bool value) { FMouseTraceInvert = value; }
  TShowGrat ShowGraticule() const { return FDisplay.ShowGraticule; }
  // Repaints only when the value changes.
  void SetShowGraticule(TShowGrat value);

  // ---- public properties -------------------------------------------------------

  const TCalibData& CalibData() const { return FCalibData; }
  // Replaces the calibration data as a whole; nothing is refitted.
  void SetCalibData(const TCalibData& value) { FCalibData = value; }
  const std::string& CalibDataFile() const { return FCalDatName; }
  // An existing file is stored as the name and its first calibration block
  // is loaded (LoadCalDataFromXML with an empty identifier); a name that is
  // no file empties the image name and size. Repaints in both cases.
  void SetCalibDataFile(const std::string& value);
  // The map's caption is that of its calibration data; it stands in for
  // the control's own caption.
  const std::string& Caption() const { return FCalibData.Caption; }
  void SetCaption(const std::string& value) { FCalibData.Caption = value; }
  int HighLightLandMark() const { return FHighLM; }
  // 1-based; a value outside 0..NumLandMarks becomes 0 (none). Repaints
  // only when the value changes.
  void SetHighLightLandMark(int value);
  const TLandMark& LandMarkDefault() const { return FDefaultLM; }
  void SetLandMarkDefault(const TLandMark& value) { FDefaultLM = value; }
  // Of the last press; 0.0 where the calibration cannot convert it.
  double LastClickLatitude() const;
  double LastClickLongitude() const;
  int LastClickPosX() const { return FMouse.LastClickPosX; }
  int LastClickPosY() const { return FMouse.LastClickPosY; }
  int LastMousePosX() const { return FMouse.LastMousePosX; }
  int LastMousePosY() const { return FMouse.LastMousePosY; }
  int LMRandomDisplayThreshold() const { return FDisplay.LMRandomDisplayThreshold; }
  // A value of 1000 or less is ignored; a new value above it repaints.
  void SetLMRandomDisplayThreshold(int value);
  double Magnification() const { return FViewport.Magnification; }
  // Clamped to MinMagnification..MaxMagnification, NaN ignored; repaints.
  // TopLeft stays; no zoom history, no OnZoomPan.
  void SetMagnification(double value);
  const std::string& MapImgFile() const { return FMapImgName; }
  int MapImgWidth() const { return FMapImgWidth; }
  int MapImgHeight() const { return FMapImgHeight; }
  TBitmap* MapBitmap() const { return GrafBmp.get(); }
  // Takes a copy of the bitmap as the map image (named "$unknown$").
  void SetMapBitMap(TBitmap* value);
  int NumLandMarks() const { return FNumLandMarks; }
  int NumMTracePoints() const { return FNumMTrace; }
  bool SuppressPaint() const { return FDisplay.SuppressPaint; }
  // Repaints when switched off; nothing when unchanged.
  void SetSuppressPaint(bool value);
  TPoint TopLeft() const { return FViewport.TopLeft; }
  // Not clamped; repaints. No zoom history, no OnZoomPan.
  void SetTopLeft(TPoint value);
  TZoomState ZoomState() const { return FMouse.ZoomState; }
  bool LMClassVisible(uint8_t i) const { return FDisplay.LMClassVisible[i]; }
  // Stores the flag of class i and repaints.
  void SetLMClassVisible(uint8_t i, bool value);
  // Slots the landmark array holds (grows in blocks of LandMarkBlock).
  int LandMarkCapacity() const { return static_cast<int>(FLandMarks.size()); }
  // The composition bitmap.
  TBitmap* AuxBmp() const { return FAuxBmp.get(); }

  // ---- viewport, zoom history and mouse ----
  // Positions are image pixels unless said otherwise; "control" positions
  // count from the control's top-left corner. None of the programmatic
  // viewport operations push the zoom history or call OnZoomPan.

  // The magnification that shows the whole image (the smaller of the two
  // ratios of control to image size, not clamped to the admissible range),
  // then TopLeft (0, 0) through SetTopLeft. Without an image (MapImgWidth or
  // MapImgHeight 0), or in a control of no area, there is nothing to fit
  // and the view stays as it is.
  void ZoomFitPage();
  // Puts the image pixel at the window centre, then holds the view inside
  // the image with PanMapToFillWindow whatever ConfinePanToMapImage says;
  // repaints.
  void BringMapPixelToCenter(TPoint APoint);
  // Centres the position (degrees) as far as the image allows: the window
  // ends at the image's right and bottom edges and starts no further left
  // or up than its left and top edges. Nothing when the calibration cannot
  // place the position. Repaints.
  void BringLocationToCenter(double Latitude, double Longitude);

  // The zoom history: a ring of ZoomStackSize viewports. Pushing writes
  // (TopLeft, Magnification) and overwrites the oldest entry when full;
  // nothing is pushed while the control is loading (csLoading). The
  // constructor and ClearZoomHistory leave exactly the current viewport in
  // it. The mouse pushes after every release in maPan, maPanHoriz,
  // maPanVert and maZoomDrag.
  void ZoomStateOnStack();
  void ClearZoomHistory();
  // Relative indexes: 0 is the latest push, -1 the one before, down to
  // -15. Restores that viewport (no range check of its magnification) and
  // repaints; an index outside -15..0 or an empty entry does nothing.
  void ZoomHistory(int Index);
  // The entry at a relative index, empty ones included; outside -15..0 an
  // empty entry (0, 0, 0.0).
  TgmZoomStackEntry GetZoomStackEntry(int StackIx) const;
  TgmZoomStackEntry ZoomStack(int StackIx) const { return GetZoomStackEntry(StackIx); }
  // Calls OnZoomPan if assigned; the mouse calls it after each pan step and
  // each zoom.
  void DoZoomPanEvent();
  // Puts the last composed picture (AuxBmp, not recomposed) on the
  // clipboard as a Width x Height bitmap: pixels 2..Width-3 x 2..Height-3
  // from AuxBmp, a black one-pixel border at inset 1, and the outermost row
  // and column also taken from AuxBmp, so the border sits inside the
  // picture's own edge.
  void CopyToClipboard();

  // The mouse (control pixels). By MouseAction: maPan, maPanHoriz and
  // maPanVert drag the map with the left button (held inside the image by
  // PanMapToFillWindow when ConfinePanToMapImage; a pointer outside the
  // control pauses the drag, a left release ends it); maZoomDrag changes the magnification about
  // the window centre on every move by 1 + 0.05 dx / Width + dy / Height
  // (dx, dy from the press to the pointer, right and up positive); maZoomWind
  // zooms into a dragged rectangle on a left release (right release
  // cancels); maSelectRect drags a dotted rectangle and reports it through
  // OnSelectRect (kind 1: longitude and latitude of the press corner, then
  // of the release point; kind 0: their image pixels when a conversion
  // fails); maRubberBand starts and ends a band with left clicks, a ctrl
  // click continues it from the press; maDrawTrace records up to
  // MouseTraceCapacity points while the left button is down, one stroke per
  // press. The zoom gestures clamp the factor to the admissible range.
  // Transient feedback is drawn with XOR on the control's canvas, so the
  // next Paint or a second drawing removes it. Every press sets
  // LastClickPosX/Y, every move LastMousePosX/Y (image pixels); the
  // inherited handlers raise OnMouseDown/Move/Up, the move and release with
  // the clamped coordinates of a mouse box or rectangle in progress.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  // Asks the user for a rectangle: the next press, drag and release, while
  // the mouse action is suspended (maNone) and the application's events
  // (input, repaints) keep being handled. Between rounds the loop sleeps
  // until an event arrives (Application->WaitForMessages), so a waiting box
  // costs no processor time. True with the corners in order (control
  // pixels, xLo <= xHi, yLo <= yHi; the press and the release point as
  // they are, even outside the control); false, the parameters untouched, when
  // the right button or MouseBoxAbort ends it. MouseAction is restored.
  bool MouseBox(int& xLo, int& yLo, int& xHi, int& yHi);
  void MouseBoxAbort();

  // Empties the trace and repaints.
  void ClearMouseTrace();
  // Trace point idx (1..NumMTracePoints) with x = longitude and y =
  // latitude; where the calibration cannot convert, the image position
  // stays and Flags are 0xFFFF. Outside the trace: (0, 0), Flags 0xFFFF,
  // colour 0. Flags bit 0 marks a stroke's last point, bit 1 an XOR point.
  TColoredPoint GetMTracePoint(int idx) const;
  TColoredPoint MouseTrace(int idx) const { return GetMTracePoint(idx); }
  // Calls OnSelectRect with (this, kind, X1, Y1, X2, Y2) if assigned.
  void DoSelectRectEvent(int kind, double X1, double Y1, double X2, double Y2);

  // ---- callbacks ---------------------------------------------------------------

  const TProgressEvent& OnDataLoading() const { return FOnDataLoading; }
  void SetOnDataLoading(TProgressEvent h) { FOnDataLoading = std::move(h); }
  const TRenderEvent& OnDataRendered() const { return FOnDataRendered; }
  void SetOnDataRendered(TRenderEvent h) { FOnDataRendered = std::move(h); }
  const TRenderEvent& OnBeforeRenderData() const { return FOnBeforeRenderData; }
  void SetOnBeforeRenderData(TRenderEvent h) { FOnBeforeRenderData = std::move(h); }
  const TDrawLandMarkEvent& OnDrawLandmark() const { return FOnDrawLandmark; }
  void SetOnDrawLandmark(TDrawLandMarkEvent h) { FOnDrawLandmark = std::move(h); }
  const TMapImgRequestEvent& OnMapImageRequest() const { return FOnMapImageRequest; }
  void SetOnMapImageRequest(TMapImgRequestEvent h) { FOnMapImageRequest = std::move(h); }
  const TLandMarkActionEvent& OnLandMarkAction() const { return FOnLandMarkAction; }
  void SetOnLandMarkAction(TLandMarkActionEvent h) { FOnLandMarkAction = std::move(h); }
  const TZoomPanEvent& OnZoomPan() const { return FOnZoomPan; }
  void SetOnZoomPan(TZoomPanEvent h) { FOnZoomPan = std::move(h); }
  const TOnRubberBandActionEvent& OnBeginRubberBand() const { return FOnBeginRubberBand; }
  void SetOnBeginRubberBand(TOnRubberBandActionEvent h) { FOnBeginRubberBand = std::move(h); }
  const TOnRubberBandActionEvent& OnContinueRubberBand() const { return FOnContinueRubberBand; }
  void SetOnContinueRubberBand(TOnRubberBandActionEvent h) { FOnContinueRubberBand = std::move(h); }
  const TOnRubberBandActionEvent& OnEndRubberBand() const { return FOnEndRubberBand; }
  void SetOnEndRubberBand(TOnRubberBandActionEvent h) { FOnEndRubberBand = std::move(h); }
  const TSelectRectEvent& OnSelectRect() const { return FOnSelectRect; }
  void SetOnSelectRect(TSelectRectEvent h) { FOnSelectRect = std::move(h); }

  // --- landmarks, calibration files, map images ---
  // Adding: a copy of LandMarkDefault with the fields given replaced
  // (identifiers cut to 15 characters, caption texts to 80). OnLandMarkAction
  // may veto; otherwise the landmark becomes number NumLandMarks and the
  // control repaints.
  void AddLandMark(double Lat, double Long, double Altitude);
  void AddLandMark(double Lat, double Long, double Altitude, const TLMIdentifier& Identifier, TDateTime Time);
  void AddLandMark(double Lat, double Long, double Altitude, const std::string& CaptionText, int CaptionSize,
                   TColor CaptionColor);
  void AddLandMark(double Lat, double Long, double Altitude, const TLMIdentifier& Identifier, TDateTime Time,
                   const std::string& CaptionText, int CaptionSize, TColor CaptionColor);
  void AddLandMark(double Lat, double Long, double Altitude, TLandMarkElement Element, uint8_t ClassFlag,
                   const TLMIdentifier& Identifier, TDateTime Time, int Tag, TColor ColorFG, TColor ColorBG,
                   int Size, bool Transparent, int Direction, int Length);
  // Adds a landmark record as it stands, with the same veto and growth.
  void AddLandMarkRecord(const TLandMark& LandMark);
  // ClassFlag -1 (and anything outside 0..255) selects every class. Distances
  // are squared degree differences. 0 when no landmark of the class exists.
  int FindLandMark(double Lat, double Long, int ClassFlag) const;
  // The removals ask OnLandMarkAction for each landmark; removing moves the
  // last landmark into the gap. They return the number removed ...
  int RemoveLandMark(double Lat, double Long, int ClassFlag, double Radius);
  int RemoveLandMark(const TRectDouble& Rect, int ClassFlag);
  // ... or the number of the landmark removed, 0 when none was.
  int RemoveLandMark(double Lat, double Long, int ClassFlag);
  int RemoveLandMark(int LmIndex);
  void RemoveLastLandMark();
  // Removes, with the veto, every landmark IsCandidate selects; the gaps are
  // filled from the end of the list. Returns the number removed.
  int RemoveLandMarksWhere(const std::function<bool(const TLandMark&)>& IsCandidate);
  void RemoveAllLandMarks(uint8_t ClassFlag);
  void RemoveAllLandMarks();
  // Landmark i (1..NumLandMarks); outside that range the read side gives
  // LandMarkDefault and the write side does nothing.
  TLandMark GetLandMarkData(int i) const;
  void SetLandMarkData(int i, const TLandMark& LandMark);
  TLandMark LandMarkData(int i) const { return GetLandMarkData(i); }

  // Landmark blocks: the first block (empty DataID) or the one with that
  // identifier replaces all landmarks; false when there is none (landmarks kept).
  bool ReadLandMarksFromOpenXMLFile(TTextFile& InFile, const std::string& DataID);
  bool LoadLandMarks(const std::string& FName, const std::string& DataID);

  // Calibration blocks. The writers first derive corners and resolution and
  // record MapImgFile as the block's map file.
  void WriteCalDataToOpenXMLFile(TTextFile& OutFile, bool WithHeader, const std::string& DataID);
  void SaveCalDataAsXML(const std::string& FileName, const std::string& DataID);
  void SaveCalDataAsXML(TStream* OutStream, const std::string& DataID);
  // The readers replace the calibration data, load the block's map image and
  // fit the model; true when the lines give a graticule matrix.
  bool ReadCalDataFromOpenXMLFile(TTextFile& InFile, const std::string& DataID);
  bool LoadCalDataFromXML(const std::string& FName, const std::string& DataID);
  bool LoadCalDataFromXML(TMemoryStream* InStream, const std::string& DataID);
  bool ReadCalDataIntern(bool FromTextFile, TTextFile* InFile, TStream* InStream, const std::string& DataID);

  // Loads the map image (.bmp, .jpg/.jpeg, .png; OnMapImageRequest may name
  // another file). Images over 3000000 pixels are refused from their header,
  // before decoding, and the previous image stays.
  void SetMapImgName(const std::string& value);

  // --- map images and generated maps ---
  // Writes the calibration beside FileName (extension ".xml", block DataID)
  // and the map image as a JPEG of the same bare name in the same directory;
  // MapImgFile becomes that bare name. An empty image raises EOrqGeoMapError.
  void SaveMap(const std::string& FileName, const std::string& DataID);
  // Renames the image file to Name (reduced to 8.3 characters, directory and
  // extension kept). False when there is no image file, the reduced name is
  // empty, or the file system refuses (another file of that name exists).
  bool RenameMapImg(const std::string& Name);
  // Blank maps of a latitude/longitude rectangle (degrees; bounds in any
  // order) with parallels every dLat and meridians every dLong degrees (<= 0
  // means 1), at least 100 x 100 pixels and at most 3000000 pixels. The
  // first writes FName's ".bmp" and ".xml" and loads them (biquadratic); the
  // second keeps the image in memory (equirectangular, name "$unknown$").
  void CreateAndLoadEmptyMap(const std::string& FName, double LatLow, double LongLow, double LatHigh,
                             double LongHigh, double dLat, double dLong, int Wid, int Hgt,
                             const TOnDrawMapDataEvent& OnDrawMapData = nullptr);
  void CreateEmptyMapInMemory(double LatLow, double LongLow, double LatHigh, double LongHigh, double dLat,
                              double dLong, int Wid, int Hgt, bool ShowGrid,
                              const TOnDrawMapDataEvent& OnDrawMapData = nullptr);

  // ---- landmark files ------------------------------------------------------------

  // Writes the landmarks as one block (with the file header when WithHeader).
  void WriteLandMarksToOpenXMLFile(TTextFile& OutFile, bool WithHeader, const std::string& DataID);
  void SaveLandmarks(const std::string& FileName, const std::string& DataID);

  // ---- picture ---------------------------------------------------------------------

  // Composes the control's picture into AuxBmp (which grows to the control's
  // size, never shrinks) in a fixed order: background, image section (from
  // the scaled-image cache below CacheMagLimit), OnBeforeRenderData,
  // graticule / UTM grid / calibration points, landmarks (a random sample of
  // about LMRandomDisplayThreshold when more lie in view; OnDrawLandmark may
  // take each over), OnDataRendered, the highlighted landmark, the mouse
  // trace and the frame. It does not show the picture: Paint does.
  void ConstructInternalMapImg();
  // Draws the stored mouse trace onto the bitmap at the control's view; the
  // two integers are not used. Pen and brush are left as they were, the pen
  // mode pmCopy.
  void DrawMouseTrace(int, int, TBitmap* Bitmap);
  // The view the control shows: its size, TopLeft and Magnification.
  TMapView CurrentView() const;

  // Landmark classes (ClassFlag 0..255) drawn or not; all are drawn at first.
  void SetClassVisibility(uint8_t i, bool value) { SetLMClassVisible(i, value); }
  bool GetClassVisibility(uint8_t i) const { return LMClassVisible(i); }
  // How the highlighted landmark's symbol is drawn; stores all three and repaints.
  void SetHighLightProperties(TColor ColorFG, TColor ColorBG, bool Transparent);
  TColor HighLightColorFG() const { return FDisplay.HighLightColorFG; }
  TColor HighLightColorBG() const { return FDisplay.HighLightColorBG; }
  bool HighLightTransparent() const { return FDisplay.HighLightTransparent; }

  // ---- picture export, printing and the clipboard ------------------------------------
  // They compose through the same layers as Paint, events included, into a
  // picture of their own; the control's viewport, picture and image cache
  // stay as they are. Exported pictures carry no control frame.

  // Renders AWidth x AHeight pixels of the map whose top-left pixel shows image
  // pixel ATopLeft at MagFact picture pixels per image pixel into DestBmp at
  // (PosHoriz, PosVert), in DestBmp's pixel format; DestBmp grows when it is
  // too small for that rectangle. Nothing happens for an empty rectangle; a
  // factor that is not positive and finite raises EOrqGeoMapError.
  void CopyToBMP(TBitmap* DestBmp, TPoint ATopLeft, double MagFact, int PosHoriz, int PosVert, int AWidth,
                 int AHeight);
  // The whole map image at magnification 1 with all layers, as a bitmap on
  // the clipboard. An empty map puts its empty picture there.
  void CopyEntireMapToClipboard();

  // Printing goes to a page target (see geomap/PageTarget.h): a page is a
  // bitmap with a resolution. Scale is a percentage of the size on screen
  // (96 pixels per inch): at 100 an image pixel covers PixelsPerInch / 96
  // page pixels. The target is not owned; without one the print operations
  // raise EOrqGeoMapError.
  void SetPageTarget(TPageTarget* Target) { FPageTarget = Target; }
  TPageTarget* PageTarget() const { return FPageTarget; }
  // Page pixels that the image rectangle MapWindow needs at Scale percent
  // (at 96 pixels per inch when no target is set). Empty for an inverted
  // rectangle or a scale below 1.
  void CalcExtentsOfPrint(TRect MapWindow, int Scale, int& AWidth, int& AHeight);
  // One page with the control's current view, ScaleF times its size on
  // screen, at the page's top-left corner (cut at the page's edges).
  void PrintIt(double ScaleF);
  // The current view, ScaleF times its size on screen, onto the page begun
  // last at (x, y); x and y then point just past its right and bottom edges.
  void CopyToOpenPrinter(int& x, int& y, double ScaleF);
  // The image rectangle MapWindow at Scale percent onto the page begun last,
  // its top-left corner at (PosHoriz, PosVert).
  void CopyToOpenPrinter(TRect MapWindow, int Scale, int PosHoriz, int PosVert);
  // AWidth x AHeight page pixels of the map from image pixel ATopLeft at
  // Scale percent onto the page begun last at (PosHoriz, PosVert).
  void CopyToOpenPrinter(TPoint ATopLeft, int Scale, int PosHoriz, int PosVert, int AWidth, int AHeight);

 private:
  // Viewport, zoom history and mouse helpers.
  static constexpr int MouseBoxWaitMs = 100;  // a wait of MouseBox rounds; woken early by events
  static double ClampedMagnification(double value);
  // Array index of the history slot of a relative index; -1 outside -15..0.
  int ZoomSlot(int RelIndex) const;
  bool InsideControl(int X, int Y) const { return X >= 0 && X <= Width() && Y >= 0 && Y <= Height(); }
  // XOR feedback on the control's canvas: white, no fill; the pen style is
  // put back to solid and the mode to pmCopy afterwards.
  void XorRectangle(int X1, int Y1, int X2, int Y2, TPenStyle Style);
  void XorLine(int X1, int Y1, int X2, int Y2);
  void DragViewport(TShiftState Shift, int X, int Y);
  void RubberBandPress(TShiftState Shift, int X, int Y);
  void MoveRectangle(int& X, int& Y, TPenStyle Style);
  void ReleaseSelectRect(int X, int Y);
  void ReleaseZoomWindow(TMouseButton Button, int X, int Y);
  void AppendTracePoint(int X, int Y);
  TPoint TraceControlPos(const TColoredPoint& P) const;

  friend struct TGeoMapInternals;  // white-box access for the test suite

  std::string ComponentMessage(const std::string& Tail) const;
  void SetLandMarkCapacityFor(int Count);
  void ZeroAffineAndBiquadratic();
  TCalibView CalibView() const { return TCalibView{FCalibModel, &FCoefs, &FGraticule, &FCalibData}; }
  // Every change of FGratMat is followed by this, so that the conversions
  // see the matrix as it is.
  void SyncGraticule() { FGraticule = UnpackGratMat(*FGratMat); }
  bool UTMPixelToGeo(int x, int y, double& Lat, double& Long) const;
  void RefitQuadrupleModel();
  void RemoveLinePointAt(int Line, int Point);
  // Composition (render/): the layers onto Target at View. ForControl: the
  // control's own picture (image cache, visibility, frame); otherwise an
  // exported one.
  void ComposePicture(TBitmap* Target, const TMapView& View, bool ForControl);
  void DrawImageSection(TCanvas* C, const TMapView& View, bool MayUseCache);
  double LandmarkSamplingProbability(const TMapView& View) const;
  bool PlaceLandmark(TCanvas* C, const TMapView& View, const TLandMark& LandMark, TPoint& P);
  void DrawLandmarks(TCanvas* C, const TMapView& View);
  void DrawHighlightedLandmark(TCanvas* C, const TMapView& View);
  void DrawTrace(TCanvas* C, const TMapView& View) const;
  void DrawGraticule(TCanvas* C, const TMapView& View) const;
  void DrawParallelsAndMeridians(TCanvas* C, const TMapView& View, int ParallelSegments,
                                 int MeridianSegments) const;
  void DrawParabolicCurves(TCanvas* C, const TMapView& View, bool Lines, bool Points) const;
  void DrawUTMGrid(TCanvas* C, const TMapView& View) const;
  TBitmap& CurrentPage(const char* Operation) const;
  double PageMagnification(double ScreenFactor) const;
  void CopyStateFrom(const TGeoMap& Source);

  // State copied whole by Assign.
  TGeoMapDisplay FDisplay;
  TGeoMapViewport FViewport;
  TGeoMapMouseState FMouse;
  TCalibModel FCalibModel = cmUndefined;
  TCalibData FCalibData;
  TCalibCoefficients FCoefs;  // FEquRectSPPL .. FConicPars
  TLastDeletedCalPoint FLastDeletedCalPoint;
  std::string FCalDatName;
  std::string FMapImgName;
  int FMapImgWidth = 0, FMapImgHeight = 0;
  double FCacheMag = 0;  // magnification FImgCache holds; 0 = no valid cache
  bool FCacheAA = true;  // AntiAlias the cache was built with
  TLandMark FDefaultLM;
  int FHighLM = 0;

  // Copied with their own rules: landmarks by count (capacity in whole
  // blocks), bitmaps and matrix by content. The trace is never copied.
  int FNumLandMarks = 0;
  std::vector<TLandMark> FLandMarks;
  std::unique_ptr<TBitmap> GrafBmp;
  std::unique_ptr<TBitmap> FAuxBmp;
  std::unique_ptr<TBitmap> FImgCache;
  std::unique_ptr<TMatrix> FGratMat;
  TGraticule FGraticule;  // FGratMat unpacked (SyncGraticule)
  std::vector<TColoredPoint> FMTrace;
  int FNumMTrace = 0;
  TColor FMouseTraceColor = 0xFFFFFF;
  bool FMouseTraceInvert = true;

  // The last UTM pixel conversion: latitude and longitude of one pixel are
  // usually asked for one after the other, and cost one inverse projection.
  struct TUTMMemo {
    bool Filled = false;
    int X = 0, Y = 0;
    TCoef2x3 E{};
    int Zone = 0;
    bool South = false;
    TGeoEllipsoid Ellipsoid = gelWGS84;
    double Lat = 0, Long = 0;
  };
  mutable TUTMMemo FUTMMemo;

  TProgressEvent FOnDataLoading;
  TRenderEvent FOnDataRendered;
  TRenderEvent FOnBeforeRenderData;
  TDrawLandMarkEvent FOnDrawLandmark;
  TMapImgRequestEvent FOnMapImageRequest;
  TLandMarkActionEvent FOnLandMarkAction;
  TZoomPanEvent FOnZoomPan;
  TOnRubberBandActionEvent FOnBeginRubberBand, FOnContinueRubberBand, FOnEndRubberBand;
  TSelectRectEvent FOnSelectRect;
  TPageTarget* FPageTarget = nullptr;
};

// Gives every landmark whose Tag numbers an entry of Symbols (1..NumEntries)
// that entry's symbol properties: a symbol file as the palette that landmark
// files refer to by tag. Repaints once; returns the number of landmarks set.
int ApplySymbolPalette(TGeoMap& Map, const TSymbolRepository& Symbols);

}  // namespace orq
