// Maps for the composition tests: a patterned image tied to latitude and
// longitude by an exact equirectangular law.
#pragma once

#include <string>
#include <vector>

#include "orqcarta/Orq_GeoMap.h"

namespace orq {

// Image pixel (x, y) lies at latitude North - y * Step, longitude West + x * Step.
struct TLinearMap {
  int W = 400, H = 300;
  double North = 50, West = 10, Step = 0.01;
  double Lat(double y) const { return North - y * Step; }
  double Long(double x) const { return West + x * Step; }
};

// A pattern no layer of the composition uses: every pixel differs from its
// neighbours, so that an image pixel shows where it comes from.
inline TColor ImagePixel(int x, int y) {
  return static_cast<TColor>(((x * 7) & 0xF8) | (((y * 5) & 0xF8) << 8) | ((((x + y) * 3) & 0xF8) << 16));
}

// A control over a patterned image, calibrated by three corner quadruples,
// with sample-free landmark drawing (no landmarks yet) and no frame.
inline void MakeLinearMap(TGeoMap& m, const TLinearMap& g = {}, int ControlW = 200, int ControlH = 150) {
  m.SetBounds(0, 0, ControlW, ControlH);
  m.SetFrameStyle(frNone);
  TBitmap img;
  img.SetSize(g.W, g.H);
  for (int y = 0; y < g.H; ++y)
    for (int x = 0; x < g.W; ++x) img.ScanLine(y)[x] = ImagePixel(x, y);
  m.SetMapBitMap(&img);
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(g.Lat(0), g.Long(0), 0, 0);
  m.AddCalibPoint(g.Lat(0), g.Long(g.W), g.W, 0);
  m.AddCalibPoint(g.Lat(g.H), g.Long(0), 0, g.H);
}

inline TColor AuxPixel(const TGeoMap& m, int x, int y) { return m.AuxBmp()->Canvas()->Pixels(x, y); }

// The colour as the 15-bit composition bitmap stores it.
inline TColor Stored(const TGeoMap& m, TColor c) { return m.AuxBmp()->Quantize(c); }

}  // namespace orq
