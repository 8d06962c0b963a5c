// Value types of the raster graphics: colour constants, pen, brush and font
// descriptions, pixel formats, copy modes and the progress event of image
// loaders.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "orqplatform/Types.h"

namespace orq {

class TObject;

// The sixteen classic colours, 0x00BBGGRR.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
// What Pixels() answers for a position outside the surface.
constexpr TColor CLR_INVALID = 0xFFFFFFFF;

constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c); }
constexpr uint8_t GetGValue(TColor c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t GetBValue(TColor c) { return static_cast<uint8_t>(c >> 16); }
constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return TColor{r} | (TColor{g} << 8) | (TColor{b} << 16);
}

// Dash patterns (pixels on, off, ...), repeating along a polyline and
// restarting at every MoveTo:
//   psDash 18 on 6 off; psDot 3 on 3 off; psDashDot 9 on 6 off 3 on 6 off;
//   psDashDotDot 9 on 3 off 3 on 3 off 3 on 3 off.
// The gaps take the brush colour when the brush is solid (an opaque
// background) and are left alone when it is bsClear. Pens wider than one
// pixel always draw solid.
enum TPenStyle : int { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// How the pen (and a shape's brush) combines with the pixels below; the
// sixteen binary raster operations, P = pen colour, D = destination.
enum TPenMode : int {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

enum TBrushStyle : int { bsSolid, bsClear };

enum TFontStyle : int { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

// fqNonAntialiased and fqDraft render aliased (one bit a pixel); all others
// anti-aliased.
enum TFontQuality : int {
  fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural
};

// Stored pixels are 32-bit TColor values quantised to the format:
//   pf1bit   black or white by luminance (0.299 R + 0.587 G + 0.114 B >= 128: white)
//   pf4bit   nearest of the 16 classic colours (clBlack .. clWhite)
//   pf8bit   nearest of a fixed 256-colour palette: the 6x6x6 colour cube
//            (levels 0, 51, ..., 255) and 40 greys Round(i * 255 / 41), i = 1..40
//   pf15bit  5 bits a channel (each channel's low 3 bits cleared)
//   pf16bit  5-6-5 (red and blue keep 5 bits, green 6)
//   pf24bit, pf32bit, pfDevice, pfCustom: 8 bits a channel
// "Nearest" is the smallest squared distance in RGB, the earlier entry on a tie.
enum TPixelFormat : int { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// Raster operations of CopyRect/Draw/StretchBlt (S = source, D = destination).
using TCopyMode = uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;
constexpr TCopyMode SRCCOPY = cmSrcCopy;

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t ANTIALIASED_QUALITY = 4;
constexpr uint8_t NONANTIALIASED_QUALITY = 3;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// The logical description of a font (see Fonts.h).
struct TLogFont {
  int lfHeight = 0;        // negative: character height in pixels; positive: cell height
  int lfWidth = 0;         // ignored (0: natural width)
  int lfEscapement = 0;    // tenths of a degree, counterclockwise
  int lfOrientation = 0;   // tenths of a degree; the text follows lfEscapement
  int lfWeight = FW_NORMAL;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = DEFAULT_CHARSET;
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;   // 3 NONANTIALIASED_QUALITY, 4 ANTIALIASED_QUALITY, 0 default
  uint8_t lfPitchAndFamily = 0;
  std::string lfFaceName;
};

// A created font: what CreateFontIndirect returns and TFont::SetHandle takes.
struct HFONT {
  TLogFont LogFont;
};

// A font description. Size is in points at 96 dots per inch (8 points are
// 11 pixels of character height); Escapement and Orientation are tenths of a
// degree, counterclockwise. Any Name resolves: unknown families fall back to
// a sans-serif face.
struct TFont {
  std::string Name = "MS Sans Serif";
  int Size = 8;
  TFontStyles Style;
  TColor Color = clBlack;
  int Escapement = 0;
  int Orientation = 0;
  TFontQuality Quality = fqDefault;
  uint8_t Charset = DEFAULT_CHARSET;
  // Character height in pixels (the em size) that Size stands for.
  int PixelHeight() const;
  // The font as a created font, and taking one over: everything but Color
  // (which a logical font does not carry) comes from the handle.
  HFONT Handle() const;
  void SetHandle(const HFONT& Value);
};

enum TProgressStage : int { psStarting, psRunning, psEnding };
// Image loaders and savers report progress with it; R is the part of the
// picture that is ready (empty when unknown).
using TProgressEvent = std::function<void(TObject* Sender, TProgressStage Stage, uint8_t PercentDone,
                                          bool RedrawNow, const TRect& R, const std::string& Msg)>;

}  // namespace orq
