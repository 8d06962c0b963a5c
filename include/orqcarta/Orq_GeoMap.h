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
#include "orqcarta/geomap/Records.h"
#include "orqmath/Matrix.h"
#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Components.h"
#include "orqplatform/Controls.h"
#include "orqcarta/geomap/BlankMap.h"
#include "orqcarta/geomap/CalibXml.h"
#include "orqcarta/geomap/LandmarkNames.h"
#include "orqcarta/geomap/LandmarkXml.h"
#include "orqcarta/geomap/SymbolRepository.h"

namespace orq {

class TTextFile;

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
  static constexpr int ZoomStackSize = 16;
  static constexpr double MaxCacheMagLimit = 0.6666666666666666;
  static constexpr double MaxGratLineDist = 60;
  static constexpr int MaxUTMGridDist = 10000000;
  static constexpr int MinLMRandomDisplayThreshold = 1001;
  // The admissible display magnification; the setter clamps into it.
  static constexpr double MinMagnification = 1e-4;
  static constexpr double MaxMagnification = 1e4;

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

  bool AllowPan() const { return FMouseAction == maPan; }
  void SetAllowPan(bool value) { FMouseAction = value ? maPan : maNone; }
  bool AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(bool value);
  TCalibModel CalibModel() const { return FCalibModel; }
  void SetCalibModel(TCalibModel value);
  double CacheMagLimit() const { return FCacheMagLimit; }
  void SetCacheMagLimit(double value);
  TColor ColorBackGnd() const { return FColorBakGnd; }
  void SetColorBackGnd(TColor value);
  TColor ColorGraticule() const { return FColorGratLine; }
  void SetColorGraticule(TColor value);
  TColor ColorCalibPoints() const { return FColorGratPoints; }
  void SetColorCalibPoints(TColor value);
  TColor ColorFrame() const { return FFrameColor; }
  void SetColorFrame(TColor value);
  bool ConfinePanToMapImage() const { return FConfinePan; }
  void SetConfinePanToMapImage(bool value);
  const std::string& EmptyMsg() const { return FEmptyMsg; }
  void SetEmptyMsg(const std::string& value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle value);
  double GratLineDist() const { return FGratLineDist; }
  void SetGratLineDist(double value);
  int UTMGridDist() const { return FUTMGridDist; }
  void SetUTMGridDist(int value);
  int UTMZone() const { return FCalibData.UTMZone; }
  void SetUTMZone(int value);
  THemisphere UTMHemisphere() const { return FCalibData.UTMSouth ? hemiSouth : hemiNorth; }
  void SetUTMHemisphere(THemisphere value) { FCalibData.UTMSouth = value == hemiSouth; }
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode value) { FMouseAction = value; }
  TColor MouseTraceColor() const { return FColorMTrace; }
  void SetMouseTraceColor(TColor value) { FColorMTrace = value; }
  bool MouseTraceInvert() const { return FMTraceInvert; }
  void SetMouseTraceInvert(bool value) { FMTraceInvert = value; }
  TShowGrat ShowGraticule() const { return FShowGrat; }
  void SetShowGraticule(TShowGrat value);

  // ---- public properties -------------------------------------------------------

  const TCalibData& CalibData() const { return FCalibData; }
  // Replaces the calibration data as a whole; nothing is refitted.
  void SetCalibData(const TCalibData& value) { FCalibData = value; }
  const std::string& CalibDataFile() const { return FCalDatName; }
  // A name that is no file empties the image name and size. Loading an
  // existing calibration file comes with the calibration file reader; until
  // then the name is stored and EOrqGeoMapError says it is not supported.
  void SetCalibDataFile(const std::string& value);
  // The map's caption is that of its calibration data; it stands in for
  // the control's own caption.
  const std::string& Caption() const { return FCalibData.Caption; }
  void SetCaption(const std::string& value) { FCalibData.Caption = value; }
  int HighLightLandMark() const { return FHighLM; }
  void SetHighLightLandMark(int value);
  const TLandMark& LandMarkDefault() const { return FDefaultLM; }
  void SetLandMarkDefault(const TLandMark& value) { FDefaultLM = value; }
  double LastClickLatitude() const;
  double LastClickLongitude() const;
  int LastClickPosX() const { return FLastMClickPosX; }
  int LastClickPosY() const { return FLastMClickPosY; }
  int LastMousePosX() const { return FLastMMousePosX; }
  int LastMousePosY() const { return FLastMMousePosY; }
  int LMRandomDisplayThreshold() const { return FLMRandSampleLimit; }
  void SetLMRandomDisplayThreshold(int value);
  double Magnification() const { return FMagnify; }
  void SetMagnification(double value);
  const std::string& MapImgFile() const { return FMapImgName; }
  int MapImgWidth() const { return FMapImgWidth; }
  int MapImgHeight() const { return FMapImgHeight; }
  TBitmap* MapBitmap() const { return GrafBmp.get(); }
  // Takes a copy of the bitmap as the map image (named "$unknown$").
  void SetMapBitMap(TBitmap* value);
  int NumLandMarks() const { return FNumLandMarks; }
  int NumMTracePoints() const { return FNumMTrace; }
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool value);
  TPoint TopLeft() const { return FTopLeft; }
  void SetTopLeft(TPoint value);
  TZoomState ZoomState() const { return FZoomState; }
  bool LMClassVisible(uint8_t i) const { return FLMClassVisible[i]; }
  void SetLMClassVisible(uint8_t i, bool value);
  // Slots the landmark array holds (grows in blocks of LandMarkBlock).
  int LandMarkCapacity() const { return static_cast<int>(FLandMarks.size()); }
  // The composition bitmap.
  TBitmap* AuxBmp() const { return FAuxBmp.get(); }

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

  // ---- printing, clipboard and landmark files ------------------------------------
  // Not supported yet: each raises EOrqGeoMapError saying so.

  void PrintIt(double ScaleF);
  void CopyToOpenPrinter(int& x, int& y, double ScaleF);
  void CopyToOpenPrinter(TRect MapWindow, int Scale, int PosHoriz, int PosVert);
  void CopyToOpenPrinter(TPoint ATopLeft, int Scale, int PosHoriz, int PosVert, int AWidth, int AHeight);
  void CalcExtentsOfPrint(TRect MapWindow, int Scale, int& AWidth, int& AHeight);
  void WriteLandMarksToOpenXMLFile(TTextFile& OutFile, bool WithHeader, const std::string& DataID);
  void SaveLandmarks(const std::string& FileName, const std::string& DataID);
  void CopyEntireMapToClipboard();
  void CopyToBMP(TBitmap* DestBmp, TPoint ATopLeft, double MagFact, int PosHoriz, int PosVert, int AWidth,
                 int AHeight);

 private:
  friend struct TGeoMapInternals;  // white-box access for the test suite

  std::string ComponentMessage(const std::string& Tail) const;
  [[noreturn]] void RaiseNotSupported(const std::string& Operation) const;
  void SetLandMarkCapacityFor(int Count);
  void InitZoomHistory();
  void ZeroAffineAndBiquadratic();
  TCalibView CalibView() const { return TCalibView{FCalibModel, &FCoefs, &FGraticule, &FCalibData}; }
  // Every change of FGratMat is followed by this, so that the conversions
  // see the matrix as it is.
  void SyncGraticule() { FGraticule = UnpackGratMat(*FGratMat); }
  bool UTMPixelToGeo(int x, int y, double& Lat, double& Long) const;
  void RefitQuadrupleModel();
  void RemoveLinePointAt(int Line, int Point);
  void ComposeBackground();
  void CopyStateFrom(const TGeoMap& Source);

  std::unique_ptr<TBitmap> FAuxBmp;
  std::unique_ptr<TBitmap> FImgCache;
  double FCacheMag = 0;
  bool FCacheAA = true;
  double FCacheMagLimit = MaxCacheMagLimit;
  int FNumLandMarks = 0;
  std::vector<TLandMark> FLandMarks;
  TLandMark FDefaultLM;
  TColor FColorBakGnd = 0xC0C0C0;
  TFrameStyle FFrameStyle = frDoubleLowered;
  TColor FFrameColor = 0;
  TColor FColorGratLine = 0xFF0000;
  TColor FColorGratPoints = 0x0000FF;
  TColor FColBlackLine = 0, FColGrayLine = 0x808080, FColWhiteLine = 0xFFFFFF;
  std::string FEmptyMsg = "GeoMap: empty";
  bool FLButtonWasDown = false;
  std::array<bool, 256> FLMClassVisible{};
  int FLMRandSampleLimit = 20000;
  std::string FMapImgName;
  int FMapImgWidth = 0, FMapImgHeight = 0;
  double FMagnify = 1.0;
  TZoomState FZoomState = zsNone;
  TMouseBoxState FMouseBoxState = mbsIdle;
  int FMouseBoxX1 = 0, FMouseBoxX2 = 0, FMouseBoxY1 = 0, FMouseBoxY2 = 0;
  std::vector<TColoredPoint> FMTrace;
  int FNumMTrace = 0;
  TColor FColorMTrace = 0xFFFFFF;
  bool FMTraceInvert = true;
  int FWindOldCornerX = 0, FWindOldCornerY = 0, FWindAnchorX = 0, FWindAnchorY = 0;
  TShowGrat FShowGrat = sgNone;
  TPoint FTopLeft;
  TCalibModel FCalibModel = cmUndefined;
  TCalQuad FBiQuadOops;
  TCalibLine FParaIpOops;
  bool FRestoreBiQuadOK = false, FRestoreParaIpOK = false;
  bool FSuppressPaint = false;
  bool FConfinePan = true;
  TMouseActMode FMouseAction = maPan;
  bool FRubberBandOn = false, FSelectRectOn = false;
  int FRubberBAnchorX = 0, FRubberBAnchorY = 0, FRubberBandOldX = 0, FRubberBandOldY = 0;
  bool FAntiAlias = true;
  double FGratLineDist = 0;
  int FUTMGridDist = 0;
  TCalibData FCalibData;
  std::unique_ptr<TMatrix> FGratMat;
  TGraticule FGraticule;  // FGratMat unpacked (SyncGraticule)
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
  TCalibCoefficients FCoefs;  // FEquRectSPPL .. FConicPars
  int FHighLM = 0;
  TColor FHighLMColFG = 0xFF0000, FHighLMColBG = 0x00FFFF;
  bool FHighLMTrans = false;
  int FTopLeftXAnchor = 0, FTopLeftYAnchor = 0;
  TProgressEvent FOnDataLoading;
  TRenderEvent FOnDataRendered;
  TRenderEvent FOnBeforeRenderData;
  TDrawLandMarkEvent FOnDrawLandmark;
  TMapImgRequestEvent FOnMapImageRequest;
  TLandMarkActionEvent FOnLandMarkAction;
  TZoomPanEvent FOnZoomPan;
  TOnRubberBandActionEvent FOnBeginRubberBand, FOnContinueRubberBand, FOnEndRubberBand;
  TSelectRectEvent FOnSelectRect;
  std::array<TgmZoomStackEntry, ZoomStackSize> FZoomStack{};
  int FZStackPoi = 1;
  std::string FCalDatName;
  int MouseAnchorX = 0, MouseAnchorY = 0;
  int FLastMClickPosX = 0, FLastMClickPosY = 0;
  int FLastMMousePosX = 0, FLastMMousePosY = 0;
  std::unique_ptr<TBitmap> GrafBmp;
};

}  // namespace orq
