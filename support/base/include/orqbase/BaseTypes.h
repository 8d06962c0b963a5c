// Enumerations, records and callback types shared by the map, the atlas and
// the database.
#pragma once

#include <cstdint>
#include <functional>

#include "orqplatform/Components.h"
#include "orqplatform/Types.h"

namespace orq {

// Border styles of DrawFrame. The default of controls is frDoubleLowered (1),
// the classic sunken edge.
enum TFrameStyle : int {
  frNone,           // nothing drawn
  frDoubleLowered,  // two-ring sunken edge
  frDoubleRaised,   // two-ring raised edge
  frLowered,        // one-ring sunken edge
  frRaised,         // one-ring raised edge
  frSingle,         // a plain one-pixel line
};

// What a mouse drag does in the map. The ordinals are fixed; 4, 6, 8 and
// 10..15 have no built-in behaviour.
enum TMouseActMode : int {
  maNone = 0,
  maPan = 1,
  maPanHoriz = 2,
  maPanVert = 3,
  maUser4 = 4,
  maRubberBand = 5,
  maUser6 = 6,
  maZoomWind = 7,
  maUser8 = 8,
  maZoomDrag = 9,
  maUser10 = 10,
  maUser11 = 11,
  maUser12 = 12,
  maUser13 = 13,
  maUser14 = 14,
  maUser15 = 15,
  maSelectRect = 16,
  maDrawTrace = 17,
};

enum TZoomState : int { zsNone, zsDragging };
enum TMouseBoxState : int { mbsIdle, mbsArmed, mbsDragging, mbsDone };
enum TVerticalAlignment : int { vaTop, vaCenter, vaBottom };

// Angle text formats of DegreeToStr.
enum TDegreeFormat : int {
  dfDegrees,         // whole degrees: 47°
  dfDecimalDegrees,  // decimal degrees: 47.25°
  dfDegMinSec,       // degrees, minutes, seconds: 47°15'30"
};

enum TLanguage : int { lanEnglish, lanGerman };

// One mouse-trace point: position in map-image pixels, flags (bit 0: the
// stroke ends here; bit 1: the segment ending here is drawn in XOR mode;
// 0xFFFF: the invalid result of an out-of-range read) and colour.
struct TColoredPoint {
  double X = 0;
  double Y = 0;
  uint16_t Flags = 0;
  TColor Color = 0;
};

struct TRectDouble {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
};

using TOnRubberBandActionEvent = std::function<void(TObject* Sender, TPoint& Point)>;
using TSelectRectEvent = std::function<void(TObject* Sender, int Kind, double Left, double Top, double Right, double Bottom)>;
using TZoomPanEvent = std::function<void(TObject* Sender)>;
using TOnPercentDoneEvent = std::function<void(TObject* Sender, int Percent)>;

}  // namespace orq
