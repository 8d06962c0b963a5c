// JPEG through libjpeg-turbo. Greyscale, YCbCr/RGB and CMYK/YCCK files are
// read (CMYK converted to RGB; Adobe files store the inks inverted), baseline,
// extended and progressive. A file cut inside its image data is an error
// rather than a grey lower half; a file that lacks only its end marker, or a
// progressive file cut between two scans, gives the picture it holds. Images
// are written as YCbCr or grey, baseline or progressive.
//
// libjpeg reports errors through error_exit, which must not return; we
// longjmp back into the function that called setjmp. That function and the
// callbacks keep no objects with destructors, so none is skipped.
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "CodecLimits.h"

namespace orq {

using namespace imgcodec;

namespace {

// A progressive file may hold any number of scans; past this many it is
// hostile (each scan re-walks the whole coefficient buffer).
constexpr long kMaxScans = 1000;

struct TJpegError {
  jpeg_error_mgr Manager;  // first, so the libjpeg pointer converts back
  std::jmp_buf Jump;
  char Text[JMSG_LENGTH_MAX + 64] = "";
  bool SawEnd = false;  // the data ran out; libjpeg goes on as if it had met EOI
};

void SetText(TJpegError& Err, const char* Message) {
  if (!Err.Text[0]) std::snprintf(Err.Text, sizeof Err.Text, "%s", Message);
}

[[noreturn]] void OnErrorExit(j_common_ptr Info) {
  auto* Err = reinterpret_cast<TJpegError*>(Info->err);
  char Buffer[JMSG_LENGTH_MAX];
  Info->err->format_message(Info, Buffer);
  // Any failure after the data ran out comes from the cut.
  if (Err->SawEnd) SetText(*Err, "JPEG file truncated");
  if (!Err->Text[0]) std::snprintf(Err->Text, sizeof Err->Text, "Invalid JPEG file: %s", Buffer);
  std::longjmp(Err->Jump, 1);
}

// Warnings are tolerated (many cameras write slightly broken files), except
// running out of data while the entropy decoder still needs bits: that is a
// truncated file. Running out only where a marker was due (the EOI, or the
// next scan of a progressive file) leaves a complete picture.
void OnEmitMessage(j_common_ptr Info, int Level) {
  auto* Err = reinterpret_cast<TJpegError*>(Info->err);
  if (Level >= 0) return;
  if (Info->err->msg_code == JWRN_JPEG_EOF) Err->SawEnd = true;
  if (Info->err->msg_code == JWRN_HIT_MARKER && Err->SawEnd) {
    SetText(*Err, "JPEG file truncated");
    std::longjmp(Err->Jump, 1);
  }
}

void OnOutputMessage(j_common_ptr) {}

void InitErrorManager(TJpegError& Err) {
  jpeg_std_error(&Err.Manager);
  Err.Manager.error_exit = OnErrorExit;
  Err.Manager.emit_message = OnEmitMessage;
  Err.Manager.output_message = OnOutputMessage;
}

void OnLibProgress(j_common_ptr Info) {
  if (!Info->is_decompressor) return;
  auto* D = reinterpret_cast<j_decompress_ptr>(Info);
  if (D->input_scan_number > kMaxScans) {
    SetText(*reinterpret_cast<TJpegError*>(Info->err), "Invalid JPEG file: too many scans");
    std::longjmp(reinterpret_cast<TJpegError*>(Info->err)->Jump, 1);
  }
}

struct TJpegDecodeContext {
  jpeg_decompress_struct Info;
  TJpegError Err;
  jpeg_progress_mgr ScanGuard;
  const uint8_t* Data = nullptr;
  std::size_t Size = 0;
  TRawImage* Image = nullptr;
  TProgressSteps Progress;
};

// Huffman coding spends at least one bit on the DC value of each 8 x 8 block,
// so a file far smaller than that is truncated; checked before allocating.
bool PlausibleSize(const jpeg_decompress_struct& Info, std::size_t FileSize) {
  if (Info.arith_code) return true;
  const uint64_t Blocks = (uint64_t{Info.image_width} + 7) / 8 * ((uint64_t{Info.image_height} + 7) / 8);
  return Blocks <= uint64_t{FileSize} * 8 + 64;
}

// What the decoder hands out: grey stays grey, CMYK and YCCK come as CMYK
// (StoreRow converts), everything else as RGB.
void ChooseOutputColorSpace(jpeg_decompress_struct& Info) {
  switch (Info.jpeg_color_space) {
    case JCS_GRAYSCALE: Info.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: Info.out_color_space = JCS_CMYK; break;
    default: Info.out_color_space = JCS_RGB; break;
  }
}

void StoreRow(const jpeg_decompress_struct& Info, const JSAMPLE* Row, bool AdobeInverted, TColor* Out) {
  const JDIMENSION W = Info.output_width;
  switch (Info.out_color_space) {
    case JCS_GRAYSCALE:
      for (JDIMENSION x = 0; x < W; ++x) Out[x] = RGBToColor(Row[x], Row[x], Row[x]);
      break;
    case JCS_CMYK:
      for (JDIMENSION x = 0; x < W; ++x) {
        const JSAMPLE* P = Row + 4 * x;
        uint32_t C = P[0], M = P[1], Y = P[2], K = P[3];
        if (!AdobeInverted) C = 255 - C, M = 255 - M, Y = 255 - Y, K = 255 - K;
        // Now 255 means no ink: each channel is what the ink lets through.
        Out[x] = RGBToColor((C * K + 127) / 255, (M * K + 127) / 255, (Y * K + 127) / 255);
      }
      break;
    default:
      for (JDIMENSION x = 0; x < W; ++x) Out[x] = RGBToColor(Row[3 * x], Row[3 * x + 1], Row[3 * x + 2]);
      break;
  }
}

bool RunJpegDecode(TJpegDecodeContext& Ctx) {
  jpeg_decompress_struct& Info = Ctx.Info;
  if (setjmp(Ctx.Err.Jump)) return false;
  jpeg_create_decompress(&Info);
  Ctx.ScanGuard.progress_monitor = OnLibProgress;
  Info.progress = &Ctx.ScanGuard;
  jpeg_mem_src(&Info, Ctx.Data, static_cast<unsigned long>(Ctx.Size));
  jpeg_read_header(&Info, TRUE);

  if (Info.image_width == 0 || Info.image_height == 0 || Info.image_width > kMaxImageDimension ||
      Info.image_height > kMaxImageDimension ||
      int64_t{Info.image_width} * Info.image_height > kMaxImagePixels) {
    std::snprintf(Ctx.Err.Text, sizeof Ctx.Err.Text, "JPEG image too large to decode (%u x %u)",
                  static_cast<unsigned>(Info.image_width), static_cast<unsigned>(Info.image_height));
    return false;
  }
  if (!PlausibleSize(Info, Ctx.Size)) {
    SetText(Ctx.Err, "JPEG file truncated");
    return false;
  }
  ChooseOutputColorSpace(Info);
  const bool AdobeInverted = Info.saw_Adobe_marker;
  jpeg_start_decompress(&Info);

  TRawImage& Img = *Ctx.Image;
  Img.Width = static_cast<int>(Info.output_width);
  Img.Height = static_cast<int>(Info.output_height);
  Img.SourceBitsPerPixel = Info.out_color_space == JCS_GRAYSCALE ? 8 : 24;
  Img.Pixels.resize(std::size_t{Info.output_width} * Info.output_height);
  JSAMPARRAY Row = (*Info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&Info), JPOOL_IMAGE,
                                             Info.output_width * Info.output_components, 1);
  Ctx.Progress.Report(0, 1);
  while (Info.output_scanline < Info.output_height) {
    const JDIMENSION y = Info.output_scanline;
    jpeg_read_scanlines(&Info, Row, 1);
    StoreRow(Info, Row[0], AdobeInverted, Img.Pixels.data() + std::size_t{y} * Info.output_width);
    Ctx.Progress.Report(Info.output_scanline, Info.output_height);
  }
  jpeg_finish_decompress(&Info);
  return true;
}

struct TJpegEncodeContext {
  jpeg_compress_struct Info;
  TJpegError Err;
  const TRawImage* Image = nullptr;
  TJpegWriteOptions Options;
  unsigned char* Buffer = nullptr;  // malloc'ed by libjpeg, freed by the caller
  unsigned long BufferSize = 0;
  JSAMPLE* Row = nullptr;           // freed by the caller
  TProgressSteps Progress;
};

bool RunJpegEncode(TJpegEncodeContext& Ctx) {
  jpeg_compress_struct& Info = Ctx.Info;
  if (setjmp(Ctx.Err.Jump)) return false;
  jpeg_create_compress(&Info);
  jpeg_mem_dest(&Info, &Ctx.Buffer, &Ctx.BufferSize);
  const TRawImage& Img = *Ctx.Image;
  Info.image_width = static_cast<JDIMENSION>(Img.Width);
  Info.image_height = static_cast<JDIMENSION>(Img.Height);
  Info.input_components = 3;
  Info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&Info);
  if (Ctx.Options.Grayscale) jpeg_set_colorspace(&Info, JCS_GRAYSCALE);
  jpeg_set_quality(&Info, Ctx.Options.Quality, TRUE);
  if (Ctx.Options.Progressive) jpeg_simple_progression(&Info);
  jpeg_start_compress(&Info, TRUE);
  Ctx.Row = static_cast<JSAMPLE*>(std::malloc(std::size_t(Img.Width) * 3));
  if (!Ctx.Row) {
    SetText(Ctx.Err, "Out of memory encoding JPEG");
    return false;
  }
  Ctx.Progress.Report(0, 1);
  while (Info.next_scanline < Info.image_height) {
    const TColor* Src = Img.Pixels.data() + std::size_t{Info.next_scanline} * Info.image_width;
    for (int x = 0; x < Img.Width; ++x) {
      Ctx.Row[3 * x] = ColorR(Src[x]);
      Ctx.Row[3 * x + 1] = ColorG(Src[x]);
      Ctx.Row[3 * x + 2] = ColorB(Src[x]);
    }
    JSAMPROW Rows[1] = {Ctx.Row};
    jpeg_write_scanlines(&Info, Rows, 1);
    Ctx.Progress.Report(Info.next_scanline, Info.image_height);
  }
  jpeg_finish_compress(&Info);
  return true;
}

}  // namespace

