#include "orqplatform/Resources.h"

#include <map>
#include <mutex>

#include "orqplatform/Controls.h"

namespace orq {

namespace {

struct TResourceTable {
  std::mutex Lock;
  std::map<std::string, TBitmapResourceMaker, std::less<>> Bitmaps;
  std::map<std::string, TCursorResourceMaker, std::less<>> Cursors;
};

// Made on first use and never destroyed, so that controls in static storage
// can still load resources while the program ends.
TResourceTable& Table() {
  static auto* table = new TResourceTable;
  return *table;
}

}  // namespace

std::unique_ptr<TBitmap> BitmapFromTextPicture(const TTextPicture& Picture, TPixelFormat Format) {
  if (Picture.Width <= 0 || Picture.Height <= 0) throw EInvalidOperation("A text picture needs a size");
  const size_t count = static_cast<size_t>(Picture.Width) * static_cast<size_t>(Picture.Height);
  std::vector<uint32_t> pixels;
  pixels.reserve(count);
  for (char c : Picture.Pixels) {
    if (c == '\n' || c == '\r') continue;
    const TTextPictureColor* entry = nullptr;
    for (const TTextPictureColor& p : Picture.Palette)
      if (p.Key == c) entry = &p;
    if (entry == nullptr) throw EInvalidOperation(std::string("Text picture: no colour for '") + c + "'");
    if (pixels.size() == count) throw EInvalidOperation("Text picture: more pixels than its size");
    pixels.push_back(entry->Color);
  }
  if (pixels.size() != count) throw EInvalidOperation("Text picture: fewer pixels than its size");
  auto bmp = std::make_unique<TBitmap>();
  bmp->AdoptPixels(Picture.Width, Picture.Height, std::move(pixels), Format);
  // AdoptPixels stores as given; the format's quantisation is ours to apply.
  for (int y = 0; y < Picture.Height; ++y) bmp->QuantizeRow(bmp->ScanLine(y), Picture.Width);
  return bmp;
}

void RegisterBitmapResource(const std::string& Name, TBitmapResourceMaker Maker) {
  TResourceTable& t = Table();
  std::lock_guard guard(t.Lock);
  t.Bitmaps[Name] = std::move(Maker);
}

void RegisterCursorResource(const std::string& Name, TCursorResourceMaker Maker) {
  TResourceTable& t = Table();
  std::lock_guard guard(t.Lock);
  t.Cursors[Name] = std::move(Maker);
}

std::unique_ptr<TBitmap> LoadBitmapResource(const std::string& Name) {
  TBitmapResourceMaker maker;
  {
    TResourceTable& t = Table();
    std::lock_guard guard(t.Lock);
    const auto it = t.Bitmaps.find(Name);
    if (it == t.Bitmaps.end()) return nullptr;
    maker = it->second;
  }
  return maker ? maker() : nullptr;  // made outside the lock: a maker may load others
}

HCURSOR LoadCursorResource(const std::string& Name) {
  TCursorResourceMaker maker;
  {
    TResourceTable& t = Table();
    std::lock_guard guard(t.Lock);
    const auto it = t.Cursors.find(Name);
    if (it == t.Cursors.end()) return nullptr;
    maker = it->second;
  }
  return maker ? maker() : nullptr;
}

}  // namespace orq
