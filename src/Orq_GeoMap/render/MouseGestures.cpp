// TGeoMap's mouse handlers: panning, zooming by window and by drag, the
// selection rectangle, the rubber band and the mouse trace, with their XOR
// feedback on the control's canvas.
#include <algorithm>
#include <cmath>

#include "orqcarta/Orq_GeoMap.h"
#include "orqmath/MathUtils.h"

namespace orq {

namespace {

// std::clamp with an empty range (a control of no size) is undefined.
int ClampInto(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

bool IsDragMode(TMouseActMode m) { return m == maPan || m == maPanHoriz || m == maPanVert || m == maZoomDrag; }

}  // namespace

// ---- XOR feedback ---------------------------------------------------------------

void TGeoMap::XorRectangle(int X1, int Y1, int X2, int Y2, TPenStyle Style) {
  TCanvas* c = Canvas();
  c->Pen.Mode = pmXor;
  c->Pen.Color = 0xFFFFFF;
  c->Pen.Style = Style;
  c->Brush.Style = bsClear;
  c->Rectangle(X1, Y1, X2, Y2);
  c->Pen.Mode = pmCopy;
  c->Pen.Style = psSolid;
  c->Brush.Style = bsSolid;
}

void TGeoMap::XorLine(int X1, int Y1, int X2, int Y2) {
  TCanvas* c = Canvas();
  c->Pen.Mode = pmXor;
  c->Pen.Color = 0xFFFFFF;
  c->Pen.Style = psSolid;
  c->MoveTo(X1, Y1);
  c->LineTo(X2, Y2);
  c->Pen.Mode = pmCopy;
}

// ---- press ------------------------------------------------------------------------

void TGeoMap::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGeoMapMouseState& ms = FMouse;
  const TPoint click = ControlToMapImage(TPoint{X, Y});
  ms.LastClickPosX = click.X;
  ms.LastClickPosY = click.Y;

  if (ms.MouseBoxState == mbsArmed) {
    if (Button == mbRight) {
      ms.MouseBoxState = mbsIdle;
    } else {
      ms.MouseBoxX1 = X;
      ms.MouseBoxY1 = Y;
      ms.WindOldCornerX = X;
      ms.WindOldCornerY = Y;
      ms.MouseBoxState = mbsDragging;
    }
  }

  if (ms.MouseAction == maZoomWind && ms.ZoomState == zsNone && Button == mbLeft && InsideControl(X, Y)) {
    ms.ZoomState = zsDragging;
    ms.WindAnchorX = ms.WindOldCornerX = X;
    ms.WindAnchorY = ms.WindOldCornerY = Y;
  }

  if (ms.MouseAction == maSelectRect && Button == mbLeft) {
    ms.WindAnchorX = ms.WindOldCornerX = X;
    ms.WindAnchorY = ms.WindOldCornerY = Y;
    ms.SelectRectOn = true;
    TPoint p = click;
    if (FOnBeginRubberBand) FOnBeginRubberBand(this, p);
  }

