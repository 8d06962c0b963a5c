// orqcarta render: a calibrated map composed by the map control, as a picture.
#pragma once

#include <iosfwd>

#include "Commands.h"

namespace orq {
class TGeoMap;
}

namespace orq::cli {

void RegisterRenderCommand(CLI::App& App, TCliContext& Context);

// Latitude and longitude of the four corners of the control's picture, one
// line each.
void PrintPictureBounds(std::ostream& Out, const TGeoMap& Map);

}  // namespace orq::cli
