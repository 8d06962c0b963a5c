#include "GdalSupport.h"

#include <cpl_conv.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <mutex>
#include <unistd.h>

namespace orq::gdal_detail {

void EnsureGdalRegistered() {
  static std::once_flag once;
  std::call_once(once, [] { GDALAllRegister(); });
}

TGdalErrorTrap::TGdalErrorTrap() {
  EnsureGdalRegistered();
  CPLErrorReset();
  CPLPushErrorHandlerEx(&TGdalErrorTrap::Handler, this);
}

TGdalErrorTrap::~TGdalErrorTrap() { CPLPopErrorHandler(); }

void CPL_STDCALL TGdalErrorTrap::Handler(CPLErr Class, CPLErrorNum, const char* Message) {
  auto* self = static_cast<TGdalErrorTrap*>(CPLGetErrorHandlerUserData());
  if (self && Class >= CE_Failure && Message) self->FMessage = Message;
}

void Fail(const std::string& File, const std::string& What, const TGdalErrorTrap* Trap) {
  std::string message = File + ": " + What;
  if (Trap && !Trap->LastMessage().empty()) {
    std::string gdal = Trap->LastMessage();
    std::replace(gdal.begin(), gdal.end(), '\n', ' ');
    message += " (GDAL: " + gdal + ")";
  }
  throw EOrqGdalError(message);
}

OGRSpatialReference Wgs84LonLat() { return EpsgCrs(4326); }

OGRSpatialReference EpsgCrs(int Code) {
  OGRSpatialReference srs;
  srs.importFromEPSG(Code);
  srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  return srs;
}

int UtmEpsg(int Zone, bool South) { return (South ? 32700 : 32600) + Zone; }

std::string LowerExtension(const std::string& Path) {
  std::string ext = std::filesystem::path(Path).extension().string();
  if (!ext.empty()) ext.erase(0, 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

void RemoveQuietly(const std::string& Path) {
  std::error_code ec;
  std::filesystem::remove(Path, ec);
}

TReplacingFile::TReplacingFile(std::string Target) : FTarget(std::move(Target)) {
  const std::filesystem::path t(FTarget);
  FTemporary = (t.parent_path() / ("." + t.stem().string() + ".partial-" + std::to_string(::getpid()) +
                                   t.extension().string()))
                   .string();
  RemoveQuietly(FTemporary);
}

TReplacingFile::~TReplacingFile() {
  if (!FCommitted) RemoveQuietly(FTemporary);
}

void TReplacingFile::Commit() {
  std::error_code ec;
  std::filesystem::rename(FTemporary, FTarget, ec);
  if (ec) throw EOrqGdalError(FTarget + ": cannot write the file (" + ec.message() + ")");
  FCommitted = true;
}

GDALDriver* DriverNamed(const char* Name, const std::string& File) {
  EnsureGdalRegistered();
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(Name);
  if (!driver) Fail(File, std::string("this GDAL has no ") + Name + " driver");
  return driver;
}

}  // namespace orq::gdal_detail