  if (ms.MouseAction == maRubberBand && Button == mbLeft) RubberBandPress(Shift, X, Y);

  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TGeoMap::RubberBandPress(TShiftState Shift, int X, int Y) {
  TGeoMapMouseState& ms = FMouse;
  TPoint p{ms.LastClickPosX, ms.LastClickPosY};
  if (Shift.contains(ssCtrl) && ms.RubberBandOn) {
    if (FOnContinueRubberBand) FOnContinueRubberBand(this, p);
    // The segment so far stays on the screen; the next one starts here. Its
    // end moves here too, or the next move would "erase" a line from the
    // new start to the old end that was never drawn.
    ms.RubberBAnchorX = ms.RubberBandOldX = X;
    ms.RubberBAnchorY = ms.RubberBandOldY = Y;
    return;
  }
  ms.RubberBandOn = !ms.RubberBandOn;
  if (ms.RubberBandOn) {
    if (FOnBeginRubberBand) FOnBeginRubberBand(this, p);
    ms.RubberBAnchorX = ms.RubberBandOldX = X;
    ms.RubberBAnchorY = ms.RubberBandOldY = Y;
  } else {
    XorLine(ms.RubberBAnchorX, ms.RubberBAnchorY, ms.RubberBandOldX, ms.RubberBandOldY);
    if (FOnEndRubberBand) FOnEndRubberBand(this, p);
  }
}

// ---- move -------------------------------------------------------------------------

void TGeoMap::MouseMove(TShiftState Shift, int X, int Y) {
  TGeoMapMouseState& ms = FMouse;
  const TPoint pos = ControlToMapImage(TPoint{X, Y});
  ms.LastMousePosX = pos.X;
  ms.LastMousePosY = pos.Y;

  if (ms.MouseBoxState == mbsDragging) {
    X = ClampInto(X, 1, Width());
    Y = ClampInto(Y, 1, Height());
    XorRectangle(ms.MouseBoxX1, ms.MouseBoxY1, ms.WindOldCornerX, ms.WindOldCornerY, psSolid);
    XorRectangle(ms.MouseBoxX1, ms.MouseBoxY1, X, Y, psSolid);
    ms.WindOldCornerX = X;
    ms.WindOldCornerY = Y;
  }

  switch (ms.MouseAction) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maZoomDrag:
      DragViewport(Shift, X, Y);
      break;
    case maZoomWind:
      if (ms.ZoomState == zsDragging) MoveRectangle(X, Y, psSolid);
      break;
    case maSelectRect:
      if (ms.SelectRectOn && Shift.contains(ssLeft)) MoveRectangle(X, Y, psDot);
      break;
    case maRubberBand:
      if (ms.RubberBandOn) {
        XorLine(ms.RubberBAnchorX, ms.RubberBAnchorY, ms.RubberBandOldX, ms.RubberBandOldY);
        XorLine(ms.RubberBAnchorX, ms.RubberBAnchorY, X, Y);
        ms.RubberBandOldX = X;
        ms.RubberBandOldY = Y;
      }
      break;
    case maDrawTrace:
      if (ms.ZoomState == zsNone && Shift.contains(ssLeft)) {
        X = ClampInto(X, 0, Width());
        Y = ClampInto(Y, 0, Height());
        AppendTracePoint(X, Y);
      }
      break;
    default:
      break;
  }

  TCustomControl::MouseMove(Shift, X, Y);
}

// The zoom and selection rectangles: clamped into the control, the old
// figure erased and the new one drawn.
void TGeoMap::MoveRectangle(int& X, int& Y, TPenStyle Style) {
  TGeoMapMouseState& ms = FMouse;
  X = ClampInto(X, 0, Width());
  Y = ClampInto(Y, 0, Height());
  XorRectangle(ms.WindAnchorX, ms.WindAnchorY, ms.WindOldCornerX, ms.WindOldCornerY, Style);
  XorRectangle(ms.WindAnchorX, ms.WindAnchorY, X, Y, Style);
  ms.WindOldCornerX = X;
  ms.WindOldCornerY = Y;
}

// Pan and zoom drags. Offsets are always measured from the press point, so
// a pointer that leaves the control pauses the drag and, back inside, the
// view jumps to where that offset puts it.
void TGeoMap::DragViewport(TShiftState Shift, int X, int Y) {
  TGeoMapMouseState& ms = FMouse;
  if (!Shift.contains(ssLeft)) {
    ms.LButtonWasDown = false;
    return;
  }
  if (!ms.LButtonWasDown) {
    ms.MouseAnchorX = X;
    ms.MouseAnchorY = Y;
    ms.TopLeftXAnchor = FViewport.TopLeft.X;
    ms.TopLeftYAnchor = FViewport.TopLeft.Y;
  } else if (InsideControl(X, Y) && Width() > 0 && Height() > 0) {
    const double m = FViewport.Magnification;
    TPoint& tl = FViewport.TopLeft;
    if (ms.MouseAction == maZoomDrag) {
      const int cx = RoundedOrZero(Width() / m / 2) + tl.X;
      const int cy = RoundedOrZero(Height() / m / 2) + tl.Y;
      const double factor =
          1 - 0.05 * (ms.MouseAnchorX - X) / Width() + static_cast<double>(ms.MouseAnchorY - Y) / Height();
      // A long drag down makes the factor zero or negative: the range
      // clamp keeps the view usable.
      const double m2 = ClampedMagnification(m * factor);
      FViewport.Magnification = m2;
      tl = TPoint{cx - RoundedOrZero(Width() / m2 / 2), cy - RoundedOrZero(Height() / m2 / 2)};
    } else {
      if (ms.MouseAction != maPanVert) tl.X = RoundedOrZero((ms.MouseAnchorX - X) / m) + ms.TopLeftXAnchor;
      if (ms.MouseAction != maPanHoriz) tl.Y = RoundedOrZero((ms.MouseAnchorY - Y) / m) + ms.TopLeftYAnchor;
      if (FViewport.ConfinePanToMapImage) PanMapToFillWindow();
    }
    Paint();
    DoZoomPanEvent();
  }
  ms.LButtonWasDown = true;
}

// ---- release ----------------------------------------------------------------------

void TGeoMap::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  TGeoMapMouseState& ms = FMouse;

