// TGeoMap's fitting steps: each hands the calibration data to the model's
// fit and keeps the coefficients.
#include "orqcarta/Orq_GeoMap.h"

namespace orq {

void TGeoMap::RecalcCalibration() {
  RecalcGratMat();
  RefitQuadrupleModel();
  CalcExtentsAndResolution();
  Paint();
}

bool TGeoMap::RecalcGratMat() {
  const bool usable = BuildGratMat(FCalibData, *FGratMat);
  SyncGraticule();
  return usable;
}

void TGeoMap::CalcEquiRectCalibration() { FitEquiRect(FCalibData, FCoefs.EquRectPLSP, FCoefs.EquRectSPPL); }

void TGeoMap::CalcBiquadraticCalibration() {
  FitBiquadratic(FCalibData, FCoefs.CalParsPLSP, FCoefs.CalParsSPPL);
}

void TGeoMap::CalcMillerCylCalibration() { FitMillerCyl(FCalibData, FCoefs.MillercylPar); }

void TGeoMap::CalcConicCalibration() { FitConic(FCalibData, FMapImgWidth, FMapImgHeight, FCoefs.ConicPars); }

}  // namespace orq
