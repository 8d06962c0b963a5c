#include <utility>

#include "orqcarta/Orq_GeoMap.h"
#include "orqcarta/geomap/PageTarget.h"
#include "orqplatform/PictureFiles.h"

namespace orq {

TPngPageTarget::TPngPageTarget(std::string FileStem, int PageWidth, int PageHeight, int PixelsPerInch)
    : FStem(std::move(FileStem)), FWidth(PageWidth), FHeight(PageHeight), FPpi(PixelsPerInch) {
  if (PageWidth < 1 || PageHeight < 1 || PixelsPerInch < 1)
    throw EOrqGeoMapError("a page needs a positive size and resolution");
}

TPngPageTarget::~TPngPageTarget() = default;

void TPngPageTarget::BeginPage() {
  FPage = std::make_unique<TBitmap>();
  FPage->SetPixelFormat(pf24bit);
  FPage->SetSize(FWidth, FHeight);  // new pixels are white
}

void TPngPageTarget::EndPage() {
  if (!FPage) return;
  const std::string name = FStem + "-" + std::to_string(FWritten.size() + 1) + ".png";
  std::unique_ptr<TBitmap> page = std::move(FPage);
  try {
    SavePictureFile(*page, name);
  } catch (const Exception& e) {
    throw EOrqGeoMapError(std::string("cannot write page: ") + e.what());
  }
  FWritten.push_back(name);
}

}  // namespace orq
