// Calibration data operations of TGeoMap: adding, removing and restoring
// calibration points, clearing, and the quality measure.
#include <cmath>
#include <cstdint>

#include "orqcarta/Orq_GeoMap.h"
#include "orqmath/CurveFit.h"

namespace orq {

namespace {

const char* const AddModelError = "current calibration model does not support this version of AddCalibPoint";
const char* const RemoveModelError = "current calibration model does not support this version of RemoveCalibPoint";
const char* const NotFiniteError = "calibration point coordinates must be finite numbers";

bool IsQuadrupleModel(TCalibModel m) { return m >= cmBiquadraticPn && m <= cmUTM; }

int64_t SquaredDistance(int x1, int y1, int x2, int y2) {
  const int64_t dx = static_cast<int64_t>(x1) - x2, dy = static_cast<int64_t>(y1) - y2;
  return dx * dx + dy * dy;
}

// First line of that kind and exactly that value, 0-based; -1 when none.
int FindLine(const TCalibData& D, TGratLineKind Kind, double Value) {
  for (int k = 0; k < D.NumCalLines; ++k)
    if (D.CalLines[k].LineType == Kind && D.CalLines[k].LineValue == Value) return k;
  return -1;
}

}  // namespace

void TGeoMap::RefitQuadrupleModel() {
  switch (FCalibModel) {
    case cmBiquadraticPn:
      CalcBiquadraticCalibration();
      break;
    case cmConicConformal:
      CalcConicCalibration();
      break;
    case cmMillerCylindrical:
      CalcMillerCylCalibration();
      break;
    case cmEquiRect:
    case cmUTM:
      CalcEquiRectCalibration();
      break;
    default:
      break;
  }
}

bool TGeoMap::AddCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX, int PixPosY) {
  if (FCalibModel != cmParabolicIp) throw EOrqGeoMapError(ComponentMessage(AddModelError));
  // A NaN would never match its own line and would poison every fit.
  if (!std::isfinite(LineValue)) throw EOrqGeoMapError(ComponentMessage(NotFiniteError));
  int k = FindLine(FCalibData, GratLineKind, LineValue);
  if (k < 0 && FCalibData.NumCalLines < MaxCalibLines) {
    k = FCalibData.NumCalLines++;
    TCalibLine& fresh = FCalibData.CalLines[k];
    fresh.LineType = GratLineKind;
    fresh.LineValue = LineValue;
    fresh.NumPoints = 0;
  }
  bool stored = false;
  if (k >= 0) {
    TCalibLine& line = FCalibData.CalLines[k];
    if (line.NumPoints < MaxPointsPerLine) {
      line.CalPoints[line.NumPoints++] = TPoint{PixPosX, PixPosY};
      stored = true;
    }
  }
  RecalcCalibration();
  return stored;
}

bool TGeoMap::AddCalibPoint(double Latit, double Longit, int PixPosX, int PixPosY) {
  if (FCalibModel < cmBiquadraticPn || FCalibModel > cmEquiRect) throw EOrqGeoMapError(ComponentMessage(AddModelError));
  if (!std::isfinite(Latit) || !std::isfinite(Longit)) throw EOrqGeoMapError(ComponentMessage(NotFiniteError));
  bool stored = false;
  if (FCalibData.NumCalQuads < MaxCalibQuads) {
    FCalibData.CalQuads[FCalibData.NumCalQuads++] = TCalQuad{Latit, Longit, PixPosX, PixPosY};
    RefitQuadrupleModel();
    CalcExtentsAndResolution();
    stored = true;
  }
  Paint();
  return stored;
}

