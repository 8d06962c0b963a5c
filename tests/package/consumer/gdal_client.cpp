// A client of the optional GDAL library: a generated map's calibration as a
// VRT, in the directory named first; prints the number of GCPs.
#include <orqcarta/Orq_GeoGdal.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string dir = argv[1];
  orq::TGeoMap map;
  map.SetSuppressPaint(true);
  map.CreateAndLoadEmptyMap(dir + "/blank", 40, 0, 50, 20, 2, 2, 500, 300);
  orq::ExportCalibration(map, dir + "/blank.vrt", orq::cefVRT);
  std::printf("%zu\n", orq::CalibrationGcps(map, 500, 300).Gcps.size());
  return 0;
}
