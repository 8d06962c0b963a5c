// Finding ellipsoids and datums of the built-in tables by what people type:
// identifiers, names, numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

// An ellipsoid by identifier ("gelWGS84"), identifier without the "gel"
// prefix ("WGS84"), display name ("WGS 1984") - all case-insensitive - or
// ordinal 0..60.
std::optional<TGeoEllipsoid> FindEllipsoid(std::string_view Text);

// Datum number 1..271 for a text: a number, one of the short names WGS84,
// WGS72, ED50 (59, Europe) and OSGB36, a full label as the datums listing
// prints it ("EUROPEAN DATUM 1950 (Europe)"), a name, or a unique part of a
// label - all case-insensitive. Number is 0 when the text names
// no datum, or several (then Candidates holds their numbers).
struct TDatumMatch {
  int Number = 0;
  std::vector<int> Candidates;
};
TDatumMatch FindDatum(std::string_view Text);

// "NAME (Area)" of datum 1..271.
std::string DatumLabel(int Number);

// Resolves a datum option value, or throws EUsageError whose message names
// the option and, for an ambiguous text, lists the candidates one a line.
int ResolveDatum(std::string_view OptionName, std::string_view Text);

// Lower-case ASCII copy, for comparisons without regard to case.
std::string ToLower(std::string_view Text);

}  // namespace orq::cli
