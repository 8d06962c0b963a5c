// orqcarta demo on real data: the world vectors and maps of marble-data
// (public domain), when the package is installed.
#pragma once

#include <string>
#include <vector>

#include "Commands.h"
#include "pnt_reader.h"

namespace orq {
class TCanvas;
class TGeoMap;
}  // namespace orq

namespace orq::cli {

// Where Debian's marble-data puts its files.
inline constexpr const char* MarbleDataFolder = "/usr/share/marble/data";

struct TWorldVectors {
  std::vector<TPntLine> Coasts;   // coastlines, islands and lakes
  std::vector<TPntLine> Borders;  // country borders
  bool Empty() const { return Coasts.empty() && Borders.empty(); }
};

// The MWDB-II coastlines, islands, lakes and borders under Folder/mwdbii,
// at detail level MinLevel and coarser; empty when they are not there.
TWorldVectors LoadWorldVectors(const std::string& Folder, int MinLevel);

// Draws the lines onto Canvas in control pixels: coasts in one colour, borders
// dashed in another.
void DrawWorldVectors(const TGeoMap& Map, TCanvas* Canvas, const TWorldVectors& Vectors);

// Capitals of the country table on Blue Marble, scaled under the map
// control's pixel limit; the exit code.
int RunWorldDemo(const std::string& Folder, const std::string& Output, TCliContext& Context);

}  // namespace orq::cli
