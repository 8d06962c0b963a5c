// PNG through libpng. Every image is read as 8-bit RGBA (palettes, grey and
// 16-bit samples expanded or reduced) and composited on white, since the
// pixels we hand out have no alpha; images are written as 8-bit RGB.
//
// libpng reports errors by longjmp. The functions that call setjmp keep no
// objects with destructors of their own, and the callbacks libpng calls hold
// none either, so no destructor is ever skipped.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CodecLimits.h"

namespace orq {

using namespace imgcodec;

namespace {

constexpr const char* kTruncated = "PNG file truncated";

// Where libpng's error callback leaves its message; the first one set wins,
// so a message of ours set before png_error is kept.
struct TPngError {
  const char* Prefix = "";
  char Text[240] = "";
  void Set(const char* Message) {
    if (!Text[0]) std::snprintf(Text, sizeof Text, "%s%s", Prefix, Message ? Message : "unknown error");
  }
  void SetOwn(const char* Message) {
    if (!Text[0]) std::snprintf(Text, sizeof Text, "%s", Message);
  }
};

struct TPngReadContext {
  const uint8_t* Data = nullptr;
  std::size_t Size = 0;
  std::size_t Pos = 0;
  TRawImage* Image = nullptr;
  png_bytep* Rows = nullptr;  // freed by the caller
  TPngError Error{"Invalid PNG file: "};
};

void OnPngError(png_structp Png, png_const_charp Message) {
  static_cast<TPngError*>(png_get_error_ptr(Png))->Set(Message);
  png_longjmp(Png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp Png, png_bytep Out, png_size_t Count) {
  auto* Ctx = static_cast<TPngReadContext*>(png_get_io_ptr(Png));
  if (Count > Ctx->Size - Ctx->Pos) {
    Ctx->Error.SetOwn(kTruncated);
    png_error(Png, kTruncated);
  }
  std::memcpy(Out, Ctx->Data + Ctx->Pos, Count);
  Ctx->Pos += Count;
}

// Deflate expands at most 1032 times, so a file much smaller than its image
// is truncated; checked before any pixel memory is allocated.
bool PlausibleSize(uint64_t Width, uint64_t Height, uint64_t BitsPerPixel, uint64_t FileSize) {
  const uint64_t MinRawBytes = Width * Height * BitsPerPixel / 8;
  return MinRawBytes <= FileSize * 1032 + 1024;
}

bool RunPngDecode(png_structp Png, png_infop Info, TPngReadContext& Ctx) {
  if (setjmp(png_jmpbuf(Png))) return false;
  png_set_read_fn(Png, &Ctx, ReadFromMemory);
  png_set_user_limits(Png, 65535, 65535);
  png_read_info(Png, Info);

  const png_uint_32 W = png_get_image_width(Png, Info), H = png_get_image_height(Png, Info);
  const int Depth = png_get_bit_depth(Png, Info), Type = png_get_color_type(Png, Info);
  const int Channels = png_get_channels(Png, Info);
  if (W == 0 || H == 0 || W > kMaxImageDimension || H > kMaxImageDimension ||
      int64_t{W} * H > kMaxImagePixels) {
    std::snprintf(Ctx.Error.Text, sizeof Ctx.Error.Text, "PNG image too large to decode (%u x %u)",
                  static_cast<unsigned>(W), static_cast<unsigned>(H));
    return false;
  }
  if (!PlausibleSize(W, H, uint64_t(Depth) * Channels, Ctx.Size)) {
    Ctx.Error.SetOwn(kTruncated);
    return false;
  }
  TRawImage& Img = *Ctx.Image;
  Img.Width = static_cast<int>(W);
  Img.Height = static_cast<int>(H);
  if (Type == PNG_COLOR_TYPE_PALETTE)
    Img.SourceBitsPerPixel = Depth == 2 ? 4 : Depth;
  else if (Type == PNG_COLOR_TYPE_GRAY)
    Img.SourceBitsPerPixel = Depth <= 8 ? (Depth == 2 ? 4 : Depth) : 24;
  else
    Img.SourceBitsPerPixel = (Type & PNG_COLOR_MASK_ALPHA) ? 32 : 24;

  png_set_expand(Png);
  png_set_scale_16(Png);
  png_set_gray_to_rgb(Png);
  png_set_add_alpha(Png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(Png);
  png_read_update_info(Png, Info);
  if (png_get_rowbytes(Png, Info) != png_size_t{W} * 4) {
    Ctx.Error.SetOwn("Unsupported PNG pixel layout");
    return false;
  }
  // Rows go straight into the pixel array, four bytes a pixel.
  Img.Pixels.resize(std::size_t{W} * H);
  Ctx.Rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * H));
  if (!Ctx.Rows) {
    Ctx.Error.SetOwn("Out of memory decoding PNG");
    return false;
  }
  auto* Bytes = reinterpret_cast<uint8_t*>(Img.Pixels.data());
  for (png_uint_32 y = 0; y < H; ++y) Ctx.Rows[y] = Bytes + std::size_t{y} * W * 4;
  png_read_image(Png, Ctx.Rows);
  // The trailing chunks are not read: an image whose pixels are all there
  // is usable even when the end of the file was cut off.
  return true;
}

// Composites RGBA bytes in place on white and repacks them as TColor.
void CompositeOnWhite(TRawImage& Img) {
  auto* Bytes = reinterpret_cast<const uint8_t*>(Img.Pixels.data());
  for (std::size_t i = 0; i < Img.Pixels.size(); ++i) {
    const uint8_t* P = Bytes + 4 * i;
    const uint32_t A = P[3], Back = 255 * (255 - A);
    const uint32_t R = (P[0] * A + Back + 127) / 255, G = (P[1] * A + Back + 127) / 255,
                   B = (P[2] * A + Back + 127) / 255;
    Img.Pixels[i] = RGBToColor(R, G, B);
  }
}

struct TPngWriteContext {
  std::vector<uint8_t>* Out = nullptr;
  const TRawImage* Image = nullptr;
  png_bytep Row = nullptr;  // freed by the caller
  TPngError Error{"Cannot write PNG: "};
};

void WriteToMemory(png_structp Png, png_bytep Data, png_size_t Count) {
  auto* Ctx = static_cast<TPngWriteContext*>(png_get_io_ptr(Png));
  bool Ok = true;
  try {
    Ctx->Out->insert(Ctx->Out->end(), Data, Data + Count);
  } catch (...) {
    Ok = false;
  }
  if (!Ok) {
    Ctx->Error.SetOwn("Out of memory encoding PNG");
    png_error(Png, "out of memory");
  }
}

void FlushMemory(png_structp) {}

bool RunPngEncode(png_structp Png, png_infop Info, TPngWriteContext& Ctx) {
  if (setjmp(png_jmpbuf(Png))) return false;
  const TRawImage& Img = *Ctx.Image;
  png_set_write_fn(Png, &Ctx, WriteToMemory, FlushMemory);
  png_set_IHDR(Png, Info, static_cast<png_uint_32>(Img.Width), static_cast<png_uint_32>(Img.Height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(Png, Info);
  Ctx.Row = static_cast<png_bytep>(std::malloc(std::size_t(Img.Width) * 3));
  if (!Ctx.Row) {
    Ctx.Error.SetOwn("Out of memory encoding PNG");
    return false;
  }
  for (int y = 0; y < Img.Height; ++y) {
    const TColor* Src = Img.Pixels.data() + std::size_t(y) * Img.Width;
    for (int x = 0; x < Img.Width; ++x) {
      Ctx.Row[3 * x] = ColorR(Src[x]);
      Ctx.Row[3 * x + 1] = ColorG(Src[x]);
      Ctx.Row[3 * x + 2] = ColorB(Src[x]);
    }
    png_write_row(Png, Ctx.Row);
  }
  png_write_end(Png, Info);
  return true;
}

}  // namespace

TRawImage DecodePng(const uint8_t* Data, std::size_t Size) {
  if (!Data || Size < 8 || png_sig_cmp(Data, 0, 8) != 0) throw EInvalidGraphic("Not a PNG file");
  TRawImage Img;
  TPngReadContext Ctx;
  Ctx.Data = Data;
  Ctx.Size = Size;
  Ctx.Image = &Img;
  png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &Ctx.Error, OnPngError, OnPngWarning);
  if (!Png) throw EInvalidGraphic("Cannot create a PNG reader");
  png_infop Info = png_create_info_struct(Png);
  bool Ok = false;
  try {
    Ok = Info && RunPngDecode(Png, Info, Ctx);
  } catch (...) {  // bad_alloc from the pixel array
    png_destroy_read_struct(&Png, Info ? &Info : nullptr, nullptr);
    std::free(Ctx.Rows);
    throw;
  }
  png_destroy_read_struct(&Png, Info ? &Info : nullptr, nullptr);
  std::free(Ctx.Rows);
  if (!Ok) throw EInvalidGraphic(Ctx.Error.Text[0] ? Ctx.Error.Text : "Invalid PNG file");
  CompositeOnWhite(Img);
  return Img;
}

std::vector<uint8_t> EncodePng(const TRawImage& Image) {
  CheckEncodeImage(Image, "PNG");
  std::vector<uint8_t> Out;
  TPngWriteContext Ctx;
  Ctx.Out = &Out;
  Ctx.Image = &Image;
  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &Ctx.Error, OnPngError, OnPngWarning);
  if (!Png) throw EInvalidGraphic("Cannot create a PNG writer");
  png_infop Info = png_create_info_struct(Png);
  const bool Ok = Info && RunPngEncode(Png, Info, Ctx);
  png_destroy_write_struct(&Png, Info ? &Info : nullptr);
  std::free(Ctx.Row);
  if (!Ok) throw EInvalidGraphic(Ctx.Error.Text[0] ? Ctx.Error.Text : "Cannot write PNG");
  return Out;
}

}  // namespace orq