  if (ms.MouseBoxState == mbsDragging) {
    if (Button == mbRight) {
      ms.MouseBoxState = mbsIdle;
    } else {
      ms.MouseBoxX2 = X;
      ms.MouseBoxY2 = Y;
      ms.MouseBoxState = mbsDone;
    }
    XorRectangle(ms.MouseBoxX1, ms.MouseBoxY1, ms.WindOldCornerX, ms.WindOldCornerY, psSolid);
  }

  // Only a rectangle that a press started: erasing one never drawn would
  // leave its XOR image on the screen.
  if (ms.MouseAction == maSelectRect && Button == mbLeft && ms.SelectRectOn) {
    ms.SelectRectOn = false;
    XorRectangle(ms.WindAnchorX, ms.WindAnchorY, ms.WindOldCornerX, ms.WindOldCornerY, psDot);
    ReleaseSelectRect(X, Y);
  }

  if (ms.MouseAction == maZoomWind && ms.ZoomState == zsDragging) ReleaseZoomWindow(Button, X, Y);

  if (IsDragMode(ms.MouseAction)) ZoomStateOnStack();
  // A release ends a drag too: a press that follows without a move in
  // between (a tap, a scripted host) must start from its own point rather
  // than continue from the old anchor.
  if (Button == mbLeft) ms.LButtonWasDown = false;

  if (ms.MouseAction == maDrawTrace && FNumMTrace > 0) FMTrace[FNumMTrace - 1].Flags |= 1;
}

void TGeoMap::ReleaseSelectRect(int X, int Y) {
  const TPoint a = ControlToMapImage(TPoint{FMouse.WindAnchorX, FMouse.WindAnchorY});
  const TPoint b = ControlToMapImage(TPoint{X, Y});
  bool valid = false;
  double lonA = 0, latA = 0, lonB = 0, latB = 0;
  lonA = CalcLongitude(a, valid);
  if (valid) latA = CalcLatitude(a, valid);
  if (valid) lonB = CalcLongitude(b, valid);
  if (valid) latB = CalcLatitude(b, valid);
  if (valid)
    DoSelectRectEvent(1, lonA, latA, lonB, latB);
  else
    DoSelectRectEvent(0, a.X, a.Y, b.X, b.Y);
}

void TGeoMap::ReleaseZoomWindow(TMouseButton Button, int X, int Y) {
  TGeoMapMouseState& ms = FMouse;
  if (Button == mbRight) {
    ms.ZoomState = zsNone;
    XorRectangle(ms.WindAnchorX, ms.WindAnchorY, ms.WindOldCornerX, ms.WindOldCornerY, psSolid);
    return;
  }
  if (Button != mbLeft) return;  // the middle button leaves the rectangle active

  if (ms.WindAnchorX != ms.WindOldCornerX && ms.WindAnchorY != ms.WindOldCornerY) {
    if (ms.WindAnchorX > X) ExChange(ms.WindAnchorX, X);
    if (Y < ms.WindAnchorY) ExChange(ms.WindAnchorY, Y);
    const TPoint a = ControlToMapImage(TPoint{ms.WindAnchorX, ms.WindAnchorY});
    const TPoint b = ControlToMapImage(TPoint{X, Y});
    if (a.X != b.X && a.Y != b.Y) {
      const double dx = std::abs(static_cast<double>(b.X) - a.X);
      const double dy = std::abs(static_cast<double>(b.Y) - a.Y);
      const double m = ClampedMagnification(dy < dx ? Width() / dx : Height() / dy);
      FViewport.Magnification = m;
      FViewport.TopLeft = TPoint{RoundedOrZero(((b.X - a.X) - Width() / m) / 2) + a.X,
                                 RoundedOrZero(((b.Y - a.Y) - Height() / m) / 2) + a.Y};
      Paint();
      DoZoomPanEvent();
    }
  }
  ms.ZoomState = zsNone;
}

void TGeoMap::DoSelectRectEvent(int kind, double X1, double Y1, double X2, double Y2) {
  if (FOnSelectRect) FOnSelectRect(this, kind, X1, Y1, X2, Y2);
}

}  // namespace orq
