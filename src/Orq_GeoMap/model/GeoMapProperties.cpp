// Property setters of TGeoMap: clamping, ignoring and repainting rules.
#include <algorithm>
#include <cmath>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/FileUtils.h"

namespace orq {

void TGeoMap::SetAntiAlias(bool value) {
  FDisplay.AntiAlias = value;
  Paint();
}

void TGeoMap::SetCalibModel(TCalibModel value) {
  FCalibModel = value;
  RecalcCalibration();
}

void TGeoMap::SetCacheMagLimit(double value) {
  if (!(value >= 0)) value = 0;  // negative or NaN
  if (value > MaxCacheMagLimit) value = MaxCacheMagLimit;
  FDisplay.CacheMagLimit = value;
  if (FViewport.Magnification < MaxCacheMagLimit) Paint();
}

void TGeoMap::SetColorBackGnd(TColor value) {
  FDisplay.ColorBackGnd = value;
  Paint();
}

void TGeoMap::SetColorGraticule(TColor value) {
  FDisplay.ColorGraticule = value;
  Paint();
}

void TGeoMap::SetColorCalibPoints(TColor value) {
  FDisplay.ColorCalibPoints = value;
  Paint();
}

void TGeoMap::SetColorFrame(TColor value) {
  FDisplay.ColorFrame = value;
  Paint();
}

void TGeoMap::SetConfinePanToMapImage(bool value) {
  FViewport.ConfinePanToMapImage = value;
  if (value) PanMapToFillWindow();
}

void TGeoMap::SetEmptyMsg(const std::string& value) {
  FDisplay.EmptyMsg = value;
  Paint();
}

void TGeoMap::SetFrameStyle(TFrameStyle value) {
  if (value == FDisplay.FrameStyle) return;
  FDisplay.FrameStyle = value;
  Paint();
}

void TGeoMap::SetGratLineDist(double value) {
  if (!(value >= 0)) value = 0;  // negative or NaN
  if (value > MaxGratLineDist) value = MaxGratLineDist;
  FDisplay.GratLineDist = value;
  Paint();
}

void TGeoMap::SetUTMGridDist(int value) {
  FDisplay.UTMGridDist = std::clamp(value, 0, MaxUTMGridDist);
  Paint();
}

void TGeoMap::SetUTMZone(int value) {
  if (value < 1 || value > 60) return;
  FCalibData.UTMZone = value;
}

void TGeoMap::SetShowGraticule(TShowGrat value) {
  if (value == FDisplay.ShowGraticule) return;
  FDisplay.ShowGraticule = value;
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
  const double lat = CalcLatitude(FMouse.LastClickPosX, FMouse.LastClickPosY, valid);
  return valid ? lat : 0;
}

double TGeoMap::LastClickLongitude() const {
  bool valid = false;
  const double lon = CalcLongitude(FMouse.LastClickPosX, FMouse.LastClickPosY, valid);
  return valid ? lon : 0;
}

void TGeoMap::SetLMRandomDisplayThreshold(int value) {
  if (value < MinLMRandomDisplayThreshold || value == FDisplay.LMRandomDisplayThreshold) return;
  FDisplay.LMRandomDisplayThreshold = value;
  Paint();
}

void TGeoMap::SetSuppressPaint(bool value) {
  if (value == FDisplay.SuppressPaint) return;
  FDisplay.SuppressPaint = value;
  if (!value) Paint();
}

void TGeoMap::SetLMClassVisible(uint8_t i, bool value) {
  FDisplay.LMClassVisible[i] = value;
  Paint();
}

}  // namespace orq
