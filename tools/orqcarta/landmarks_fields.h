// The landmark fields that the CSV and GeoJSON forms carry, with their text
// forms. Both forms share this table, so a column of the CSV file and a
// property of a GeoJSON feature have the same name and the same syntax.
//
// Text forms: numbers in the shortest form that reads back the same double;
// colours as the 8 hexadecimal digits of the TColor value (00BBGGRR, the form
// of the XML files); the symbol as its display name ("Cross", "Square" ...);
// the time as "YYYY-MM-DDTHH:MM:SS" (empty for 0); caption alignments as
// "left", "right", "center" and "top", "center", "bottom"; font styles as
// "bold+italic+underline+strikeout" (any subset, empty for none).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "orqcarta/Orq_GeoMap.h"

namespace orq::cli {

// How a field is typed in JSON: numbers and Booleans as JSON values, the
// rest as strings.
enum TLandmarkFieldKind : int { lfkNumber, lfkBoolean, lfkText };

// Field numbers of the three position fields.
inline constexpr std::size_t LandmarkLatField = 0;
inline constexpr std::size_t LandmarkLongField = 1;
inline constexpr std::size_t LandmarkAltField = 2;

// Names in column order: lat, long, alt, class, tag, symbol, ...
const std::vector<std::string>& LandmarkFieldNames();
TLandmarkFieldKind LandmarkFieldKind(std::size_t Field);
// The field of a column or property name (any case; "latitude", "lon",
// "lng", "longitude", "altitude", "name" and "id" are accepted as aliases);
// -1 for a name that is no field.
int FindLandmarkField(std::string_view Name);

std::string LandmarkFieldText(const TLandMark& LandMark, std::size_t Field);
// Sets one field from its text form. An empty text empties the texts
// (identifier, caption, capfont), the time and the font styles, and leaves
// every other field as it is. Raises EInputError naming the field for a text that is not a valid
// value (out of range, not a number, unknown symbol ...).
void SetLandmarkField(TLandMark& LandMark, std::size_t Field, std::string_view Text);

// The landmark that a file's record starts from: the map control's default
// landmark (a cross of size 7 with an 8-point caption below it).
TLandMark NewLandmarkTemplate();

}  // namespace orq::cli
