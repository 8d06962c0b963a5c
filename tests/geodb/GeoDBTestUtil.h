// Shared helpers of the database tests: a scratch directory per test and
// raw access to the database files.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "orqcarta/Orq_GeoDB.h"

namespace orq::test {

namespace fs = std::filesystem;

inline const char* const kAllExts[7] = {".orqgdd", ".orqgds", ".orqgi0", ".orqgi1", ".orqgi2", ".orqgi3", ".orqgi4"};

class ScratchDir {
 public:
  ScratchDir() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "orq_geodb_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    if (info) name += std::string("_") + info->name();
    for (char& c : name)
      if (c == '/') c = '_';
    path_ = fs::temp_directory_path() / name;
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline int64_t SizeOf(const std::string& path) {
  std::error_code ec;
  const auto s = fs::file_size(path, ec);
  return ec ? -1 : static_cast<int64_t>(s);
}

inline int32_t I32At(const std::vector<uint8_t>& b, size_t at) {
  int32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}
inline float F32At(const std::vector<uint8_t>& b, size_t at) {
  float v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

inline TSCoords P(float lat, float lon) { return TSCoords{lat, lon}; }

// Short forms of the adds, with fixed user fields.
inline int AddTownAt(TGeoDB& db, const std::string& name, float lat, float lon, int32_t tag = 0) {
  std::string n = name;
  return db.AddTown(n, 45000.5, 0, P(lat, lon), 100.0f, 1, tag);
}

inline int AddRiverPts(TGeoDB& db, const std::string& name, const std::vector<TSCoords>& pts) {
  std::string n = name;
  return db.AddRiver(n, pts, 45000.5, 0, 0, 0, 0, 0, 0, 2, 0);
}

}  // namespace orq::test
