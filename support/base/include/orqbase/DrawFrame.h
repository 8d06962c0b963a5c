// DrawFrame: the border of a control or picture, drawn inside a rectangle.
#pragma once

#include "orqbase/BaseTypes.h"
#include "orqplatform/Canvas.h"

namespace orq {

// Draws a border of Style inside the rectangle Left..Right, Top..Bottom
// (both edges inclusive), one-pixel lines, with five colours given in this
// order: Color1 highlight, Color2 light, Color3 shadow, Color4 dark shadow,
// Color5 line. With the classic white, silver, grey and black the two-ring
// styles give the platform's 3-D edges.
//
//   frNone            nothing
//   frSingle          one ring in Color5
//   frLowered         one ring: top and left Color3, bottom and right Color1
//   frRaised          one ring: top and left Color1, bottom and right Color3
//   frDoubleLowered   outer ring as frLowered; inner ring top and left
//                     Color4, bottom and right Color2
//   frDoubleRaised    outer ring top and left Color2, bottom and right
//                     Color4; inner ring as frRaised
//
// In a two-coloured ring the top row runs Left..Right-1 and the left column
// Top..Bottom-1; the bottom row and the right column take the rest, so the
// top-right and bottom-left corners belong to the bottom-right colour.
// Rings that do not fit (a rectangle narrower than the ring) are left out.
// The canvas's pen, brush and pen position are not touched; other values
// of Style draw nothing.
void DrawFrame(TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom, TColor Color1,
               TColor Color2, TColor Color3, TColor Color4, TColor Color5);

}  // namespace orq
