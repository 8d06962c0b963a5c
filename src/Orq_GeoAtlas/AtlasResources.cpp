#include "AtlasResources.h"

#include <mutex>

#include "orqplatform/Resources.h"
#include "resources/AtlasPictures.h"

namespace orq {

namespace {

constexpr TColor GlyphBackground = 0x008000;  // not used by the drawings: made transparent
constexpr TColor CursorTransparent = 0xFF00FF;

// Two glyph images side by side, as the buttons take them: the drawing and
// its disabled form (dark strokes grey, light areas gone).
std::unique_ptr<TBitmap> MakeGlyph(std::string_view Drawing) {
  using namespace atlas_pictures;
  const TTextPicture normal{GlyphSize, GlyphSize, Drawing,
                            {{'.', GlyphBackground}, {'#', 0x000000}, {'w', 0xFFFFFF}, {'g', 0x808080},
                             {'b', 0xFF0000}}};
  TTextPicture disabled = normal;
  disabled.Palette = {{'.', GlyphBackground}, {'#', 0x808080}, {'w', GlyphBackground}, {'g', 0x808080},
                      {'b', 0x808080}};
  const auto a = BitmapFromTextPicture(normal, pf8bit);
  const auto b = BitmapFromTextPicture(disabled, pf8bit);
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetPixelFormat(pf8bit);
  glyph->SetSize(2 * GlyphSize, GlyphSize);
  for (int y = 0; y < GlyphSize; ++y) {
    uint32_t* row = glyph->ScanLine(y);
    for (int x = 0; x < GlyphSize; ++x) {
      row[x] = a->ScanLine(y)[x];
      row[GlyphSize + x] = b->ScanLine(y)[x];
    }
  }
  return glyph;
}

HCURSOR MakeCursor(std::string_view Drawing, TPoint HotSpot, const char* Name) {
  using namespace atlas_pictures;
  const TTextPicture picture{CursorSize, CursorSize, Drawing,
                             {{'.', CursorTransparent}, {'#', 0x000000}, {'w', 0xFFFFFF}}};
  return CreateCursor(*BitmapFromTextPicture(picture), HotSpot, CursorTransparent, Name);
}

}  // namespace

void RegisterAtlasResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterBitmapResource("POINTR", [] { return MakeGlyph(atlas_pictures::Pointer); });
    RegisterBitmapResource("ZOOMIN", [] { return MakeGlyph(atlas_pictures::ZoomIn); });
    RegisterCursorResource("CURGEOZOOM",
                           [] { return MakeCursor(atlas_pictures::ZoomCursor, TPoint{6, 6}, "CURGEOZOOM"); });
    RegisterCursorResource("CURGEOHAND",
                           [] { return MakeCursor(atlas_pictures::HandCursor, TPoint{7, 0}, "CURGEOHAND"); });
  });
}

}  // namespace orq
