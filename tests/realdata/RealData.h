// What the real-data tests share: where marble-data and the calibrations
// written by write-calibrations.sh are, skipping when they are not, and
// scratch folders.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "InProcessCommand.h"
#include "orqplatform/ImageCodecs.h"

namespace orq::cli::test {

namespace fs = std::filesystem;

inline fs::path MarbleData() { return ORQ_MARBLE_DATA_DIR; }
inline fs::path Calibrations() { return ORQ_REALDATA_CALIB_DIR; }

// In a test body: returns (skipping the test) when marble-data is absent.
#define ORQ_REQUIRE_MARBLE_DATA()                                                                            \
  do {                                                                                                       \
    if (!fs::exists(MarbleData() / "maps/earth/bluemarble/bluemarble.jpg"))                                  \
      GTEST_SKIP() << "marble-data is not installed (" << MarbleData()                                      \
                   << " missing): install it with scripts/install-deps.sh to run the real-data tests";     \
  } while (0)

// The same, and also when the calibrations of write-calibrations.sh are missing.
#define ORQ_REQUIRE_CALIBRATIONS()                                                                           \
  do {                                                                                                       \
    ORQ_REQUIRE_MARBLE_DATA();                                                                               \
    if (!fs::exists(Calibrations() / "world/bluemarble.xml"))                                                \
      GTEST_SKIP() << "no calibrations in " << Calibrations()                                               \
                   << ": run ctest (its fixture runs tests/realdata/write-calibrations.sh) or the script";  \
  } while (0)

class ScratchDir : public ::testing::Test {
 protected:
  ScratchDir() {
    static std::atomic<int> counter{0};
    Dir = fs::temp_directory_path() / ("orq_realdata_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  ~ScratchDir() override {
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  std::string At(const std::string& Name) const { return (Dir / Name).string(); }
  fs::path Dir;
};

inline std::vector<uint8_t> ReadBytes(const fs::path& File) {
  std::ifstream in(File, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline TRawImage DecodeFile(const fs::path& File) {
  const std::vector<uint8_t> bytes = ReadBytes(File);
  return DecodeImage(bytes.data(), bytes.size());
}

inline void WriteBytes(const fs::path& File, const std::vector<uint8_t>& Bytes) {
  std::ofstream(File, std::ios::binary)
      .write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
}

}  // namespace orq::cli::test