TRawImage DecodeJpeg(const uint8_t* Data, std::size_t Size, const TCodecProgress& Progress) {
  if (!Data || Size < 3 || Data[0] != 0xFF || Data[1] != 0xD8) throw EInvalidGraphic("Not a JPEG file");
  TRawImage Img;
  // Heap-allocated: the libjpeg structures are large, and they must stay put
  // while libjpeg holds pointers into them.
  auto* Ctx = new TJpegDecodeContext();
  Ctx->Data = Data;
  Ctx->Size = Size;
  Ctx->Image = &Img;
  Ctx->Progress.Callback = &Progress;
  InitErrorManager(Ctx->Err);
  Ctx->Info.err = &Ctx->Err.Manager;
  bool Ok = false;
  try {
    Ok = RunJpegDecode(*Ctx);
  } catch (...) {  // bad_alloc, or an exception from the progress callback
    jpeg_destroy_decompress(&Ctx->Info);
    delete Ctx;
    throw;
  }
  jpeg_destroy_decompress(&Ctx->Info);
  const std::string Message = Ctx->Err.Text[0] ? Ctx->Err.Text : "Invalid JPEG file";
  delete Ctx;
  if (!Ok) throw EInvalidGraphic(Message);
  return Img;
}

std::vector<uint8_t> EncodeJpeg(const TRawImage& Image, int Quality, const TCodecProgress& Progress) {
  TJpegWriteOptions Options;
  Options.Quality = Quality;
  return EncodeJpeg(Image, Options, Progress);
}

