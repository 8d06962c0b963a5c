// The landmark list of TGeoMap: adding, finding and removing landmarks.
#include <vector>

#include "orqcarta/Orq_GeoMap.h"

namespace orq {

namespace {

// Class selectors outside a byte select every class.
int NormalisedClass(int ClassFlag) { return ClassFlag < -1 || ClassFlag > 255 ? -1 : ClassFlag; }

bool OfClass(const TLandMark& LandMark, int ClassFlag) { return ClassFlag == -1 || LandMark.ClassFlag == ClassFlag; }

double SquaredDistance(const TLandMark& LandMark, double Lat, double Long) {
  const double dLat = LandMark.Latitude - Lat, dLong = LandMark.Longitude - Long;
  return dLat * dLat + dLong * dLong;
}

// Removes the marked landmarks 0..Count-1: every gap, in ascending order, is
// filled by the last unmarked landmark above it, whose place becomes a gap.
// Returns the number removed.
int CloseGaps(std::vector<TLandMark>& LandMarks, int& Count, std::vector<char>& Marked) {
  int removed = 0;
  for (int i = 0; i < Count; ++i) removed += Marked[i] ? 1 : 0;
  if (removed == 0) return 0;
  if (removed == Count) {
    Count = 0;
    return removed;
  }
  int high = Count - 1;
  for (int gap = 0; gap < Count; ++gap) {
    if (!Marked[gap]) continue;
    while (high > gap && Marked[high]) --high;
    if (high <= gap) break;
    LandMarks[gap] = LandMarks[high];
    Marked[gap] = 0;
    Marked[high] = 1;
    --high;
  }
  Count -= removed;
  return removed;
}

// Removes landmark Index (1..Count) when the handler allows it, moving the
// last landmark into its place. Returns Index, or 0 when vetoed.
int RemoveOne(TObject* Sender, const TLandMarkActionEvent& OnAction, std::vector<TLandMark>& LandMarks, int& Count,
              int Index) {
  bool allowed = true;
  if (OnAction) OnAction(Sender, allowed, lmaRemove, LandMarks[Index - 1]);
  if (!allowed) return 0;
  if (Index < Count) LandMarks[Index - 1] = LandMarks[Count - 1];
  --Count;
  return Index;
}

}  // namespace

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude) {
  TLandMark lm = FDefaultLM;
  lm.Latitude = Lat;
  lm.Longitude = Long;
  lm.Altitude = Altitude;
  AddLandMarkRecord(lm);
}

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude, const TLMIdentifier& Identifier, TDateTime Time) {
  TLandMark lm = FDefaultLM;
  lm.Latitude = Lat;
  lm.Longitude = Long;
  lm.Altitude = Altitude;
  lm.Identifier = Identifier;
  lm.Time = Time;
  AddLandMarkRecord(lm);
}

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude, const std::string& CaptionText, int CaptionSize,
                          TColor CaptionColor) {
  TLandMark lm = FDefaultLM;
  lm.Latitude = Lat;
  lm.Longitude = Long;
  lm.Altitude = Altitude;
  lm.Caption.Text = CaptionText;
  lm.Caption.Size = CaptionSize;
  lm.Caption.FGColor = CaptionColor;
  AddLandMarkRecord(lm);
}

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude, const TLMIdentifier& Identifier, TDateTime Time,
                          const std::string& CaptionText, int CaptionSize, TColor CaptionColor) {
  TLandMark lm = FDefaultLM;
  lm.Latitude = Lat;
  lm.Longitude = Long;
  lm.Altitude = Altitude;
  lm.Identifier = Identifier;
  lm.Time = Time;
  lm.Caption.Text = CaptionText;
  lm.Caption.Size = CaptionSize;
  lm.Caption.FGColor = CaptionColor;
  AddLandMarkRecord(lm);
}

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude, TLandMarkElement Element, uint8_t ClassFlag,
                          const TLMIdentifier& Identifier, TDateTime Time, int Tag, TColor ColorFG, TColor ColorBG,
                          int Size, bool Transparent, int Direction, int Length) {
  TLandMark lm = FDefaultLM;
  lm.Latitude = Lat;
  lm.Longitude = Long;
  lm.Altitude = Altitude;
  lm.SymbolProps.Kind = Element;
  lm.ClassFlag = ClassFlag;
  lm.Identifier = Identifier;
  lm.Time = Time;
  lm.Tag = Tag;
  lm.SymbolProps.FGColor = ColorFG;
  lm.SymbolProps.BGColor = ColorBG;
  lm.SymbolProps.Size = Size;
  lm.SymbolProps.Transparent = Transparent;
  lm.SymbolProps.Direction = Direction;
  lm.SymbolProps.Length = Length;
  AddLandMarkRecord(lm);
}

