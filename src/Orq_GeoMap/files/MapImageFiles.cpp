// Saving the map image with its calibration, and renaming the image file.
#include <string>

#include "orqbase/StringUtils.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/FileUtils.h"
#include "orqplatform/JPEGImage.h"

namespace orq {

void TGeoMap::SaveMap(const std::string& FileName, const std::string& DataID) {
  if (GrafBmp->Empty()) throw EOrqGeoMapError(ComponentMessage("there is no map image to save"));
  const std::string directory = ExtractFilePath(FileName);
  const std::string bareName = StripExtension(StripPath(FileName));
  const std::string previousName = FMapImgName;
  // The calibration names the image without a directory, so that the pair
  // of files can move together.
  FMapImgName = bareName + ".jpg";
  try {
    SaveCalDataAsXML(ChangeFileExt(FileName, ".xml"), DataID);
    TJPEGImage jpeg;
    jpeg.SetOnProgress(FOnDataLoading);
    jpeg.Assign(GrafBmp.get());
    jpeg.SaveToFile(directory + FMapImgName);
  } catch (...) {
    FMapImgName = previousName;
    throw;
  }
}

bool TGeoMap::RenameMapImg(const std::string& Name) {
  const std::string reduced = StripExtension(ExtractFileName(ReduceStringToFN83CompliantChars(Name)));
  // An empty name would leave only the extension: a hidden file, not a rename.
  if (reduced.empty() || FMapImgName.empty() || !FileExists(FMapImgName)) return false;
  const std::string newName = ExtractFilePath(FMapImgName) + reduced + ExtractFileExt(FMapImgName);
  // The platform refuses to replace another file; the image keeps its name then.
  if (!RenameFile(FMapImgName, newName)) return false;
  FMapImgName = newName;
  return true;
}

}  // namespace orq
