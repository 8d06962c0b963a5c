// Value types of the map control: calibration records, landmark records,
// the zoom-history entry and the enumerations that select calibration models,
// grids and symbols. They are plain values, copied whole.
//
// Counted collections inside the records (calibration lines, their points,
// quadruples) are numbered from 1 in the map's operations; the arrays here
// are 0-based, so item i lives in element i - 1.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "orqbase/BaseTypes.h"
#include "orqbase/BoundedString.h"
#include "orqcarta/Orq_GeoBasics.h"
#include "orqplatform/GraphicsTypes.h"
#include "orqplatform/Types.h"

namespace orq {

// ---------------------------------------------------------------------------
// Calibration
// ---------------------------------------------------------------------------

constexpr int MaxCalibLines = 25;      // calibration lines of one map
constexpr int MaxPointsPerLine = 10;   // pixel positions of one line
constexpr int MaxCalibQuads = 200;     // calibration quadruples of one map

// Largest map image, in pixels (width times height), that a map loads or
// generates: images are refused from their header above it.
inline constexpr int MaxImagePixels = 3000000;
// Largest magnitude of a pixel coordinate a conversion returns (2^30): a
// result beyond it is invalid, so that sums of pixels cannot overflow an int.
inline constexpr int MaxPixelCoordinate = 1 << 30;

// A geographic position in decimal degrees, north and east positive.
struct TCoords {
  double Latit = 0;
  double Longit = 0;
  friend bool operator==(const TCoords&, const TCoords&) = default;
};

// The four corners of a map image, in this order.
enum TCorners : int { gcoTopLeft, gcoBottomLeft, gcoBottomRight, gcoTopRight };
using TCornerArray = std::array<TCoords, 4>;  // indexed by TCorners

enum TGratLineKind : int { gtlMeridian, gtlParallel };

// One calibration line: a meridian (LineValue = its longitude) or a parallel
// (LineValue = its latitude) and the map-image pixels it runs through.
struct TCalibLine {
  TGratLineKind LineType = gtlMeridian;
  double LineValue = 0;
  int NumPoints = 0;                                // 0..MaxPointsPerLine
  std::array<TPoint, MaxPointsPerLine> CalPoints{};  // point i is CalPoints[i - 1]
  friend bool operator==(const TCalibLine&, const TCalibLine&) = default;
};

// One calibration quadruple. In the UTM model Latitude holds the northing and
// Longitude the easting, in metres.
struct TCalQuad {
  double Latitude = 0;
  double Longitude = 0;
  int MapX = 0;
  int MapY = 0;
  friend bool operator==(const TCalQuad&, const TCalQuad&) = default;
};

// All calibration data of one map. Only lines 1..NumCalLines, their points
// 1..NumPoints and quadruples 1..NumCalQuads are meaningful, but a copy
// carries every slot.
struct TCalibData {
  std::string MapFName;
  std::string Caption;
  TCornerArray Corners{};   // derived: geographic positions of the corner pixels
  double Resolution = 0;    // derived: metres per pixel along the middle row
  int NumCalLines = 0;
  std::array<TCalibLine, MaxCalibLines> CalLines{};
  int NumCalQuads = 0;
  std::array<TCalQuad, MaxCalibQuads> CalQuads{};
  int UTMZone = 0;          // 1..60; 0 in a new map, -1 after clearing: unset
  bool UTMSouth = false;
  TGeoEllipsoid Ellipsoid = gelWGS84;
  friend bool operator==(const TCalibData&, const TCalibData&) = default;
};

// The calibration model. cmParabolicIp uses the calibration lines, the next
// five the quadruples (cmUTM's hold northing and easting); cmUndefined
// converts nothing.
enum TCalibModel : int {
  cmParabolicIp,
  cmBiquadraticPn,
  cmConicConformal,
  cmMillerCylindrical,
  cmEquiRect,
  cmUTM,
  cmUndefined,
};

// The grid a map draws.
enum TShowGrat : int { sgNone, sgPoints, sgLines, sgPointsAndLines, sgUTMGrid, sgPointsAndUTMGrid };

// ---------------------------------------------------------------------------
// Landmarks
// ---------------------------------------------------------------------------

enum TLandMarkElement : int {
  lmPlus, lmSquare, lmTriangle, lmCircle, lmArrowFrom, lmArrowTo, lmCrossBox, lmSpade, lmCross, lmUserDef
};

enum TLandMarkAction : int { lmaAdd, lmaRemove };

// Horizontal text alignment of captions.
enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };

struct TSymbolProperties {
  TLandMarkElement Kind = lmPlus;
  int Size = 0;
  TColor FGColor = 0;
  TColor BGColor = 0;
  bool Transparent = false;
  int Direction = 0;  // of directed symbols (arrows)
  int Length = 0;     // of directed symbols
  friend bool operator==(const TSymbolProperties&, const TSymbolProperties&) = default;
};

// Caption text (at most 80 characters) and identifier (at most 15); longer
// texts are cut on assignment.
using TLMText = TBoundedString<80>;
using TLMIdentifier = TBoundedString<15>;

struct TLMTextProperties {
  TLMText Text;
  int Size = 0;
  std::string FontName;
  TFontStyles FontStyles;
  TColor FGColor = 0;
  TColor BGColor = 0;
  bool Transparent = false;
  int dx = 0;
  int dy = 0;
  int Direction = 0;
  TAlignment HAlignment = taLeftJustify;
  TVerticalAlignment VAlignment = vaTop;
  friend bool operator==(const TLMTextProperties&, const TLMTextProperties&) = default;
};

struct TLandMark {
  double Latitude = 0;
  double Longitude = 0;
  double Altitude = 0;  // carried, not interpreted
  uint8_t ClassFlag = 0;
  int Tag = 0;
  TSymbolProperties SymbolProps;
  TLMTextProperties Caption;
  TLMIdentifier Identifier;
  double Time = 0;  // days since 1899-12-30
  friend bool operator==(const TLandMark&, const TLandMark&) = default;
};

// ---------------------------------------------------------------------------
// Viewport
// ---------------------------------------------------------------------------

// One zoom-history entry: the TopLeft and Magnification of a viewport. All
// three fields zero marks an empty entry.
struct TgmZoomStackEntry {
  int32_t Left = 0;
  int32_t Top = 0;
  double MagF = 0;
  bool IsEmpty() const { return Left == 0 && Top == 0 && MagF == 0.0; }
  friend bool operator==(const TgmZoomStackEntry&, const TgmZoomStackEntry&) = default;
};

// TColoredPoint (a mouse-trace point) and the mouse enumerations
// TMouseActMode, TZoomState and TMouseBoxState come from orqbase/BaseTypes.h.

// Stored files and clients keep these ordinals.
static_assert(cmParabolicIp == 0 && cmUTM == 5 && cmUndefined == 6);
static_assert(sgPointsAndUTMGrid == 5);
static_assert(lmUserDef == 9);
static_assert(gcoTopRight == 3);
static_assert(maRubberBand == 5 && maZoomWind == 7 && maZoomDrag == 9 && maSelectRect == 16 && maDrawTrace == 17);

}  // namespace orq
