// Calibration blocks read into and written from a map control.
#include "CalibXmlElements.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/Streams.h"
#include "orqplatform/TextFile.h"

namespace orq {

void TGeoMap::WriteCalDataToOpenXMLFile(TTextFile& OutFile, bool WithHeader, const std::string& DataID) {
  CalcExtentsAndResolution();
  FCalibData.MapFName = FMapImgName;
  WriteRawCalDataToOpenXMLFile(OutFile, WithHeader, DataID, FCalibData, FCalibModel);
}

void TGeoMap::SaveCalDataAsXML(const std::string& FileName, const std::string& DataID) {
  TTextFile f;
  f.AssignFile(FileName);
  f.Rewrite();
  WriteCalDataToOpenXMLFile(f, true, DataID);
  f.Close();
}

void TGeoMap::SaveCalDataAsXML(TStream* OutStream, const std::string& DataID) {
  CalcExtentsAndResolution();
  FCalibData.MapFName = FMapImgName;
  WriteRawCalDataToStream(OutStream, DataID, FCalibData, FCalibModel);
}

bool TGeoMap::ReadCalDataFromOpenXMLFile(TTextFile& InFile, const std::string& DataID) {
  return ReadCalDataIntern(true, &InFile, nullptr, DataID);
}

bool TGeoMap::LoadCalDataFromXML(const std::string& FName, const std::string& DataID) {
  TTextFile f(FName);
  f.SetIOChecks(false);
  f.Reset();
  if (f.IOResult() != 0) return false;
  f.SetIOChecks(true);
  const bool result = ReadCalDataIntern(true, &f, nullptr, DataID);
  f.Close();
  return result;
}

bool TGeoMap::LoadCalDataFromXML(TMemoryStream* InStream, const std::string& DataID) {
  return ReadCalDataIntern(false, nullptr, InStream, DataID);
}

bool TGeoMap::ReadCalDataIntern(bool FromTextFile, TTextFile* InFile, TStream* InStream, const std::string& DataID) {
  if (FromTextFile ? InFile == nullptr : InStream == nullptr) return false;
  const TXmlLineSource lines = FromTextFile ? TextFileLines(*InFile) : StreamLines(InStream);
  // Every signature line met hands over its header, matching or not.
  const bool found = FindSignatureLine(lines, GeoMapXmlTags[xtGeoMap], DataID,
                                       [this](const std::string& Line, const std::string& Lower) {
                                         FCalibModel = cmUndefined;
                                         if (Lower.find("model=\"") != std::string::npos)
                                           FCalibModel = CalibModelFromName(SignatureAttribute(Lower, Lower, "model=\""));
                                         FCalibData.MapFName = SignatureAttribute(Lower, Lower, "map=\"");
                                         FCalibData.Caption = SignatureAttribute(Line, Lower, "caption=\"");
                                       });
  if (!found) return false;

  ClearCalibData();
  ReadCalibElements(FromTextFile ? TextFileTags(*InFile) : StreamTags(InStream), FCalibData, true,
                    [this](const std::string& Tail) { return ComponentMessage(Tail); });

  const bool result = RecalcGratMat();
  if (!FCalibData.MapFName.empty()) SetMapImgName(FCalibData.MapFName);
  RefitQuadrupleModel();
  return result;
}

}  // namespace orq
