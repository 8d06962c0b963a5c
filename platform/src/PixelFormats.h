// Internal: quantisation of 32-bit pixels to a bitmap's pixel format and the
// binary raster operations of pens and brushes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "orqplatform/GraphicsTypes.h"

namespace orq::raster {

// Palette of pf4bit (16 entries) or pf8bit (256 entries); empty otherwise.
const std::vector<TColor>& StandardPalette(TPixelFormat Format);

TColor NearestIn16(TColor c);
TColor NearestIn256(TColor c);

inline TColor Quantize(TColor c, TPixelFormat f) {
  c &= 0xFFFFFF;
  switch (f) {
    case pf15bit: return c & 0xF8F8F8;
    case pf16bit: return c & 0xF8FCF8;
    case pf1bit: {
      const unsigned lum = 299u * GetRValue(c) + 587u * GetGValue(c) + 114u * GetBValue(c);
      return lum >= 128000u ? 0xFFFFFF : 0;
    }
    case pf4bit: return NearestIn16(c);
    case pf8bit: return NearestIn256(c);
    default: return c;
  }
}

// True when Quantize leaves every colour unchanged.
inline bool IsLossless(TPixelFormat f) { return f != pf1bit && f != pf4bit && f != pf8bit && f != pf15bit && f != pf16bit; }

void QuantizeRow(uint32_t* Row, std::size_t Count, TPixelFormat f);

inline uint32_t ApplyMode(TPenMode m, uint32_t p, uint32_t d) {
  uint32_t r;
  switch (m) {
    case pmBlack: r = 0; break;
    case pmWhite: r = 0xFFFFFF; break;
    case pmNop: r = d; break;
    case pmNot: r = ~d; break;
    case pmCopy: r = p; break;
    case pmNotCopy: r = ~p; break;
    case pmMergePenNot: r = p | ~d; break;
    case pmMaskPenNot: r = p & ~d; break;
    case pmMergeNotPen: r = ~p | d; break;
    case pmMaskNotPen: r = ~p & d; break;
    case pmMerge: r = p | d; break;
    case pmNotMerge: r = ~(p | d); break;
    case pmMask: r = p & d; break;
    case pmNotMask: r = ~(p & d); break;
    case pmXor: r = p ^ d; break;
    case pmNotXor: r = ~(p ^ d); break;
    default: r = p; break;
  }
  return r & 0xFFFFFF;
}

// The copy modes of CopyRect and StretchBlt; unknown codes copy.
inline uint32_t ApplyRop(TCopyMode rop, uint32_t s, uint32_t d) {
  switch (rop) {
    case cmBlackness: return 0;
    case cmWhiteness: return 0xFFFFFF;
    case cmDstInvert: return ~d & 0xFFFFFF;
    case cmMergePaint: return (~s | d) & 0xFFFFFF;
    case cmNotSrcCopy: return ~s & 0xFFFFFF;
    case cmNotSrcErase: return ~(s | d) & 0xFFFFFF;
    case cmSrcAnd: return s & d;
    case cmSrcErase: return s & ~d & 0xFFFFFF;
    case cmSrcInvert: return s ^ d;
    case cmSrcPaint: return s | d;
    default: return s;
  }
}

}  // namespace orq::raster
