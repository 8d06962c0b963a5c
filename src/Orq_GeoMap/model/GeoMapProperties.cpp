// Property setters of TGeoMap: clamping, ignoring and repainting rules.
#include <algorithm>
#include <cmath>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/FileUtils.h"

namespace orq {

void TGeoMap::SetAntiAlias(bool value) {
  FAntiAlias = value;
  Paint();
}

void TGeoMap::SetCalibModel(TCalibModel value) {
  FCalibModel = value;
  RecalcCalibration();
}

void TGeoMap::SetCacheMagLimit(double value) {
  if (!(value >= 0)) value = 0;  // negative or NaN
  if (value > MaxCacheMagLimit) value = MaxCacheMagLimit;
  FCacheMagLimit = value;
  if (FMagnify < MaxCacheMagLimit) Paint();
}

void TGeoMap::SetColorBackGnd(TColor value) {
  FColorBakGnd = value;
  Paint();
}

void TGeoMap::SetColorGraticule(TColor value) {
  FColorGratLine = value;
  Paint();
}

void TGeoMap::SetColorCalibPoints(TColor value) {
  FColorGratPoints = value;
  Paint();
}

void TGeoMap::SetColorFrame(TColor value) {
  FFrameColor = value;
  Paint();
}

void TGeoMap::SetConfinePanToMapImage(bool value) {
  FConfinePan = value;
  if (value) PanMapToFillWindow();
}

void TGeoMap::SetEmptyMsg(const std::string& value) {
  FEmptyMsg = value;
  Paint();
}

void TGeoMap::SetFrameStyle(TFrameStyle value) {
  if (value == FFrameStyle) return;
  FFrameStyle = value;
  Paint();
}

void TGeoMap::SetGratLineDist(double value) {
  if (!(value >= 0)) value = 0;  // negative or NaN
  if (value > MaxGratLineDist) value = MaxGratLineDist;
  FGratLineDist = value;
  Paint();
}

void TGeoMap::SetUTMGridDist(int value) {
  FUTMGridDist = std::clamp(value, 0, MaxUTMGridDist);
  Paint();
}

void TGeoMap::SetUTMZone(int value) {
  if (value < 1 || value > 60) return;
  FCalibData.UTMZone = value;
}

void TGeoMap::SetShowGraticule(TShowGrat value) {
  if (value == FShowGrat) return;
  FShowGrat = value;
  Paint();
}

void TGeoMap::SetCalibDataFile(const std::string& value) {
  if (FileExists(value)) {
    FCalDatName = value;
    LoadCalDataFromXML(value, "");
  } else {
    FMapImgName.clear();
    FMapImgWidth = FMapImgHeight = 0;
  }
  Paint();
}

void TGeoMap::SetHighLightLandMark(int value) {
  if (value < 0 || value > FNumLandMarks) value = 0;
  if (value == FHighLM) return;
  FHighLM = value;
  Paint();
}

double TGeoMap::LastClickLatitude() const {
  bool valid = false;
  const double lat = CalcLatitude(FLastMClickPosX, FLastMClickPosY, valid);
  return valid ? lat : 0;
}

double TGeoMap::LastClickLongitude() const {
  bool valid = false;
  const double lon = CalcLongitude(FLastMClickPosX, FLastMClickPosY, valid);
  return valid ? lon : 0;
}

void TGeoMap::SetLMRandomDisplayThreshold(int value) {
  if (value < MinLMRandomDisplayThreshold || value == FLMRandSampleLimit) return;
  FLMRandSampleLimit = value;
  Paint();
}

// Outside the admissible range the factor is clamped; NaN is ignored.
void TGeoMap::SetMagnification(double value) {
  if (std::isnan(value)) return;
  FMagnify = std::clamp(value, MinMagnification, MaxMagnification);
  Paint();
}

void TGeoMap::SetSuppressPaint(bool value) {
  if (value == FSuppressPaint) return;
  FSuppressPaint = value;
  if (!value) Paint();
}

void TGeoMap::SetTopLeft(TPoint value) {
  FTopLeft = value;
  Paint();
}

void TGeoMap::SetLMClassVisible(uint8_t i, bool value) {
  FLMClassVisible[i] = value;
  Paint();
}

}  // namespace orq
