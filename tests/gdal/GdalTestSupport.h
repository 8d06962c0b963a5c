// Shared by the GDAL tests: a scratch directory, GDAL's programs run as the
// oracle, and calibrated maps of each model made with the library itself.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "orqcarta/Orq_GeoGdal.h"
#include "orqcarta/Orq_GeoMap.h"

namespace orq::test {

namespace fs = std::filesystem;

class TGdalScratch {
 public:
  TGdalScratch() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    FPath = fs::temp_directory_path() /
            ("orq_gdal_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" + (info ? info->name() : ""));
    fs::remove_all(FPath);
    fs::create_directories(FPath);
  }
  ~TGdalScratch() {
    std::error_code ec;
    fs::remove_all(FPath, ec);
  }
  std::string File(const std::string& Name) const { return (FPath / Name).string(); }
  const fs::path& Path() const { return FPath; }

 private:
  fs::path FPath;
};

struct TToolRun {
  int ExitCode = -1;
  std::string Out;
};

// Runs one of GDAL's programs with Args (already quoted as the shell needs),
// Input on its standard input; standard error is dropped.
inline TToolRun RunGdalTool(const std::string& Program, const std::string& Args, const std::string& Input = "") {
  char inputName[] = "/tmp/orq_gdal_inXXXXXX";
  const int fd = ::mkstemp(inputName);
  if (fd < 0) return {};
  const ssize_t written = ::write(fd, Input.data(), Input.size());
  ::close(fd);
  TToolRun run;
  if (written == static_cast<ssize_t>(Input.size())) {
    const std::string command =
        std::string(ORQ_GDAL_BIN_DIR) + "/" + Program + " " + Args + " < " + inputName + " 2>/dev/null";
    if (FILE* p = ::popen(command.c_str(), "r")) {
      char buffer[4096];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) run.Out.append(buffer, n);
      const int status = ::pclose(p);
      run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  ::unlink(inputName);
  return run;
}

inline std::string Quoted(const std::string& S) { return "'" + S + "'"; }

inline std::string ReadText(const std::string& Path) {
  std::ifstream f(Path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

inline void WriteText(const std::string& Path, const std::string& Text) {
  std::ofstream f(Path, std::ios::binary | std::ios::trunc);
  f << Text;
}

// A map of Width x Height pixels over the Alps, its image a generated BMP
// (Name.bmp in the scratch directory), calibrated by Quads in Model.
inline void MakeMap(TGeoMap& Map, const TGdalScratch& Dir, const std::string& Name, TCalibModel Model,
                    const std::vector<TCalQuad>& Quads, int Width = 600, int Height = 400) {
  Map.SetSuppressPaint(true);
  Map.CreateAndLoadEmptyMap(Dir.File(Name), 45, 5, 48, 11, 1, 1, Width, Height);
  TCalibData data = Map.CalibData();
  data.NumCalQuads = static_cast<int>(Quads.size());
  for (std::size_t i = 0; i < Quads.size(); ++i) data.CalQuads[i] = Quads[i];
  Map.SetCalibData(data);
  Map.SetCalibModel(Model);
}

// 25 quadruples on a 5 x 5 grid of pixels with a position law that is
// quadratic in the pixels plus a little scatter, so that no fit is exact.
inline std::vector<TCalQuad> CurvedQuads(int Width, int Height) {
  std::vector<TCalQuad> quads;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> scatter(-2e-4, 2e-4);
  for (int j = 0; j < 5; ++j)
    for (int i = 0; i < 5; ++i) {
      const int x = 20 + i * (Width - 40) / 4, y = 15 + j * (Height - 30) / 4;
      TCalQuad q;
      q.MapX = x;
      q.MapY = y;
      q.Longitude = 5 + x * 0.01 + 2e-6 * x * y + scatter(random);
      q.Latitude = 48 - y * 0.0075 + 1.5e-6 * x * x + scatter(random);
      quads.push_back(q);
    }
  return quads;
}

// Quadruples in metres of UTM zone 32 north: an affine law of the pixels
// with a slight rotation, plus scatter.
inline std::vector<TCalQuad> UtmQuads(int Width, int Height) {
  std::vector<TCalQuad> quads;
  std::mt19937 random(11);
  std::uniform_real_distribution<double> scatter(-3, 3);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) {
      const int x = 10 + i * (Width - 20) / 3, y = 10 + j * (Height - 20) / 3;
      TCalQuad q;
      q.MapX = x;
      q.MapY = y;
      q.Longitude = 480000 + 50.0 * x + 0.8 * y + scatter(random);    // easting
      q.Latitude = 5250000 - 50.0 * y + 0.5 * x + scatter(random);    // northing
      quads.push_back(q);
    }
  return quads;
}

inline void SetUtmZone(TGeoMap& Map, int Zone, bool South) {
  TCalibData data = Map.CalibData();
  data.UTMZone = Zone;
  data.UTMSouth = South;
  data.Ellipsoid = gelWGS84;
  Map.SetCalibData(data);
  Map.RecalcCalibration();
}

// Pixels drawn at random over the image, the same in every run.
inline std::vector<TPoint> RandomPixels(int Width, int Height, int Count) {
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> xs(0, Width - 1), ys(0, Height - 1);
  std::vector<TPoint> points;
  for (int i = 0; i < Count; ++i) points.push_back(TPoint{xs(random), ys(random)});
  return points;
}

}  // namespace orq::test
