// Helpers shared by the map control tests.
#pragma once

#include <memory>

#include "orqcarta/Orq_GeoMap.h"

namespace orq {

// White-box access to the control's private state.
struct TGeoMapInternals {
  static void SetNumLandMarks(TGeoMap& m, int n) {
    m.SetLandMarkCapacityFor(n);
    m.FNumLandMarks = n;
    for (int i = 0; i < n; ++i) m.FLandMarks[i].Tag = i + 1;
  }
  static const TLandMark& LandMark(const TGeoMap& m, int i) { return m.FLandMarks[i - 1]; }
  static void SetNumMTrace(TGeoMap& m, int n) { m.FNumMTrace = n; }
  static void SetLastClick(TGeoMap& m, int x, int y) {
    m.FMouse.LastClickPosX = x;
    m.FMouse.LastClickPosY = y;
  }
  static void SetGratMatValue(TGeoMap& m, int Col, int Row, double Value) {
    m.FGratMat->SetVal(Col, Row, Value);
    m.SyncGraticule();
  }
  static TCalibCoefficients& Coefs(TGeoMap& m) { return m.FCoefs; }
  static TGeoMapDisplay& Display(TGeoMap& m) { return m.FDisplay; }
};

// A map control that counts its repaints.
class TCountingMap : public TGeoMap {
 public:
  using TGeoMap::TGeoMap;
  void Paint() override {
    ++Paints;
    TGeoMap::Paint();
  }
  int Paints = 0;
};

// Gives the map a blank image of the given size.
inline void GiveImage(TGeoMap& m, int w, int h) {
  TBitmap bmp;
  bmp.SetSize(w, h);
  m.SetMapBitMap(&bmp);
}

}  // namespace orq
