// Generated calibrated maps for the atlas tests, in a folder of their own.
#pragma once

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "orqcarta/Orq_GeoAtlas.h"

namespace orq {

class TAtlasMapFolder {
 public:
  explicit TAtlasMapFolder(const std::string& Tag) {
    Dir = std::filesystem::temp_directory_path() / ("orq_atlas_" + Tag + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
  }
  ~TAtlasMapFolder() { std::filesystem::remove_all(Dir); }
  std::string File(const std::string& Name) const { return (Dir / Name).string(); }

  // A 400 x 400 map centred on (Lat, Long) of about Resolution metres per
  // pixel, with the derived resolution and corners written into its block
  // (the generator leaves them out). Returns the calibration file.
  std::string MapOfResolution(const std::string& Name, double Resolution, const std::string& Caption,
                              double Lat = 46.5, double Long = 10.5) const {
    // The frame is 30 pixels inside the edges, so the image spans 400/340 of the area.
    const double metresPerDegree = 111320 * std::cos(Lat * 3.14159265358979 / 180);
    const double half = Resolution * 340 / metresPerDegree / 2;
    TGeoMap map;
    map.SetSuppressPaint(true);
    map.CreateAndLoadEmptyMap(File(Name), Lat - half, Long - half, Lat + half, Long + half, half / 2, half / 2, 400,
                              400);
    map.SetCaption(Caption);
    const std::string xml = File(Name + ".xml");
    map.SaveCalDataAsXML(xml, "atlas");
    return xml;
  }

  // A map as the generator writes it: corners on the frame, no resolution.
  std::string GeneratedMap(const std::string& Name, double LatLow, double LongLow, double LatHigh, double LongHigh,
                           int Size) const {
    TGeoMap map;
    map.SetSuppressPaint(true);
    map.CreateAndLoadEmptyMap(File(Name), LatLow, LongLow, LatHigh, LongHigh, (LatHigh - LatLow) / 4,
                              (LongHigh - LongLow) / 4, Size, Size);
    return File(Name + ".xml");
  }

  std::filesystem::path Dir;
};

}  // namespace orq