std::vector<uint8_t> EncodeJpeg(const TRawImage& Image, const TJpegWriteOptions& Options,
                                const TCodecProgress& Progress) {
  CheckEncodeImage(Image, "JPEG");
  if (Image.Width > JPEG_MAX_DIMENSION || Image.Height > JPEG_MAX_DIMENSION)
    throw EInvalidGraphic("Image too large for a JPEG file (at most " + std::to_string(JPEG_MAX_DIMENSION) +
                          " pixels a side)");
  auto* Ctx = new TJpegEncodeContext();
  Ctx->Image = &Image;
  Ctx->Options = Options;
  Ctx->Options.Quality = std::clamp(Options.Quality, 1, 100);
  Ctx->Progress.Callback = &Progress;
  InitErrorManager(Ctx->Err);
  Ctx->Info.err = &Ctx->Err.Manager;
  auto Release = [Ctx] {
    jpeg_destroy_compress(&Ctx->Info);
    std::free(Ctx->Buffer);
    std::free(Ctx->Row);
    delete Ctx;
  };
  bool Ok = false;
  std::vector<uint8_t> Out;
  try {
    Ok = RunJpegEncode(*Ctx);
    if (Ok) Out.assign(Ctx->Buffer, Ctx->Buffer + Ctx->BufferSize);
  } catch (...) {
    Release();
    throw;
  }
  const std::string Message = Ctx->Err.Text[0] ? Ctx->Err.Text : "Cannot write JPEG";
  Release();
  if (!Ok) throw EInvalidGraphic(Message);
  return Out;
}

