// The drawing and the calibration of generated blank maps, apart from the
// control that loads them.
#pragma once

#include <string>

#include "orqcarta/geomap/Records.h"

namespace orq {

class TCanvas;

// Bounds in degrees, line distances in degrees, size in pixels.
struct TEmptyMapRequest {
  double LatLow = 0, LongLow = 0, LatHigh = 0, LongHigh = 0;
  double dLat = 0, dLong = 0;
  int Wid = 0, Hgt = 0;
};

inline constexpr int EmptyMapMinSize = 100;
inline constexpr int EmptyMapFrame = 30;  // the frame's distance from the edges
inline constexpr int EmptyMapInset = 26;  // the dotted line's distance
// More lines than this in either direction would take unbounded time to draw
// and could not be told apart on any map of the allowed size.
inline constexpr double EmptyMapMaxLines = 100000;

// Puts the bounds in order and replaces unusable distances (not above 0) by
// 1 degree and sizes below 100 by 100. Returns an empty text when the map can
// be made, otherwise what is wrong: bounds that are not finite or enclose no
// area, or a grid too dense to draw.
std::string NormaliseEmptyMapRequest(TEmptyMapRequest& Request);

// Frame, dotted inset, dashed silver parallels and meridians with their
// labels, on a canvas of Request.Wid x Request.Hgt pixels.
void DrawEmptyMapGraticule(TCanvas& Canvas, const TEmptyMapRequest& Request);

// The label of a line at Value degrees with spacing Distance, e.g. " 10.5° N ".
std::string EmptyMapLineLabel(double Value, double Distance, bool Latitude);

// The calibration of the map: corners and nine quadruples on a 3 x 3 grid,
// placed on the frame (Framed) or on the whole image.
TCalibData EmptyMapCalibration(const TEmptyMapRequest& Request, bool Framed);

}  // namespace orq
