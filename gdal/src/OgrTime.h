// TDateTime values to and from OGR date-time fields, to the millisecond.
#pragma once

#include <ogrsf_frmts.h>

#include "orqplatform/DateTime.h"

namespace orq::gdal_detail {

// False, Value untouched, for an unset field or one that is no valid date.
bool ReadDateTime(const OGRFeature& F, int Field, TDateTime& Value);
// Nothing (the field stays unset) for a value outside the calendar's range.
// TzFlag is OGR's: 0 unknown, 1 local, 100 UTC.
void WriteDateTime(OGRFeature& F, int Field, TDateTime Value, int TzFlag);

}  // namespace orq::gdal_detail
