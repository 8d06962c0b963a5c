// Helpers of the map file tests: scratch directories and raw file access.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/Streams.h"

namespace orq {

// A fresh directory for one test, removed with its contents afterwards.
class TScratchDir {
 public:
  TScratchDir() {
    static int serial = 0;
    FPath = std::filesystem::temp_directory_path() /
            ("orq_geomapfiles_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
    std::filesystem::create_directories(FPath);
  }
  ~TScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  std::string File(const std::string& Name) const { return (FPath / Name).string(); }

 private:
  std::filesystem::path FPath;
};

inline void WriteBytes(const std::string& FileName, const std::string& Bytes) {
  std::ofstream(FileName, std::ios::binary) << Bytes;
}

inline std::string ReadBytes(const std::string& FileName) {
  std::ifstream in(FileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string StreamBytes(TMemoryStream& S) {
  std::string bytes(static_cast<std::size_t>(S.Size()), '\0');
  S.SetPosition(0);
  if (!bytes.empty()) S.ReadBuffer(bytes.data(), S.Size());
  return bytes;
}

inline void FillStream(TMemoryStream& S, const std::string& Bytes) {
  S.SetSize(0);
  if (!Bytes.empty()) S.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
  S.SetPosition(0);
}

// Joins lines with CR LF after each.
inline std::string CrLf(std::initializer_list<std::string> Lines) {
  std::string out;
  for (const std::string& l : Lines) out += l + "\r\n";
  return out;
}

}  // namespace orq