bool TGeoMap::AddCalibPoint(double Northing, double Easting, int Zone, THemisphere Hemisphere, int PixPosX,
                            int PixPosY) {
  if (FCalibModel != cmUTM) throw EOrqGeoMapError(ComponentMessage(AddModelError));
  const bool south = Hemisphere == hemiSouth;
  if (Zone != FCalibData.UTMZone || south != FCalibData.UTMSouth)
    throw EOrqGeoMapError(ComponentMessage("UTM zone parameter changed"));
  if (!std::isfinite(Northing) || !std::isfinite(Easting)) throw EOrqGeoMapError(ComponentMessage(NotFiniteError));
  bool stored = false;
  if (FCalibData.NumCalQuads < MaxCalibQuads) {
    FCalibData.UTMZone = Zone;
    FCalibData.UTMSouth = south;
    FCalibData.CalQuads[FCalibData.NumCalQuads++] = TCalQuad{Northing, Easting, PixPosX, PixPosY};
    CalcEquiRectCalibration();
    CalcExtentsAndResolution();
    stored = true;
  }
  Paint();
  return stored;
}

// Moves the line's last point into the gap; an emptied line gives its slot
// to the last line.
void TGeoMap::RemoveLinePointAt(int Line, int Point) {
  TCalibLine& line = FCalibData.CalLines[Line];
  line.CalPoints[Point] = line.CalPoints[line.NumPoints - 1];
  --line.NumPoints;
  if (line.NumPoints == 0) {
    FCalibData.CalLines[Line] = FCalibData.CalLines[FCalibData.NumCalLines - 1];
    --FCalibData.NumCalLines;
  }
}

bool TGeoMap::RemoveCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX, int PixPosY) {
  if (FCalibModel != cmParabolicIp) throw EOrqGeoMapError(ComponentMessage(RemoveModelError));
  bool removed = false;
  const int k = FindLine(FCalibData, GratLineKind, LineValue);
  if (k >= 0) {
    const TCalibLine& line = FCalibData.CalLines[k];
    for (int p = 0; p < line.NumPoints; ++p) {
      if (line.CalPoints[p].X == PixPosX && line.CalPoints[p].Y == PixPosY) {
        RemoveLinePointAt(k, p);
        removed = true;
        break;
      }
    }
  }
  RecalcCalibration();
  return removed;
}

bool TGeoMap::RemoveCalibPoint(int PixPosX, int PixPosY) {
  bool removed = false;
  if (IsQuadrupleModel(FCalibModel)) {
    int best = -1;
    int64_t bestDist = 0;
    for (int q = 0; q < FCalibData.NumCalQuads; ++q) {
      const TCalQuad& quad = FCalibData.CalQuads[q];
      const int64_t d = SquaredDistance(quad.MapX, quad.MapY, PixPosX, PixPosY);
      if (best < 0 || d < bestDist) {  // the first wins a tie
        best = q;
        bestDist = d;
      }
    }
    if (best >= 0) {
      FLastDeletedCalPoint.Quad = FCalibData.CalQuads[best];
      FLastDeletedCalPoint.QuadRestorable = true;
      FCalibData.CalQuads[best] = FCalibData.CalQuads[FCalibData.NumCalQuads - 1];
      --FCalibData.NumCalQuads;
      removed = true;
    }
  } else if (FCalibModel == cmParabolicIp) {
    int bestLine = -1, bestPoint = -1;
    int64_t bestDist = 0;
    for (int k = 0; k < FCalibData.NumCalLines; ++k) {
      const TCalibLine& line = FCalibData.CalLines[k];
      for (int p = 0; p < line.NumPoints; ++p) {
        const int64_t d = SquaredDistance(line.CalPoints[p].X, line.CalPoints[p].Y, PixPosX, PixPosY);
        if (bestLine < 0 || d < bestDist) {
          bestLine = k;
          bestPoint = p;
          bestDist = d;
        }
      }
    }
    if (bestLine >= 0) {
      const TCalibLine& line = FCalibData.CalLines[bestLine];
      FLastDeletedCalPoint.Line = TCalibLine{};
      FLastDeletedCalPoint.Line.LineType = line.LineType;
      FLastDeletedCalPoint.Line.LineValue = line.LineValue;
      FLastDeletedCalPoint.Line.NumPoints = 1;
      FLastDeletedCalPoint.Line.CalPoints[0] = line.CalPoints[bestPoint];
      FLastDeletedCalPoint.LineRestorable = true;
      RemoveLinePointAt(bestLine, bestPoint);
      removed = true;
    }
  }
  RecalcCalibration();
  return removed;
}

