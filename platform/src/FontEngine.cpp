#include "FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H

#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace orq::text {

namespace {

constexpr const char* kLastResortFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Resolved {
  std::string File;
  int Index = 0;
  bool SynthBold = false, SynthItalic = false;
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

class Face {
 public:
  FT_Face Ft = nullptr;
  bool SynthBold = false, SynthItalic = false;
  FontMetrics Metrics;
  // Unrotated glyphs at integer origins, by glyph index and mono flag.
  std::map<std::pair<unsigned, bool>, Glyph> Cache;
  std::map<unsigned, int> Advance;  // 26.6
};

namespace {

class Engine {
 public:
  static Engine& Get() {
    static Engine engine;
    return engine;
  }
  std::mutex Lock;

  ~Engine() {
    for (auto& [key, face] : Faces)
      if (face->Ft) FT_Done_Face(face->Ft);
    Faces.clear();
    if (Library) FT_Done_FreeType(Library);
    if (Config) FcConfigDestroy(Config);
  }

  Resolved Resolve(const std::string& Name, bool Bold, bool Italic) {
    const auto key = std::make_tuple(Lower(Name), Bold, Italic);
    auto it = Resolutions.find(key);
    if (it != Resolutions.end()) return it->second;
    Resolved r = Match(Name, Bold, Italic, true);
    if (r.File.empty()) r.File = kLastResortFont, r.SynthBold = Bold, r.SynthItalic = Italic;
    Resolutions.emplace(key, r);
    return r;
  }

  Face* FaceAt(const Resolved& R, int PixelSize) {
    const auto key = std::make_tuple(R.File, R.Index, PixelSize, R.SynthBold, R.SynthItalic);
    auto it = Faces.find(key);
    if (it != Faces.end()) return it->second.get();
    auto face = std::make_unique<Face>();
    if (Library && FT_New_Face(Library, R.File.c_str(), R.Index, &face->Ft) == 0) {
      FT_Set_Pixel_Sizes(face->Ft, 0, static_cast<FT_UInt>(PixelSize));
      face->SynthBold = R.SynthBold;
      face->SynthItalic = R.SynthItalic;
      const FT_Size_Metrics& m = face->Ft->size->metrics;
      face->Metrics.Ascent = static_cast<int>((m.ascender + 63) >> 6);
      face->Metrics.Descent = static_cast<int>((-m.descender + 63) >> 6);
      const double scale = static_cast<double>(PixelSize) / std::max<int>(face->Ft->units_per_EM, 1);
      face->Metrics.LineThickness = std::max(1, static_cast<int>(std::lround(face->Ft->underline_thickness * scale)));
      face->Metrics.UnderlineOffset = std::max(1, static_cast<int>(std::lround(-face->Ft->underline_position * scale)));
      // Through the middle of the lower-case letters.
      face->Metrics.StrikeOffset = std::max(1, static_cast<int>(std::lround(PixelSize * 0.27)));
    } else {
      face->Ft = nullptr;
    }
    return Faces.emplace(key, std::move(face)).first->second.get();
  }

 private:
  Engine() {
    FT_Init_FreeType(&Library);
    Config = FcInitLoadConfigAndFonts();
  }

  Resolved Match(const std::string& Name, bool Bold, bool Italic, bool AllowRetry) {
    Resolved r;
    if (!Config) return r;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(Name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(Config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(Config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return r;
    FcChar8* file = nullptr;
    FcChar8* family = nullptr;
    int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) r.File = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    const bool sameFamily = FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
                            Lower(reinterpret_cast<const char*>(family)) == Lower(Name);
    FcPatternDestroy(match);
    r.Index = index;
    r.SynthBold = Bold && weight < FC_WEIGHT_DEMIBOLD;
    r.SynthItalic = Italic && slant == FC_SLANT_ROMAN;
    // A family fontconfig does not have is answered with whatever its
    // configuration prefers; ask for the sans-serif face explicitly.
    if (!sameFamily && AllowRetry && Lower(Name) != "sans-serif") {
      Resolved fallback = Match("sans-serif", Bold, Italic, false);
      if (!fallback.File.empty()) return fallback;
    }
    return r;
  }

  FT_Library Library = nullptr;
  FcConfig* Config = nullptr;
  std::map<std::tuple<std::string, bool, bool>, Resolved> Resolutions;
  std::map<std::tuple<std::string, int, int, bool, bool>, std::unique_ptr<Face>> Faces;
};

FT_Int32 LoadFlags(bool Mono) { return FT_LOAD_NO_BITMAP | (Mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL); }

// Loads the outline of a glyph with synthetic styles applied; false when
// the glyph has no outline.
bool LoadOutline(Face* F, unsigned GlyphIndex, bool Mono) {
  if (FT_Load_Glyph(F->Ft, GlyphIndex, LoadFlags(Mono)) != 0) return false;
  FT_GlyphSlot slot = F->Ft->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  if (F->SynthBold) FT_GlyphSlot_Embolden(slot);
  if (F->SynthItalic) FT_GlyphSlot_Oblique(slot);
  return true;
}

std::vector<uint32_t> DecodeUtf8(const std::string& s) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    uint32_t cp = len == 1 ? c : c & (0x7F >> len);
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    out.push_back(ok ? cp : 0xFFFD);
    i += ok ? len : 1;
  }
  return out;
}

}  // namespace

Face* FaceFor(const TFont& Font) {
  Engine& e = Engine::Get();
  std::lock_guard<std::mutex> lock(e.Lock);
  const Resolved r = e.Resolve(Font.Name, Font.Style.contains(fsBold), Font.Style.contains(fsItalic));
  Face* f = e.FaceAt(r, std::max(1, Font.PixelHeight()));
  return f->Ft ? f : nullptr;
}

std::string FileOf(const TFont& Font) {
  Engine& e = Engine::Get();
  std::lock_guard<std::mutex> lock(e.Lock);
  return e.Resolve(Font.Name, Font.Style.contains(fsBold), Font.Style.contains(fsItalic)).File;
}

FontMetrics Metrics(Face* F) { return F ? F->Metrics : FontMetrics{}; }

LaidOutText Layout(Face* F, const std::string& Utf8) {
  LaidOutText out;
  if (!F) return out;
  std::lock_guard<std::mutex> lock(Engine::Get().Lock);
  int64_t pen = 0;  // 26.6
  for (uint32_t cp : DecodeUtf8(Utf8)) {
    const unsigned gi = FT_Get_Char_Index(F->Ft, cp);
    auto it = F->Advance.find(gi);
    if (it == F->Advance.end()) {
      int adv = 0;
      if (FT_Load_Glyph(F->Ft, gi, LoadFlags(false)) == 0) {
        if (F->SynthBold && F->Ft->glyph->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Embolden(F->Ft->glyph);
        adv = static_cast<int>((F->Ft->glyph->advance.x + 32) & ~63);
      }
      it = F->Advance.emplace(gi, adv).first;
    }
    out.GlyphIndex.push_back(gi);
    out.PenX.push_back(static_cast<int>(pen >> 6));
    pen += it->second;
  }
  out.Width = static_cast<int>(pen >> 6);
  return out;
}

Glyph Render(Face* F, unsigned GlyphIndex, bool Mono, double Angle, int FracX, int FracY) {
  Glyph g;
  if (!F) return g;
  std::lock_guard<std::mutex> lock(Engine::Get().Lock);
  const bool cacheable = Angle == 0.0 && FracX == 0 && FracY == 0;
  if (cacheable) {
    auto it = F->Cache.find({GlyphIndex, Mono});
    if (it != F->Cache.end()) return it->second;
  }
  if (LoadOutline(F, GlyphIndex, Mono)) {
    FT_GlyphSlot slot = F->Ft->glyph;
    if (Angle != 0.0) {
      FT_Matrix m;
      m.xx = static_cast<FT_Fixed>(std::lround(std::cos(Angle) * 65536.0));
      m.xy = static_cast<FT_Fixed>(std::lround(-std::sin(Angle) * 65536.0));
      m.yx = static_cast<FT_Fixed>(std::lround(std::sin(Angle) * 65536.0));
      m.yy = m.xx;
      FT_Outline_Transform(&slot->outline, &m);
    }
    // FreeType's y axis points up.
    FT_Outline_Translate(&slot->outline, FracX, -FracY);
    if (FT_Render_Glyph(slot, Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0) {
      const FT_Bitmap& b = slot->bitmap;
      g.Left = slot->bitmap_left;
      g.Top = -slot->bitmap_top;
      g.Width = static_cast<int>(b.width);
      g.Height = static_cast<int>(b.rows);
      g.Coverage.resize(static_cast<size_t>(g.Width) * g.Height);
      for (int y = 0; y < g.Height; ++y) {
        const unsigned char* row = b.buffer + static_cast<ptrdiff_t>(y) * b.pitch;
        for (int x = 0; x < g.Width; ++x)
          g.Coverage[static_cast<size_t>(y) * g.Width + x] =
              b.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0) : row[x];
      }
    }
  }
  if (cacheable) F->Cache.emplace(std::make_pair(GlyphIndex, Mono), g);
  return g;
}

}  // namespace orq::text
