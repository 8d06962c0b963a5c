// orqcarta demo: the picture of the capitals on a generated map.
#pragma once

#include <string>

#include "Commands.h"

namespace orq::cli {

// The area (degrees) and size (pixels) of the demo map.
struct TDemoRegion {
  double LatLow = 34, LongLow = -25, LatHigh = 72, LongHigh = 45;
  int Width = 1200, Height = 900;
  bool IsDefault = true;
  // marble-data's folder: its MWDB-II coastlines and borders are drawn when
  // they are there; empty for none.
  std::string WorldData;
};

// Writes the picture to Output and prints what it placed; the exit code.
int RunDemoPicture(const TDemoRegion& Region, const std::string& Output, TCliContext& Context);

}  // namespace orq::cli