// ---- row by row -------------------------------------------------------------

namespace {

// The functions that call setjmp keep only trivially destructible locals.
struct TRowReadContext {
  jpeg_decompress_struct Info;
  TJpegError Err;
  jpeg_progress_mgr ScanGuard;
  std::FILE* File = nullptr;
  long long FileSize = 0;
  bool AdobeInverted = false;
  bool Created = false;
  bool Failed = false;
  JSAMPARRAY Row = nullptr;
};

bool OpenRowReader(TRowReadContext& C) {
  jpeg_decompress_struct& Info = C.Info;
  if (setjmp(C.Err.Jump)) return false;
  jpeg_create_decompress(&Info);
  C.Created = true;
  C.ScanGuard.progress_monitor = OnLibProgress;
  Info.progress = &C.ScanGuard;
  jpeg_stdio_src(&Info, C.File);
  jpeg_read_header(&Info, TRUE);
  if (Info.image_width == 0 || Info.image_height == 0 ||
      (Info.progressive_mode && int64_t{Info.image_width} * Info.image_height > kMaxImagePixels)) {
    std::snprintf(C.Err.Text, sizeof C.Err.Text, "JPEG image too large to decode by rows (%u x %u, progressive)",
                  static_cast<unsigned>(Info.image_width), static_cast<unsigned>(Info.image_height));
    return false;
  }
  if (!PlausibleSize(Info, static_cast<std::size_t>(C.FileSize))) {
    SetText(C.Err, "JPEG file truncated");
    return false;
  }
  ChooseOutputColorSpace(Info);
  C.AdobeInverted = Info.saw_Adobe_marker;
  jpeg_start_decompress(&Info);
  C.Row = (*Info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&Info), JPOOL_IMAGE,
                                    Info.output_width * Info.output_components, 1);
  return true;
}

bool ReadRowRange(TRowReadContext& C, int Count, TColor* Out, int& Done) {
  jpeg_decompress_struct& Info = C.Info;
  if (setjmp(C.Err.Jump)) return false;
  while (Done < Count && Info.output_scanline < Info.output_height) {
    jpeg_read_scanlines(&Info, C.Row, 1);
    if (Out) StoreRow(Info, C.Row[0], C.AdobeInverted, Out + std::size_t(Done) * Info.output_width);
    ++Done;
  }
  return true;
}

