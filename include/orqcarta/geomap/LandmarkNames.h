// Display names of the landmark symbol kinds, and the conversions the
// landmark and symbol files use for kinds, colours, font styles and times.
#pragma once

#include <array>
#include <string>

#include "orqcarta/geomap/Records.h"
#include "orqplatform/DateTime.h"

namespace orq {

// Indexed by TLandMarkElement; the symbol and landmark files write these.
inline const std::array<std::string, lmUserDef + 1> LMTypeNames = {
    "Plus", "Square", "Triangle", "Circle", "ArrowFrom", "ArrowTo", "CrossBox", "Spade", "Cross", "User-Defined"};

// The name of a kind; "Cross" for a value outside the enumeration.
std::string LMTypeName(TLandMarkElement Kind);
// The kind of an "element" attribute (any case). The files know the seven
// drawn shapes by name; "cross" and every other text (also "plus" and
// "user-defined") give lmCross.
TLandMarkElement LMElementFromText(const std::string& Text);
// True when the lower-cased text contains "true" anywhere.
bool XmlTextIsTrue(const std::string& Text);
// Four flag characters, bold, italic, underline, strike-out: "1" sets a
// style, anything else (and a missing position) does not.
std::string FontStylesToFlags(TFontStyles Styles);
TFontStyles FontStylesFromFlags(const std::string& Flags);

}  // namespace orq
