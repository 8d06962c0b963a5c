// In-memory spatial index behind TGeoDB::FindItemsInRegion: a packed R-tree
// (sort-tile-recursive) built from the summary, plus a short list of the
// positions changed since the build that are checked one by one. When that
// list grows past a fraction of the items, the next query rebuilds the tree.
// Nothing of it is stored in the database files.
#pragma once

#include <cstdint>
#include <vector>

#include "orqcarta/Orq_GeoDB.h"

namespace orq::gdb_detail {

// A box meets the window when they share a point. Boxes with a low bound
// above the high bound (a polygon without points) or with NaN bounds are
// empty and meet nothing.
inline bool BoxMeetsWindow(const TgdbData& d, double LatLo, double LatHi, double LongLo, double LongHi) {
  return d.LatLow <= d.LatHigh && d.LongLow <= d.LongHigh && d.LatLow <= LatHi && d.LatHigh >= LatLo &&
         d.LongLow <= LongHi && d.LongHigh >= LongLo;
}

class TSpatialIndex {
 public:
  // The item at this 0-based slot was added, replaced or moved.
  void Changed(int Slot);
  // Forget everything; the next query builds from scratch.
  void Reset();
  // Appends the 1-based positions of the items 0..Items.size()-1 meeting the
  // window to Out, ascending.
  void Query(const std::vector<TgdbData>& Items, double LatLo, double LatHi, double LongLo, double LongHi,
             std::vector<int>& Out);

 private:
  struct TBox {
    float LatLo, LatHi, LongLo, LongHi;
  };
  void Build(const std::vector<TgdbData>& Items);

  bool FBuilt = false;
  int FBuiltCount = 0;            // items covered by the tree
  std::vector<uint8_t> FChanged;  // per slot < FBuiltCount: tree entry is stale
  std::vector<int> FChangedList;
  // FLevels[0] holds the item boxes (FLeafSlot gives their slots), each higher
  // level the boxes of groups of kFanout boxes below it.
  std::vector<std::vector<TBox>> FLevels;
  std::vector<int> FLeafSlot;
  std::vector<int> FStack;
};

}  // namespace orq::gdb_detail