void TGeoMap::AddLandMarkRecord(const TLandMark& LandMark) {
  bool allowed = true;
  if (FOnLandMarkAction) FOnLandMarkAction(this, allowed, lmaAdd, LandMark);
  if (!allowed) return;
  // Grow first: when memory runs out the count still matches the list.
  const int n = FNumLandMarks + 1;
  if (n > LandMarkCapacity()) SetLandMarkCapacityFor(n);
  FLandMarks[n - 1] = LandMark;
  FNumLandMarks = n;
  Paint();
}

int TGeoMap::FindLandMark(double Lat, double Long, int ClassFlag) const {
  ClassFlag = NormalisedClass(ClassFlag);
  double best = 1e10;
  int found = 0;
  for (int i = 0; i < FNumLandMarks; ++i) {
    if (!OfClass(FLandMarks[i], ClassFlag)) continue;
    const double d = SquaredDistance(FLandMarks[i], Lat, Long);
    if (d < best) {
      best = d;
      found = i + 1;
    }
  }
  return found;
}

int TGeoMap::RemoveLandMarksWhere(const std::function<bool(const TLandMark&)>& IsCandidate) {
  if (FNumLandMarks == 0) return 0;
  FHighLM = 0;
  std::vector<char> marked(static_cast<std::size_t>(FNumLandMarks), 0);
  for (int i = 0; i < FNumLandMarks; ++i) {
    if (!IsCandidate(FLandMarks[i])) continue;
    bool allowed = true;
    if (FOnLandMarkAction) FOnLandMarkAction(this, allowed, lmaRemove, FLandMarks[i]);
    marked[i] = allowed ? 1 : 0;
  }
  const int removed = CloseGaps(FLandMarks, FNumLandMarks, marked);
  if (FNumLandMarks == 0) SetLandMarkCapacityFor(0);
  Paint();
  return removed;
}

int TGeoMap::RemoveLandMark(double Lat, double Long, int ClassFlag, double Radius) {
  ClassFlag = NormalisedClass(ClassFlag);
  const double r2 = Radius * Radius;
  return RemoveLandMarksWhere(
      [&](const TLandMark& lm) { return OfClass(lm, ClassFlag) && r2 > SquaredDistance(lm, Lat, Long); });
}

int TGeoMap::RemoveLandMark(const TRectDouble& Rect, int ClassFlag) {
  ClassFlag = NormalisedClass(ClassFlag);
  return RemoveLandMarksWhere([&](const TLandMark& lm) {
    return OfClass(lm, ClassFlag) && lm.Longitude > Rect.Left && lm.Longitude < Rect.Right &&
           lm.Latitude > Rect.Bottom && lm.Latitude < Rect.Top;
  });
}

void TGeoMap::RemoveAllLandMarks(uint8_t ClassFlag) {
  RemoveLandMarksWhere([&](const TLandMark& lm) { return lm.ClassFlag == ClassFlag; });
}

void TGeoMap::RemoveAllLandMarks() {
  FNumLandMarks = 0;
  SetLandMarkCapacityFor(0);
  Paint();
}

int TGeoMap::RemoveLandMark(double Lat, double Long, int ClassFlag) {
  if (FNumLandMarks == 0) return 0;
  FHighLM = 0;
  const int nearest = FindLandMark(Lat, Long, ClassFlag);
  const int removed = nearest > 0 ? RemoveOne(this, FOnLandMarkAction, FLandMarks, FNumLandMarks, nearest) : 0;
  if (FNumLandMarks == 0) SetLandMarkCapacityFor(0);
  Paint();
  return removed;
}

int TGeoMap::RemoveLandMark(int LmIndex) {
  if (FNumLandMarks == 0) return 0;
  FHighLM = 0;
  const int removed = LmIndex >= 1 && LmIndex <= FNumLandMarks
                          ? RemoveOne(this, FOnLandMarkAction, FLandMarks, FNumLandMarks, LmIndex)
                          : 0;
  if (FNumLandMarks == 0) SetLandMarkCapacityFor(0);
  Paint();
  return removed;
}

void TGeoMap::RemoveLastLandMark() {
  if (FNumLandMarks > 0) {
    FHighLM = 0;
    RemoveOne(this, FOnLandMarkAction, FLandMarks, FNumLandMarks, FNumLandMarks);
  }
  if (FNumLandMarks == 0) SetLandMarkCapacityFor(0);
  Paint();
}

TLandMark TGeoMap::GetLandMarkData(int i) const {
  if (i < 1 || i > FNumLandMarks) return FDefaultLM;
  return FLandMarks[i - 1];
}

void TGeoMap::SetLandMarkData(int i, const TLandMark& LandMark) {
  if (i < 1 || i > FNumLandMarks) return;
  FLandMarks[i - 1] = LandMark;
  Paint();
}

}  // namespace orq