bool SkipRowRange(TRowReadContext& C, int Count, int& Done) {
  if (setjmp(C.Err.Jump)) return false;
  const JDIMENSION left = C.Info.output_height - C.Info.output_scanline;
  Done = static_cast<int>(jpeg_skip_scanlines(&C.Info, std::min<JDIMENSION>(left, static_cast<JDIMENSION>(Count))));
  return true;
}

struct TRowWriteContext {
  jpeg_compress_struct Info;
  TJpegError Err;
  std::FILE* File = nullptr;
  bool Created = false;
  bool Failed = false;
  JSAMPLE* Row = nullptr;
};

bool StartRowWriter(TRowWriteContext& C, int Width, int Height, const TJpegWriteOptions& Options) {
  jpeg_compress_struct& Info = C.Info;
  if (setjmp(C.Err.Jump)) return false;
  jpeg_create_compress(&Info);
  C.Created = true;
  jpeg_stdio_dest(&Info, C.File);
  Info.image_width = static_cast<JDIMENSION>(Width);
  Info.image_height = static_cast<JDIMENSION>(Height);
  Info.input_components = 3;
  Info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&Info);
  if (Options.Grayscale) jpeg_set_colorspace(&Info, JCS_GRAYSCALE);
  jpeg_set_quality(&Info, std::clamp(Options.Quality, 1, 100), TRUE);
  jpeg_start_compress(&Info, TRUE);
  return true;
}

bool WriteOneRow(TRowWriteContext& C, const TColor* Src) {
  if (setjmp(C.Err.Jump)) return false;
  for (JDIMENSION x = 0; x < C.Info.image_width; ++x) {
    C.Row[3 * x] = ColorR(Src[x]);
    C.Row[3 * x + 1] = ColorG(Src[x]);
    C.Row[3 * x + 2] = ColorB(Src[x]);
  }
  JSAMPROW Rows[1] = {C.Row};
  jpeg_write_scanlines(&C.Info, Rows, 1);
  return true;
}

bool FinishRowWriter(TRowWriteContext& C) {
  if (setjmp(C.Err.Jump)) return false;
  jpeg_finish_compress(&C.Info);
  return true;
}

}  // namespace

struct TJpegRowReader::TState : TRowReadContext {};

TJpegRowReader::TJpegRowReader(const std::string& FileName) : F(new TState()) {
  F->File = std::fopen(FileName.c_str(), "rb");
  if (!F->File) {
    delete F;
    throw EFOpenError("Cannot open file \"" + FileName + "\"");
  }
  if (std::fseek(F->File, 0, SEEK_END) == 0) F->FileSize = std::ftell(F->File);
  std::rewind(F->File);
  InitErrorManager(F->Err);
  F->Info.err = &F->Err.Manager;
  unsigned char Magic[2] = {0, 0};
  const bool IsJpeg = std::fread(Magic, 1, 2, F->File) == 2 && Magic[0] == 0xFF && Magic[1] == 0xD8;
  std::rewind(F->File);
  const bool Ok = IsJpeg && OpenRowReader(*F);
  if (!Ok) {
    const std::string Message = !IsJpeg ? "Not a JPEG file" : F->Err.Text[0] ? F->Err.Text : "Invalid JPEG file";
    if (F->Created) jpeg_destroy_decompress(&F->Info);
    std::fclose(F->File);
    delete F;
    throw EInvalidGraphic(Message);
  }
}

TJpegRowReader::~TJpegRowReader() {
  jpeg_destroy_decompress(&F->Info);
  std::fclose(F->File);
  delete F;
}

int TJpegRowReader::Width() const { return static_cast<int>(F->Info.output_width); }
int TJpegRowReader::Height() const { return static_cast<int>(F->Info.output_height); }
int TJpegRowReader::SourceBitsPerPixel() const { return F->Info.out_color_space == JCS_GRAYSCALE ? 8 : 24; }
int TJpegRowReader::NextRow() const { return static_cast<int>(F->Info.output_scanline); }

