// The map image: loading it from a file, saving it with its calibration,
// renaming its file.
#include <fstream>
#include <iterator>
#include <vector>

#include "orqbase/StringUtils.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/FileUtils.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/JPEGImage.h"

namespace orq {

namespace {

enum class TMapImageKind { None, Bmp, Jpeg, Png };

TMapImageKind KindOfExtension(const std::string& FileName) {
  const std::string ext = LowerCase(ExtractFileExt(FileName));
  if (ext == ".jpg" || ext == ".jpeg") return TMapImageKind::Jpeg;
  if (ext == ".bmp") return TMapImageKind::Bmp;
  if (ext == ".png") return TMapImageKind::Png;
  return TMapImageKind::None;
}

void LoadPng(const std::string& FileName, TBitmap& Into) {
  std::ifstream in(FileName, std::ios::binary);
  if (!in) throw EInvalidGraphic("Cannot read PNG file \"" + FileName + "\"");
  const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TRawImage raw = DecodePng(data.data(), data.size());
  Into.AdoptPixels(raw.Width, raw.Height, std::move(raw.Pixels), pf24bit);
}

}  // namespace

void TGeoMap::SetMapImgName(const std::string& value) {
  const std::string requested = value;
  std::string fileName = value;
  if (FOnMapImageRequest) FOnMapImageRequest(this, fileName);
  fileName = FindFileIgnoringCase(fileName);
  FCacheMag = 0;
  if (!FileExists(fileName)) {
    FMapImgName.clear();
    FMapImgWidth = FMapImgHeight = 0;
    Paint();
    return;
  }
  const TMapImageKind kind = KindOfExtension(fileName);
  if (kind != TMapImageKind::None) {
    // The size comes from the header, so an oversized image is refused before
    // memory is taken for its pixels; the previous image then stays.
    const TImageSize size = ReadImageSize(fileName);
    if (static_cast<long long>(size.Width) * size.Height > MaxImagePixels)
      throw EOrqGeoMapError(ComponentMessage("Cannot use map image, maximum of " + std::to_string(MaxImagePixels) +
                                             " pixels exceeded (size of map is " + std::to_string(size.Width) +
                                             " x " + std::to_string(size.Height) + ")"));
    // Decoded aside, so that a file the decoder rejects leaves the image too.
    TBitmap loaded;
    if (kind == TMapImageKind::Jpeg) {
      TJPEGImage jpeg;
      jpeg.SetOnProgress(FOnDataLoading);
      jpeg.LoadFromFile(fileName);
      loaded.Assign(&jpeg);
    } else if (kind == TMapImageKind::Bmp) {
      loaded.SetOnProgress(FOnDataLoading);
      loaded.LoadFromFile(fileName);
    } else {
      LoadPng(fileName, loaded);
    }
    GrafBmp->Assign(&loaded);
  }
  FMapImgName = requested;
  FMapImgWidth = GrafBmp->Width();
  FMapImgHeight = GrafBmp->Height();
  FAuxBmp->SetSize(FMapImgWidth, FMapImgHeight);
  FViewport.TopLeft = TPoint{0, 0};
  Paint();
}

}  // namespace orq
