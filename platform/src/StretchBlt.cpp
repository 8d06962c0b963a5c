#include "orqplatform/StretchBlt.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "PixelFormats.h"
#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"

namespace orq {
namespace {

constexpr int kWeightBits = 12;
constexpr int kOne = 1 << kWeightBits;

// One axis of a transfer: for destination positions First .. First+Count-1
// (absolute), the source positions and weights that make each of them.
struct AxisMap {
  int First = 0, Count = 0;
  std::vector<int> Begin;   // Count + 1 offsets into Src/Weight
  std::vector<int> Src;     // absolute source positions
  std::vector<int> Weight;  // summing to kOne for each destination position
  int SrcMin = 0, SrcMax = -1;
};

// Source position under the centre of destination step i.
int64_t CentreSample(int64_t S0, int64_t SL, int64_t L, int64_t i) { return S0 + ((2 * i + 1) * SL) / (2 * L); }

void Normalise(AxisMap& m, size_t from, const std::vector<int64_t>& raw, int64_t total) {
  int sum = 0;
  size_t biggest = from;
  for (size_t k = from; k < m.Src.size(); ++k) {
    const int w = static_cast<int>((raw[k - from] * kOne + total / 2) / total);
    m.Weight.push_back(w);
    sum += w;
    if (w > m.Weight[biggest]) biggest = k;
  }
  m.Weight[biggest] += kOne - sum;
}

// D0/L: destination start and length; S0/SL source; DestLen/SrcLen the
// surface extents along the axis.
AxisMap BuildAxis(int64_t D0, int64_t L, int64_t S0, int64_t SL, int64_t DestLen, int64_t SrcLen, bool Halftone) {
  AxisMap m;
  // Destination steps inside the destination surface whose centre sample
  // lies in the source surface; the sample is monotone in i, so they form
  // one run.
  int64_t lo = std::max<int64_t>(0, -D0), hi = std::min<int64_t>(L, DestLen - D0) - 1;
  // Both loops run at most over the destination surface's extent.
  while (lo <= hi && CentreSample(S0, SL, L, lo) < 0) ++lo;
  while (hi >= lo && CentreSample(S0, SL, L, hi) >= SrcLen) --hi;
  if (lo > hi) return m;
  m.First = static_cast<int>(D0 + lo);
  m.Count = static_cast<int>(hi - lo + 1);
  m.Begin.reserve(m.Count + 1);
  const int64_t validLo = std::max<int64_t>(S0, 0), validHi = std::min<int64_t>(S0 + SL, SrcLen) - 1;
  std::vector<int64_t> raw;
  for (int64_t i = lo; i <= hi; ++i) {
    m.Begin.push_back(static_cast<int>(m.Src.size()));
    const size_t from = m.Src.size();
    if (!Halftone || SL == L) {
      m.Src.push_back(static_cast<int>(CentreSample(S0, SL, L, i)));
      m.Weight.push_back(kOne);
    } else if (SL > L) {
      // Destination step i covers [i SL, (i+1) SL) in units of 1/L source pixels.
      const int64_t a = i * SL, b = (i + 1) * SL;
      raw.clear();
      int64_t total = 0;
      const int64_t jFirst = std::max(a / L, validLo - S0), jLast = std::min((b - 1) / L, validHi - S0);
      for (int64_t j = jFirst; j <= jLast; ++j) {
        const int64_t s = S0 + j;
        const int64_t overlap = std::min(b, (j + 1) * L) - std::max(a, j * L);
        if (overlap <= 0) continue;
        m.Src.push_back(static_cast<int>(s));
        raw.push_back(overlap);
        total += overlap;
      }
      Normalise(m, from, raw, total);
    } else {
      // Centre of step i in source pixel-centre coordinates: ((2i+1) SL - L) / (2L).
      const int64_t num = (2 * i + 1) * SL - L, den = 2 * L;
      const int64_t j0 = num >= 0 ? num / den : -((-num + den - 1) / den);
      const int64_t s = S0 + j0;
      if (s < validLo) {
        m.Src.push_back(static_cast<int>(validLo));
        m.Weight.push_back(kOne);
      } else if (s >= validHi) {
        m.Src.push_back(static_cast<int>(validHi));
        m.Weight.push_back(kOne);
      } else {
        const int f = static_cast<int>(((num - j0 * den) * kOne + den / 2) / den);
        m.Src.push_back(static_cast<int>(s));
        m.Weight.push_back(kOne - f);
        m.Src.push_back(static_cast<int>(s + 1));
        m.Weight.push_back(f);
      }
    }
  }
  m.Begin.push_back(static_cast<int>(m.Src.size()));
  m.SrcMin = *std::min_element(m.Src.begin(), m.Src.end());
  m.SrcMax = *std::max_element(m.Src.begin(), m.Src.end());
  return m;
}

void FinishRow(uint32_t* Out, const uint32_t* Computed, int Count, TCopyMode Rop, const TBitmap* Dest, bool NeedQuantize) {
  if (Rop != SRCCOPY)
    for (int i = 0; i < Count; ++i) Out[i] = raster::ApplyRop(Rop, Computed[i], Out[i]);
  else if (Out != Computed)
    std::memcpy(Out, Computed, Count * sizeof(uint32_t));
  if (NeedQuantize || Rop != SRCCOPY) Dest->QuantizeRow(Out, Count);
}

}  // namespace

int SetStretchBltMode(TCanvas* Canvas, int Mode) {
  if (!Canvas || Mode < BLACKONWHITE || Mode > HALFTONE) return 0;
  const int previous = Canvas->StretchBltMode();
  Canvas->SetStretchBltMode(Mode);
  return previous;
}

int GetStretchBltMode(TCanvas* Canvas) { return Canvas ? Canvas->StretchBltMode() : 0; }

bool StretchBlt(TCanvas* Dest, int X, int Y, int W, int H, TCanvas* Source, int SX, int SY, int SW, int SH,
                TCopyMode Rop) {
  if (!Dest || !Source || W <= 0 || H <= 0 || SW <= 0 || SH <= 0) return false;
  TBitmap* db = Dest->Surface();
  const TBitmap* sb = Source->Surface();
  // Reading and writing one surface: read from a snapshot.
  TBitmap snapshot;
  if (db == sb) {
    std::vector<uint32_t> copy = sb->PixelData();
    snapshot.AdoptPixels(sb->Width(), sb->Height(), std::move(copy), sb->PixelFormat());
    sb = &snapshot;
  }
  const bool halftone = Dest->StretchBltMode() == HALFTONE && (SW != W || SH != H);
  const AxisMap xs = BuildAxis(X, W, SX, SW, db->Width(), sb->Width(), halftone);
  const AxisMap ys = BuildAxis(Y, H, SY, SH, db->Height(), sb->Height(), halftone);
  if (xs.Count == 0 || ys.Count == 0) return true;
  const bool needQuantize = !raster::IsLossless(db->PixelFormat()) && (halftone || sb->PixelFormat() != db->PixelFormat());
  std::vector<uint32_t> row(static_cast<size_t>(xs.Count));

  if (!halftone) {
    const bool unitX = SW == W;
    // Whole rows of equal-width surfaces lie back to back: one block copy
    // (the common case of showing a composed picture).
    if (unitX && SH == H && Rop == SRCCOPY && !needQuantize && xs.First == 0 && xs.Src[0] == 0 &&
        xs.Count == db->Width() && xs.Count == sb->Width()) {
      std::memcpy(db->ScanLine(ys.First), sb->ScanLine(ys.Src[0]), size_t(xs.Count) * size_t(ys.Count) * sizeof(uint32_t));
      return true;
    }
    for (int k = 0; k < ys.Count; ++k) {
      const uint32_t* src = sb->ScanLine(ys.Src[k]);
      uint32_t* out = db->ScanLine(ys.First + k) + xs.First;
      if (unitX) {
        const uint32_t* from = src + xs.Src[0];
        if (Rop == SRCCOPY) {
          std::memcpy(out, from, xs.Count * sizeof(uint32_t));
          if (needQuantize) db->QuantizeRow(out, xs.Count);
        } else {
          FinishRow(out, from, xs.Count, Rop, db, needQuantize);
        }
        continue;
      }
      for (int i = 0; i < xs.Count; ++i) row[i] = src[xs.Src[i]];
      FinishRow(out, row.data(), xs.Count, Rop, db, needQuantize);
    }
    return true;
  }

  // Separable: rows first into 8.8 fixed-point channel sums over the needed
  // source columns, then columns.
  const int cols = xs.SrcMax - xs.SrcMin + 1;
  std::vector<uint32_t> acc(static_cast<size_t>(cols) * 3);
  // Enlarging across, every destination column has one or two taps: lay
  // them out as fixed pairs (a lone tap gets a zero-weight partner on
  // itself), so the inner loop needs no table walk. Adding zero changes no sum.
  struct TwoTaps {
    uint32_t A0, W0, A1, W1;
  };
  bool twoTaps = true;
  for (int i = 0; i < xs.Count && twoTaps; ++i) twoTaps = xs.Begin[i + 1] - xs.Begin[i] <= 2;
  std::vector<TwoTaps> pairs;
  if (twoTaps) {
    pairs.resize(static_cast<size_t>(xs.Count));
    for (int i = 0; i < xs.Count; ++i) {
      const int t = xs.Begin[i], last = xs.Begin[i + 1] - 1;
      pairs[i].A0 = static_cast<uint32_t>(xs.Src[t] - xs.SrcMin) * 3;
      pairs[i].W0 = static_cast<uint32_t>(xs.Weight[t]);
      pairs[i].A1 = static_cast<uint32_t>(xs.Src[last] - xs.SrcMin) * 3;
      pairs[i].W1 = last > t ? static_cast<uint32_t>(xs.Weight[last]) : 0u;
    }
  }
  for (int k = 0; k < ys.Count; ++k) {
    std::fill(acc.begin(), acc.end(), 0u);
    for (int t = ys.Begin[k]; t < ys.Begin[k + 1]; ++t) {
      const uint32_t wy = static_cast<uint32_t>(ys.Weight[t]);
      const uint32_t* src = sb->ScanLine(ys.Src[t]) + xs.SrcMin;
      uint32_t* a = acc.data();
      for (int c = 0; c < cols; ++c, a += 3) {
        const uint32_t p = src[c];
        a[0] += (p & 0xFF) * wy;
        a[1] += ((p >> 8) & 0xFF) * wy;
        a[2] += ((p >> 16) & 0xFF) * wy;
      }
    }
    for (uint32_t& v : acc) v = (v + 8) >> 4;  // 8.8 fixed point
    if (twoTaps) {
      const uint32_t* a = acc.data();
      for (int i = 0; i < xs.Count; ++i) {
        const TwoTaps& p = pairs[i];
        const uint32_t r = (1u << 19) + a[p.A0] * p.W0 + a[p.A1] * p.W1;
        const uint32_t g = (1u << 19) + a[p.A0 + 1] * p.W0 + a[p.A1 + 1] * p.W1;
        const uint32_t b = (1u << 19) + a[p.A0 + 2] * p.W0 + a[p.A1 + 2] * p.W1;
        row[i] = std::min(r >> 20, 255u) | (std::min(g >> 20, 255u) << 8) | (std::min(b >> 20, 255u) << 16);
      }
      FinishRow(db->ScanLine(ys.First + k) + xs.First, row.data(), xs.Count, Rop, db, needQuantize);
      continue;
    }
    for (int i = 0; i < xs.Count; ++i) {
      uint32_t r = 1u << 19, g = 1u << 19, b = 1u << 19;
      for (int t = xs.Begin[i]; t < xs.Begin[i + 1]; ++t) {
        const uint32_t wx = static_cast<uint32_t>(xs.Weight[t]);
        const uint32_t* a = &acc[static_cast<size_t>(xs.Src[t] - xs.SrcMin) * 3];
        r += a[0] * wx;
        g += a[1] * wx;
        b += a[2] * wx;
      }
      row[i] = std::min(r >> 20, 255u) | (std::min(g >> 20, 255u) << 8) | (std::min(b >> 20, 255u) << 16);
    }
    FinishRow(db->ScanLine(ys.First + k) + xs.First, row.data(), xs.Count, Rop, db, needQuantize);
  }
  return true;
}

bool BitBlt(TCanvas* Dest, int X, int Y, int W, int H, TCanvas* Source, int SX, int SY, TCopyMode Rop) {
  return StretchBlt(Dest, X, Y, W, H, Source, SX, SY, W, H, Rop);
}

}  // namespace orq
