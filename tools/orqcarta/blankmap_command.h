// orqcarta blankmap: a calibrated blank map of a latitude/longitude rectangle.
#pragma once

#include "Commands.h"

namespace orq::cli {

void RegisterBlankMapCommand(CLI::App& App, TCliContext& Context);

}  // namespace orq::cli
