#include "SpatialIndex.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace orq::gdb_detail {

namespace {

constexpr int kFanout = 16;

}  // namespace

void TSpatialIndex::Reset() {
  FBuilt = false;
  FBuiltCount = 0;
  FChanged.clear();
  FChangedList.clear();
  FLevels.clear();
  FLeafSlot.clear();
}

void TSpatialIndex::Changed(int Slot) {
  if (!FBuilt || Slot < 0 || Slot >= FBuiltCount || FChanged[static_cast<size_t>(Slot)]) return;
  FChanged[static_cast<size_t>(Slot)] = 1;
  FChangedList.push_back(Slot);
}

void TSpatialIndex::Build(const std::vector<TgdbData>& Items) {
  Reset();
  const int n = static_cast<int>(Items.size());
  std::vector<int> slots;
  slots.reserve(Items.size());
  // Empty boxes can never be found; they stay out of the tree.
  for (int i = 0; i < n; ++i) {
    const TgdbData& d = Items[static_cast<size_t>(i)];
    if (d.LatLow <= d.LatHigh && d.LongLow <= d.LongHigh) slots.push_back(i);
  }
  auto centreLong = [&](int s) {
    const TgdbData& d = Items[static_cast<size_t>(s)];
    return static_cast<double>(d.LongLow) + d.LongHigh;
  };
  auto centreLat = [&](int s) {
    const TgdbData& d = Items[static_cast<size_t>(s)];
    return static_cast<double>(d.LatLow) + d.LatHigh;
  };
  // Sort-tile-recursive packing: vertical slices by longitude, each sorted by
  // latitude, cut into leaves of kFanout boxes.
  std::sort(slots.begin(), slots.end(), [&](int a, int b) { return centreLong(a) < centreLong(b); });
  const size_t leaves = (slots.size() + kFanout - 1) / kFanout;
  const size_t sliceCount = std::max<size_t>(1, static_cast<size_t>(std::ceil(std::sqrt(static_cast<double>(leaves)))));
  const size_t sliceSize = sliceCount * kFanout;
  for (size_t start = 0; start < slots.size(); start += sliceSize) {
    const auto first = slots.begin() + static_cast<std::ptrdiff_t>(start);
    const auto last = slots.begin() + static_cast<std::ptrdiff_t>(std::min(slots.size(), start + sliceSize));
    std::sort(first, last, [&](int a, int b) { return centreLat(a) < centreLat(b); });
  }
  FLeafSlot = slots;
  std::vector<TBox> level;
  level.reserve(slots.size());
  for (int s : slots) {
    const TgdbData& d = Items[static_cast<size_t>(s)];
    level.push_back({d.LatLow, d.LatHigh, d.LongLow, d.LongHigh});
  }
  FLevels.push_back(std::move(level));
  while (FLevels.back().size() > 1) {
    const std::vector<TBox>& below = FLevels.back();
    std::vector<TBox> above;
    above.reserve((below.size() + kFanout - 1) / kFanout);
    for (size_t i = 0; i < below.size(); i += kFanout) {
      TBox b = below[i];
      for (size_t k = i + 1; k < std::min(below.size(), i + kFanout); ++k) {
        b.LatLo = std::min(b.LatLo, below[k].LatLo);
        b.LatHi = std::max(b.LatHi, below[k].LatHi);
        b.LongLo = std::min(b.LongLo, below[k].LongLo);
        b.LongHi = std::max(b.LongHi, below[k].LongHi);
      }
      above.push_back(b);
    }
    FLevels.push_back(std::move(above));
  }
  FBuilt = true;
  FBuiltCount = n;
  FChanged.assign(static_cast<size_t>(n), 0);
}

void TSpatialIndex::Query(const std::vector<TgdbData>& Items, double LatLo, double LatHi, double LongLo,
                          double LongHi, std::vector<int>& Out) {
  const int n = static_cast<int>(Items.size());
  const int pending = static_cast<int>(FChangedList.size()) + std::max(0, n - FBuiltCount);
  if (!FBuilt || pending > std::max(2048, n / 64)) Build(Items);
  const size_t firstOut = Out.size();
  auto meets = [&](const TBox& b) {
    return b.LatLo <= LatHi && b.LatHi >= LatLo && b.LongLo <= LongHi && b.LongHi >= LongLo;
  };
  if (!FLevels.empty() && !FLevels[0].empty()) {
    // Depth-first over (level, node) pairs packed as level * 2^26 + node.
    const int top = static_cast<int>(FLevels.size()) - 1;
    FStack.clear();
    FStack.push_back(top << 26);
    while (!FStack.empty()) {
      const int code = FStack.back();
      FStack.pop_back();
      const int lvl = code >> 26;
      const int node = code & ((1 << 26) - 1);
      if (!meets(FLevels[static_cast<size_t>(lvl)][static_cast<size_t>(node)])) continue;
      if (lvl == 0) {
        const int slot = FLeafSlot[static_cast<size_t>(node)];
        if (slot < n && !FChanged[static_cast<size_t>(slot)]) Out.push_back(slot + 1);
        continue;
      }
      const std::vector<TBox>& below = FLevels[static_cast<size_t>(lvl - 1)];
      const size_t end = std::min(below.size(), static_cast<size_t>(node + 1) * kFanout);
      for (size_t c = static_cast<size_t>(node) * kFanout; c < end; ++c) {
        if (lvl - 1 == 0) {
          if (!meets(below[c])) continue;
          const int slot = FLeafSlot[c];
          if (slot < n && !FChanged[static_cast<size_t>(slot)]) Out.push_back(slot + 1);
        } else {
          FStack.push_back(((lvl - 1) << 26) | static_cast<int>(c));
        }
      }
    }
  }
  for (int slot : FChangedList)
    if (slot < n && BoxMeetsWindow(Items[static_cast<size_t>(slot)], LatLo, LatHi, LongLo, LongHi))
      Out.push_back(slot + 1);
  for (int slot = FBuiltCount; slot < n; ++slot)
    if (BoxMeetsWindow(Items[static_cast<size_t>(slot)], LatLo, LatHi, LongLo, LongHi)) Out.push_back(slot + 1);
  std::sort(Out.begin() + static_cast<std::ptrdiff_t>(firstOut), Out.end());
}

}  // namespace orq::gdb_detail

