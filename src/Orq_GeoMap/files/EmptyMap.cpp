// TGeoMap's generated blank maps: written to disk and loaded, or kept in memory.
#include <memory>
#include <string>

#include "EmptyMapDrawing.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/FileUtils.h"
#include "orqplatform/TextFile.h"

namespace orq {

namespace {

const char* const GeneratedBlockId = BlankMapDataID;

// Draws a new bitmap for the normalised request; the caller has checked the size.
std::unique_ptr<TBitmap> DrawEmptyMap(TObject* Sender, const TEmptyMapRequest& Request, TPixelFormat Format,
                                      bool WithGraticule, const TOnDrawMapDataEvent& OnDrawMapData) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(Format);
  bmp->SetSize(Request.Wid, Request.Hgt);
  if (WithGraticule) DrawEmptyMapGraticule(*bmp->Canvas(), Request);
  if (OnDrawMapData)
    OnDrawMapData(Sender, bmp->Canvas(), Request.LatLow, Request.LongLow, Request.LatHigh, Request.LongHigh, Request.Wid,
                  Request.Hgt);
  return bmp;
}

// What makes the request unusable, or empty. Checked before any pixel is
// allocated: the image limit applies to generated maps too, and a request
// for a huge one must not take the memory first.
std::string RequestProblem(TEmptyMapRequest& Request) {
  std::string problem = NormaliseEmptyMapRequest(Request);
  if (problem.empty() && static_cast<long long>(Request.Wid) * Request.Hgt > MaxImagePixels)
    problem = "Cannot use map image, maximum of " + std::to_string(MaxImagePixels) +
              " pixels exceeded (size of map is " + std::to_string(Request.Wid) + " x " + std::to_string(Request.Hgt) +
              ")";
  return problem;
}

}  // namespace

void TGeoMap::CreateAndLoadEmptyMap(const std::string& FName, double LatLow, double LongLow, double LatHigh,
                                    double LongHigh, double dLat, double dLong, int Wid, int Hgt,
                                    const TOnDrawMapDataEvent& OnDrawMapData) {
  TEmptyMapRequest request{LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt};
  if (const std::string problem = RequestProblem(request); !problem.empty())
    throw EOrqGeoMapError(ComponentMessage(problem));
  const std::string xmlName = ChangeFileExt(FName, ".xml");
  const std::string bmpName = ChangeFileExt(FName, ".bmp");

  TCalibData cal = EmptyMapCalibration(request, true);
  DrawEmptyMap(this, request, pf4bit, true, OnDrawMapData)->SaveToFile(bmpName);

  ClearCalibData();
  cal.MapFName = bmpName;
  TTextFile xml;
  xml.AssignFile(xmlName);
  xml.Rewrite();
  WriteRawCalDataToOpenXMLFile(xml, true, GeneratedBlockId, cal, cmBiquadraticPn);
  xml.Close();

  LoadCalDataFromXML(xmlName, GeneratedBlockId);
  // The reader lower-cases the map attribute; on a case-sensitive file system
  // that names no file when the given name has capitals, so the image is then
  // loaded under the name it was written with.
  if (FMapImgName.empty() || !FileExists(FMapImgName)) SetMapImgName(bmpName);
  Paint();
}

void TGeoMap::CreateEmptyMapInMemory(double LatLow, double LongLow, double LatHigh, double LongHigh, double dLat,
                                     double dLong, int Wid, int Hgt, bool ShowGrid,
                                     const TOnDrawMapDataEvent& OnDrawMapData) {
  TEmptyMapRequest request{LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt};
  if (const std::string problem = RequestProblem(request); !problem.empty())
    throw EOrqGeoMapError(ComponentMessage(problem));
  TCalibData cal = EmptyMapCalibration(request, ShowGrid);
  SetMapBitMap(DrawEmptyMap(this, request, pf24bit, ShowGrid, OnDrawMapData).get());

  ClearCalibData();
  cal.MapFName = "$unknown$";
  FCalibModel = cmEquiRect;
  FCalibData = cal;
  RecalcCalibration();
  Paint();
}

}  // namespace orq