void TGeoMap::RestoreLastDeletedCalPoint() {
  if (FCalibModel == cmParabolicIp) {
    if (!FLastDeletedCalPoint.LineRestorable) return;
    AddCalibPoint(FLastDeletedCalPoint.Line.LineType, FLastDeletedCalPoint.Line.LineValue,
                  FLastDeletedCalPoint.Line.CalPoints[0].X, FLastDeletedCalPoint.Line.CalPoints[0].Y);
    FLastDeletedCalPoint.LineRestorable = false;
  } else if (FCalibModel == cmUTM) {
    // UTM quadruples go back through the UTM form, in the calibration's own
    // zone and hemisphere.
    if (!FLastDeletedCalPoint.QuadRestorable) return;
    AddCalibPoint(FLastDeletedCalPoint.Quad.Latitude, FLastDeletedCalPoint.Quad.Longitude, FCalibData.UTMZone,
                  UTMHemisphere(), FLastDeletedCalPoint.Quad.MapX, FLastDeletedCalPoint.Quad.MapY);
    FLastDeletedCalPoint.QuadRestorable = false;
  } else if (IsQuadrupleModel(FCalibModel)) {
    if (!FLastDeletedCalPoint.QuadRestorable) return;
    AddCalibPoint(FLastDeletedCalPoint.Quad.Latitude, FLastDeletedCalPoint.Quad.Longitude,
                  FLastDeletedCalPoint.Quad.MapX, FLastDeletedCalPoint.Quad.MapY);
    FLastDeletedCalPoint.QuadRestorable = false;
  }
}

void TGeoMap::ZeroAffineAndBiquadratic() {
  for (auto& row : FCoefs.EquRectSPPL) row.fill(0.0);
  for (auto& row : FCoefs.EquRectPLSP) row.fill(0.0);
  for (auto& row : FCoefs.CalParsPLSP) row.fill(0.0);
  for (auto& row : FCoefs.CalParsSPPL) row.fill(0.0);
}

void TGeoMap::ClearCalibData() {
  FCalibData.NumCalLines = 0;
  for (TCalibLine& line : FCalibData.CalLines) line.NumPoints = 0;
  FCalibData.Corners.fill(TCoords{});
  FCalibData.Resolution = 0;
  FCalibData.UTMZone = -1;
  FCalibData.UTMSouth = false;
  FCalibData.Ellipsoid = gelWGS84;
  FGratMat->Resize(5, 1);
  FGratMat->Fill(0.0);
  SyncGraticule();
  FCalibData.CalQuads.fill(TCalQuad{});
  FCalibData.NumCalQuads = 0;
  ZeroAffineAndBiquadratic();
  Paint();
}

void TGeoMap::CalibQuality(double& QualX, double& QualY) {
  TCurveFit fitX, fitY;
  fitX.Init();
  fitY.Init();
  if (IsQuadrupleModel(FCalibModel)) {
    for (int q = 0; q < FCalibData.NumCalQuads; ++q) {
      const TCalQuad& quad = FCalibData.CalQuads[q];
      int x = 0, y = 0;
      // UTM quadruples hold grid metres, which only the UTM law turns into pixels.
      if (FCalibModel == cmUTM)
        CalcPixelCoordsUTM(quad.Latitude, quad.Longitude, x, y);
      else
        CalcPixelCoords(quad.Latitude, quad.Longitude, x, y);
      fitX.EnterStatValue(quad.MapX, x);
      fitY.EnterStatValue(quad.MapY, y);
    }
  }
  int n = 0;
  double mx, my, sx, sy, r, resid, rms;
  fitX.CalcStatistics(n, mx, my, sx, sy, r, resid, rms);
  QualX = resid;
  fitY.CalcStatistics(n, mx, my, sx, sy, r, resid, rms);
  QualY = resid;
}

}  // namespace orq
