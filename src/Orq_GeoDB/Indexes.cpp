// The five in-memory indexes: bisection, insertion, removal, lookups, saving,
// rebuilding, and the searches built on them.
#include <algorithm>
#include <cmath>

#include "ByteLayout.h"
#include "Cp1252.h"
#include "FileIO.h"
#include "SpatialIndex.h"
#include "orqcarta/Orq_GeoDB.h"

namespace orq {

using namespace gdb_detail;

namespace {

// Keys are ordered as numbers; NaN bounds (from damaged files) sort after
// every number and equal each other, so sorting and bisection stay well
// defined.
inline bool KeyLess(double a, double b) { return a < b || (std::isnan(b) && !std::isnan(a)); }
inline bool KeyLess(int32_t a, int32_t b) { return a < b; }

inline int32_t KeyOf(const TIxItemIDRec& r) { return r.ItemID; }
inline double KeyOf(const TIxLLRec& r) { return r.LLValue; }

// Insertion point over slots Lo..Hi: the slot of an equal key the search
// meets, or the first slot whose key is greater.
template <typename Rec, typename Key>
int Bisect(const std::vector<Rec>& Ix, int Lo, int Hi, Key K) {
  if (Hi < Lo) return Lo;
  int pos = 0;
  while (Hi >= Lo) {
    pos = Lo + (Hi - Lo) / 2;
    const auto key = KeyOf(Ix[static_cast<size_t>(pos)]);
    if (KeyLess(key, K)) {
      Lo = pos + 1;
    } else if (KeyLess(K, key)) {
      Hi = pos - 1;
    } else {
      return pos;
    }
  }
  if (KeyLess(KeyOf(Ix[static_cast<size_t>(pos)]), K)) ++pos;
  return pos;
}

template <typename Rec, typename Key>
void SortedInsert(std::vector<Rec>& Ix, Key K, const Rec& R) {
  const int pos = Bisect(Ix, 0, static_cast<int>(Ix.size()) - 1, K);
  Ix.insert(Ix.begin() + pos, R);
}

// Slot of the first record referring to Slot among the first Limit records.
// Sorted indexes are searched from the key; a record not found there (an
// index damaged on disk) is looked for from the start.
template <typename Rec, typename Key>
int FindRecordOf(const std::vector<Rec>& Ix, int Limit, Key K, int Slot, bool Sorted) {
  const int n = std::min(Limit, static_cast<int>(Ix.size()));
  if (Sorted) {
    auto first = std::lower_bound(Ix.begin(), Ix.begin() + n, K,
                                  [](const Rec& r, Key k) { return KeyLess(KeyOf(r), k); });
    for (auto it = first; it != Ix.begin() + n && !KeyLess(K, KeyOf(*it)); ++it)
      if (it->index == Slot) return static_cast<int>(it - Ix.begin());
  }
  for (int i = 0; i < n; ++i)
    if (Ix[static_cast<size_t>(i)].index == Slot) return i;
  return -1;
}

template <typename Rec>
void SortIndex(std::vector<Rec>& Ix) {
  std::sort(Ix.begin(), Ix.end(), [](const Rec& a, const Rec& b) {
    if (KeyLess(KeyOf(a), KeyOf(b))) return true;
    if (KeyLess(KeyOf(b), KeyOf(a))) return false;
    return a.index < b.index;
  });
}

template <typename Rec>
void WriteIndexFile(const std::string& Path, const std::vector<Rec>& Ix) {
  std::vector<uint8_t> bytes(Ix.size() * kIxRecSize);
  for (size_t i = 0; i < Ix.size(); ++i) EncodeIx(Ix[i], bytes.data() + i * kIxRecSize);
  // A crash while writing must never leave a half-written index behind: the
  // new contents become current only by the rename.
  const std::string temp = Path + ".tmp";
  TGdbFile f(temp, TGdbFile::fmCreate);
  f.WriteAt(0, bytes.data(), static_cast<int64_t>(bytes.size()));
  // On disk before the rename, or a power loss could leave the renamed file empty.
  f.Sync();
  f.Close();
  ReplaceFile(temp, Path);
}

// Case-insensitive match of Windows-1252 bytes with '*' and '?'.
bool WildcardMatch(const std::string& Pattern, const std::string& Text) {
  size_t p = 0, t = 0, starP = std::string::npos, starT = 0;
  while (t < Text.size()) {
    if (p < Pattern.size() && Pattern[p] == '*') {
      starP = p++;
      starT = t;
    } else if (p < Pattern.size() &&
               (Pattern[p] == '?' || Cp1252Lower(static_cast<unsigned char>(Pattern[p])) ==
                                         Cp1252Lower(static_cast<unsigned char>(Text[t])))) {
      ++p;
      ++t;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < Pattern.size() && Pattern[p] == '*') ++p;
  return p == Pattern.size();
}

}  // namespace

void TGeoDB::EnsureIndexesSorted() const {
  if (!FIndexesUnsorted) return;
  SortIndex(FIx0ItemId);
  SortIndex(FIx1LatLo);
  SortIndex(FIx2LatHi);
  SortIndex(FIx3LongLo);
  SortIndex(FIx4LongHi);
  FIndexesUnsorted = false;
}

void TGeoDB::InsertIntoIndex(int p, const TgdbData& Rec) {
  const int32_t slot = p - 1;
  if (FLazyWrite) {
    // Bulk path: append now, sort once when the order is next needed.
    FIx0ItemId.push_back({Rec.ItemId, slot});
    FIx1LatLo.push_back({Rec.LatLow, slot});
    FIx2LatHi.push_back({Rec.LatHigh, slot});
    FIx3LongLo.push_back({Rec.LongLow, slot});
    FIx4LongHi.push_back({Rec.LongHigh, slot});
    FIndexesUnsorted = true;
    return;
  }
  EnsureIndexesSorted();
  SortedInsert(FIx0ItemId, Rec.ItemId, TIxItemIDRec{Rec.ItemId, slot});
  SortedInsert(FIx1LatLo, static_cast<double>(Rec.LatLow), TIxLLRec{Rec.LatLow, slot});
  SortedInsert(FIx2LatHi, static_cast<double>(Rec.LatHigh), TIxLLRec{Rec.LatHigh, slot});
  SortedInsert(FIx3LongLo, static_cast<double>(Rec.LongLow), TIxLLRec{Rec.LongLow, slot});
  SortedInsert(FIx4LongHi, static_cast<double>(Rec.LongHigh), TIxLLRec{Rec.LongHigh, slot});
}

// Must run while the summary still holds the record at position p.
void TGeoDB::RemoveIndexEntries(int p) {
  const int slot = p - 1;
  const TgdbData& rec = FSumData[static_cast<size_t>(slot)];
  const bool sorted = !FIndexesUnsorted;
  auto remove = [&](auto& Ix, auto Key) {
    const int at = FindRecordOf(Ix, FNumSumItems, Key, slot, sorted);
    if (at >= 0) Ix.erase(Ix.begin() + at);
  };
  remove(FIx0ItemId, rec.ItemId);
  remove(FIx1LatLo, static_cast<double>(rec.LatLow));
  remove(FIx2LatHi, static_cast<double>(rec.LatHigh));
  remove(FIx3LongLo, static_cast<double>(rec.LongLow));
  remove(FIx4LongHi, static_cast<double>(rec.LongHigh));
}

// The item at OldSlot moves to NewSlot; must run while the summary still holds
// it at OldSlot.
void TGeoDB::ReferToNewPosition(int OldSlot, int NewSlot) {
  const TgdbData& rec = FSumData[static_cast<size_t>(OldSlot)];
  const bool sorted = !FIndexesUnsorted;
  auto refer = [&](auto& Ix, auto Key) {
    const int at = FindRecordOf(Ix, FNumSumItems, Key, OldSlot, sorted);
    if (at >= 0) Ix[static_cast<size_t>(at)].index = NewSlot;
  };
  refer(FIx0ItemId, rec.ItemId);
  refer(FIx1LatLo, static_cast<double>(rec.LatLow));
  refer(FIx2LatHi, static_cast<double>(rec.LatHigh));
  refer(FIx3LongLo, static_cast<double>(rec.LongLow));
  refer(FIx4LongHi, static_cast<double>(rec.LongHigh));
}

void TGeoDB::SaveIndex(int d) {
  if (FNameIX[0].empty() || d < 0 || d > 4) return;
  EnsureIndexesSorted();
  const std::string& path = FNameIX[static_cast<size_t>(d)];
  switch (d) {
    case 0: WriteIndexFile(path, FIx0ItemId); break;
    case 1: WriteIndexFile(path, FIx1LatLo); break;
    case 2: WriteIndexFile(path, FIx2LatHi); break;
    case 3: WriteIndexFile(path, FIx3LongLo); break;
    default: WriteIndexFile(path, FIx4LongHi); break;
  }
}

void TGeoDB::SaveAllIndexes() {
  for (int d = 0; d < 5; ++d) SaveIndex(d);
}

void TGeoDB::RecalcIndexes() {
  if (!IsOpen()) return;
  const size_t n = FSumData.size();
  FIx0ItemId.resize(n);
  FIx1LatLo.resize(n);
  FIx2LatHi.resize(n);
  FIx3LongLo.resize(n);
  FIx4LongHi.resize(n);
  int32_t maxId = 0;
  for (size_t i = 0; i < n; ++i) {
    const TgdbData& d = FSumData[i];
    const int32_t slot = static_cast<int32_t>(i);
    FIx0ItemId[i] = {d.ItemId, slot};
    FIx1LatLo[i] = {d.LatLow, slot};
    FIx2LatHi[i] = {d.LatHigh, slot};
    FIx3LongLo[i] = {d.LongLow, slot};
    FIx4LongHi[i] = {d.LongHigh, slot};
    maxId = std::max(maxId, d.ItemId);
  }
  FIndexesUnsorted = true;
  EnsureIndexesSorted();
  FMaxItemId = maxId;
  FSpatial->Reset();
  SaveAllIndexes();
  // New items must never get an ItemID that is already in use.
  if (FSystemData.HighestID < maxId) {
    FSystemData.HighestID = maxId;
    WriteHeader("RecalcIndexes");
  }
}

// --- lookups ----------------------------------------------------------------

TgdbData TGeoDB::GetSumdata(int i) const {
  if (FSumData.empty()) {
    TgdbData zero;
    zero.BlobOffset = 0;
    zero.ItemKind = gitBorder;
    return zero;
  }
  i = std::clamp(i, 1, static_cast<int>(FSumData.size()));
  return FSumData[static_cast<size_t>(i - 1)];
}

namespace {

template <typename Rec>
Rec IndexRecordAt(const std::vector<Rec>& Ix, int n, int i) {
  const int limit = std::min(n, static_cast<int>(Ix.size()));
  if (limit <= 0) return Rec{};
  Rec r = Ix[static_cast<size_t>(std::clamp(i, 1, limit) - 1)];
  r.index += 1;
  return r;
}

}  // namespace

TIxItemIDRec TGeoDB::GetIxItemID(int i) const {
  EnsureIndexesSorted();
  return IndexRecordAt(FIx0ItemId, FNumSumItems, i);
}
TIxLLRec TGeoDB::GetIxLatLow(int i) const {
  EnsureIndexesSorted();
  return IndexRecordAt(FIx1LatLo, FNumSumItems, i);
}
TIxLLRec TGeoDB::GetIxLatHigh(int i) const {
  EnsureIndexesSorted();
  return IndexRecordAt(FIx2LatHi, FNumSumItems, i);
}
TIxLLRec TGeoDB::GetIxLongLow(int i) const {
  EnsureIndexesSorted();
  return IndexRecordAt(FIx3LongLo, FNumSumItems, i);
}
TIxLLRec TGeoDB::GetIxLongHigh(int i) const {
  EnsureIndexesSorted();
  return IndexRecordAt(FIx4LongHi, FNumSumItems, i);
}

namespace {

template <typename Rec, typename Key>
int ClosestIx(const std::vector<Rec>& Ix, Key K) {
  if (Ix.empty()) return 1;
  return Bisect(Ix, 0, static_cast<int>(Ix.size()) - 1, K) + 1;
}

}  // namespace

int TGeoDB::GetClosestItemIDIx(int ItemID) const {
  EnsureIndexesSorted();
  return ClosestIx(FIx0ItemId, static_cast<int32_t>(ItemID));
}
int TGeoDB::GetClosestLatLowIx(double Latit) const {
  EnsureIndexesSorted();
  return ClosestIx(FIx1LatLo, Latit);
}
int TGeoDB::GetClosestLatHighIx(double Latit) const {
  EnsureIndexesSorted();
  return ClosestIx(FIx2LatHi, Latit);
}
int TGeoDB::GetClosestLongLowIx(double Longit) const {
  EnsureIndexesSorted();
  return ClosestIx(FIx3LongLo, Longit);
}
int TGeoDB::GetClosestLongHighIx(double Longit) const {
  EnsureIndexesSorted();
  return ClosestIx(FIx4LongHi, Longit);
}

int TGeoDB::SearchForItemID(int ItemID) const {
  EnsureIndexesSorted();
  auto scanSummary = [&] {
    for (int i = 0; i < FNumSumItems; ++i)
      if (FSumData[static_cast<size_t>(i)].ItemId == ItemID) return i + 1;
    return 0;
  };
  // An index of the wrong length was damaged on disk: trust the summary.
  if (FIx0ItemId.size() != static_cast<size_t>(FNumSumItems)) return scanSummary();
  if (FIx0ItemId.empty()) return 0;
  const int pos = Bisect(FIx0ItemId, 0, static_cast<int>(FIx0ItemId.size()) - 1, static_cast<int32_t>(ItemID));
  if (pos >= static_cast<int>(FIx0ItemId.size()) || FIx0ItemId[static_cast<size_t>(pos)].ItemID != ItemID) return 0;
  const int slot = FIx0ItemId[static_cast<size_t>(pos)].index;
  if (slot >= 0 && slot < FNumSumItems && FSumData[static_cast<size_t>(slot)].ItemId == ItemID) return slot + 1;
  return scanSummary();
}

int TGeoDB::SearchData(std::string& Name, TgdbItem ItemType, int StartSearchAt, uint8_t ClassNumber) const {
  if (!IsOpen()) return 0;
  const std::string pattern = Utf8ToCp1252(CutToChars(Name, TgdbName::Capacity));
  for (int i = std::max(StartSearchAt, 1); i <= FNumSumItems; ++i) {
    const TgdbData& d = FSumData[static_cast<size_t>(i - 1)];
    if (d.ItemKind != ItemType || d.ClassFlag != ClassNumber) continue;
    if (!WildcardMatch(pattern, Utf8ToCp1252(d.Name.str()))) continue;
    Name = d.Name;
    return i;
  }
  return 0;
}

int TGeoDB::SearchData(std::string& Name) const {
  if (!IsOpen()) return 0;
  const std::string pattern = Utf8ToCp1252(CutToChars(Name, TgdbName::Capacity));
  for (int i = 1; i <= FNumSumItems; ++i) {
    const TgdbData& d = FSumData[static_cast<size_t>(i - 1)];
    if (!WildcardMatch(pattern, Utf8ToCp1252(d.Name.str()))) continue;
    Name = d.Name;
    return i;
  }
  return 0;
}

std::vector<int> TGeoDB::FindItemsInRegion(double LatLow, double LatHigh, double LongLow, double LongHigh) const {
  std::vector<int> out;
  // An inverted or NaN window is empty (the negated tests catch NaN too).
  if (!IsOpen() || !(LatLow <= LatHigh) || !(LongLow <= LongHigh)) return out;
  FSpatial->Query(FSumData, LatLow, LatHigh, LongLow, LongHigh, out);
  return out;
}

}  // namespace orq
