// Named resources of a library: bitmaps and cursors compiled into it and
// looked up by name at run time, as a module's resource section would be.
//
// A library registers a maker per name (once, before the first lookup it
// needs); every lookup makes a fresh object, so callers own what they get.
// Names compare exactly (upper case by convention: "POINTR", "CURGEOZOOM").
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Forms.h"

namespace orq {

// A picture drawn as text: Height rows of Width characters, one a pixel,
// top row first; Palette maps each character used to its colour. Rows may
// be separated by line breaks, which are skipped.
struct TTextPictureColor {
  char Key;
  TColor Color;
};
struct TTextPicture {
  int Width = 0;
  int Height = 0;
  std::string_view Pixels;
  std::vector<TTextPictureColor> Palette;
};

// The bitmap of a text picture in the pixel format given. Raises
// EInvalidOperation when the text does not hold Width x Height pixels or
// uses a character the palette lacks.
std::unique_ptr<TBitmap> BitmapFromTextPicture(const TTextPicture& Picture, TPixelFormat Format = pf24bit);

using TBitmapResourceMaker = std::function<std::unique_ptr<TBitmap>()>;
using TCursorResourceMaker = std::function<HCURSOR()>;

// Registers (or replaces) the maker of a named resource.
void RegisterBitmapResource(const std::string& Name, TBitmapResourceMaker Maker);
void RegisterCursorResource(const std::string& Name, TCursorResourceMaker Maker);

// A new bitmap (cursor) made from the resource of that name; nullptr when
// no resource of that name is registered.
std::unique_ptr<TBitmap> LoadBitmapResource(const std::string& Name);
HCURSOR LoadCursorResource(const std::string& Name);

}  // namespace orq
