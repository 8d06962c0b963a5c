// Scaled block transfer between canvases, in the shape of the platform's
// graphics device interface.
//
// COLORONCOLOR takes for each destination pixel the source pixel under its
// centre: source x = SX + floor((2 i + 1) SW / (2 W)) for destination column
// X + i (rows alike). HALFTONE averages the covered source area along an axis
// that shrinks (each source pixel weighted by its overlap) and interpolates
// linearly between the two nearest source pixel centres along an axis that
// grows (clamped at the rectangle's edges); an axis of equal size copies.
// Averages use 12-bit fixed-point weights and round to nearest.
//
// A destination pixel whose centre maps outside the source surface is left
// as it was; in HALFTONE only the source pixels inside the surface are
// averaged. Destination pixels outside the destination surface are clipped.
// Source and destination may be the same surface.
#pragma once

#include "orqplatform/GraphicsTypes.h"

namespace orq {

class TCanvas;

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
constexpr int STRETCH_HALFTONE = HALFTONE;

// Sets the canvas's stretch mode and returns the previous one; 0 (and no
// change) for a null canvas or an unknown mode. BLACKONWHITE and WHITEONBLACK
// behave as COLORONCOLOR.
int SetStretchBltMode(TCanvas* Canvas, int Mode);
int GetStretchBltMode(TCanvas* Canvas);

// Copies source rectangle (SX, SY, SW, SH) of Source onto (X, Y, W, H) of
// Dest, combined with Rop (see TCopyMode). False, drawing nothing, for null
// canvases or a size that is not positive.
bool StretchBlt(TCanvas* Dest, int X, int Y, int W, int H, TCanvas* Source, int SX, int SY, int SW, int SH,
                TCopyMode Rop = SRCCOPY);

// The same without scaling.
bool BitBlt(TCanvas* Dest, int X, int Y, int W, int H, TCanvas* Source, int SX, int SY, TCopyMode Rop = SRCCOPY);

}  // namespace orq
