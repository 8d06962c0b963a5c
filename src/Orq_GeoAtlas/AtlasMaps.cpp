// TGeoAtlas: the registered maps, selecting one and zooming between them.
#include "orqcarta/Orq_GeoAtlas.h"

#include "orqplatform/FileUtils.h"

namespace orq {

std::string TGeoAtlas::DiskName(const std::string& Key) { return FindFileIgnoringCase(Key); }

bool TGeoAtlas::RegisterMap(const std::string& MapFName) {
  const std::string name = LowerCase(MapFName);
  TCalibData cal;  // a block without corners or resolution leaves them 0
  TCalibModel model = cmUndefined;
  if (!ParseCalibData(FindFileIgnoringCase(MapFName), "", cal, model)) return false;
  int slot = 0;
  for (int i = 1; i <= FNumRegMaps && slot == 0; ++i)
    if (FRegMaps[static_cast<size_t>(i - 1)].MapFName == name) slot = i;
  if (slot == 0) {
    if (FNumRegMaps >= MaxRegMaps) return false;
    slot = ++FNumRegMaps;
  }
  FRegMaps[static_cast<size_t>(slot - 1)] = TMapDefinition{name, cal.Caption, cal.Resolution, cal.Corners};
  RebuildList();
  return true;
}

void TGeoAtlas::RebuildList() {
  FCboxMaps->Clear();
  for (int i = 1; i <= FNumRegMaps; ++i) {
    const TMapDefinition& m = FRegMaps[static_cast<size_t>(i - 1)];
    FCboxMaps->AddItem(m.Caption.empty() ? m.MapFName : m.Caption);
  }
}

void TGeoAtlas::UnregisterMap(int index) {
  if (index < 1 || index > FNumRegMaps) return;
  const int selected = FCboxMaps->ItemIndex() + 1;
  for (int i = index; i < FNumRegMaps; ++i) FRegMaps[static_cast<size_t>(i - 1)] = FRegMaps[static_cast<size_t>(i)];
  FRegMaps[static_cast<size_t>(FNumRegMaps - 1)] = TMapDefinition{};
  --FNumRegMaps;
  // The current index follows its map, or is gone with it.
  if (FCurrentMapIdx == index)
    FCurrentMapIdx = 0;
  else if (FCurrentMapIdx > index)
    --FCurrentMapIdx;
  RebuildList();
  if (selected == index) {
    SelectMap(index);
  } else {
    if (selected > 0) FCboxMaps->SetItemIndex(selected > index ? selected - 2 : selected - 1);
    FGeoMap->Paint();
  }
}

bool TGeoAtlas::LoadMap(int Index) {
  const std::string file = DiskName(FRegMaps[static_cast<size_t>(Index - 1)].MapFName);
  // The reader's result speaks only of the calibration lines, so a map
  // calibrated by quadruples counts as loaded when its block was found.
  TCalibData probe;
  TCalibModel model = cmUndefined;
  if (!ParseCalibData(file, "", probe, model)) return false;
  const bool linesUsable = FGeoMap->LoadCalDataFromXML(file, "");
  if (model == cmParabolicIp) return linesUsable;
  return model != cmUndefined;
}

bool TGeoAtlas::SelectMap(int Index) {
  if (Index < 1 || Index > FNumRegMaps) return false;
  FCurrentMapIdx = Index;
  const bool loaded = LoadMap(Index);
  if (loaded) {
    FCboxMaps->SetItemIndex(Index - 1);
    // The outlines leave out the selected map, which the list names only
    // now; a window system may have shown the picture during the load.
    FGeoMap->Invalidate();
  }
  return loaded;
}

int TGeoAtlas::FinerMap(double Lat, double Long, double Resolution) const {
  int best = 0;
  double bestRes = 0;
  for (int i = 1; i <= FNumRegMaps; ++i) {
    const TMapDefinition& m = FRegMaps[static_cast<size_t>(i - 1)];
    if (!PositionInMap(Lat, Long, m.Corners)) continue;
    if (!((Resolution - m.Resolution) / Resolution > FMinResDiff / 100)) continue;
    // Strict, from 0: the first wins on ties, and a map without resolution never.
    if (m.Resolution > bestRes) {
      best = i;
      bestRes = m.Resolution;
    }
  }
  return best;
}

int TGeoAtlas::CoarserMap(double Lat, double Long, double Resolution) const {
  int best = 0;
  double bestRes = 1e10;
  for (int i = 1; i <= FNumRegMaps; ++i) {
    const TMapDefinition& m = FRegMaps[static_cast<size_t>(i - 1)];
    if (!PositionInMap(Lat, Long, m.Corners)) continue;
    if (m.Resolution > Resolution && m.Resolution < bestRes) {
      best = i;
      bestRes = m.Resolution;
    }
  }
  return best;
}

void TGeoAtlas::ShowAt(int Index, double Lat, double Long) {
  SelectMap(Index);
  FGeoMap->BringLocationToCenter(Lat, Long);
}

bool TGeoAtlas::ZoomIn(double CurrentLat, double CurrentLong, double CurrentResolution) {
  const int pick = FinerMap(CurrentLat, CurrentLong, CurrentResolution);
  if (pick == 0) return false;
  ShowAt(pick, CurrentLat, CurrentLong);
  return true;
}

bool TGeoAtlas::ZoomOut(double CurrentLat, double CurrentLong, double CurrentResolution) {
  const int pick = CoarserMap(CurrentLat, CurrentLong, CurrentResolution);
  if (pick == 0) return false;
  ShowAt(pick, CurrentLat, CurrentLong);
  return true;
}

}  // namespace orq