int TJpegRowReader::ReadRows(int Count, std::vector<TColor>& Rows) {
  if (F->Failed) throw EInvalidGraphic(F->Err.Text[0] ? F->Err.Text : "Invalid JPEG file");
  const int Left = Height() - NextRow();
  const int Want = std::clamp(Count, 0, Left);
  Rows.resize(std::size_t(Want) * F->Info.output_width);
  int Done = 0;
  if (!ReadRowRange(*F, Want, Rows.data(), Done)) {
    F->Failed = true;
    throw EInvalidGraphic(F->Err.Text[0] ? F->Err.Text : "Invalid JPEG file");
  }
  return Done;
}

int TJpegRowReader::SkipRows(int Count) {
  if (F->Failed) throw EInvalidGraphic(F->Err.Text[0] ? F->Err.Text : "Invalid JPEG file");
  if (Count <= 0) return 0;
  int Done = 0;
  if (!SkipRowRange(*F, Count, Done)) {
    F->Failed = true;
    throw EInvalidGraphic(F->Err.Text[0] ? F->Err.Text : "Invalid JPEG file");
  }
  return Done;
}

struct TJpegRowWriter::TState : TRowWriteContext {
  std::string FileName;
};

TJpegRowWriter::TJpegRowWriter(const std::string& FileName, int Width, int Height, const TJpegWriteOptions& Options)
    : F(nullptr) {
  if (Width <= 0 || Height <= 0 || Width > JPEG_MAX_DIMENSION || Height > JPEG_MAX_DIMENSION)
    throw EInvalidGraphic("Cannot write a JPEG file of " + std::to_string(Width) + " x " + std::to_string(Height) +
                          " pixels");
  F = new TState();
  F->FileName = FileName;
  F->File = std::fopen(FileName.c_str(), "wb");
  if (!F->File) {
    delete F;
    throw EFCreateError("Cannot create file \"" + FileName + "\"");
  }
  InitErrorManager(F->Err);
  F->Info.err = &F->Err.Manager;
  F->Row = static_cast<JSAMPLE*>(std::malloc(std::size_t(Width) * 3));
  if (!F->Row || !StartRowWriter(*F, Width, Height, Options)) {
    const std::string Message = F->Err.Text[0] ? F->Err.Text : "Cannot write JPEG";
    if (F->Created) jpeg_destroy_compress(&F->Info);
    std::fclose(F->File);
    std::remove(FileName.c_str());
    std::free(F->Row);
    delete F;
    throw EInvalidGraphic(Message);
  }
}

TJpegRowWriter::~TJpegRowWriter() {
  if (!F) return;
  jpeg_destroy_compress(&F->Info);
  if (F->File) {
    std::fclose(F->File);
    std::remove(F->FileName.c_str());
  }
  std::free(F->Row);
  delete F;
}

void TJpegRowWriter::WriteRow(const TColor* Row) {
  if (!F->File || F->Failed || F->Info.next_scanline >= F->Info.image_height)
    throw EInvalidGraphic("JPEG row writer: no row expected");
  if (!WriteOneRow(*F, Row)) {
    F->Failed = true;
    throw EInvalidGraphic(F->Err.Text[0] ? F->Err.Text : "Cannot write JPEG");
  }
}

void TJpegRowWriter::Close() {
  if (!F->File) return;
  if (F->Failed || F->Info.next_scanline != F->Info.image_height)
    throw EInvalidGraphic("JPEG row writer closed before its last row");
  const bool Ok = FinishRowWriter(*F);
  const bool Flushed = std::fflush(F->File) == 0 && !std::ferror(F->File);
  const bool Closed = std::fclose(F->File) == 0;
  F->File = nullptr;
  if (!Ok || !Flushed || !Closed) {
    std::remove(F->FileName.c_str());
    throw EInvalidGraphic("Cannot write JPEG file \"" + F->FileName + "\"");
  }
}

}  // namespace orq
