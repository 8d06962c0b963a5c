// The typed add and replace operations: thin wrappers around AddData and
// ReplaceData fixing the kind, the closed flag and the payload source.
#include <algorithm>

#include "orqcarta/Orq_GeoDB.h"
#include "orqplatform/FileUtils.h"

namespace orq {

namespace {

const std::vector<TSCoords> kNoPoints;
const TMetaInfo kNoMeta;

TMetaInfo WithFilePath(const TMetaInfo& MInfo, const std::string& FileName) {
  TMetaInfo m = MInfo;
  m.FilePath = FileName;  // cut to 127 characters
  return m;
}

// The name a file is stored under. Paths may come from the systems these
// databases come from, so '\\' separates too.
std::string ItemNameOfPath(std::string Path) {
  std::replace(Path.begin(), Path.end(), '\\', PathDelim);
  return ExtractFileName(Path);
}

}  // namespace

int TGeoDB::AddBorder(std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine, double Date,
                      int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                      uint8_t ClassNumber, int32_t UserTag) {
  return AddData(Name, Polygon, ClosedLine, gitBorder, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
                 LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

int TGeoDB::AddCity(std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine, double Date,
                    int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                    uint8_t ClassNumber, int32_t UserTag) {
  return AddData(Name, Polygon, ClosedLine, gitCity, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
                 LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

int TGeoDB::AddLake(std::string& Name, const std::vector<TSCoords>& Polygon, double Date, int32_t StateFlag,
                    float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                    int32_t UserTag) {
  return AddData(Name, Polygon, true, gitLake, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                 Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

int TGeoDB::AddRiver(std::string& Name, const std::vector<TSCoords>& Polygon, double Date, int32_t StateFlag,
                     float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                     int32_t UserTag) {
  return AddData(Name, Polygon, false, gitRiver, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                 Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

int TGeoDB::AddRoad(std::string& Name, const std::vector<TSCoords>& Polygon, double Date, int32_t StateFlag,
                    float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                    int32_t UserTag) {
  return AddData(Name, Polygon, false, gitRoad, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                 Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

int TGeoDB::AddRoute(std::string& Name, const std::vector<TSCoords>& Polygon, double Date, int32_t StateFlag,
                     float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                     int32_t UserTag) {
  return AddData(Name, Polygon, false, gitRoute, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                 Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

int TGeoDB::AddTown(std::string& Name, double Date, int32_t StateFlag, TSCoords Location, float Altitude,
                    uint8_t ClassNumber, int32_t UserTag) {
  return AddData(Name, kNoPoints, false, gitTown, ClassNumber, Date, StateFlag, Location.Latit, Location.Latit,
                 Location.Longit, Location.Longit, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

int TGeoDB::AddBLOBFromFile(const std::string& FileName, const std::string& NameInDB, double Date,
                            int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                            float Altitude, uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo) {
  std::string name = ItemNameOfPath(NameInDB);
  return AddData(name, kNoPoints, false, gitBLOB, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                 Altitude, UserTag, WithFilePath(MInfo, FileName), nullptr, 0, &FileName);
}

int TGeoDB::AddBLOB(const std::string& FileName, double Date, int32_t StateFlag, float LatLow, float LatHigh,
                    float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag,
                    const TMetaInfo& MInfo) {
  return AddBLOBFromFile(FileName, FileName, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude,
                         ClassNumber, UserTag, MInfo);
}

int TGeoDB::AddBLOB(const std::string& FileName, const std::string& FNameInDB, double Date, int32_t StateFlag,
                    float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                    int32_t UserTag, const TMetaInfo& MInfo) {
  return AddBLOBFromFile(FileName, FNameInDB, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude,
                         ClassNumber, UserTag, MInfo);
}

int TGeoDB::AddBLOB(const std::string& FileName, const std::string& FNameInDB, const std::string& OrgFilePath,
                    double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                    float Altitude, uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo) {
  const int pos = AddBLOBFromFile(FileName, FNameInDB, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                                  Altitude, ClassNumber, UserTag, MInfo);
  TMetaInfo stored;
  if (pos > 0 && GetMetaInfo(pos, stored)) {
    stored.FilePath = OrgFilePath;
    UpdateMetaInfo(pos, stored);
  }
  return pos;
}

int TGeoDB::AddBLOB(const std::string& Name, double Date, int32_t StateFlag, float LatLow, float LatHigh,
                    float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag,
                    const TMetaInfo& MInfo, const void* PBLOBData, int32_t SizeOfBLOBData) {
  std::string name = Name;
  return AddData(name, kNoPoints, false, gitBLOB, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                 Altitude, UserTag, MInfo, PBLOBData, SizeOfBLOBData, nullptr);
}

int TGeoDB::AddBLOB(const std::string& Name, double Date, int32_t StateFlag, float LatLow, float LatHigh,
                    float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag,
                    const TMetaInfo& MInfo, TMemoryStream* Data) {
  std::string name = Name;
  const void* bytes = Data ? Data->Memory() : nullptr;
  const int64_t size = Data ? Data->Size() : 0;
  return AddData(name, kNoPoints, false, gitBLOB, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                 Altitude, UserTag, MInfo, bytes, size, nullptr);
}

// --- replacing ----------------------------------------------------------------

void TGeoDB::ReplaceBorder(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine,
                           double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                           float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, ClosedLine, gitBorder, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
              LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

void TGeoDB::ReplaceCity(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine,
                         double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                         float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, ClosedLine, gitCity, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
              LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

void TGeoDB::ReplaceLake(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, double Date,
                         int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                         float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, true, gitLake, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
              LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

void TGeoDB::ReplaceRiver(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, double Date,
                          int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                          float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, false, gitRiver, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
              LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

void TGeoDB::ReplaceRoad(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, double Date,
                         int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                         float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, false, gitRoad, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
              LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

void TGeoDB::ReplaceRoute(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, double Date,
                          int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                          float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, false, gitRoute, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
              LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

void TGeoDB::ReplaceTown(int DBEntry, std::string& Name, double Date, int32_t StateFlag, TSCoords Location,
                         float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  ReplaceData(DBEntry, Name, kNoPoints, false, gitTown, ClassNumber, Date, StateFlag, Location.Latit,
              Location.Latit, Location.Longit, Location.Longit, Altitude, UserTag, kNoMeta, nullptr, 0, nullptr);
}

void TGeoDB::ReplaceBLOB(int DBEntry, const std::string& FileName, double Date, int32_t StateFlag, float LatLow,
                         float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                         int32_t UserTag, const TMetaInfo& MInfo) {
  std::string name = ItemNameOfPath(FileName);
  ReplaceData(DBEntry, name, kNoPoints, false, gitBLOB, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
              LongHigh, Altitude, UserTag, WithFilePath(MInfo, FileName), nullptr, 0, &FileName);
}

void TGeoDB::ReplaceBLOB(int DBEntry, const std::string& Name, double Date, int32_t StateFlag, float LatLow,
                         float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                         int32_t UserTag, const TMetaInfo& MInfo, const void* PBLOBData, int32_t SizeOfBLOBData) {
  std::string name = Name;
  ReplaceData(DBEntry, name, kNoPoints, false, gitBLOB, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
              LongHigh, Altitude, UserTag, MInfo, PBLOBData, SizeOfBLOBData, nullptr);
}

void TGeoDB::ReplaceBLOB(int DBEntry, const std::string& Name, double Date, int32_t StateFlag, float LatLow,
                         float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                         int32_t UserTag, const TMetaInfo& MInfo, TMemoryStream* Data) {
  std::string name = Name;
  const void* bytes = Data ? Data->Memory() : nullptr;
  const int64_t size = Data ? Data->Size() : 0;
  ReplaceData(DBEntry, name, kNoPoints, false, gitBLOB, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
              LongHigh, Altitude, UserTag, MInfo, bytes, size, nullptr);
}

}  // namespace orq
