// Landmark symbols and captions on any canvas.
//
// Units: positions, sizes, lengths and offsets are canvas pixels (x to the
// right, y downward); symbol directions are degrees clockwise from straight
// up, caption directions degrees counterclockwise. Rounding is to nearest,
// halves to even. Coordinates that would leave +-2^30 are held at that limit,
// so absurd sizes draw clipped shapes instead of overflowing.
//
// Both functions leave what they set on the canvas (see each); pen style,
// pen mode and pen width are the caller's and are used as they are.
#pragma once

#include "orqcarta/geomap/Records.h"
#include "orqplatform/GraphicsTypes.h"
#include "orqplatform/Types.h"

namespace orq {

class TCanvas;

// Draws one symbol centred on (X, Y). Size s is half the symbol's extent
// (the head length of arrows); Length is an arrow's shaft; Direction turns
// triangles and arrows and is ignored by the other kinds.
//
//   lmPlus, lmCross     strokes 2s+1 pixels long; not Transparent: on a
//                       BGColor halo one pixel wider on every side
//   lmSquare            not Transparent: BGColor outline at X +- s, inside it
//                       an FGColor-bordered BGColor box X-s+1 .. X+s-1;
//                       Transparent: the FGColor outline at X +- s only
//   lmCrossBox          lmSquare with both diagonals
//   lmTriangle          vertex s pixels away towards Direction
//   lmCircle            Ellipse(X-s, Y-s, X+s, Y+s)
//   lmSpade             a diamond with corners s pixels away
//   lmArrowFrom         shaft from (X, Y) to the tip, head at the tip
//   lmArrowTo           shaft from the tip to (X, Y), head at (X, Y)
//   lmUserDef           nothing (left to the map's OnDrawLandmark handler)
//   any other value     a 9-pixel plus in FGColor
//
// Fills (lmSquare, lmCrossBox, and triangles, circles, spades and arrow heads
// when not Transparent) use BGColor with the canvas's brush style: the symbol
// sets the brush colour but not the style, except the Transparent lmCircle,
// which sets bsClear and leaves it so. Afterwards the pen colour is FGColor
// (unchanged for lmUserDef); the brush colour is BGColor for the kinds that
// set it: all but lmPlus, lmCross, the other values and the Transparent
// lmSquare and lmCrossBox. The canvas may be null (nothing happens).
void DrawLandMarkSymbolOnCanvas(TCanvas* Canvas, int X, int Y, TLandMarkElement Kind, TColor FGColor,
                                TColor BGColor, int Size, int Direction, int Length, bool Transparent);

// Draws Caption's text beside the landmark at P: the anchor P + (dx, dy)
// sits at the left, right or centre (HAlignment) and top, middle or bottom
// (VAlignment) of the text line, measured along the text, which is rotated
// Direction degrees counterclockwise about its cell's top-left corner.
//
// Leaves on the canvas: brush colour BGColor, brush style bsClear when
// Transparent else bsSolid (which fills the text cell), and the caption's
// font: colour FGColor, Size points, FontStyles, FontName, rotated by
// Direction (for a non-zero Direction also charset DEFAULT_CHARSET and
// anti-aliased quality). An alignment outside the enumerations sets all of
// that but draws no text. An empty text or a null canvas changes nothing.
// A rotation left by an earlier caption is cleared first.
void DrawLandMarkCaption(TCanvas* Canvas, TPoint P, const TLMTextProperties& Caption);

}  // namespace orq
